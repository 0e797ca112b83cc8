#pragma once

#include "AAX_IHostServices.h"

/** The library's way into the host's services; every call does nothing while no host services exist. */
class AAX_CHostServices
{
public:
    AAX_CHostServices() = delete;

    /** A printf-style trace of at most 511 characters. */
    static void Trace (AAX_ETracePriorityHost iPriority, const char* iFormat, ...)
        __attribute__ ((format (printf, 2, 3)));

    /** Hands a broken invariant to the host's assertion handler. */
    static void HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote,
                                     int32_t iFlags = AAX_eAssertFlags_Log);

    /** The trace buffer's size, the terminating NUL included. */
    static constexpr int kTraceBufferSize = 512;
};
