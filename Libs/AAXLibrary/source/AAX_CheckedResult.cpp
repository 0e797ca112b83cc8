#include "AAX_CheckedResult.h"

#include "AAX_CHostServices.h"
#include "AAX_Exception.h"

AAX_CheckedResult::AAX_CheckedResult (AAX_Result result)
    : currentResult (result)
{
    Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator= (AAX_Result result)
{
    currentResult = result;
    Check();
    return *this;
}

void AAX_CheckedResult::Check()
{
    if (acceptedResults.count (currentResult) != 0)
        return;

    lastError = currentResult;
    currentResult = AAX_SUCCESS;

    const AAX::Exception::ResultError error (lastError);
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Normal, "AAX_CheckedResult - throwing %s", error.What().c_str());
    throw error;
}
