#include "AAX_VAutomationDelegate.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

#include <cstring>

using namespace AAX_VersionForwarding;

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* host)
    : v1 (query<IAAXAutomationDelegateV1> (host, IID_IAAXAutomationDelegateV1)),
      controllerV2 (query<IAAXControllerV2> (host, IID_IAAXControllerV2))
{
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate()
{
    release (controllerV2);
    release (v1);
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID id)
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.RegisterParameter (id); });
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID id)
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.UnregisterParameter (id); });
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID id, double value) const
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.PostSetValueRequest (id, value); });
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID id, double value) const
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.PostCurrentValue (id, value); });
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID id)
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.PostTouchRequest (id); });
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID id)
{
    return forward (v1, missingFirstVersion, [&] (auto& a) { return a.PostReleaseRequest (id); });
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID id, AAX_CBoolean* touched)
{
    return forward (
        v1, missingFirstVersion, [&] (auto& a) { return a.GetTouchState (id, touched); }, touched);
}

AAX_Result AAX_VAutomationDelegate::ParameterNameChanged (AAX_CParamID id)
{
    if (controllerV2 == nullptr)
        return missingLaterVersion;

    const auto length = id != nullptr ? strnlen (id, maxNotifiedIdentifierSize) : 0;

    if (length == 0 || length == maxNotifiedIdentifierSize)
        return AAX_ERROR_INVALID_PARAMETER_ID;

    return controllerV2->SendNotification (AAX_eNotificationEvent_ParameterNameChanged, id, (uint32_t) length + 1);
}
