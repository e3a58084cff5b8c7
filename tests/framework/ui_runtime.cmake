# The runtime, windows and menus.
tw_add_test(ui_runtime_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_runtime_window_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_runtime_loop_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_runtime_menu_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_runtime_start_test.cpp
    LIBS tw_ui tw_gui_test_main Qt6::Widgets Qt6::Test
    GUI SANITIZED_TOO)
