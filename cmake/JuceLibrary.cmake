# JUCE's module targets are INTERFACE libraries that compile their sources into every consumer.
# Linking them PRIVATE into one static library compiles JUCE once; everything else links that
# library and sees JUCE's headers and configuration through its public usage requirements.
find_package(JUCE CONFIG REQUIRED)

set(VQ_JUCE_MODULES
    juce_core juce_events juce_data_structures juce_graphics juce_gui_basics juce_gui_extra
    juce_audio_basics juce_audio_processors)

set(VQ_JUCE_DEFINITIONS
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_LOG_ASSERTIONS=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STANDALONE_APPLICATION=0
    $<IF:$<CONFIG:Debug>,DEBUG=1;_DEBUG=1,NDEBUG=1;_NDEBUG=1>)
foreach(module IN LISTS VQ_JUCE_MODULES)
    list(APPEND VQ_JUCE_DEFINITIONS JUCE_MODULE_AVAILABLE_${module}=1)
endforeach()

add_library(vq_juce STATIC ${CMAKE_CURRENT_LIST_DIR}/JuceLibraryAnchor.cpp)
foreach(module IN LISTS VQ_JUCE_MODULES)
    target_link_libraries(vq_juce PRIVATE juce::${module})
endforeach()
target_link_libraries(vq_juce PRIVATE juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
target_compile_definitions(vq_juce PUBLIC ${VQ_JUCE_DEFINITIONS})
target_include_directories(vq_juce SYSTEM PUBLIC ${JUCE_MODULES_DIR})
# JUCE's own warnings stay out of our logs.
target_compile_options(vq_juce PRIVATE -w)
