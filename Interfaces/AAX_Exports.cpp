// The module's exported entry functions, compiled into the plug-in's own translation unit so that the
// module exports them; each hands over to the library.

#include "AAX_Init.h"

#define AAX_EXPORT extern "C" __attribute__ ((visibility ("default")))

AAX_EXPORT ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    return AAXRegisterPlugin (pUnkHost, ppPluginDefinition);
}

AAX_EXPORT ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                           IACFComponentDefinition** ppComponentDefinition)
{
    return AAXRegisterComponent (pUnkHost, index, ppComponentDefinition);
}

AAX_EXPORT ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut)
{
    return AAXGetClassFactory (pUnkHost, clsid, iid, ppOut);
}

AAX_EXPORT ACFRESULT ACFCanUnloadNow()
{
    return AAXCanUnloadNow();
}

AAX_EXPORT ACFRESULT ACFStartup (IACFUnknown* pUnkHost)
{
    return AAXStartup (pUnkHost);
}

AAX_EXPORT ACFRESULT ACFShutdown (IACFUnknown* pUnkHost)
{
    return AAXShutdown (pUnkHost);
}

AAX_EXPORT ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion)
{
    return AAXGetSDKVersion (oSDKVersion);
}

#undef AAX_EXPORT
