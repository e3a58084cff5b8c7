tw_add_test(core_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/core_text_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_memory_block_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_exceptions_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_folder_item_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/core_binary_stream_test.cpp
    LIBS tw_core tw_test_support tw_test_main
    SANITIZED_TOO)
