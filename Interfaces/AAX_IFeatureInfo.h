#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class AAX_IPropertyMap;

/** What the host tells about its support of one feature. */
class AAX_IFeatureInfo
{
public:
    virtual ~AAX_IFeatureInfo() = default;

    virtual AAX_Result SupportLevel (AAX_ESupportLevel& oSupportLevel) const = 0;
    /** The feature's properties, owned by the caller, or null. */
    virtual const AAX_IPropertyMap* AcquireProperties() const = 0;
    virtual const AAX_Feature_UID& ID() const = 0;
};
