# The toolkit for the Windows build: FLTK 1.3.8 from the tarball in third_party/, built
# with the same cross compiler once per build folder (its stamps keep later builds from
# building it again). It is configured with its bundled jpeg, png and zlib rather than any
# the compiler may find; of its libraries only the two the programs link are compiled
# (the toolkit and its jpeg) and its zlib, which the PDF writer needs, none of its image or
# png libraries, test programs or tools. Defines:
#   FLTK_LIBRARY       the imported toolkit library, with its include folders and system
#                      libraries, linked like Debian's libfltk on Linux
#   FLTK_INCLUDE_DIR   its include folders
#   JPEG::JPEG         the bundled jpeg library, as find_package(JPEG) defines it on Linux
include(ExternalProject)

set(FLTK_TARBALL ${CMAKE_SOURCE_DIR}/third_party/fltk-1.3.8.tar.gz)
set(FLTK_TARBALL_SHA256 e30db0c7670ca4852d33cb5ee6690f7e975aaab4c1b6a03e2222eec7155efb13)
capcalc_check_tarball(${FLTK_TARBALL} ${FLTK_TARBALL_SHA256})

set(FLTK_PREFIX ${CMAKE_BINARY_DIR}/fltk)
set(FLTK_SOURCE ${FLTK_PREFIX}/source)
set(FLTK_BUILD ${FLTK_PREFIX}/build)
set(fltk_libraries fltk fltk_jpeg fltk_z)
set(fltk_files)
set(fltk_targets)
foreach(library ${fltk_libraries})
  list(APPEND fltk_files ${FLTK_BUILD}/lib/lib${library}.a)
  list(APPEND fltk_targets --target ${library})
endforeach()

# The same compiler, at the optimisation Debian builds its libfltk with: -O2 (the
# toolkit's own Release, -O3, takes longer to compile and gains the calculator nothing).
# The toolkit builds in parallel, before anything that links it.
get_filename_component(toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)

ExternalProject_Add(fltk_build
  PREFIX ${FLTK_PREFIX}
  URL ${FLTK_TARBALL}
  URL_HASH SHA256=${FLTK_TARBALL_SHA256}
  DOWNLOAD_EXTRACT_TIMESTAMP TRUE
  SOURCE_DIR ${FLTK_SOURCE}
  BINARY_DIR ${FLTK_BUILD}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${toolchain}
             -DCMAKE_BUILD_TYPE=Release
             "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
             -DOPTION_USE_SYSTEM_LIBJPEG=OFF -DOPTION_USE_SYSTEM_LIBPNG=OFF
             -DOPTION_USE_SYSTEM_ZLIB=OFF -DOPTION_USE_GL=OFF -DOPTION_USE_THREADS=OFF
             -DOPTION_BUILD_HTML_DOCUMENTATION=OFF -DOPTION_BUILD_PDF_DOCUMENTATION=OFF
             -DFLTK_BUILD_TEST=OFF -DFLTK_BUILD_EXAMPLES=OFF
             -Wno-dev
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel ${cores} ${fltk_targets}
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${fltk_files}
  LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)

# The headers: FL/ from the source, FL/abi-version.h from the build.
file(MAKE_DIRECTORY ${FLTK_SOURCE}/FL ${FLTK_SOURCE}/jpeg ${FLTK_BUILD}/FL ${FLTK_BUILD}/jpeg)
set(FLTK_INCLUDE_DIR ${FLTK_BUILD} ${FLTK_SOURCE})

function(capcalc_import_fltk_library name file)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${file})
  add_dependencies(${name} fltk_build)
endfunction()

capcalc_import_fltk_library(JPEG::JPEG ${FLTK_BUILD}/lib/libfltk_jpeg.a)
set_target_properties(JPEG::JPEG PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES "${FLTK_SOURCE}/jpeg;${FLTK_BUILD}/jpeg")

capcalc_import_fltk_library(capcalc_fltk ${FLTK_BUILD}/lib/libfltk.a)
set_target_properties(capcalc_fltk PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES "${FLTK_INCLUDE_DIR}"
                      INTERFACE_LINK_LIBRARIES "ole32;uuid;comctl32;ws2_32;gdi32")
set(FLTK_LIBRARY capcalc_fltk)
