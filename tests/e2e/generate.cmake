# The real binary under Xvfb: one click on "Generate" writes a file minimodem decodes.
if(TARGET tarnwhistle)
    add_test(NAME e2e_generate
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/generate.sh $<TARGET_FILE:tarnwhistle>)
    set_tests_properties(e2e_generate PROPERTIES TIMEOUT 180)
endif()
