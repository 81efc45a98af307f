# Sanitizer and fuzzing build of the program's own code (Qt itself stays as Debian ships it).
#
# PINTAVO_SANITIZE=ON compiles and links every target with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the process with an error, so a
# test that touches a fault fails. With clang the same build also carries
# libFuzzer's coverage hooks and builds the fuzzers of fuzz/ (PINTAVO_FUZZ).
option(PINTAVO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(PINTAVO_FUZZ_DEFAULT OFF)
if(PINTAVO_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(PINTAVO_FUZZ_DEFAULT ON)
endif()
option(PINTAVO_FUZZ "Build the libFuzzer fuzzers (needs clang and PINTAVO_SANITIZE)" ${PINTAVO_FUZZ_DEFAULT})

if(PINTAVO_SANITIZE)
    # vptr is left out: Qt's classes are built without the sanitizer and their type
    # information is not visible to it across the library boundary.
    set(PINTAVO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize=vptr
        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${PINTAVO_SANITIZER_FLAGS})
    add_link_options(${PINTAVO_SANITIZER_FLAGS})
    if(PINTAVO_FUZZ)
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
endif()

# Default sanitizer options and leak suppressions, compiled into every program
# and test: they hold without any environment variable.
function(pintavo_sanitizer_defaults target)
    if(PINTAVO_SANITIZE)
        target_sources(${target} INTERFACE ${CMAKE_SOURCE_DIR}/cmake/SanitizerDefaults.cpp)
    endif()
endfunction()
