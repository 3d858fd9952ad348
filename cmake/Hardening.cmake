# The protections Debian builds its programs with: a guarded stack, checked string and
# memory calls, format strings that cannot be abused, and relocations made read-only
# before the program runs (an ELF notion: for Windows the linker marks every program and
# library for address randomisation and no-execute data by itself). They change no
# result; the sanitizer and fuzz builds, which instrument the same calls themselves, go
# without them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT CAPCALC_SANITIZE)
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Wformat>
    $<$<COMPILE_LANGUAGE:C,CXX>:-Werror=format-security>
    # The checked calls need the optimiser; a debug build would only warn about it.
    $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<NOT:$<CONFIG:Debug>>>:-D_FORTIFY_SOURCE=2>)
  if(WIN32)
    add_link_options(-fstack-protector-strong)  # links MinGW's guard routines (libssp)
  else()
    add_link_options(-Wl,-z,relro -Wl,-z,now)
  endif()
endif()
