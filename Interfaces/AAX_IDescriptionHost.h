#pragma once

#include "AAX.h"

class AAX_IFeatureInfo;

/** The host's side of the description: what it can tell about its features. */
class AAX_IDescriptionHost
{
public:
    virtual ~AAX_IDescriptionHost() = default;

    /** The host's information on one feature, owned by the caller, or null. */
    virtual const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const = 0;
};
