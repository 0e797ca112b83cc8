#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** What the host tells the plug-in about itself while the plug-in describes itself. */
class IAAXDescriptionHostV1 : public IACFUnknown
{
public:
    virtual AAX_Result AcquireFeatureProperties (const AAX_Feature_UID& featureID, IACFUnknown** featureInfo) = 0;
};
