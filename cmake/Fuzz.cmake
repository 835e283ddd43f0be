# Fuzz targets: programs defining
#     extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#
#   tarnwick_add_fuzz_target(NAME <name> SOURCES <files...> LIBS <libs...>
#                            CORPUS <dirs or files...>)
#
# makes the executable fuzz_<name>.
#
# Normal build: it links the standalone driver (tests/fuzz_driver), which runs
# every corpus file and then a fixed number of deterministic mutations of them
# within a few seconds; ctest runs it as the test fuzz_<name>.
#
# TARNWICK_FUZZ=ON (clang, `make fuzz`): the whole build is instrumented for
# coverage and checked by AddressSanitizer and UndefinedBehaviorSanitizer, the
# targets link libFuzzer, and the custom target fuzz_run runs each of them in
# turn for TARNWICK_FUZZ_SECONDS, starting from its seed corpus.
option(TARNWICK_FUZZ "Build the fuzz targets with libFuzzer (needs clang)" OFF)
set(TARNWICK_FUZZ_SECONDS 600 CACHE STRING "Seconds each fuzz target runs in fuzz_run")

if(TARNWICK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TARNWICK_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
    add_custom_target(fuzz_all)
    add_custom_target(fuzz_run COMMENT "Running every fuzz target for ${TARNWICK_FUZZ_SECONDS} s")
endif()

function(tarnwick_add_fuzz_target)
    cmake_parse_arguments(PARSE_ARGV 0 FUZZ "" "NAME" "SOURCES;LIBS;CORPUS")
    if(NOT FUZZ_NAME OR NOT FUZZ_SOURCES)
        message(FATAL_ERROR "tarnwick_add_fuzz_target needs NAME and SOURCES")
    endif()
    set(target fuzz_${FUZZ_NAME})
    add_executable(${target} ${FUZZ_SOURCES})
    target_link_libraries(${target} PRIVATE ${FUZZ_LIBS})

    if(TARNWICK_FUZZ)
        target_link_options(${target} PRIVATE -fsanitize=fuzzer)
        add_dependencies(fuzz_all ${target})
        # libFuzzer grows the first corpus folder, so the seeds are copied into
        # a working folder of the build tree first.
        set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${FUZZ_NAME})
        set(copy_seeds "")
        foreach(seed IN LISTS FUZZ_CORPUS)
            if(IS_DIRECTORY ${seed})
                list(APPEND copy_seeds COMMAND ${CMAKE_COMMAND} -E copy_directory ${seed} ${work})
            else()
                list(APPEND copy_seeds COMMAND ${CMAKE_COMMAND} -E copy ${seed} ${work})
            endif()
        endforeach()
        add_custom_target(fuzz_run_${FUZZ_NAME}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${work} ${CMAKE_BINARY_DIR}/fuzz-artifacts
            ${copy_seeds}
            COMMAND $<TARGET_FILE:${target}> -max_total_time=${TARNWICK_FUZZ_SECONDS}
                    -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
                    -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-artifacts/${FUZZ_NAME}- ${work}
            DEPENDS ${target}
            WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
            USES_TERMINAL
            COMMENT "Fuzzing ${FUZZ_NAME} for ${TARNWICK_FUZZ_SECONDS} s")
        # One after the other: each target gets the cores to itself.
        get_property(previous GLOBAL PROPERTY TARNWICK_LAST_FUZZ_RUN)
        if(previous)
            add_dependencies(fuzz_run_${FUZZ_NAME} ${previous})
        endif()
        set_property(GLOBAL PROPERTY TARNWICK_LAST_FUZZ_RUN fuzz_run_${FUZZ_NAME})
        add_dependencies(fuzz_run fuzz_run_${FUZZ_NAME})
    else()
        target_link_libraries(${target} PRIVATE tarnwick_fuzz_driver)
        add_test(NAME fuzz_${FUZZ_NAME} COMMAND ${target} ${FUZZ_CORPUS})
        set_tests_properties(fuzz_${FUZZ_NAME} PROPERTIES ENVIRONMENT "TARNWICK_NO_DIALOGS=1" TIMEOUT 120)
    endif()
endfunction()
