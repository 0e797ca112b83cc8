#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IDescriptionHost.h"
#include "acfbaseapi.h"

/** The host's description side and its definition object, both queried from the host unknown. */
class AAX_VDescriptionHost : public AAX_IDescriptionHost
{
public:
    explicit AAX_VDescriptionHost (IACFUnknown* host);
    ~AAX_VDescriptionHost() override;

    const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const override;

    bool Supported() const noexcept { return v1 != nullptr; }
    IACFDefinition* HostDefinition() const noexcept { return definition; }

private:
    // Owned references, released by the destructor in reverse order.
    IAAXDescriptionHostV1* v1 = nullptr;
    IACFDefinition* definition = nullptr;
};
