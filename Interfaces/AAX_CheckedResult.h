#pragma once

#include "AAX_Errors.h"

#include <set>

/** Turns a result that is not accepted into an AAX::Exception::ResultError, after a trace.
    Only AAX_SUCCESS is accepted. Lives on the stack of one operation. */
class AAX_CheckedResult
{
public:
    AAX_CheckedResult() = default;
    AAX_CheckedResult (AAX_Result result);

    /** Stores the result and checks it. */
    AAX_CheckedResult& operator= (AAX_Result result);

    void Check();

    AAX_Result CurrentResult() const noexcept { return currentResult; }
    AAX_Result LastError() const noexcept { return lastError; }

private:
    AAX_Result currentResult = AAX_SUCCESS;
    AAX_Result lastError = AAX_SUCCESS;
    std::set<AAX_Result> acceptedResults { AAX_SUCCESS };
};
