#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_ICollection;
class IACFPluginDefinition;
class IACFComponentDefinition;

/** The library's bodies of the module's exported entry functions; each returns a result and never
    lets an exception escape. */
ACFRESULT AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
ACFRESULT AAXRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                IACFComponentDefinition** ppComponentDefinition);
ACFRESULT AAXGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut);
ACFRESULT AAXCanUnloadNow();
ACFRESULT AAXStartup (IACFUnknown* pUnkHost);
ACFRESULT AAXShutdown (IACFUnknown* pUnkHost);
ACFRESULT AAXGetSDKVersion (acfUInt64* oSDKVersion);

/** Describes the plug-in's effects into the collection; the plug-in supplies it. */
AAX_Result GetEffectDescriptions (AAX_ICollection* inCollection);
