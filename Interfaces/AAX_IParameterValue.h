#pragma once

#include "AAX.h"

class AAX_IString;

/** A parameter identifier with one value: the holder inside a parameter and the snapshot it hands out. */
class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    virtual AAX_IParameterValue* Clone() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool (bool* value) const = 0;
    virtual bool GetValueAsInt32 (int32_t* value) const = 0;
    virtual bool GetValueAsFloat (float* value) const = 0;
    virtual bool GetValueAsDouble (double* value) const = 0;
    virtual bool GetValueAsString (AAX_IString* value) const = 0;
};
