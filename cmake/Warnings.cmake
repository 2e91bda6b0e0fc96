# Warnings for every target of ours; -Werror on CI so a warning cannot land.
add_library(vornela_warnings INTERFACE)
target_compile_options(vornela_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-align -Wnull-dereference -Wimplicit-fallthrough)
if(DEFINED ENV{CI})
  target_compile_options(vornela_warnings INTERFACE -Werror)
endif()

if(VORNELA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VORNELA_FUZZ)
  # Coverage feedback for libFuzzer in everything; only the fuzz targets link its main().
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()
