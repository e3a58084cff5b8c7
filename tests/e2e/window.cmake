# The real binary under Xvfb: the window shows with its title, a screenshot is kept, Ctrl+Q quits.
if(TARGET tarnwhistle)
    add_test(NAME e2e_window
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/window.sh $<TARGET_FILE:tarnwhistle>
                     ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/e2e/window.png)
    set_tests_properties(e2e_window PROPERTIES TIMEOUT 120)
endif()
