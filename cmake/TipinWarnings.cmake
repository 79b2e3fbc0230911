# Project-wide compiler flags: warnings, sanitizers, fuzzing instrumentation.
add_compile_options(-Wall -Wextra)
if(TIPIN_WERROR)
    add_compile_options(-Werror)
endif()

if(TIPIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(TIPIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TIPIN_FUZZ needs clang: configure with CC=clang CXX=clang++")
    endif()
    # Every library gets coverage instrumentation; only fuzz targets link the libFuzzer main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# A library of the project: `tipin_library(name SOURCES ... LIBS ...)`.
function(tipin_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()
