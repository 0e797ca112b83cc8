#pragma once

#include "AAX_ITaperDelegate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

/** A straight line between a real range and 0..1; values outside the range give its nearer end.

    RealPrecision 0 leaves real values unrounded, the only form the library uses.
*/
template <typename T, int32_t RealPrecision = 0> class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
    static_assert (RealPrecision == 0, "only unrounded real values are offered");

public:
    explicit AAX_CLinearTaperDelegate (T minValue = 0, T maxValue = 1)
        : mMinValue (minValue),
          mMaxValue (maxValue)
    {
    }

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }
    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    // A NaN is not in any range: it becomes the minimum instead of passing through one comparison.
    T ConstrainRealValue (T value) const override
    {
        if (mMinValue == mMaxValue || std::isnan (value))
            return mMinValue;

        return std::clamp (value, std::min (mMinValue, mMaxValue), std::max (mMinValue, mMaxValue));
    }

    // Clamped while still a double: narrowing a double beyond T's range would be undefined.
    T NormalizedToReal (double normalizedValue) const override
    {
        const auto real = double (mMinValue) + (double (mMaxValue) - double (mMinValue)) * normalizedValue;

        if (std::isnan (real))
            return mMinValue;

        return T (
            std::clamp (real, double (std::min (mMinValue, mMaxValue)), double (std::max (mMinValue, mMaxValue))));
    }

    double RealToNormalized (T realValue) const override
    {
        if (mMinValue == mMaxValue)
            return 0.5;

        return (double (ConstrainRealValue (realValue)) - double (mMinValue)) /
               (double (mMaxValue) - double (mMinValue));
    }

private:
    T mMinValue, mMaxValue;
};
