# The real binary under Xvfb whose sound server stops answering: no click waits on it.
if(TARGET tarnwhistle)
    foreach(server pulseaudio pipewire)
        add_test(NAME e2e_stopped_server_${server}
                 COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/stopped_server.sh
                         $<TARGET_FILE:tarnwhistle> ${server})
        set_tests_properties(e2e_stopped_server_${server} PROPERTIES TIMEOUT 120)
    endforeach()
endif()
