#include "AAX_VDescriptionHost.h"

#include "AAX_IACFFeatureInfo.h"
#include "AAX_UIDs.h"
#include "AAX_VFeatureInfo.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VDescriptionHost::AAX_VDescriptionHost (IACFUnknown* host)
    : v1 (query<IAAXDescriptionHostV1> (host, IID_IAAXDescriptionHostV1)),
      definition (query<IACFDefinition> (host, IID_IACFDefinition))
{
}

AAX_VDescriptionHost::~AAX_VDescriptionHost()
{
    release (definition);
    release (v1);
}

const AAX_IFeatureInfo* AAX_VDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& featureID) const
{
    if (v1 == nullptr)
        return nullptr;

    IACFUnknown* feature = nullptr;
    const auto result = v1->AcquireFeatureProperties (featureID, &feature);
    const AAX_IFeatureInfo* info = nullptr;

    if (result == AAX_SUCCESS && feature != nullptr)
        info = new AAX_VFeatureInfo (featureID, query<IAAXFeatureInfoV1> (feature, IID_IAAXFeatureInfoV1));

    // The feature info holds its own reference on the interface it needs.
    release (feature);
    return info;
}
