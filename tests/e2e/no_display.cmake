# The real binary without a display it can open: one line naming it, exit status 1, no abort.
if(TARGET tarnwhistle)
    add_test(NAME e2e_no_display
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/no_display.sh $<TARGET_FILE:tarnwhistle>)
    set_tests_properties(e2e_no_display PROPERTIES TIMEOUT 60)
endif()
