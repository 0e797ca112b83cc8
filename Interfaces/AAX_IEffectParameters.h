#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CACFUnknown.h"

/** The host-called effect-parameters interface combined with the reference-counting base: the
    interface's unknown operations all end in the base's private unknown. */
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override
    {
        return GetOuterUnknown()->QueryInterface (iid, ppOut);
    }
    acfUInt32 AddRef() override { return GetOuterUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterUnknown()->Release(); }
};
