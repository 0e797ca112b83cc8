#pragma once

#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IPropertyMap.h"

#include <memory>
#include <vector>

/** A host component descriptor behind one pointer per version, with the property maps made for it. */
class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
    /** Creates the host component through the host's factory; raises the integer 0x80000005 when the host
        answers the factory query with success but no factory. */
    explicit AAX_VComponentDescriptor (IACFUnknown* host);
    ~AAX_VComponentDescriptor() override;

    AAX_Result Clear() override;
    AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                              AAX_EDataInPortType inPortType) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char inNameUTF8[]) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_EDmaMode inDmaMode) override;
    AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char inNodeName[],
                            uint32_t channelMask) override;
    AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) override;
    AAX_Result AddProcessProc_Native (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                      AAX_CInstanceInitProc inInstanceInitProc, AAX_CBackgroundProc inBackgroundProc,
                                      AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc_TI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[],
                                  AAX_IPropertyMap* inProperties, const char inInstanceInitProcSymbol[],
                                  const char inBackgroundProcSymbol[], AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc (AAX_IPropertyMap* inProperties, AAX_CSelector* outProcIDs,
                               int32_t inProcIDsSize) override;
    using AAX_IComponentDescriptor::AddProcessProc_Native;

    /** The host's first-version interface, handed to the effect descriptor's AddComponent. */
    IAAXComponentDescriptorV1* HostInterface() const noexcept { return v1; }

private:
    AAX_Result addProcessProcsManually (AAX_IPropertyMap* properties, AAX_CSelector* procIDs, int32_t capacity);

    IACFUnknown* const host; // with a reference added, released by the destructor
    // Owned references, released by the destructor in reverse order.
    IAAXComponentDescriptorV1* v1 = nullptr;
    IAAXComponentDescriptorV2* v2 = nullptr;
    IAAXComponentDescriptorV3* v3 = nullptr;
    std::vector<std::unique_ptr<AAX_IPropertyMap>> propertyMaps;
};
