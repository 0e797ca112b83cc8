#pragma once

#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"

#include <memory>
#include <vector>

/** A host effect descriptor behind one pointer per version, with the components and maps made for it. */
class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
    /** Creates the host component through the host's factory; raises the integer 0x80000005 when the host
        answers the factory query with success but no factory. */
    explicit AAX_VEffectDescriptor (IACFUnknown* host);
    ~AAX_VEffectDescriptor() override;

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent (AAX_IComponentDescriptor* inComponentDescriptor) override;
    AAX_Result AddName (const char* inPlugInName) override;
    AAX_Result AddCategory (uint32_t inCategory) override;
    AAX_Result AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID) override;
    AAX_Result AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* inProperties) override;
    AAX_Result AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo) override;
    AAX_Result AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName,
                                    AAX_IPropertyMap* inProperties) override;
    AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char inNodeName[],
                                   uint32_t inChannelMask) override;

    /** The host's first-version interface, handed to the collection's AddEffect. */
    IAAXEffectDescriptorV1* HostInterface() const noexcept { return v1; }

private:
    IACFUnknown* const host; // with a reference added, released by the destructor
    // Owned references, released by the destructor in reverse order.
    IAAXEffectDescriptorV1* v1 = nullptr;
    IAAXEffectDescriptorV2* v2 = nullptr;
    std::vector<std::unique_ptr<AAX_IComponentDescriptor>> componentDescriptors;
    std::vector<std::unique_ptr<AAX_IPropertyMap>> propertyMaps;
};
