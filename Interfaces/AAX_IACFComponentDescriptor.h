#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** The host's description of one processing component, first version. */
class IAAXComponentDescriptorV1 : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType type) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t size, uint32_t options) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex field, AAX_EDmaMode mode) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t count) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType type, const char* name,
                                    uint32_t channelMask) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) = 0;
    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                              AAX_CInstanceInitProc instanceInitProc,
                                              AAX_CBackgroundProc backgroundProc, AAX_CSelector* procID) = 0;
    virtual AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                          IACFUnknown* properties, const char* instanceInitProcSymbol,
                                          const char* backgroundProcSymbol, AAX_CSelector* procID) = 0;
};

/** Second version: temporary data. */
class IAAXComponentDescriptorV2 : public IAAXComponentDescriptorV1
{
public:
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t size) = 0;
};

/** Third version: process procedures registered from their properties. */
class IAAXComponentDescriptorV3 : public IAAXComponentDescriptorV2
{
public:
    virtual AAX_Result AddProcessProc (IACFUnknown* properties, AAX_CSelector* procIDs, int32_t capacity) = 0;
};
