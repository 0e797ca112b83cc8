#pragma once

#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"

#include <vector>

/** A controller that records every posted packet. */
class PostingController final : public AAX_IController
{
public:
    struct Post
    {
        AAX_CFieldIndex port;
        std::vector<uint8_t> bytes;

        bool operator== (const Post& other) const { return port == other.port && bytes == other.bytes; }
    };

    AAX_Result PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*> (data);
        posts.push_back ({ port, { bytes, bytes + size } });
        return AAX_SUCCESS;
    }

    std::vector<Post> posts;

    // Nothing else is used by the dispatcher.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
    AAX_Result GetEffectID (AAX_IString* oEffectID) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetSampleRate (AAX_CSampleRate* oSampleRate) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetInputStemFormat (AAX_EStemFormat* oStemFormat) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* oStemFormat) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetSignalLatency (int32_t* oSamples) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCycleCount (AAX_EProperty iWhichCycleCount, AAX_CPropertyValue* oNumCycles) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetTODLocation (AAX_CTimeOfDay* oTODLocation) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetSignalLatency (int32_t iNumSamples) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetCycleCount (AAX_EProperty* iWhichCycleCounts, AAX_CPropertyValue* iValues,
                              int32_t iNumValues) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SendNotification (AAX_CTypeID iNotificationType, const void* iNotificationData,
                                 uint32_t iNotificationDataSize) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SendNotification (AAX_CTypeID iNotificationType) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCurrentMeterValue (AAX_CTypeID iMeterID, float* oMeterValue) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetMeterPeakValue (AAX_CTypeID iMeterID, float* oMeterPeakValue) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result ClearMeterPeakValue (AAX_CTypeID iMeterID) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetMeterCount (uint32_t* oMeterCount) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetMeterClipped (AAX_CTypeID iMeterID, AAX_CBoolean* oClipped) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result ClearMeterClipped (AAX_CTypeID iMeterID) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* oPort, AAX_CMidiPacket* oPacket) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetHybridSignalLatency (int32_t* oSamples) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* oTimestamp) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetHostName (AAX_IString* oHostNameString) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* oTargetPlatform) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetIsAudioSuite (AAX_CBoolean* oIsAudioSuite) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID,
                                              AAX_CPropertyValue inPlugInID, uint32_t inTableType,
                                              int32_t inTablePageSize) const override
    {
        return nullptr;
    }
    AAX_IPageTable* CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName, uint32_t inTableType,
                                              int32_t inTablePageSize) const override
    {
        return nullptr;
    }
    AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* inPageTableFilePath,
                                                      AAX_ETextEncoding inFilePathEncoding,
                                                      AAX_CPropertyValue inManufacturerID,
                                                      AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                                      uint32_t inTableType, int32_t inTablePageSize) const override
    {
        return nullptr;
    }
    AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath,
                                                      AAX_ETextEncoding inFilePathEncoding, const char* inLayoutName,
                                                      uint32_t inTableType, int32_t inTablePageSize) const override
    {
        return nullptr;
    }
#pragma GCC diagnostic pop
};

/** Effect parameters that answer GetParameter from a parameter manager, as the effect base does. */
class ParameterLookupEffect final : public AAX_IEffectParameters
{
public:
    AAX_Result GetParameter (AAX_CParamID id, AAX_IParameter** parameter) override
    {
        *parameter = parameters.GetParameterByID (id);
        return *parameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
    }

    AAX_CParameterManager parameters;

    // Nothing else is used by the dispatcher.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
    AAX_Result Initialize (IACFUnknown* iController) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result Uninitialize() override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                     uint32_t inNotificationDataSize) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName,
                                         int32_t iNameLength) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterOrientation (AAX_CParamID iParameterID,
                                        AAX_EParameterOrientation* oParameterOrientation) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector, int32_t* oValue) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue,
                                            const AAX_IString& iValueString) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oValueString,
                                            int32_t iMaxLength) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString,
                                        int32_t iMaxLength) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result TouchParameter (AAX_CParamID iParameterID) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result ReleaseParameter (AAX_CParamID iParameterID) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue,
                                               AAX_EUpdateSource iSource) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GenerateCoefficients() override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result TimerWakeup() override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues,
                             float* oValues) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCustomData (AAX_CTypeID iDataBlockID, uint32_t iDataSize, void* oData,
                              uint32_t* oDataWritten) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result SetCustomData (AAX_CTypeID iDataBlockID, uint32_t iDataSize, const void* iData) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result DoMIDITransfers() override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* ioRenderInfo) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex inFieldIndex, AAX_CMidiPacket& iPacket) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& iPacket) override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId, uint32_t* oYMeterId) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin,
                                         float* oYMax) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
    AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* iHostUnknown,
                                IACFUnknown* ioPageTableUnknown) const override
    {
        return AAX_ERROR_UNIMPLEMENTED;
    }
#pragma GCC diagnostic pop
};
