#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

/** The host's collection of the module's effects. */
class IAAXCollectionV1 : public IACFUnknown
{
public:
    virtual AAX_Result AddEffect (const char* effectID, IACFUnknown* effectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* name) = 0;
    virtual AAX_Result AddPackageName (const char* name) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t version) = 0;
    virtual AAX_Result SetProperties (IACFUnknown* properties) = 0;
};
