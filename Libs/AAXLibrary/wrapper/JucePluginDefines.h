#pragma once

// The plug-in's identity as JUCE's plug-in client reads it: an AAX plug-in and no other format.
#define JucePlugin_Build_AAX 1
#define JucePlugin_Build_VST 0
#define JucePlugin_Build_VST3 0
#define JucePlugin_Build_AU 0
#define JucePlugin_Build_AUv3 0
#define JucePlugin_Build_RTAS 0
#define JucePlugin_Build_Standalone 0
#define JucePlugin_Build_Unity 0
#define JucePlugin_Build_LV2 0
#define JucePlugin_Enable_ARA 0

#define JucePlugin_Name "Kestova PLEMVO"
#define JucePlugin_Desc "Kestova PLEMVO Remote Control"
#define JucePlugin_Manufacturer "Kestova"
#define JucePlugin_ManufacturerWebsite ""
#define JucePlugin_ManufacturerEmail ""
#define JucePlugin_ManufacturerCode 0x4B535456 // 'KSTV'
#define JucePlugin_PluginCode 0x504C4D56       // 'PLMV'
#define JucePlugin_VersionCode PLEMVO_VERSION_CODE
#define JucePlugin_VersionString PLEMVO_VERSION_STRING

#define JucePlugin_IsSynth 0
#define JucePlugin_WantsMidiInput 0
#define JucePlugin_ProducesMidiOutput 0
#define JucePlugin_IsMidiEffect 0
#define JucePlugin_EditorRequiresKeyboardFocus 0

#define JucePlugin_AAXIdentifier com.kestova.plemvo
#define JucePlugin_AAXManufacturerCode JucePlugin_ManufacturerCode
#define JucePlugin_AAXProductId JucePlugin_PluginCode
#define JucePlugin_AAXCategory AAX_ePlugInCategory_EQ
#define JucePlugin_AAXDisableBypass 0
#define JucePlugin_AAXDisableMultiMono 0
#define JucePlugin_AAXDisableAudioSuite 0
#define JucePlugin_AAXDisableDynamicProcessing 0
#define JucePlugin_AAXDisableDefaultSettingsChunks 0
#define JucePlugin_AAXDisableSaveRestore 0
