#include "AAX_VCollection.h"

#include "AAX_UIDs.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VCollection::AAX_VCollection (IACFUnknown* host)
    : host (host),
      descriptionHost (std::in_place, host)
{
    if (host != nullptr)
        host->AddRef();

    try
    {
        v1 = createComponent<IAAXCollectionV1> (host, AAXCompID_AAXCollection, IID_IAAXCollectionV1);
    }
    catch (...)
    {
        descriptionHost.reset();

        if (host != nullptr)
            host->Release();

        throw;
    }
}

AAX_VCollection::~AAX_VCollection()
{
    // The reverse of the fields: what was made for the host, then the host's interfaces.
    propertyMaps.clear();
    effectDescriptors.clear();
    descriptionHost.reset();
    release (v1);

    if (host != nullptr)
        host->Release();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    effectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (host));
    return effectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* effectID, AAX_IEffectDescriptor* descriptor)
{
    auto* ours = dynamic_cast<AAX_VEffectDescriptor*> (descriptor);

    if (ours == nullptr)
        return missingFirstVersion;

    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.AddEffect (effectID, ours->HostInterface()); });
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* name)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.SetManufacturerName (name); });
}

AAX_Result AAX_VCollection::AddPackageName (const char* name)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.AddPackageName (name); });
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t version)
{
    return forward (v1, missingFirstVersion, [&] (auto& c) { return c.SetPackageVersion (version); });
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    propertyMaps.emplace_back (AAX_VPropertyMap::CreateForDescription (host));
    return propertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* properties)
{
    return forward (v1, missingFirstVersion,
                    [&] (auto& c)
                    { return c.SetProperties (properties != nullptr ? properties->GetIUnknown() : nullptr); });
}

AAX_IDescriptionHost* AAX_VCollection::DescriptionHost()
{
    return descriptionHost->Supported() ? &*descriptionHost : nullptr;
}

const AAX_IDescriptionHost* AAX_VCollection::DescriptionHost() const
{
    return descriptionHost->Supported() ? &*descriptionHost : nullptr;
}

IACFDefinition* AAX_VCollection::HostDefinition() const
{
    return descriptionHost->HostDefinition();
}
