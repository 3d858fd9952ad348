# What the Windows build takes from elsewhere: the toolkit and the PDF writer built from
# their tarballs, the test framework built from Debian's source, the build tools of a
# native build, and Wine to run the test programs.
include(ThirdPartyTarball)
include(WindowsToolkit)
include(WindowsHaru)

# FLTK 1.3's headers choose their Windows code by WIN32, which the compiler defines only
# in its GNU dialects; the project compiles as standard C++20.
add_compile_definitions(WIN32)

# GoogleTest from Debian's googletest source package, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its own build defines GTest::gtest and GTest::gtest_main, as Debian's package does.
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The JSON library is header-only: the cross build takes Debian's headers, copied on their
# own, so that no other native header reaches the cross compiler.
find_path(CAPCALC_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${CAPCALC_JSON_HEADERS}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/json-headers)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/json-headers)

# The window template and the skins are compiled at build time by the native formc and
# capcalc_skinc: the build runs tools of a native build of the same source, which exports
# them under their own names (host-tools.cmake in its build folder).
set(CAPCALC_HOST_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH
    "Native build folder whose formc and capcalc_skinc the Windows build runs")
if(NOT EXISTS ${CAPCALC_HOST_BUILD}/host-tools.cmake)
  message(FATAL_ERROR "No native build tools in ${CAPCALC_HOST_BUILD}: configure and build "
                      "the native build there first (tools/windows-build does)")
endif()
include(${CAPCALC_HOST_BUILD}/host-tools.cmake)

# Test programs run under Wine, in a Wine prefix of this build folder's own.
set(CAPCALC_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CAPCALC_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run ${CAPCALC_WINE_PREFIX})
set(CMAKE_CROSSCOMPILING_EMULATOR ${CAPCALC_WINE_RUN})
