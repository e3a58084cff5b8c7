# The main window's handlers, driven through the real window with Qt input.
tw_add_test(app_handlers_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/handlers_generate_and_play_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/handlers_baud_presets_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/handlers_hex_tag_preview_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/handlers_file_list_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/handlers_pointer_link_test.cpp
    LIBS tw_app tw_desktop_capture tw_gui_test_main Qt6::Widgets Qt6::Test
    GUI SANITIZED_TOO)
