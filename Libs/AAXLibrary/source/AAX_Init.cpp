#include "AAX_Init.h"

#include "AAX_CHostServices.h"
#include "AAX_CheckedResult.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_VHostServices.h"
#include "AAX_Version.h"
#include "AAX_VersionForwarding.h"
#include "CACFUnknown.h"

#include <exception>

using namespace AAX_VersionForwarding;

namespace
{
constexpr acfUInt64 sdkVersion = ((acfUInt64) AAX_SDK_VERSION << 32) | (acfUInt64) AAX_SDK_CURRENT_REVISION;

// The registration's trace of an exception that ended it; a trace that throws itself is reported as unexpected.
ACFRESULT traceRegistrationFailure (const char* what, ACFRESULT result)
{
    try
    {
        if (what != nullptr)
            AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAXRegisterPlugin exception caught: %s", what);
        else
            AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAXRegisterPlugin exception caught: unknown");

        return result;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

void describeInto (IACFUnknown* host, IACFPluginDefinition** definition)
{
    AAX_VCollection collection (host);
    AAX_CheckedResult result = GetEffectDescriptions (&collection);

    *definition = nullptr;
    auto* hostCollection = collection.HostInterface();
    const auto answered = hostCollection != nullptr &&
                          hostCollection->QueryInterface (IID_IACFPluginDefinition, (void**) definition) == ACF_OK;
    result = answered ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
}
} // namespace

ACFRESULT AAXRegisterPlugin (IACFUnknown* host, IACFPluginDefinition** definition)
{
    if (definition == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    try
    {
        describeInto (host, definition);
        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& error)
    {
        return traceRegistrationFailure (error.What().c_str(), error.Result());
    }
    catch (const AAX::Exception::Any& error)
    {
        return traceRegistrationFailure (error.What().c_str(), AAX_ERROR_UNKNOWN_EXCEPTION);
    }
    catch (const std::exception& error)
    {
        return traceRegistrationFailure (error.what(), AAX_ERROR_UNKNOWN_EXCEPTION);
    }
    catch (...)
    {
        return traceRegistrationFailure (nullptr, AAX_ERROR_UNKNOWN_EXCEPTION);
    }
}

ACFRESULT AAXRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition** definition)
{
    if (definition == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *definition = nullptr;
    return AAX_SUCCESS;
}

ACFRESULT AAXGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** factory)
{
    if (factory == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    // Instances come only from the registered procedures.
    *factory = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

ACFRESULT AAXCanUnloadNow()
{
    return CACFUnknown::m_ActiveObjects.load();
}

ACFRESULT AAXStartup (IACFUnknown* host)
{
    if (host == nullptr)
        return AAXShutdown (host);

    if (sHostServices != nullptr)
        return AAX_SUCCESS;

    try
    {
        auto* factory = queryFactoryStrictly (host);
        sHostServices = new AAX_VHostServices (factory);

        if (factory != nullptr)
            factory->Release();

        return AAX_SUCCESS;
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

ACFRESULT AAXShutdown (IACFUnknown*)
{
    delete sHostServices;
    sHostServices = nullptr;
    return AAX_SUCCESS;
}

ACFRESULT AAXGetSDKVersion (acfUInt64* version)
{
    if (version == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *version = sdkVersion;
    return AAX_SUCCESS;
}
