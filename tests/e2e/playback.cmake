# The real binary under Xvfb with its own PulseAudio null sink: what the window plays reaches the
# sink whole, from the first play after idling to the last sample.
if(TARGET tarnwhistle)
    add_test(NAME e2e_playback
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/playback.sh $<TARGET_FILE:tarnwhistle>)
    set_tests_properties(e2e_playback PROPERTIES TIMEOUT 180)
endif()
