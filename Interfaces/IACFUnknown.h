#pragma once

#include "ACFBaseTypes.h"

/** The root of every interface that crosses between the host and the plug-in: a reference-counted
    object that is asked for further interfaces by identifier. */
class IACFUnknown
{
public:
    virtual ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) = 0;
    virtual acfUInt32 AddRef() = 0;
    virtual acfUInt32 Release() = 0;

protected:
    // Objects are released, never deleted through this interface.
    ~IACFUnknown() = default;
};
