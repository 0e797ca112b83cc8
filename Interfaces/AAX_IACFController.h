#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_IString.h"
#include "IACFUnknown.h"

/** The host's controller of one effect instance, first version. */
class IAAXControllerV1 : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* effectID) = 0;
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* sampleRate) = 0;
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* format) = 0;
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* format) = 0;
    virtual AAX_Result GetSignalLatency (int32_t* samples) = 0;
    virtual AAX_Result GetCycleCount (AAX_EProperty whichCycleCount, AAX_CPropertyValue* count) = 0;
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* location) = 0;
    virtual AAX_Result SetSignalLatency (int32_t samples) = 0;
    virtual AAX_Result SetCycleCount (AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, int32_t count) = 0;
    virtual AAX_Result PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size) = 0;
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* value) = 0;
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* value) = 0;
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) = 0;
    virtual AAX_Result GetMeterCount (uint32_t* count) = 0;
    virtual AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clipped) = 0;
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID meterID) = 0;
    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* port, AAX_CMidiPacket* packet) = 0;
};

/** Second version: notifications, hybrid latency, automation time and host name. */
class IAAXControllerV2 : public IAAXControllerV1
{
public:
    virtual AAX_Result SendNotification (AAX_CTypeID type, const void* data, uint32_t size) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* samples) = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestamp) = 0;
    virtual AAX_Result GetHostName (AAX_IString* name) = 0;
};

/** Third version: target platform and offline processing. */
class IAAXControllerV3 : public IAAXControllerV2
{
public:
    virtual AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* platform) = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) = 0;
};

/** The host's source of control-surface page tables, first version. */
class IAAXPageTableController : public IACFUnknown
{
public:
    virtual AAX_Result CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                 AAX_CPropertyValue plugInID, uint32_t tableType, int32_t pageSize,
                                                 IACFUnknown* table) = 0;
    virtual AAX_Result CreateTableCopyForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                                 int32_t pageSize, IACFUnknown* table) = 0;
};

/** Second version: tables read from a page-table file. */
class IAAXPageTableControllerV2 : public IAAXPageTableController
{
public:
    virtual AAX_Result CreateTableCopyForEffectFromFile (const char* path, AAX_ETextEncoding encoding,
                                                         AAX_CPropertyValue manufacturerID,
                                                         AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                         uint32_t tableType, int32_t pageSize, IACFUnknown* table) = 0;
    virtual AAX_Result CreateTableCopyForLayoutFromFile (const char* path, AAX_ETextEncoding encoding,
                                                         const char* layoutName, uint32_t tableType, int32_t pageSize,
                                                         IACFUnknown* table) = 0;
};
