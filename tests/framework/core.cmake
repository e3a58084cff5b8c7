tw_add_test(core_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/core_text_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_memory_block_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_exceptions_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_folder_item_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_binary_stream_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_property_list_test.cpp
    LIBS tw_core tw_test_support tw_test_main
    SANITIZED_TOO)

# The property-list reader under libFuzzer, for a bounded time. It is built straight from its two
# sources with clang, which the rest of the build need not use. Without clang the configure stops:
# a fuzz test that quietly vanished would pass unnoticed.
find_program(TW_CLANGXX NAMES clang++ clang++-14)
if(NOT TW_CLANGXX)
    message(FATAL_ERROR "clang++ not found: the property-list fuzz test needs it. Install the "
                        "Debian packages clang and libclang-rt-14-dev (scripts/install-deps.sh).")
endif()
# Named apart from the target: Ninja refuses a target and a file of one path.
set(fuzz_binary ${CMAKE_CURRENT_BINARY_DIR}/property_list_fuzzer)
set(fuzz_sources
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/property_list_fuzz.cpp
    ${PROJECT_SOURCE_DIR}/framework/core/property_list.cpp
    ${PROJECT_SOURCE_DIR}/framework/core/object.cpp)
add_custom_command(
    OUTPUT ${fuzz_binary}
    COMMAND ${TW_CLANGXX} -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=undefined -I${PROJECT_SOURCE_DIR} ${fuzz_sources}
            -o ${fuzz_binary}
    DEPENDS ${fuzz_sources}
            ${PROJECT_SOURCE_DIR}/framework/core/property_list.h
            ${PROJECT_SOURCE_DIR}/framework/core/object.h
            ${PROJECT_SOURCE_DIR}/framework/core/exceptions.h
            ${PROJECT_SOURCE_DIR}/framework/core/text.h
    COMMENT "Building the property-list fuzz target"
    VERBATIM)
add_custom_target(property_list_fuzz ALL DEPENDS ${fuzz_binary})

# New inputs go to the build folder's corpus; the checked-in seeds are only read.
set(fuzz_corpus ${CMAKE_CURRENT_BINARY_DIR}/property_list_corpus)
file(MAKE_DIRECTORY ${fuzz_corpus})
add_test(NAME property_list_fuzz
         COMMAND ${fuzz_binary} -max_total_time=20 -timeout=10 -rss_limit_mb=1024
                 ${fuzz_corpus} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/seeds)
set_tests_properties(property_list_fuzz PROPERTIES TIMEOUT 120)
