# Flags of the fuzz configuration (ORVANE_FUZZ). The libraries are compiled
# with the fuzzer's coverage hooks but without its main; only the fuzz
# targets link the fuzzer itself.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "ORVANE_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
endif()

add_compile_options(-O1 -g1 -fno-omit-frame-pointer
  -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)
