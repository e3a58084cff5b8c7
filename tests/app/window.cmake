# Start-up, the main window, its controls, lists, bindings and menu bar; and one whole run.
tw_add_test(NAME app_window_tests
            SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_fixture.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_startup_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_frame_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_controls_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_bindings_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_lists_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_menu_bar_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_focus_test.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_classes_test.cpp
            LIBS tw_app tw_gui_test_main Qt6::Widgets Qt6::Test
            GUI SANITIZED_TOO)
tw_add_test(NAME app_window_lifecycle_test
            SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_lifecycle_test.cpp
            LIBS tw_app tw_whole_run_test_main Qt6::Widgets Qt6::Test
            GUI SANITIZED_TOO)
tw_add_test(NAME app_startup_failure_test
            SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup_failure_test.cpp
            LIBS tw_app tw_whole_run_test_main Qt6::Widgets Qt6::Test
            GUI SANITIZED_TOO TIMEOUT 60)
# The window under dark desktop palettes, and its light look kept pixel for pixel.
tw_add_test(NAME app_window_backdrop_test
            SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_fixture.cpp
                    ${CMAKE_CURRENT_SOURCE_DIR}/window_backdrop_test.cpp
            LIBS tw_app tw_gui_test_main Qt6::Widgets Qt6::Test
            GUI SANITIZED_TOO)
foreach(variant app_window_backdrop_test app_window_backdrop_test_asan)
    target_compile_definitions(${variant} PRIVATE
        TW_LIGHT_LOOK_PNG="${CMAKE_CURRENT_SOURCE_DIR}/window_light_look.png")
endforeach()
