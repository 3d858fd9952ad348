# The PDF writer for the Windows build: libharu 2.3.0 (the version Debian 12 ships) from
# the tarball in third_party/, built as a static library with the same cross compiler once
# per build folder, on the toolkit's bundled zlib and without PNG support, which the sheets
# do not use. Defines:
#   HPDF_INCLUDE_DIR   its include folders (its configured header among them)
#   HPDF_LIBRARY       the imported library, with the zlib it needs
set(HARU_TARBALL ${CMAKE_SOURCE_DIR}/third_party/libharu-2.3.0.tar.gz)
set(HARU_TARBALL_SHA256 890051e227ee087e0fdf9c6a708a6a3196110099d045912cdfa5d81a7620427a)
capcalc_check_tarball(${HARU_TARBALL} ${HARU_TARBALL_SHA256})

set(HARU_PREFIX ${CMAKE_BINARY_DIR}/libharu)
set(HARU_SOURCE ${HARU_PREFIX}/source)
set(HARU_BUILD ${HARU_PREFIX}/build)
set(HARU_FILE ${HARU_BUILD}/src/libhpdfs.a)

# At the toolkit's optimisation, -O2; only the static library is compiled.
ExternalProject_Add(haru_build
  PREFIX ${HARU_PREFIX}
  URL ${HARU_TARBALL}
  URL_HASH SHA256=${HARU_TARBALL_SHA256}
  DOWNLOAD_EXTRACT_TIMESTAMP TRUE
  SOURCE_DIR ${HARU_SOURCE}
  BINARY_DIR ${HARU_BUILD}
  DEPENDS fltk_build
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${toolchain}
             -DCMAKE_BUILD_TYPE=Release "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG"
             -DLIBHPDF_SHARED=NO -DLIBHPDF_STATIC=YES -DLIBHPDF_EXAMPLES=NO
             -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON
             "-DZLIB_INCLUDE_DIR=${FLTK_SOURCE}/zlib"
             -DZLIB_LIBRARY=${FLTK_BUILD}/lib/libfltk_z.a
             -Wno-dev
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel ${cores} --target hpdfs
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${HARU_FILE}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)

file(MAKE_DIRECTORY ${HARU_SOURCE}/include ${HARU_BUILD}/include)
set(HPDF_INCLUDE_DIR ${HARU_SOURCE}/include ${HARU_BUILD}/include)

add_library(capcalc_zlib STATIC IMPORTED GLOBAL)
set_target_properties(capcalc_zlib PROPERTIES IMPORTED_LOCATION ${FLTK_BUILD}/lib/libfltk_z.a)
add_dependencies(capcalc_zlib fltk_build)
add_library(capcalc_hpdf STATIC IMPORTED GLOBAL)
set_target_properties(capcalc_hpdf PROPERTIES IMPORTED_LOCATION ${HARU_FILE}
                      INTERFACE_INCLUDE_DIRECTORIES "${HPDF_INCLUDE_DIR}"
                      INTERFACE_LINK_LIBRARIES capcalc_zlib)
add_dependencies(capcalc_hpdf haru_build)
set(HPDF_LIBRARY capcalc_hpdf)
