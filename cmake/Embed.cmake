# capcalc_embed(<target> <symbol> <file>)
# Links the bytes of <file> into <target> as `extern "C" const unsigned char <symbol>[]`
# with its length in `<symbol>_size`. The assembler includes the file directly, so large
# images cost no compile time and no generated source arrays.

# Read-only data, and no executable stack for ELF; PE has neither .rodata nor that note.
if(WIN32)
  set(CAPCALC_EMBED_SECTION ".section .rdata,\"dr\"")
  set(CAPCALC_EMBED_STACK_NOTE "")
else()
  set(CAPCALC_EMBED_SECTION ".section .rodata")
  set(CAPCALC_EMBED_STACK_NOTE ".section .note.GNU-stack,\"\",@progbits")
endif()

function(capcalc_embed target symbol file)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.S)
  file(WRITE ${asm}.in
"    @CAPCALC_EMBED_SECTION@
    .global @SYMBOL@
    .global @SYMBOL@_size
    .balign 16
@SYMBOL@:
    .incbin \"@FILE@\"
@SYMBOL@_end:
    .byte 0
    .balign 8
@SYMBOL@_size:
    .quad @SYMBOL@_end - @SYMBOL@
    @CAPCALC_EMBED_STACK_NOTE@
")
  set(SYMBOL ${symbol})
  set(FILE ${file})
  configure_file(${asm}.in ${asm} @ONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${file})
  target_sources(${target} PRIVATE ${asm})
endfunction()
