#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

/** The host's process-wide services: assertions, traces and stack traces. */
class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual AAX_Result HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote,
                                            int32_t iFlags) const = 0;
    virtual AAX_Result Trace (AAX_ETracePriorityHost iPriority, const char* iMessage) const = 0;
    virtual AAX_Result StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) const = 0;
};

/** The host services of the running module: set by start-up, deleted and cleared by shut-down.
    While it is null, traces and host assertions go nowhere. */
extern AAX_IHostServices* sHostServices;
