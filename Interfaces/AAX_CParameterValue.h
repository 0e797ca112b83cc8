#pragma once

#include "AAX_IParameterValue.h"

/** The longest parameter identifier: 31 bytes and the terminating NUL. */
enum
{
    eParameterDefaultMaxIdentifierSize = 32
};

/** An identifier and a value of type T: the value inside every parameter and its snapshots. */
template <typename T> class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    AAX_CParameterValue (AAX_CParamID identifier, const T& value);

    AAX_CParameterValue<T>* Clone() const override;
    AAX_CParamID Identifier() const override;
    bool GetValueAsBool (bool* value) const override;
    bool GetValueAsInt32 (int32_t* value) const override;
    bool GetValueAsFloat (float* value) const override;
    bool GetValueAsDouble (double* value) const override;
    bool GetValueAsString (AAX_IString* value) const override;

    const T& Get() const { return mValue; }
    void Set (const T& value) { mValue = value; }

private:
    /** Copies at most 31 bytes of the identifier, after a host assertion when it is longer. */
    void InitIdentifier (const char* identifier);

    char mIdentifier[eParameterDefaultMaxIdentifierSize];
    T mValue;
};
