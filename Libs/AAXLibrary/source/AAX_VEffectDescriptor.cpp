#include "AAX_VEffectDescriptor.h"

#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

namespace
{
IACFUnknown* hostObjectOf (AAX_IPropertyMap* map)
{
    return map != nullptr ? map->GetIUnknown() : nullptr;
}
} // namespace

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* host)
    : host (host)
{
    if (host != nullptr)
        host->AddRef();

    try
    {
        v1 = createComponent<IAAXEffectDescriptorV1> (host, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1);
    }
    catch (...)
    {
        if (host != nullptr)
            host->Release();

        throw;
    }

    v2 = query<IAAXEffectDescriptorV2> (v1, IID_IAAXEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    propertyMaps.clear();
    componentDescriptors.clear();
    release (v2);
    release (v1);

    if (host != nullptr)
        host->Release();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    componentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (host));
    return componentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* component)
{
    auto* ours = dynamic_cast<AAX_VComponentDescriptor*> (component);
    return forward (v1, missingFirstVersion,
                    [&] (auto& d) { return d.AddComponent (ours != nullptr ? ours->HostInterface() : nullptr); });
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* name)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddName (name); });
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t category)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddCategory (category); });
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t category, AAX_CParamID id)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddCategoryBypassParameter (category, id); });
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* procPtr, AAX_CProcPtrID procID)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddProcPtr (procPtr, procID); });
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    propertyMaps.emplace_back (AAX_VPropertyMap::CreateForDescription (host));
    return propertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* properties)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.SetProperties (hostObjectOf (properties)); });
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (AAX_EResourceType type, const char* info)
{
    return forward (v1, missingFirstVersion, [&] (auto& d) { return d.AddResourceInfo (type, info); });
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID meterID, const char* name,
                                                       AAX_IPropertyMap* properties)
{
    return forward (v1, missingFirstVersion,
                    [&] (auto& d) { return d.AddMeterDescription (meterID, name, hostObjectOf (properties)); });
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CTypeID nodeID, AAX_EMIDINodeType type, const char name[],
                                                      uint32_t channelMask)
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& d) { return d.AddControlMIDINode (nodeID, type, name, channelMask); });
}
