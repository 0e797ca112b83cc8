#pragma once

#include "IACFUnknown.h"

/** The host's maker of components by class identifier. */
class IACFComponentFactory : public IACFUnknown
{
public:
    virtual ACFRESULT CreateComponent (const acfCLSID& classID, IACFUnknown* outer, const acfIID& iid,
                                       void** componentOut) = 0;
};

/** The host's definition object of the module. */
class IACFDefinition : public IACFUnknown
{
};

/** What registration hands the host: the described plug-ins of the module. */
class IACFPluginDefinition : public IACFDefinition
{
};

/** A separately registered component of the module; this module registers none. */
class IACFComponentDefinition : public IACFDefinition
{
};
