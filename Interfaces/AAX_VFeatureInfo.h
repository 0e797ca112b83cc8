#pragma once

#include "AAX_IACFFeatureInfo.h"
#include "AAX_IFeatureInfo.h"

/** The host's support of one feature behind its first version. */
class AAX_VFeatureInfo : public AAX_IFeatureInfo
{
public:
    /** Takes over the reference on the host interface, which may be null. */
    AAX_VFeatureInfo (const AAX_Feature_UID& featureID, IAAXFeatureInfoV1* v1);
    ~AAX_VFeatureInfo() override;

    AAX_Result SupportLevel (AAX_ESupportLevel& oSupportLevel) const override;
    const AAX_IPropertyMap* AcquireProperties() const override;
    const AAX_Feature_UID& ID() const override;

private:
    const AAX_Feature_UID featureID;
    IAAXFeatureInfoV1* v1; // owned, released by the destructor
};
