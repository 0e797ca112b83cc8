#pragma once

#include "AAX_ITaperDelegate.h"

#include <cstdint>

/** A linear mapping between a real range and 0..1. RealPrecision 0 applies no rounding. */
template <typename T, int32_t RealPrecision> class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate (T minValue = 0, T maxValue = 1);

    AAX_CLinearTaperDelegate<T, RealPrecision>* Clone() const override;
    T GetMaximumValue() const override;
    T GetMinimumValue() const override;
    T ConstrainRealValue (T value) const override;
    T NormalizedToReal (double normalizedValue) const override;
    double RealToNormalized (T realValue) const override;

private:
    T mMinValue;
    T mMaxValue;
};
