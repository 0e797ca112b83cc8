#include "AAX_VFeatureInfo.h"

#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VFeatureInfo::AAX_VFeatureInfo (const AAX_Feature_UID& featureID, IAAXFeatureInfoV1* v1)
    : featureID (featureID),
      v1 (v1)
{
}

AAX_VFeatureInfo::~AAX_VFeatureInfo()
{
    release (v1);
}

AAX_Result AAX_VFeatureInfo::SupportLevel (AAX_ESupportLevel& level) const
{
    return forward (
        v1, missingFirstVersion, [&] (auto& f) { return f.SupportLevel (level); }, level);
}

const AAX_IPropertyMap* AAX_VFeatureInfo::AcquireProperties() const
{
    if (v1 == nullptr)
        return nullptr;

    IACFUnknown* properties = nullptr;
    const auto result = v1->AcquireProperties (&properties);
    const AAX_IPropertyMap* map = nullptr;

    if (result == AAX_SUCCESS && properties != nullptr)
        map = new AAX_VPropertyMap (properties);

    // The map holds its own references on the interfaces it needs.
    release (properties);
    return map;
}

const AAX_Feature_UID& AAX_VFeatureInfo::ID() const
{
    return featureID;
}
