#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** The host's description of one effect, first version. */
class IAAXEffectDescriptorV1 : public IACFUnknown
{
public:
    virtual AAX_Result AddComponent (IACFUnknown* componentDescriptor) = 0;
    virtual AAX_Result AddName (const char* name) = 0;
    virtual AAX_Result AddCategory (uint32_t category) = 0;
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID) = 0;
    virtual AAX_Result AddProcPtr (void* procPtr, AAX_CProcPtrID procID) = 0;
    virtual AAX_Result SetProperties (IACFUnknown* properties) = 0;
    virtual AAX_Result AddResourceInfo (AAX_EResourceType type, const char* info) = 0;
    virtual AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* name, IACFUnknown* properties) = 0;
};

/** Second version: MIDI nodes for control. */
class IAAXEffectDescriptorV2 : public IAAXEffectDescriptorV1
{
public:
    virtual AAX_Result AddControlMIDINode (AAX_CTypeID nodeID, AAX_EMIDINodeType type, const char* name,
                                           uint32_t channelMask) = 0;
};
