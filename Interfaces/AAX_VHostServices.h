#pragma once

#include "AAX_IACFHostServices.h"
#include "AAX_IHostServices.h"

/** The host's process-wide services behind one pointer per version. */
class AAX_VHostServices : public AAX_IHostServices
{
public:
    /** Creates the host-services component through the factory once per version; a refused version
        stays null. */
    explicit AAX_VHostServices (IACFComponentFactory* factory);
    ~AAX_VHostServices() override;

    AAX_Result HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags) const override;
    AAX_Result Trace (AAX_ETracePriorityHost iPriority, const char* iMessage) const override;
    AAX_Result StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) const override;

private:
    // Owned references, released by the destructor, latest version first.
    IAAXHostServicesV1* v1 = nullptr;
    IAAXHostServicesV2* v2 = nullptr;
    IAAXHostServicesV3* v3 = nullptr;
};
