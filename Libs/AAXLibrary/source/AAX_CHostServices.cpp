#include "AAX_CHostServices.h"

#include <cstdarg>
#include <cstdio>

AAX_IHostServices* sHostServices = nullptr;

void AAX_CHostServices::Trace (AAX_ETracePriorityHost iPriority, const char* iFormat, ...)
{
    // Nothing is formatted while no host can receive it.
    if (sHostServices == nullptr)
        return;

    char message[kTraceBufferSize];
    va_list arguments;
    va_start (arguments, iFormat);
    const auto written = std::vsnprintf (message, sizeof (message), iFormat, arguments);
    va_end (arguments);

    if (written >= 0)
        sHostServices->Trace (iPriority, message);
}

void AAX_CHostServices::HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags)
{
    if (sHostServices != nullptr)
        sHostServices->HandleAssertFailure (iFile, iLine, iNote, iFlags);
}
