#pragma once

#include "AAX.h"

class AAX_IString;

/** An identifier with a value; each getter gives the value when it is of that kind. */
class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    /** A copy owned by the caller. */
    virtual AAX_IParameterValue* Clone() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool (bool* value) const = 0;
    virtual bool GetValueAsInt32 (int32_t* value) const = 0;
    virtual bool GetValueAsFloat (float* value) const = 0;
    virtual bool GetValueAsDouble (double* value) const = 0;
    virtual bool GetValueAsString (AAX_IString* value) const = 0;
};
