#pragma once

#include "AAX_IDisplayDelegate.h"

#include <cstdint>

/** A number written with Precision decimals; SpaceAfter 0 appends nothing after it. */
template <typename T, uint32_t Precision, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate<T, Precision, SpaceAfter>* Clone() const override;
    bool ValueToString (T value, AAX_CString* valueString) const override;
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override;
    bool StringToValue (const AAX_CString& valueString, T* value) const override;
};
