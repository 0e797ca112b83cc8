#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "acfbaseapi.h"

/** The host's process-wide services, first version: traces. */
class IAAXHostServicesV1 : public IACFUnknown
{
public:
    virtual AAX_Result Trace (AAX_ETracePriorityHost priority, const char* message) = 0;
};

/** Second version: stack traces. */
class IAAXHostServicesV2 : public IAAXHostServicesV1
{
public:
    virtual AAX_Result StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) = 0;
};

/** Third version: the host's handler of failed checks. */
class IAAXHostServicesV3 : public IAAXHostServicesV2
{
public:
    virtual AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t flags) = 0;
};
