#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

/** The host's support of one feature. */
class IAAXFeatureInfoV1 : public IACFUnknown
{
public:
    virtual AAX_Result SupportLevel (AAX_ESupportLevel& level) = 0;
    virtual AAX_Result AcquireProperties (IACFUnknown** properties) = 0;
};
