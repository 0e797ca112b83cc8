#pragma once

#include "AAX_CString.h"
#include "AAX_IDisplayDelegate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

/** A number written with Precision decimals; SpaceAfter 0 appends nothing after it, the only form used. */
template <typename T, uint32_t Precision = 2, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
    static_assert (SpaceAfter == 0, "only a bare number is offered");

public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        valueString->Clear();
        valueString->AppendNumber (double (value), int32_t (Precision));
        return true;
    }

    // Cut, not rounded; a trailing decimal point left by the cut goes too.
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        ValueToString (value, valueString);

        const auto limit = uint32_t (std::max (maxNumChars, int32_t (0)));

        if (valueString->Length() > limit)
            valueString->Erase (limit, valueString->Length() - limit);

        if (maxNumChars >= 1 && valueString->Length() == limit && valueString->Get()[limit - 1] == '.')
            valueString->Erase (limit - 1, 1);

        return true;
    }

    // A number T cannot hold (infinite, NaN, beyond its range) is refused: narrowing it would be undefined.
    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        std::istringstream stream (valueString.Get());
        stream.imbue (std::locale::classic());

        double parsed = 0.0;

        if ((stream >> parsed) && std::isfinite (parsed) && std::abs (parsed) <= double (std::numeric_limits<T>::max()))
        {
            *value = T (parsed);
            return true;
        }

        *value = T (0);
        return false;
    }
};
