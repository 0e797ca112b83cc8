#include "CaseNames.h"
#include "MidiBridge.h"
#include "ParamTools.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using namespace ParamData;

struct ValueToCode
{
    int paramIndex;
    float value;
    int code;
};

struct CodeToValue
{
    int paramIndex;
    int code;
    float value;
};

void PrintTo (const ValueToCode& row, std::ostream* os)
{
    *os << paramName[row.paramIndex] << " " << row.value << " gives " << row.code;
}

void PrintTo (const CodeToValue& row, std::ostream* os)
{
    *os << paramName[row.paramIndex] << " code " << row.code << " gives " << row.value;
}

class ValueToCodeTest : public testing::TestWithParam<ValueToCode>
{
};
class CodeToValueTest : public testing::TestWithParam<CodeToValue>
{
};

TEST_P (ValueToCodeTest, ANormalisedValueGoesOutAsTheCodeOfTheTable)
{
    const auto& row = GetParam();
    const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (row.paramIndex);

    EXPECT_EQ (toCode (row.value), row.code);
    EXPECT_EQ (PlemvoMidiBridge::getLambdaMidiFloatToInt (row.paramIndex + channelTwinOffset) (row.value), row.code)
        << "channel 2 codes as channel 1";
}

TEST_P (CodeToValueTest, ACodeFromTheUnitComesBackAsTheValueOfTheTable)
{
    const auto& row = GetParam();
    const auto toValue = PlemvoMidiBridge::getLambdaMidiIntToFloat (row.paramIndex);

    EXPECT_EQ (toValue (row.code), row.value);
    EXPECT_EQ (PlemvoMidiBridge::getLambdaMidiIntToFloat (row.paramIndex + channelTwinOffset) (row.code), row.value);
}

const auto nan = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P (
    Table, ValueToCodeTest,
    testing::Values (
        // gain: nearest (v x 120), the product in single precision, ties to even
        ValueToCode { eq1Gain1, 0.0f, 0 }, ValueToCode { eq1Gain1, 0.5f, 60 }, ValueToCode { eq2Gain1, 1.0f, 120 },
        ValueToCode { eq1Gain1, 0.25f, 30 }, ValueToCode { eq1Gain1, 0.0125f, 2 },
        ValueToCode { eq1Gain1, 0.0375f, 4 }, // 4.5 in single precision (4.5000002 in double)
        // frequency: nearest (v x 255)
        ValueToCode { eq1Freq1, 0.0f, 0 }, ValueToCode { eq1Freq1, 1.0f, 255 }, ValueToCode { eq2Freq1, 0.5f, 128 },
        // Q: 255 for step 0, else 256 - 32 n
        ValueToCode { eq1Q1, 0.0f, 255 }, ValueToCode { eq1Q1, 0.125f, 224 }, ValueToCode { eq1Q1, 0.25f, 192 },
        ValueToCode { eq1Q1, 0.375f, 160 }, ValueToCode { eq1Q1, 0.5f, 128 }, ValueToCode { eq1Q1, 0.625f, 96 },
        ValueToCode { eq1Q1, 0.75f, 64 }, ValueToCode { eq1Q1, 0.875f, 32 }, ValueToCode { eq2Q1, 1.0f, 0 },
        ValueToCode { eq1Q1, 0.0625f, 255 }, ValueToCode { eq1Q1, 0.1875f, 192 },
        // low-pass: steps 0..4 give 0, 1, 2, 4, 8
        ValueToCode { lpf1, 0.0f, 0 }, ValueToCode { lpf1, 0.25f, 1 }, ValueToCode { lpf1, 0.5f, 2 },
        ValueToCode { lpf1, 0.75f, 4 }, ValueToCode { lpf1, 1.0f, 8 }, ValueToCode { lpf1, 0.6f, 2 },
        ValueToCode { lpf1, 0.125f, 0 }, ValueToCode { lpf1, 0.375f, 2 },
        // high-pass: steps 0..4 give 0, 63, 129, 179, 233
        ValueToCode { hpf1, 0.0f, 0 }, ValueToCode { hpf1, 0.25f, 63 }, ValueToCode { hpf1, 0.5f, 129 },
        ValueToCode { hpf1, 0.75f, 179 }, ValueToCode { hpf1, 1.0f, 233 },
        // switches: their bit above 0.5; exactly 0.5 sets no bit
        ValueToCode { engage1, 1.0f, 64 }, ValueToCode { engage1, 0.5f, 0 }, ValueToCode { engage1, 0.51f, 64 },
        ValueToCode { engage1, 0.0f, 0 }, ValueToCode { eq1Engage1, 1.0f, 4 }, ValueToCode { eq1Engage1, 0.5f, 0 },
        ValueToCode { eq2Engage1, 1.0f, 8 }, ValueToCode { eq2Engage1, 0.5f, 0 },
        // values outside 0..1 never give a code outside the control's range
        ValueToCode { eq1Gain1, -0.5f, 0 }, ValueToCode { eq1Gain1, 1.5f, 120 }, ValueToCode { eq1Gain1, nan, 0 },
        ValueToCode { eq1Freq1, 2.0f, 255 }, ValueToCode { eq1Q1, -1.0f, 255 }, ValueToCode { eq1Q1, 2.0f, 0 },
        ValueToCode { lpf1, -1.0f, 0 }, ValueToCode { lpf1, 2.0f, 8 }, ValueToCode { hpf1, -1.0f, 0 },
        ValueToCode { hpf1, 9.0f, 233 }, ValueToCode { engage1, 7.0f, 64 }, ValueToCode { engage1, -7.0f, 0 }),
    vqtest::NameAsPrinted {});

INSTANTIATE_TEST_SUITE_P (
    Table, CodeToValueTest,
    testing::Values (
        CodeToValue { eq1Gain1, 60, 0.5f }, CodeToValue { eq1Gain1, 0, 0.0f }, CodeToValue { eq2Gain1, 120, 1.0f },
        CodeToValue { eq1Gain1, 30, 0.25f }, CodeToValue { eq1Freq1, 128, 128.0f / 255.0f },
        CodeToValue { eq1Freq1, 255, 1.0f }, CodeToValue { eq2Freq1, 0, 0.0f }, CodeToValue { eq1Q1, 255, 0.0f },
        CodeToValue { eq1Q1, 127, 0.5f }, CodeToValue { eq1Q1, 128, 0.5f }, CodeToValue { eq1Q1, 200, 0.25f },
        CodeToValue { eq1Q1, 0, 1.0f }, CodeToValue { eq1Q1, 32, 0.875f }, CodeToValue { eq2Q1, 224, 0.125f },
        CodeToValue { lpf1, 1, 0.25f }, CodeToValue { lpf1, 2, 0.5f }, CodeToValue { lpf1, 4, 0.75f },
        CodeToValue { lpf1, 8, 1.0f }, CodeToValue { lpf1, 0, 0.0f }, CodeToValue { lpf1, 3, 0.0f },
        CodeToValue { lpf1, 16, 0.0f }, CodeToValue { hpf1, 63, 0.25f }, CodeToValue { hpf1, 129, 0.5f },
        CodeToValue { hpf1, 179, 0.75f }, CodeToValue { hpf1, 233, 1.0f }, CodeToValue { hpf1, 64, 0.0f },
        CodeToValue { hpf1, 0, 0.0f }, CodeToValue { engage1, 0x4C, 1.0f }, CodeToValue { engage1, 0x0C, 0.0f },
        CodeToValue { engage1, 0x140, 1.0f }, CodeToValue { eq1Engage1, 0x4C, 1.0f },
        CodeToValue { eq1Engage1, 0x48, 0.0f }, CodeToValue { eq2Engage1, 0x4C, 1.0f },
        CodeToValue { eq2Engage1, 0x44, 0.0f }, CodeToValue { eq2Engage1, 0x108, 1.0f },
        CodeToValue { eq2Engage1, 0x100, 0.0f },
        // codes outside a control's range never give a value outside 0..1
        CodeToValue { eq1Gain1, 200, 1.0f }, CodeToValue { eq1Gain1, 300, 1.0f }, CodeToValue { eq1Freq1, 300, 1.0f },
        CodeToValue { eq1Q1, 300, 0.0f }, CodeToValue { eq1Q1, 255 + 128, 0.0f }, CodeToValue { eq1Q1, 511, 0.0f }),
    vqtest::NameAsPrinted {});

TEST (MidiBridgeConverters, EveryStepOfAKnobComesBackAsItself)
{
    for (int index : { eq1Gain1, eq1Freq1, eq1Q1, eq2Gain1, eq2Freq1, eq2Q1, lpf1, hpf1 })
    {
        const auto kind = ParamTools::getKind (index);
        const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (index);
        const auto toValue = PlemvoMidiBridge::getLambdaMidiIntToFloat (index);

        for (int step = 0; step <= ParamTools::getNumSteps (kind); ++step)
        {
            const auto value = ParamTools::stepToValue (kind, step);
            EXPECT_EQ (toValue (toCode (value)), value) << paramName[index] << " step " << step;
        }
    }
}

TEST (MidiBridgeConverters, NoCodeFromZeroTo32767GivesAValueOutsideZeroToOne)
{
    for (int index = 1; index <= channelTwinOffset; ++index)
    {
        const auto toValue = PlemvoMidiBridge::getLambdaMidiIntToFloat (index);

        for (int code = 0; code < 32768; ++code)
        {
            const auto value = toValue (code);
            ASSERT_TRUE (value >= 0.0f && value <= 1.0f) << paramName[index] << " code " << code;
        }
    }
}
} // namespace
