# The tarballs of third_party/, which the Windows build builds from: each is checked
# against the checksum its README gives before anything is unpacked.
function(capcalc_check_tarball tarball expected_sha256)
  file(SHA256 ${tarball} actual_sha256)
  if(NOT actual_sha256 STREQUAL expected_sha256)
    message(FATAL_ERROR "${tarball} has the sha256 ${actual_sha256}, "
                        "not ${expected_sha256}: the tarball is not the one the build expects")
  endif()
endfunction()
