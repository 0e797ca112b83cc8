#pragma once

#include "AAX_IACFCollection.h"
#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_VDescriptionHost.h"

#include <memory>
#include <optional>
#include <vector>

/** The host's collection of the module's effects, the description host, and everything made for them. */
class AAX_VCollection : public AAX_ICollection
{
public:
    /** Creates the host collection through the host's factory; raises the integer 0x80000005 when the host
        answers the factory query with success but no factory. */
    explicit AAX_VCollection (IACFUnknown* host);
    ~AAX_VCollection() override;

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor) override;
    AAX_Result SetManufacturerName (const char* inPackageName) override;
    AAX_Result AddPackageName (const char* inPackageName) override;
    AAX_Result SetPackageVersion (uint32_t inVersion) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* inProperties) override;
    AAX_IDescriptionHost* DescriptionHost() override;
    const AAX_IDescriptionHost* DescriptionHost() const override;
    IACFDefinition* HostDefinition() const override;

    /** The host's collection, asked for the plug-in definition at the end of registration. */
    IAAXCollectionV1* HostInterface() const noexcept { return v1; }

private:
    IACFUnknown* const host;        // with a reference added, released by the destructor
    IAAXCollectionV1* v1 = nullptr; // owned
    // Always present; emptied by the destructor, which gives everything back in reverse field order.
    std::optional<AAX_VDescriptionHost> descriptionHost;
    std::vector<std::unique_ptr<AAX_IEffectDescriptor>> effectDescriptors;
    std::vector<std::unique_ptr<AAX_IPropertyMap>> propertyMaps;
};
