# Run by CPack on the files it has put in place, before it makes the Debian
# package: Debian wants the manual pages and the changelog gzipped, and with
# no name or time in the gzip header, so that the same files make the same
# package.
file(GLOB files
     "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/man/man1/*.1"
     "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/${CPACK_PACKAGE_NAME}/changelog")
foreach(file IN LISTS files)
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file}: ${status}")
  endif()
endforeach()
