# VORLANE_SANITIZE: every target built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and any finding of either ends the program
# (with -fno-sanitize-recover an undefined-behaviour report is not just a
# line in the output). scripts/test-sanitized builds and runs the tests so.
# Qt and Chromium are not instrumented: ASan sees their allocations and
# frees through its interceptors, nothing inside them.
option(VORLANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(VORLANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)

  # The sanitizers' options for every test, ctest sets them in its own
  # environment before it starts any: so they reach the test programs, the
  # programs those start (vorlane-cli, vorlane) and the tests run through a
  # script alike. Options already in the environment come last and win.
  set(VORLANE_SANITIZER_FILES ${PROJECT_SOURCE_DIR}/tests/sanitizers)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/SanitizerEnvironment.cmake.in
                 ${CMAKE_BINARY_DIR}/SanitizerEnvironment.cmake @ONLY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
               ${CMAKE_BINARY_DIR}/SanitizerEnvironment.cmake)
endif()
