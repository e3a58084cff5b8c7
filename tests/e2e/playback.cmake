# The real binary under Xvfb with a sound server of its own, PulseAudio and PipeWire in turn: what
# the window plays reaches the sink whole and alone, from the first play after idling to the last
# sample.
if(TARGET tarnwhistle)
    foreach(server pulseaudio pipewire)
        add_test(NAME e2e_playback_${server}
                 COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/playback.sh $<TARGET_FILE:tarnwhistle>
                         ${server})
        # One recording at a time: a sound server starved of the processor sounds silence mid-frame.
        set_tests_properties(e2e_playback_${server} PROPERTIES TIMEOUT 180
                             RESOURCE_LOCK sound_recording)
    endforeach()
endif()
