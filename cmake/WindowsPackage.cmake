# The Windows package: packages/capcalc-VERSION-windows-x64.zip in the build folder, with
# the window program, the script driver and 说明.txt, in one folder of the package's name
# (so that unpacking never scatters files). Made by `cpack` in the build folder, which
# tools/windows-build runs.
set(CAPCALC_PACKAGE_PROGRAMS capcalc capcalc-script)
foreach(program ${CAPCALC_PACKAGE_PROGRAMS})
  if(NOT TARGET ${program})
    message(STATUS "Windows package: waits for ${program}.exe")
    return()
  endif()
endforeach()

install(TARGETS ${CAPCALC_PACKAGE_PROGRAMS} RUNTIME DESTINATION .)
set(readme ${CMAKE_BINARY_DIR}/package/说明.txt)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/说明.txt ${readme} @ONLY NEWLINE_STYLE CRLF)
install(FILES ${readme} DESTINATION .)

set(package_name capcalc-${PROJECT_VERSION}-windows-x64)
set(package_file ${CMAKE_BINARY_DIR}/packages/${package_name}.zip)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME capcalc)
set(CPACK_PACKAGE_FILE_NAME ${package_name})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)  # its work, apart from the result
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)  # the programs without their debug information
include(CPack)

string(REPLACE ";" "\\;" programs "${CAPCALC_PACKAGE_PROGRAMS}")
add_test(NAME windows.package
         COMMAND ${CMAKE_COMMAND} -DZIP=${package_file} -DFOLDER=${package_name} -DPROGRAMS=${programs}
                 -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/tests/windows/package_test.cmake)
