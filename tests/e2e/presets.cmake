# The real binary under Xvfb with a sound server of its own at 48 kHz, PulseAudio and PipeWire in
# turn: each of the seven baud-rate presets, resampled by the server, reaches the sink whole and
# decodes to its payload alone.
if(TARGET tarnwhistle)
    foreach(server pulseaudio pipewire)
        add_test(NAME e2e_presets_${server}
                 COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/presets.sh $<TARGET_FILE:tarnwhistle>
                         ${server})
        # One recording at a time: a sound server starved of the processor sounds silence mid-frame.
        set_tests_properties(e2e_presets_${server} PROPERTIES TIMEOUT 180
                             RESOURCE_LOCK sound_recording)
    endforeach()
endif()
