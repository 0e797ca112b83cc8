#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"

#include <functional>
#include <gtest/gtest.h>

TEST (AAX_CParameterNullPointers, EveryConversionIntoAPointerGivesFalseForANullOneAndLeavesTheValue)
{
    const AAX_CParameter<float> p ("0", AAX_CString ("GAIN"), 0.25f, AAX_CLinearTaperDelegate<float, 0>(),
                                   AAX_CNumberDisplayDelegate<float, 3>(), true);
    const AAX_CString half ("0.5");

    const std::pair<const char*, std::function<bool()>> conversions[] = {
        { "GetValueString", [&] { return p.GetValueString (nullptr); } },
        { "GetValueString of a length", [&] { return p.GetValueString (8, nullptr); } },
        { "GetNormalizedValueFromBool", [&] { return p.GetNormalizedValueFromBool (true, nullptr); } },
        { "GetNormalizedValueFromInt32", [&] { return p.GetNormalizedValueFromInt32 (1, nullptr); } },
        { "GetNormalizedValueFromFloat", [&] { return p.GetNormalizedValueFromFloat (0.5f, nullptr); } },
        { "GetNormalizedValueFromDouble", [&] { return p.GetNormalizedValueFromDouble (0.5, nullptr); } },
        { "GetNormalizedValueFromString", [&] { return p.GetNormalizedValueFromString (half, nullptr); } },
        { "GetBoolFromNormalizedValue", [&] { return p.GetBoolFromNormalizedValue (0.5, nullptr); } },
        { "GetInt32FromNormalizedValue", [&] { return p.GetInt32FromNormalizedValue (0.5, nullptr); } },
        { "GetFloatFromNormalizedValue", [&] { return p.GetFloatFromNormalizedValue (0.5, nullptr); } },
        { "GetDoubleFromNormalizedValue", [&] { return p.GetDoubleFromNormalizedValue (0.5, nullptr); } },
        { "GetValueAsBool", [&] { return p.GetValueAsBool (nullptr); } },
        { "GetValueAsInt32", [&] { return p.GetValueAsInt32 (nullptr); } },
        { "GetValueAsFloat", [&] { return p.GetValueAsFloat (nullptr); } },
        { "GetValueAsDouble", [&] { return p.GetValueAsDouble (nullptr); } },
        { "GetValueAsString", [&] { return p.GetValueAsString (nullptr); } },
    };

    for (const auto& [name, convert] : conversions)
        EXPECT_FALSE (convert()) << name;

    float value = 0.0f;
    EXPECT_TRUE (p.GetValueAsFloat (&value));
    EXPECT_EQ (value, 0.25f);
}
