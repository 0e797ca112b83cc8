#pragma once

#include "AAX_IHostServices.h"

#include <string>
#include <vector>

/** Host services that record what reaches the host, installed for one test's scope. */
class FakeHostServices : public AAX_IHostServices
{
public:
    struct Trace
    {
        AAX_ETracePriorityHost priority;
        std::string message;
    };

    FakeHostServices() { sHostServices = this; }
    ~FakeHostServices() override { sHostServices = nullptr; }

    AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t flags) const override
    {
        assertions.push_back (note);
        lastAssertFile = file;
        lastAssertLine = line;
        lastAssertFlags = flags;
        return 0;
    }

    AAX_Result Trace (AAX_ETracePriorityHost priority, const char* message) const override
    {
        traces.push_back ({ priority, message });
        return 0;
    }

    AAX_Result StackTrace (int32_t, int32_t, const char*) const override { return 0; }

    mutable std::vector<std::string> assertions;
    mutable std::string lastAssertFile;
    mutable int32_t lastAssertLine = 0;
    mutable int32_t lastAssertFlags = 0;
    mutable std::vector<struct Trace> traces;
};
