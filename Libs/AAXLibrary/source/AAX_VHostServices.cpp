#include "AAX_VHostServices.h"

#include "AAX_UIDs.h"
#include "AAX_VersionForwarding.h"

using namespace AAX_VersionForwarding;

AAX_VHostServices::AAX_VHostServices (IACFComponentFactory* factory)
{
    if (factory == nullptr)
        return;

    // Refused versions stay null: the results are not read.
    factory->CreateComponent (AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1, (void**) &v1);
    factory->CreateComponent (AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV2, (void**) &v2);
    factory->CreateComponent (AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV3, (void**) &v3);
}

AAX_VHostServices::~AAX_VHostServices()
{
    release (v3);
    release (v2);
    release (v1);
}

AAX_Result AAX_VHostServices::HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote,
                                                   int32_t iFlags) const
{
    return forward (v3, missingFirstVersion,
                    [&] (auto& h) { return h.HandleAssertFailure (iFile, iLine, iNote, iFlags); });
}

AAX_Result AAX_VHostServices::Trace (AAX_ETracePriorityHost iPriority, const char* iMessage) const
{
    return forward (v1, missingFirstVersion, [&] (auto& h) { return h.Trace (iPriority, iMessage); });
}

AAX_Result AAX_VHostServices::StackTrace (int32_t iTracePriority, int32_t iStackTracePriority,
                                          const char* iMessage) const
{
    return forward (v2, missingLaterVersion,
                    [&] (auto& h) { return h.StackTrace (iTracePriority, iStackTracePriority, iMessage); });
}
