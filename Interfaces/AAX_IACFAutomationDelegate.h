#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

/** The host's automation of an instance's parameters. */
class IAAXAutomationDelegateV1 : public IACFUnknown
{
public:
    virtual AAX_Result RegisterParameter (AAX_CParamID parameterID) = 0;
    virtual AAX_Result UnregisterParameter (AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) = 0;
    virtual AAX_Result PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) = 0;
    virtual AAX_Result PostTouchRequest (AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostReleaseRequest (AAX_CParamID parameterID) = 0;
    virtual AAX_Result GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* touched) = 0;
};
