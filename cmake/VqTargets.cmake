# Shared settings for every target built from our own sources.

# Every .cpp below the given folders, found again when a file is added.
function(vq_glob_sources out)
    set(found)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND found ${dir_sources})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# One precompiled header of JUCE's module headers, shared by every target of ours.
add_library(vq_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/JuceLibraryAnchor.cpp)
target_link_libraries(vq_pch PRIVATE vq_juce)
target_precompile_headers(vq_pch PRIVATE
    <juce_core/juce_core.h> <juce_events/juce_events.h> <juce_data_structures/juce_data_structures.h>
    <juce_graphics/juce_graphics.h> <juce_gui_basics/juce_gui_basics.h>
    <juce_audio_processors/juce_audio_processors.h>)

function(vq_configure_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        # Compiled as the precompiled header was, so that it can be reused; PIC code links into PIE.
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
        target_compile_options(${target} PRIVATE -fPIC)
    endif()
    target_precompile_headers(${target} REUSE_FROM vq_pch)
endfunction()
