#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFController.h"
#include "AAX_IACFHostServices.h"
#include "AAX_IACFPageTable.h"
#include "AAX_IACFTransport.h"
#include "AAX_IACFViewContainer.h"
#include "HostObject.h"
#include "acfbaseapi.h"

#include <chrono>
#include <functional>
#include <mutex>

namespace aax_host
{
/** The host's process-wide services: the traces and failed checks it was told of. */
class HostServices : public HostObjectOf<IAAXHostServicesV3>
{
public:
    explicit HostServices (Host& host);

    AAX_Result Trace (AAX_ETracePriorityHost priority, const char* message) override;
    AAX_Result StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) override;
    AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t flags) override;

    std::vector<std::pair<int32_t, std::string>> traces;
    std::vector<std::string> assertions; // "line note"
};

/** The host's automation of one instance; a value request is echoed to the plug-in through `echo`. */
class HostAutomationDelegate : public HostObjectOf<IAAXAutomationDelegateV1>
{
public:
    explicit HostAutomationDelegate (Host& host);

    AAX_Result RegisterParameter (AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) override;
    AAX_Result PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) override;
    AAX_Result PostTouchRequest (AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID parameterID) override;
    AAX_Result GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* touched) override;

    // Several host threads touch and release parameters at once; read the sets once those threads are done.
    std::mutex setsLock;
    std::set<std::string> registered;
    std::set<std::string> touched;
    /** The host's answer to a value request, as a real host sets the parameter back; unset, nothing is echoed. */
    std::function<void (const char* parameterID, double normalizedValue)> echo;

    /** Runs a function on a thread of the host's own after a delay. */
    using Later = std::function<void (std::chrono::microseconds delay, std::function<void()> function)>;
    /** With it, each echo comes through it `echoDelay` after its request, as a real host's echo comes, late
        and on its own thread; without it, inside the request. Whoever sets it runs no echo once the
        instance is gone. */
    Later later;
    std::chrono::microseconds echoDelay { 0 };
};

/** The host's transport with the values a test sets. */
class HostTransport : public HostObjectOf<IAAXTransportV4, IAAXTransportControlV1>
{
public:
    explicit HostTransport (Host& host);

    AAX_Result GetCurrentTempo (double* bpm) override;
    AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) override;
    AAX_Result IsTransportPlaying (bool* isPlaying) override;
    AAX_Result GetCurrentTickPosition (int64_t* ticks) override;
    AAX_Result GetCurrentLoopPosition (bool* looping, int64_t* loopStartTick, int64_t* loopEndTick) override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) override;
    AAX_Result GetCustomTickPosition (int64_t* ticks, int64_t sampleLocation) override;
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                   int64_t sampleLocation) override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocation) override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* frameRate, int32_t* offset) override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* rate, int64_t* offset) override;
    AAX_Result IsMetronomeEnabled (int32_t* enabled) override;
    AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* frameRate, int64_t* offset) override;
    AAX_Result GetTimelineSelectionEndPosition (int64_t* sampleLocation) override;
    AAX_Result RequestTransportStart() override;
    AAX_Result RequestTransportStop() override;

    double tempo = 120.0;
    int32_t numerator = 4, denominator = 4;
    bool playing = false;
    int64_t tickPosition = 0, samplePosition = 0, selectionStart = 0, selectionEnd = 0;
    int32_t timeCodeOffset = 0;
};

/** The host's window around the plug-in's view. */
class HostViewContainer : public HostObjectOf<IAAXViewContainerV3>
{
public:
    explicit HostViewContainer (Host& host);

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* modifiers) override;
    AAX_Result SetViewSize (AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* ids, uint32_t count, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* ids, uint32_t count, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* ids, uint32_t count, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseEnter (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseExit (AAX_CParamID parameterID, uint32_t modifiers) override;

    int32_t type = 0;
    void* nativeView = nullptr;
    uint32_t modifiers = 0;
    AAX_Point size { 0.0f, 0.0f };
};

/** A control-surface page table of the host. */
class HostPageTable : public HostObjectOf<IAAXPageTableV2>
{
public:
    explicit HostPageTable (Host& host);

    AAX_Result Clear() override;
    AAX_Result Empty (AAX_CBoolean& empty) override;
    AAX_Result GetNumPages (int32_t& pages) override;
    AAX_Result InsertPage (int32_t page) override;
    AAX_Result RemovePage (int32_t page) override;
    AAX_Result GetNumMappedParameterIDs (int32_t page, int32_t& count) override;
    AAX_Result ClearMappedParameter (int32_t page, int32_t slot) override;
    AAX_Result GetMappedParameterID (int32_t page, int32_t slot, AAX_IString& parameterID) override;
    AAX_Result MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot) override;
    AAX_Result GetNumParametersWithNameVariations (int32_t& count) override;
    AAX_Result GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString& parameterID) override;
    AAX_Result GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t& count) override;
    AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index, AAX_IString& name,
                                                 int32_t& length) override;
    AAX_Result GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length, AAX_IString& name) override;
    AAX_Result ClearParameterNameVariations() override;
    AAX_Result ClearNameVariationsForParameter (AAX_CParamID parameterID) override;
    AAX_Result SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) override;

    int32_t pages = 0;
    std::map<std::pair<int32_t, int32_t>, std::string> mapped;
};

/** The host's controller of one instance; it is the unknown the instance is initialised with, so it
    also answers for the automation delegate, the transport and the component factory. */
class HostController : public HostObjectOf<IAAXControllerV3, IAAXPageTableControllerV2>
{
public:
    HostController (Host& host, HostObject& factory, IACFComponentFactory* factoryInterface,
                    HostAutomationDelegate& automation, HostTransport& transport);

    AAX_Result GetEffectID (AAX_IString* effectID) override;
    AAX_Result GetSampleRate (AAX_CSampleRate* rate) override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* format) override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* format) override;
    AAX_Result GetSignalLatency (int32_t* samples) override;
    AAX_Result GetCycleCount (AAX_EProperty which, AAX_CPropertyValue* count) override;
    AAX_Result GetTODLocation (AAX_CTimeOfDay* location) override;
    AAX_Result SetSignalLatency (int32_t samples) override;
    AAX_Result SetCycleCount (AAX_EProperty* which, AAX_CPropertyValue* values, int32_t count) override;
    AAX_Result PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size) override;
    AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* value) override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* value) override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) override;
    AAX_Result GetMeterCount (uint32_t* count) override;
    AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clipped) override;
    AAX_Result ClearMeterClipped (AAX_CTypeID meterID) override;
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* port, AAX_CMidiPacket* packet) override;
    AAX_Result SendNotification (AAX_CTypeID type, const void* data, uint32_t size) override;
    AAX_Result GetHybridSignalLatency (int32_t* samples) override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestamp) override;
    AAX_Result GetHostName (AAX_IString* name) override;
    AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* platform) override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) override;
    AAX_Result CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                         AAX_CPropertyValue plugInID, uint32_t tableType, int32_t pageSize,
                                         IACFUnknown* table) override;
    AAX_Result CreateTableCopyForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                         int32_t pageSize, IACFUnknown* table) override;
    AAX_Result CreateTableCopyForEffectFromFile (const char* path, AAX_ETextEncoding encoding,
                                                 AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                 AAX_CPropertyValue plugInID, uint32_t tableType, int32_t pageSize,
                                                 IACFUnknown* table) override;
    AAX_Result CreateTableCopyForLayoutFromFile (const char* path, AAX_ETextEncoding encoding, const char* layoutName,
                                                 uint32_t tableType, int32_t pageSize, IACFUnknown* table) override;

    /** Answers the effect-parameters interfaces with the instance's own object, as the GUI asks for it. */
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;

    /** The instance's effect-parameters object, set by whoever created it; not counted by the host. */
    IACFUnknown* effectParameters = nullptr;
    std::string effectID = "com.example.effect", hostName = "aax_host";
    AAX_CSampleRate sampleRate = 48000.0f;
    AAX_EStemFormat inputFormat = AAX_eStemFormat_Stereo, outputFormat = AAX_eStemFormat_Stereo;
    int32_t latency = 0;
    AAX_CBoolean audioSuite = 0;
    /** Every packet posted, with its port. */
    std::vector<std::pair<AAX_CFieldIndex, std::vector<unsigned char>>> packets;
    /** Every notification sent, with its payload. */
    std::vector<std::pair<AAX_CTypeID, std::vector<unsigned char>>> notifications;
};

/** The host's maker of components; host services are one object, everything else is made anew. */
class HostFactory : public HostObjectOf<IACFComponentFactory>
{
public:
    HostFactory (Host& host, HostServices& services);

    ACFRESULT CreateComponent (const acfCLSID& classID, IACFUnknown* outer, const acfIID& iid, void** out) override;

private:
    HostServices& services;
};

/** The host's definition object. */
class HostDefinition : public HostObjectOf<IACFDefinition>
{
public:
    explicit HostDefinition (Host& host);
};

/** The unknown the host hands to start-up and registration. */
class HostUnknown : public HostObjectOf<IACFUnknown>
{
public:
    HostUnknown (Host& host, HostFactory& factory, HostObject& descriptionHost, void* descriptionHostInterface,
                 HostDefinition& definition);
};
} // namespace aax_host
