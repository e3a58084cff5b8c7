# The exception boundary at every entry from Qt into the framework, and its report window.
tw_add_test(ui_boundary_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_boundary_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_boundary_report_test.cpp
    LIBS tw_ui tw_gui_test_main Qt6::Widgets Qt6::Test
    GUI SANITIZED_TOO TIMEOUT 120)
