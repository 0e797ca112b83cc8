#include "AAX_VController.h"

#include "AAX_IACFPageTable.h"
#include "AAX_UIDs.h"
#include "AAX_VPageTable.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

namespace
{
IACFComponentFactory* queryFactory (IACFUnknown* host)
{
    // A host that throws here only loses the page tables.
    try
    {
        return query<IACFComponentFactory> (host, IID_IACFComponentFactory);
    }
    catch (int)
    {
        return nullptr;
    }
}
} // namespace

AAX_VController::AAX_VController (IACFUnknown* host)
    : v1 (query<IAAXControllerV1> (host, IID_IAAXControllerV1)),
      v2 (query<IAAXControllerV2> (host, IID_IAAXControllerV2)),
      v3 (query<IAAXControllerV3> (host, IID_IAAXControllerV3)),
      pageTableController (query<IAAXPageTableController> (host, IID_IAAXPageTableController)),
      pageTableControllerV2 (query<IAAXPageTableControllerV2> (host, IID_IAAXPageTableControllerV2)),
      factory (queryFactory (host))
{
}

AAX_VController::~AAX_VController()
{
    release (factory);
    release (pageTableControllerV2);
    release (pageTableController);
    release (v3);
    release (v2);
    release (v1);
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* effectID) const
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.GetEffectID (effectID); });
}

AAX_Result AAX_VController::GetSampleRate (AAX_CSampleRate* sampleRate) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetSampleRate (sampleRate); }, sampleRate);
}

AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* format) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetInputStemFormat (format); }, format);
}

AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* format) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetOutputStemFormat (format); }, format);
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* samples) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetSignalLatency (samples); }, samples);
}

AAX_Result AAX_VController::GetCycleCount (AAX_EProperty which, AAX_CPropertyValue* cycles) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetCycleCount (which, cycles); }, cycles);
}

AAX_Result AAX_VController::GetTODLocation (AAX_CTimeOfDay* location) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetTODLocation (location); }, location);
}

AAX_Result AAX_VController::SetSignalLatency (int32_t samples)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.SetSignalLatency (samples); });
}

AAX_Result AAX_VController::SetCycleCount (AAX_EProperty* which, AAX_CPropertyValue* values, int32_t count)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.SetCycleCount (which, values, count); });
}

AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.PostPacket (port, data, size); });
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID type, const void* data, uint32_t size)
{
    return forward (v2, missingLaterVersion, [&] (auto& c) { return c.SendNotification (type, data, size); });
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID type)
{
    return SendNotification (type, nullptr, 0);
}

AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CTypeID meter, float* value) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetCurrentMeterValue (meter, value); }, value);
}

AAX_Result AAX_VController::GetMeterPeakValue (AAX_CTypeID meter, float* value) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetMeterPeakValue (meter, value); }, value);
}

AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CTypeID meter) const
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.ClearMeterPeakValue (meter); });
}

AAX_Result AAX_VController::GetMeterCount (uint32_t* count) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetMeterCount (count); }, count);
}

AAX_Result AAX_VController::GetMeterClipped (AAX_CTypeID meter, AAX_CBoolean* clipped) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetMeterClipped (meter, clipped); }, clipped);
}

AAX_Result AAX_VController::ClearMeterClipped (AAX_CTypeID meter) const
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.ClearMeterClipped (meter); });
}

AAX_Result AAX_VController::GetNextMIDIPacket (AAX_CFieldIndex* port, AAX_CMidiPacket* packet)
{
    return forward (
        v1, missingFirstVersion, [&] (auto& c) { return c.GetNextMIDIPacket (port, packet); }, port, packet);
}

AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* samples) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& c) { return c.GetHybridSignalLatency (samples); }, samples);
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestamp) const
{
    return forward (
        v2, missingLaterVersion, [&] (auto& c) { return c.GetCurrentAutomationTimestamp (timestamp); }, timestamp);
}

AAX_Result AAX_VController::GetHostName (AAX_IString* name) const
{
    return forward (v2, missingLaterVersion, [&] (auto& c) { return c.GetHostName (name); });
}

AAX_Result AAX_VController::GetPlugInTargetPlatform (AAX_CTargetPlatform* platform) const
{
    return forward (
        v3, missingLaterVersion, [&] (auto& c) { return c.GetPlugInTargetPlatform (platform); }, platform);
}

AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* isAudioSuite) const
{
    return forward (
        v3, missingLaterVersion, [&] (auto& c) { return c.GetIsAudioSuite (isAudioSuite); }, isAudioSuite);
}

template <typename Controller, typename Copy>
AAX_IPageTable* AAX_VController::copyTable (Controller* controller, Copy&& copy) const
{
    if (controller == nullptr)
        return nullptr;

    IACFUnknown* table = nullptr;

    if (factory != nullptr &&
        factory->CreateComponent (AAXCompID_PageTable, nullptr, IID_IAAXPageTableV2, (void**) &table) != ACF_OK)
        release (table);

    // The host is asked even without a table to copy into; it answers, and the copy then fails.
    const auto result = copy (*controller, table);

    if (table == nullptr)
        return nullptr;

    AAX_IPageTable* proxy = result == AAX_SUCCESS ? new AAX_VPageTable (table) : nullptr;
    release (table);
    return proxy;
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID,
                                                           AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                           uint32_t tableType, int32_t pageSize) const
{
    return copyTable (
        pageTableController, [&] (auto& c, IACFUnknown* table)
        { return c.CreateTableCopyForEffect (manufacturerID, productID, plugInID, tableType, pageSize, table); });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayout (const char* effectID, const char* layoutName,
                                                           uint32_t tableType, int32_t pageSize) const
{
    return copyTable (pageTableController, [&] (auto& c, IACFUnknown* table)
                      { return c.CreateTableCopyForLayout (effectID, layoutName, tableType, pageSize, table); });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffectFromFile (const char* path, AAX_ETextEncoding encoding,
                                                                   AAX_CPropertyValue manufacturerID,
                                                                   AAX_CPropertyValue productID,
                                                                   AAX_CPropertyValue plugInID, uint32_t tableType,
                                                                   int32_t pageSize) const
{
    return copyTable (pageTableControllerV2,
                      [&] (auto& c, IACFUnknown* table)
                      {
                          return c.CreateTableCopyForEffectFromFile (path, encoding, manufacturerID, productID,
                                                                     plugInID, tableType, pageSize, table);
                      });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayoutFromFile (const char* path, AAX_ETextEncoding encoding,
                                                                   const char* layoutName, uint32_t tableType,
                                                                   int32_t pageSize) const
{
    return copyTable (
        pageTableControllerV2, [&] (auto& c, IACFUnknown* table)
        { return c.CreateTableCopyForLayoutFromFile (path, encoding, layoutName, tableType, pageSize, table); });
}
