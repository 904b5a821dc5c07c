# The host build runs the code that needs no Win32 natively, under
# AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes the parser.
option(VELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)

if(VELMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(VELMORA_PARSER_BLOCK_UNITS=5)
  if(CMAKE_CXX_COMPILER_ID MATCHES Clang)
    # Coverage for the fuzzer; harmless for the other executables.
    add_compile_options(-fsanitize=fuzzer-no-link)
    set(VELMORA_FUZZ ON)
  endif()
endif()
