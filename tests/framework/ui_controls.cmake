# The controls, the timer, the player and what goes to the desktop, driven by real Qt input.
tw_add_test(ui_controls_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_controls_events_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_controls_popup_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_controls_timer_player_test.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ui_controls_properties_test.cpp
    LIBS tw_ui tw_signal tw_desktop_capture tw_gui_test_main Qt6::Widgets Qt6::Test
    GUI SANITIZED_TOO)
