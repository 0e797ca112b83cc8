#include "RuntimeObjects.h"

#include "AAX_UIDs.h"
#include "AaxHost.h"

namespace aax_host
{
namespace
{
std::vector<unsigned char> bytes (const void* data, uint32_t size)
{
    const auto* begin = static_cast<const unsigned char*> (data);
    return data != nullptr ? std::vector<unsigned char> (begin, begin + size) : std::vector<unsigned char> {};
}
} // namespace

//==============================================================================
HostServices::HostServices (Host& host)
    : HostObjectOf (host, "services")
{
    offer (IID_IACFUnknown, static_cast<IAAXHostServicesV3*> (this));
    offer (IID_IAAXHostServicesV1, static_cast<IAAXHostServicesV1*> (this));
    offer (IID_IAAXHostServicesV2, static_cast<IAAXHostServicesV2*> (this));
    offer (IID_IAAXHostServicesV3, static_cast<IAAXHostServicesV3*> (this));
}

AAX_Result HostServices::Trace (AAX_ETracePriorityHost priority, const char* message)
{
    const auto result = call ("Trace", numbers ({ priority }) + " " + text (message));
    traces.emplace_back (priority, text (message));
    return result;
}

AAX_Result HostServices::StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message)
{
    return call ("StackTrace", numbers ({ traceLevel, stackTraceLevel }) + " " + text (message));
}

AAX_Result HostServices::HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t flags)
{
    assertions.push_back (std::to_string (line) + " " + text (note));
    return call ("HandleAssertFailure",
                 text (file) + " " + numbers ({ line }) + " " + text (note) + " " + numbers ({ flags }));
}

//==============================================================================
HostAutomationDelegate::HostAutomationDelegate (Host& host)
    : HostObjectOf (host, "automation")
{
    offer (IID_IACFUnknown, static_cast<IAAXAutomationDelegateV1*> (this));
    offer (IID_IAAXAutomationDelegateV1, static_cast<IAAXAutomationDelegateV1*> (this));
}

AAX_Result HostAutomationDelegate::RegisterParameter (AAX_CParamID id)
{
    return callKeeping ("RegisterParameter", text (id),
                        [&]
                        {
                            const std::lock_guard<std::mutex> guard (setsLock);
                            registered.insert (text (id));
                        });
}

AAX_Result HostAutomationDelegate::UnregisterParameter (AAX_CParamID id)
{
    return callKeeping ("UnregisterParameter", text (id),
                        [&]
                        {
                            const std::lock_guard<std::mutex> guard (setsLock);
                            registered.erase (text (id));
                        });
}

AAX_Result HostAutomationDelegate::PostSetValueRequest (AAX_CParamID id, double value)
{
    return callKeeping ("PostSetValueRequest", text (id) + " " + std::to_string (value),
                        [&]
                        {
                            if (echo && later)
                                later (echoDelay, [e = echo, i = text (id), value] { e (i.c_str(), value); });
                            else if (echo)
                                echo (id, value);
                        });
}

AAX_Result HostAutomationDelegate::PostCurrentValue (AAX_CParamID id, double value)
{
    return call ("PostCurrentValue", text (id) + " " + std::to_string (value));
}

AAX_Result HostAutomationDelegate::PostTouchRequest (AAX_CParamID id)
{
    return callKeeping ("PostTouchRequest", text (id),
                        [&]
                        {
                            const std::lock_guard<std::mutex> guard (setsLock);
                            touched.insert (text (id));
                        });
}

AAX_Result HostAutomationDelegate::PostReleaseRequest (AAX_CParamID id)
{
    return callKeeping ("PostReleaseRequest", text (id),
                        [&]
                        {
                            const std::lock_guard<std::mutex> guard (setsLock);
                            touched.erase (text (id));
                        });
}

AAX_Result HostAutomationDelegate::GetTouchState (AAX_CParamID id, AAX_CBoolean* state)
{
    const auto isTouched = [&]
    {
        const std::lock_guard<std::mutex> guard (setsLock);
        return touched.count (text (id)) != 0;
    }();
    return give ("GetTouchState", state, isTouched, text (id));
}

//==============================================================================
HostTransport::HostTransport (Host& host)
    : HostObjectOf (host, "transport")
{
    offer (IID_IACFUnknown, static_cast<IAAXTransportV4*> (this));
    offer (IID_IAAXTransportV1, static_cast<IAAXTransportV1*> (this));
    offer (IID_IAAXTransportV2, static_cast<IAAXTransportV2*> (this));
    offer (IID_IAAXTransportV3, static_cast<IAAXTransportV3*> (this));
    offer (IID_IAAXTransportV4, static_cast<IAAXTransportV4*> (this));
    offer (IID_IAAXTransportControlV1, static_cast<IAAXTransportControlV1*> (this));
}

AAX_Result HostTransport::GetCurrentTempo (double* bpm)
{
    return give ("GetCurrentTempo", bpm, tempo);
}

AAX_Result HostTransport::GetCurrentMeter (int32_t* num, int32_t* den)
{
    const auto result = give ("GetCurrentMeter", num, numerator);

    if (result == AAX_SUCCESS && den != nullptr)
        *den = denominator;

    return result;
}

AAX_Result HostTransport::IsTransportPlaying (bool* isPlaying)
{
    return give ("IsTransportPlaying", isPlaying, playing);
}

AAX_Result HostTransport::GetCurrentTickPosition (int64_t* ticks)
{
    return give ("GetCurrentTickPosition", ticks, tickPosition);
}

AAX_Result HostTransport::GetCurrentLoopPosition (bool* looping, int64_t* start, int64_t* end)
{
    const auto result = give ("GetCurrentLoopPosition", looping, false);

    if (result == AAX_SUCCESS && start != nullptr && end != nullptr)
        *start = *end = 0;

    return result;
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocation)
{
    return give ("GetCurrentNativeSampleLocation", sampleLocation, samplePosition);
}

AAX_Result HostTransport::GetCustomTickPosition (int64_t* ticks, int64_t sampleLocation)
{
    return give ("GetCustomTickPosition", ticks, tickPosition, numbers ({ sampleLocation }));
}

AAX_Result HostTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks,
                                              int64_t sampleLocation)
{
    const auto result = give ("GetBarBeatPosition", bars, 1, numbers ({ sampleLocation }));

    if (result == AAX_SUCCESS && beats != nullptr && displayTicks != nullptr)
    {
        *beats = 1;
        *displayTicks = 0;
    }

    return result;
}

AAX_Result HostTransport::GetTicksPerQuarter (uint32_t* ticks)
{
    return give ("GetTicksPerQuarter", ticks, 960000);
}

AAX_Result HostTransport::GetCurrentTicksPerBeat (uint32_t* ticks)
{
    return give ("GetCurrentTicksPerBeat", ticks, 960000);
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocation)
{
    return give ("GetTimelineSelectionStartPosition", sampleLocation, selectionStart);
}

AAX_Result HostTransport::GetTimeCodeInfo (AAX_EFrameRate* frameRate, int32_t* offset)
{
    const auto result = give ("GetTimeCodeInfo", offset, timeCodeOffset);

    if (result == AAX_SUCCESS && frameRate != nullptr)
        *frameRate = AAX_eFrameRate_Undeclared;

    return result;
}

AAX_Result HostTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* rate, int64_t* offset)
{
    const auto result = give ("GetFeetFramesInfo", offset, 0);

    if (result == AAX_SUCCESS && rate != nullptr)
        *rate = AAX_EFeetFramesRate {};

    return result;
}

AAX_Result HostTransport::IsMetronomeEnabled (int32_t* enabled)
{
    return give ("IsMetronomeEnabled", enabled, 0);
}

AAX_Result HostTransport::GetHDTimeCodeInfo (AAX_EFrameRate* frameRate, int64_t* offset)
{
    const auto result = give ("GetHDTimeCodeInfo", offset, (int64_t) timeCodeOffset);

    if (result == AAX_SUCCESS && frameRate != nullptr)
        *frameRate = AAX_eFrameRate_Undeclared;

    return result;
}

AAX_Result HostTransport::GetTimelineSelectionEndPosition (int64_t* sampleLocation)
{
    return give ("GetTimelineSelectionEndPosition", sampleLocation, selectionEnd);
}

AAX_Result HostTransport::RequestTransportStart()
{
    return give ("RequestTransportStart", &playing, true);
}

AAX_Result HostTransport::RequestTransportStop()
{
    return give ("RequestTransportStop", &playing, false);
}

//==============================================================================
HostViewContainer::HostViewContainer (Host& host)
    : HostObjectOf (host, "viewContainer")
{
    offer (IID_IACFUnknown, static_cast<IAAXViewContainerV3*> (this));
    offer (IID_IAAXViewContainerV1, static_cast<IAAXViewContainerV1*> (this));
    offer (IID_IAAXViewContainerV2, static_cast<IAAXViewContainerV2*> (this));
    offer (IID_IAAXViewContainerV3, static_cast<IAAXViewContainerV3*> (this));
}

int32_t HostViewContainer::GetType()
{
    call ("GetType");
    return type;
}

void* HostViewContainer::GetPtr()
{
    call ("GetPtr");
    return nativeView;
}

AAX_Result HostViewContainer::GetModifiers (uint32_t* out)
{
    return give ("GetModifiers", out, modifiers);
}

AAX_Result HostViewContainer::SetViewSize (AAX_Point& newSize)
{
    return give ("SetViewSize", &size, newSize, numbers ({ (long long) newSize.vert, (long long) newSize.horz }));
}

AAX_Result HostViewContainer::HandleParameterMouseDown (AAX_CParamID id, uint32_t m)
{
    return call ("HandleParameterMouseDown", text (id) + " " + numbers ({ m }));
}

AAX_Result HostViewContainer::HandleParameterMouseDrag (AAX_CParamID id, uint32_t m)
{
    return call ("HandleParameterMouseDrag", text (id) + " " + numbers ({ m }));
}

AAX_Result HostViewContainer::HandleParameterMouseUp (AAX_CParamID id, uint32_t m)
{
    return call ("HandleParameterMouseUp", text (id) + " " + numbers ({ m }));
}

AAX_Result HostViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID*, uint32_t count, uint32_t m)
{
    return call ("HandleMultipleParametersMouseDown", numbers ({ count, m }));
}

AAX_Result HostViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID*, uint32_t count, uint32_t m)
{
    return call ("HandleMultipleParametersMouseDrag", numbers ({ count, m }));
}

AAX_Result HostViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID*, uint32_t count, uint32_t m)
{
    return call ("HandleMultipleParametersMouseUp", numbers ({ count, m }));
}

AAX_Result HostViewContainer::HandleParameterMouseEnter (AAX_CParamID id, uint32_t m)
{
    return call ("HandleParameterMouseEnter", text (id) + " " + numbers ({ m }));
}

AAX_Result HostViewContainer::HandleParameterMouseExit (AAX_CParamID id, uint32_t m)
{
    return call ("HandleParameterMouseExit", text (id) + " " + numbers ({ m }));
}

//==============================================================================
HostPageTable::HostPageTable (Host& host)
    : HostObjectOf (host, "pageTable")
{
    offer (IID_IACFUnknown, static_cast<IAAXPageTableV2*> (this));
    offer (IID_IAAXPageTableV1, static_cast<IAAXPageTableV1*> (this));
    offer (IID_IAAXPageTableV2, static_cast<IAAXPageTableV2*> (this));
}

AAX_Result HostPageTable::Clear()
{
    mapped.clear();
    return give ("Clear", &pages, 0);
}

AAX_Result HostPageTable::Empty (AAX_CBoolean& empty)
{
    return give ("Empty", &empty, pages == 0);
}

AAX_Result HostPageTable::GetNumPages (int32_t& out)
{
    return give ("GetNumPages", &out, pages);
}

AAX_Result HostPageTable::InsertPage (int32_t page)
{
    return give ("InsertPage", &pages, pages + 1, numbers ({ page }));
}

AAX_Result HostPageTable::RemovePage (int32_t page)
{
    return give ("RemovePage", &pages, pages > 0 ? pages - 1 : 0, numbers ({ page }));
}

AAX_Result HostPageTable::GetNumMappedParameterIDs (int32_t page, int32_t& count)
{
    int32_t n = 0;

    for (const auto& entry : mapped)
        n += entry.first.first == page ? 1 : 0;

    return give ("GetNumMappedParameterIDs", &count, n, numbers ({ page }));
}

AAX_Result HostPageTable::ClearMappedParameter (int32_t page, int32_t slot)
{
    mapped.erase ({ page, slot });
    return call ("ClearMappedParameter", numbers ({ page, slot }));
}

AAX_Result HostPageTable::GetMappedParameterID (int32_t page, int32_t slot, AAX_IString& id)
{
    const auto result = call ("GetMappedParameterID", numbers ({ page, slot }));
    const auto found = mapped.find ({ page, slot });

    if (result == AAX_SUCCESS && found != mapped.end())
        id.Set (found->second.c_str());

    return result;
}

AAX_Result HostPageTable::MapParameterID (AAX_CParamID id, int32_t page, int32_t slot)
{
    mapped[{ page, slot }] = text (id);
    return call ("MapParameterID", text (id) + " " + numbers ({ page, slot }));
}

AAX_Result HostPageTable::GetNumParametersWithNameVariations (int32_t& count)
{
    return give ("GetNumParametersWithNameVariations", &count, 0);
}

AAX_Result HostPageTable::GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString&)
{
    return call ("GetNameVariationParameterIDAtIndex", numbers ({ index }));
}

AAX_Result HostPageTable::GetNumNameVariationsForParameter (AAX_CParamID id, int32_t& count)
{
    return give ("GetNumNameVariationsForParameter", &count, 0, text (id));
}

AAX_Result HostPageTable::GetParameterNameVariationAtIndex (AAX_CParamID id, int32_t index, AAX_IString&,
                                                            int32_t& length)
{
    return give ("GetParameterNameVariationAtIndex", &length, 0, text (id) + " " + numbers ({ index }));
}

AAX_Result HostPageTable::GetParameterNameVariationOfLength (AAX_CParamID id, int32_t length, AAX_IString&)
{
    return call ("GetParameterNameVariationOfLength", text (id) + " " + numbers ({ length }));
}

AAX_Result HostPageTable::ClearParameterNameVariations()
{
    return call ("ClearParameterNameVariations");
}

AAX_Result HostPageTable::ClearNameVariationsForParameter (AAX_CParamID id)
{
    return call ("ClearNameVariationsForParameter", text (id));
}

AAX_Result HostPageTable::SetParameterNameVariation (AAX_CParamID id, const AAX_IString& name, int32_t length)
{
    return call ("SetParameterNameVariation", text (id) + " " + text (name.Get()) + " " + numbers ({ length }));
}

//==============================================================================
HostController::HostController (Host& host, HostObject& factory, IACFComponentFactory* factoryInterface,
                                HostAutomationDelegate& automation, HostTransport& transport)
    : HostObjectOf (host, "controller")
{
    offer (IID_IACFUnknown, static_cast<IAAXControllerV3*> (this));
    offer (IID_IAAXControllerV1, static_cast<IAAXControllerV1*> (this));
    offer (IID_IAAXControllerV2, static_cast<IAAXControllerV2*> (this));
    offer (IID_IAAXControllerV3, static_cast<IAAXControllerV3*> (this));
    offer (IID_IAAXPageTableController, static_cast<IAAXPageTableController*> (this));
    offer (IID_IAAXPageTableControllerV2, static_cast<IAAXPageTableControllerV2*> (this));
    offer (IID_IACFComponentFactory, factoryInterface, &factory);
    offer (IID_IAAXAutomationDelegateV1, static_cast<IAAXAutomationDelegateV1*> (&automation), &automation);
    offer (IID_IAAXTransportV1, static_cast<IAAXTransportV1*> (&transport), &transport);
    offer (IID_IAAXTransportV2, static_cast<IAAXTransportV2*> (&transport), &transport);
    offer (IID_IAAXTransportV3, static_cast<IAAXTransportV3*> (&transport), &transport);
    offer (IID_IAAXTransportV4, static_cast<IAAXTransportV4*> (&transport), &transport);
    offer (IID_IAAXTransportControlV1, static_cast<IAAXTransportControlV1*> (&transport), &transport);
}

ACFRESULT HostController::QueryInterface (const acfIID& iid, void** out)
{
    const bool effectInterface = iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 ||
                                 iid == IID_IAAXEffectParametersV3 || iid == IID_IAAXEffectParametersV4;

    if (effectInterface && effectParameters != nullptr && host.settings.withheld.count (nameOf (iid)) == 0)
    {
        host.log.add ("controller.QueryInterface " + nameOf (iid));
        return effectParameters->QueryInterface (iid, out);
    }

    return answer (iid, out);
}

AAX_Result HostController::GetEffectID (AAX_IString* id)
{
    return callKeeping ("GetEffectID", {},
                        [&]
                        {
                            if (id != nullptr)
                                id->Set (effectID.c_str());
                        });
}

AAX_Result HostController::GetSampleRate (AAX_CSampleRate* rate)
{
    return give ("GetSampleRate", rate, sampleRate);
}

AAX_Result HostController::GetInputStemFormat (AAX_EStemFormat* format)
{
    return give ("GetInputStemFormat", format, inputFormat);
}

AAX_Result HostController::GetOutputStemFormat (AAX_EStemFormat* format)
{
    return give ("GetOutputStemFormat", format, outputFormat);
}

AAX_Result HostController::GetSignalLatency (int32_t* samples)
{
    return give ("GetSignalLatency", samples, latency);
}

AAX_Result HostController::GetCycleCount (AAX_EProperty which, AAX_CPropertyValue* count)
{
    return give ("GetCycleCount", count, 0, numbers ({ which }));
}

AAX_Result HostController::GetTODLocation (AAX_CTimeOfDay* location)
{
    return give ("GetTODLocation", location, 0);
}

AAX_Result HostController::SetSignalLatency (int32_t samples)
{
    return give ("SetSignalLatency", &latency, samples, numbers ({ samples }));
}

AAX_Result HostController::SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t count)
{
    return call ("SetCycleCount", numbers ({ count }));
}

AAX_Result HostController::PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size)
{
    return callKeeping ("PostPacket", numbers ({ port, size }),
                        [&] { packets.emplace_back (port, bytes (data, size)); });
}

AAX_Result HostController::GetCurrentMeterValue (AAX_CTypeID meterID, float* value)
{
    return give ("GetCurrentMeterValue", value, 0.0f, numbers ({ meterID }));
}

AAX_Result HostController::GetMeterPeakValue (AAX_CTypeID meterID, float* value)
{
    return give ("GetMeterPeakValue", value, 0.0f, numbers ({ meterID }));
}

AAX_Result HostController::ClearMeterPeakValue (AAX_CTypeID meterID)
{
    return call ("ClearMeterPeakValue", numbers ({ meterID }));
}

AAX_Result HostController::GetMeterCount (uint32_t* count)
{
    return give ("GetMeterCount", count, 0);
}

AAX_Result HostController::GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clipped)
{
    return give ("GetMeterClipped", clipped, 0, numbers ({ meterID }));
}

AAX_Result HostController::ClearMeterClipped (AAX_CTypeID meterID)
{
    return call ("ClearMeterClipped", numbers ({ meterID }));
}

AAX_Result HostController::GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*)
{
    // No MIDI nodes: the queue is always empty.
    const auto result = call ("GetNextMIDIPacket");
    return result != AAX_SUCCESS ? result : AAX_ERROR_NULL_OBJECT;
}

AAX_Result HostController::SendNotification (AAX_CTypeID type, const void* data, uint32_t size)
{
    return callKeeping ("SendNotification", numbers ({ type, size }),
                        [&] { notifications.emplace_back (type, bytes (data, size)); });
}

AAX_Result HostController::GetHybridSignalLatency (int32_t* samples)
{
    return give ("GetHybridSignalLatency", samples, 0);
}

AAX_Result HostController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestamp)
{
    return give ("GetCurrentAutomationTimestamp", timestamp, 0);
}

AAX_Result HostController::GetHostName (AAX_IString* name)
{
    return callKeeping ("GetHostName", {},
                        [&]
                        {
                            if (name != nullptr)
                                name->Set (hostName.c_str());
                        });
}

AAX_Result HostController::GetPlugInTargetPlatform (AAX_CTargetPlatform* platform)
{
    return give ("GetPlugInTargetPlatform", platform, 1);
}

AAX_Result HostController::GetIsAudioSuite (AAX_CBoolean* isAudioSuite)
{
    return give ("GetIsAudioSuite", isAudioSuite, audioSuite);
}

AAX_Result HostController::CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                     AAX_CPropertyValue plugInID, uint32_t tableType, int32_t pageSize,
                                                     IACFUnknown*)
{
    return call ("CreateTableCopyForEffect", numbers ({ manufacturerID, productID, plugInID, tableType, pageSize }));
}

AAX_Result HostController::CreateTableCopyForLayout (const char* id, const char* layoutName, uint32_t tableType,
                                                     int32_t pageSize, IACFUnknown*)
{
    return call ("CreateTableCopyForLayout",
                 text (id) + " " + text (layoutName) + " " + numbers ({ tableType, pageSize }));
}

AAX_Result HostController::CreateTableCopyForEffectFromFile (const char* path, AAX_ETextEncoding encoding,
                                                             AAX_CPropertyValue manufacturerID,
                                                             AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                             uint32_t tableType, int32_t pageSize, IACFUnknown*)
{
    return call ("CreateTableCopyForEffectFromFile",
                 text (path) + " " + numbers ({ encoding, manufacturerID, productID, plugInID, tableType, pageSize }));
}

AAX_Result HostController::CreateTableCopyForLayoutFromFile (const char* path, AAX_ETextEncoding encoding,
                                                             const char* layoutName, uint32_t tableType,
                                                             int32_t pageSize, IACFUnknown*)
{
    return call ("CreateTableCopyForLayoutFromFile",
                 text (path) + " " + text (layoutName) + " " + numbers ({ encoding, tableType, pageSize }));
}

//==============================================================================
HostFactory::HostFactory (Host& host, HostServices& services)
    : HostObjectOf (host, "factory"),
      services (services)
{
    offer (IID_IACFUnknown, static_cast<IACFComponentFactory*> (this));
    offer (IID_IACFComponentFactory, static_cast<IACFComponentFactory*> (this));
}

ACFRESULT HostFactory::CreateComponent (const acfCLSID& classID, IACFUnknown*, const acfIID& iid, void** out)
{
    const auto result = call ("CreateComponent", nameOf (classID) + " " + nameOf (iid));

    if (out == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *out = nullptr;

    if (result != AAX_SUCCESS)
        return result;

    HostObject* made = nullptr;

    if (classID == AAXCompID_HostServices)
        made = &services;
    else if (classID == AAXCompID_AAXCollection)
        made = &host.make<HostCollection>();
    else if (classID == AAXCompID_AAXEffectDescriptor)
        made = &host.make<HostEffectDescriptor>();
    else if (classID == AAXCompID_AAXComponentDescriptor)
        made = &host.make<HostComponentDescriptor>();
    else if (classID == AAXCompID_AAXPropertyMap)
        made = &host.make<HostPropertyMap>();
    else if (classID == AAXCompID_PageTable)
        made = &host.make<HostPageTable>();

    return made != nullptr ? made->answer (iid, out) : ACF_E_NOINTERFACE;
}

//==============================================================================
HostDefinition::HostDefinition (Host& host)
    : HostObjectOf (host, "definition")
{
    offer (IID_IACFUnknown, static_cast<IACFDefinition*> (this));
    offer (IID_IACFDefinition, static_cast<IACFDefinition*> (this));
}

HostUnknown::HostUnknown (Host& host, HostFactory& factory, HostObject& descriptionHost, void* descriptionHostInterface,
                          HostDefinition& definition)
    : HostObjectOf (host, "host")
{
    offer (IID_IACFUnknown, static_cast<IACFUnknown*> (this));
    offer (IID_IACFComponentFactory, static_cast<IACFComponentFactory*> (&factory), &factory);
    offer (IID_IAAXDescriptionHostV1, descriptionHostInterface, &descriptionHost);
    offer (IID_IACFDefinition, static_cast<IACFDefinition*> (&definition), &definition);
}
} // namespace aax_host
