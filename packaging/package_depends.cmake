# Read by CPack before it builds the package: the libraries the programs link, as
# dpkg-shlibdeps finds them, added to the package's own dependencies. CPack's own lookup
# would also take the private skin engine library for a system library and call ldconfig
# from maintainer scripts for it, which Debian's tools rightly refuse.
file(STRINGS "${CPACK_CAPCALC_BINARY_LIST}" binaries)
# dpkg-shlibdeps expects the files where a package build puts them: in a package tree
# (marked by its DEBIAN folder) below a debian/control.
set(work "${CPACK_CAPCALC_SHLIBDEPS_FOLDER}")
set(staged "debian/capcalc/usr/lib/capcalc")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/debian/control" "")
file(MAKE_DIRECTORY "${work}/debian/capcalc/DEBIAN")
file(COPY ${binaries} DESTINATION "${work}/${staged}")
file(GLOB staged_binaries RELATIVE "${work}" "${work}/${staged}/*")
execute_process(COMMAND dpkg-shlibdeps -O ${staged_binaries} WORKING_DIRECTORY "${work}"
                OUTPUT_VARIABLE substvars COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "shlibs:Depends=([^\n]*)" _ "${substvars}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "dpkg-shlibdeps found no libraries:\n${substvars}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${CMAKE_MATCH_1}")
