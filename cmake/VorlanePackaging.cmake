# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` puts in place, under /usr.
set(VORLANE_PACKAGE_MAINTAINER "The Vorlane developers <maintainers@vorlane.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_VENDOR "The Vorlane developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "inspect and drive the elements of web pages in Chromium")
set(CPACK_PACKAGE_DESCRIPTION [=[
Vorlane looks inside the web pages open in Chromium. Its main window lists
every tab that shows a web page with its loading state, address and title.
From a row you open an inspector on that tab's elements: a grid of their
tags, types, names, values, links, texts and identifiers, narrowed by a
filter panel. A value typed into the grid is written into the live page,
and elements can be clicked or focused from it.

The companion command vorlane-cli lists tabs and elements and acts on them
from scripts. Both talk to Chromium over its DevTools protocol on loopback
only. The user interface is Japanese.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/VorlaneDebFiles.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VORLANE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The SVG plugins that draw the window icon are loaded at run time, so no
# library lookup finds them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
find_program(VORLANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VORLANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", libc6, libgcc-s1, libstdc++6, libxcb1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6network6, libqt6websockets6")
endif()
# The browser it inspects, the fonts of its Japanese windows and Qt's own
# Japanese texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "chromium, fonts-noto-cjk, qt6-translations-l10n")

include(CPack)
