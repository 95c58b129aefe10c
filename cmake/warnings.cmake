# One interface target carries the warnings (and sanitizers) for every target.
add_library(banmen_warnings INTERFACE)
target_compile_options(banmen_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(BANMEN_SANITIZE)
    target_compile_options(banmen_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(banmen_warnings INTERFACE -fsanitize=address,undefined)
endif()
if(BANMEN_FUZZ)
    # Every object gets coverage and the sanitizers; the fuzz targets add the
    # fuzzing engine at link time (fuzz/CMakeLists.txt).
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
