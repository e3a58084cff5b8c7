# The real binary under GNOME's dark style and a Fusion dark palette: contrasts of what is painted.
if(TARGET tarnwhistle)
    add_executable(contrast_probe ${CMAKE_CURRENT_SOURCE_DIR}/contrast_probe.cpp)
    target_link_libraries(contrast_probe PRIVATE Qt6::Gui)
    add_test(NAME e2e_dark_theme
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/dark_theme.sh $<TARGET_FILE:tarnwhistle>
                     $<TARGET_FILE:contrast_probe> ${CMAKE_BINARY_DIR}/e2e)
    set_tests_properties(e2e_dark_theme PROPERTIES TIMEOUT 120)
endif()
