#include "AAX_VComponentDescriptor.h"

#include "AAX_CHostServices.h"
#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

namespace
{
// The properties a property-map copy carries.
constexpr int firstCopiedProperty = 10;
constexpr int lastCopiedProperty = 401;

// The places the host's assertion handler is told of when the buffer-length property misbehaves.
constexpr int32_t copyLacksBufferLengthLine = 86;
constexpr int32_t bufferLengthNotRemovedLine = 90;

IACFUnknown* hostObjectOf (AAX_IPropertyMap* map)
{
    return map != nullptr ? map->GetIUnknown() : nullptr;
}

bool readProperty (const AAX_IPropertyMap& map, AAX_EProperty property)
{
    AAX_CPropertyValue value = 0;
    return map.GetProperty (property, &value) != 0;
}

template <typename Pointer>
Pointer readPointer (const AAX_IPropertyMap& map, AAX_EProperty property, const char* missingTrace = nullptr)
{
    const void* value = nullptr;

    if (! map.GetPointerProperty (property, &value) && missingTrace != nullptr)
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "%s", missingTrace);

    return (Pointer) value;
}
} // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* host)
    : host (host)
{
    if (host != nullptr)
        host->AddRef();

    try
    {
        v1 = createComponent<IAAXComponentDescriptorV1> (host, AAXCompID_AAXComponentDescriptor,
                                                         IID_IAAXComponentDescriptorV1);
    }
    catch (...)
    {
        if (host != nullptr)
            host->Release();

        throw;
    }

    v2 = query<IAAXComponentDescriptorV2> (v1, IID_IAAXComponentDescriptorV2);
    v3 = query<IAAXComponentDescriptorV3> (v1, IID_IAAXComponentDescriptorV3);
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    propertyMaps.clear();
    release (v3);
    release (v2);
    release (v1);

    if (host != nullptr)
        host->Release();
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.Clear(); });
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddAudioIn (field); });
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddAudioOut (field); });
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddAudioBufferLength (field); });
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddSampleRate (field); });
}

AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddClock (field); });
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex field)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddSideChainIn (field); });
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex field, uint32_t size, AAX_EDataInPortType type)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddDataInPort (field, size, type); });
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex field, int32_t format, const char name[])
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddAuxOutputStem (field, format, name); });
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex field, int32_t size, uint32_t options)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddPrivateData (field, size, options); });
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex field, uint32_t size)
{
    return forward (v2, missingLaterVersion, [&] (auto& d) { return d.AddTemporaryData (field, size); });
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex field, AAX_EDmaMode mode)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddDmaInstance (field, mode); });
}

AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* ids, uint32_t count)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddMeters (field, ids, count); });
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType type, const char name[],
                                                  uint32_t channelMask)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddMIDINode (field, type, name, channelMask); });
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex field, uint32_t fieldType)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddReservedField (field, fieldType); });
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    propertyMaps.emplace_back (AAX_VPropertyMap::CreateForDescription (host));
    return propertyMaps.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* source)
{
    auto* copy = NewPropertyMap();

    if (source == nullptr || copy == nullptr)
        return copy;

    for (int number = firstCopiedProperty; number <= lastCopiedProperty; ++number)
    {
        const auto property = (AAX_EProperty) number;
        AAX_CPropertyValue value = 0;
        const void* pointer = nullptr;

        if (source->GetProperty (property, &value))
            copy->AddProperty (property, value);
        else if (source->GetPointerProperty (property, &pointer) && pointer != nullptr)
            copy->AddPointerProperty (property, pointer);
    }

    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc processProc, AAX_IPropertyMap* properties,
                                                            AAX_CInstanceInitProc instanceInitProc,
                                                            AAX_CBackgroundProc backgroundProc, AAX_CSelector* procID)
{
    return forward (v1, missingFirstVersion,
                    [&] (auto& d) {
                        return d.AddProcessProc_Native (processProc, hostObjectOf (properties), instanceInitProc,
                                                        backgroundProc, procID);
                    });
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (const char dllFileName[], const char processProcSymbol[],
                                                        AAX_IPropertyMap* properties,
                                                        const char instanceInitProcSymbol[],
                                                        const char backgroundProcSymbol[], AAX_CSelector* procID)
{
    return forward (v1, missingFirstVersion,
                    [&] (auto& d)
                    {
                        return d.AddProcessProc_TI (dllFileName, processProcSymbol, hostObjectOf (properties),
                                                    instanceInitProcSymbol, backgroundProcSymbol, procID);
                    });
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc (AAX_IPropertyMap* properties, AAX_CSelector* procIDs,
                                                     int32_t capacity)
{
    if (v3 != nullptr)
        return v3->AddProcessProc (hostObjectOf (properties), procIDs, capacity);

    return addProcessProcsManually (properties, procIDs, capacity);
}

AAX_Result AAX_VComponentDescriptor::addProcessProcsManually (AAX_IPropertyMap* properties, AAX_CSelector* procIDs,
                                                              int32_t capacity)
{
    if (properties == nullptr || v1 == nullptr)
        return missingFirstVersion;

    std::vector<AAX_CSelector> registered;
    AAX_Result result = AAX_SUCCESS;

    if (readProperty (*properties, AAX_eProperty_PlugInID_Native) ||
        readProperty (*properties, AAX_eProperty_PlugInID_AudioSuite))
    {
        auto process = readPointer<AAX_CProcessProc> (*properties, AAX_eProperty_NativeProcessProc,
                                                      "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value "
                                                      "found for AAX_eProperty_NativeProcessProc");
        auto init = readPointer<AAX_CInstanceInitProc> (*properties, AAX_eProperty_NativeInstanceInitProc);
        auto background = readPointer<AAX_CBackgroundProc> (*properties, AAX_eProperty_NativeBackgroundProc);
        auto* chosen = properties;

        // The native registration must not see the buffer length: it goes to a copy without it.
        if (readProperty (*properties, AAX_eProperty_AudioBufferLength))
        {
            auto* copy = DuplicatePropertyMap (properties);

            if (copy != nullptr && copy->GetIUnknown() != nullptr)
            {
                if (readProperty (*copy, AAX_eProperty_AudioBufferLength))
                {
                    if (copy->RemoveProperty (AAX_eProperty_AudioBufferLength) != AAX_SUCCESS)
                        AAX_CHostServices::HandleAssertFailure (__FILE__, bufferLengthNotRemovedLine,
                                                                "AAX_SUCCESS == removeNativeAudioBufferLengthResult",
                                                                AAX_eAssertFlags_Log);

                    chosen = copy;
                }
                else
                {
                    AAX_CHostServices::HandleAssertFailure (__FILE__, copyLacksBufferLengthLine,
                                                            "0 != gotPropertySuccess", AAX_eAssertFlags_Log);
                }
            }
        }

        AAX_CSelector id = 0;
        result = AddProcessProc_Native (process, chosen, init, background, &id);

        if (result == AAX_SUCCESS)
            registered.push_back (id);
    }

    if (result == AAX_SUCCESS && readProperty (*properties, AAX_eProperty_PlugInID_TI))
    {
        auto dll = readPointer<const char*> (*properties, AAX_eProperty_TIDLLFileName,
                                             "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found "
                                             "for AAX_eProperty_TIDLLFileName");
        auto process = readPointer<const char*> (*properties, AAX_eProperty_TIProcessProc,
                                                 "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value "
                                                 "found for AAX_eProperty_TIProcessProc");
        auto init = readPointer<const char*> (*properties, AAX_eProperty_TIInstanceInitProc);
        auto background = readPointer<const char*> (*properties, AAX_eProperty_TIBackgroundProc);

        AAX_CSelector id = 0;
        result = AddProcessProc_TI (dll, process, properties, init, background, &id);

        if (result == AAX_SUCCESS)
            registered.push_back (id);
    }

    if (result == AAX_SUCCESS && procIDs != nullptr)
    {
        // The identifiers end with a 0, which needs a place of its own.
        if ((int64_t) registered.size() >= (int64_t) capacity)
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;

        for (size_t i = 0; i < registered.size(); ++i)
            procIDs[i] = registered[i];

        procIDs[registered.size()] = 0;
    }

    return result;
}
