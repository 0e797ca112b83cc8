#include "ParamTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using ParamTools::Kind;

namespace
{
juce::String textOf (int index, float value)
{
    return ParamTools::valueToText (index, value);
}

// What the unit shows for a typed text, starting from a value.
juce::String typed (int index, const juce::String& text, float current = 0.5f)
{
    return textOf (index, ParamTools::textToValue (index, text, current));
}
} // namespace

TEST (ParamTables, TheParametersAndSettingsHaveTheirNamesAndDefaultsInIndexOrder)
{
    const struct
    {
        const char* name;
        float defaultValue;
        juce::String defaultText;
    } params[] = {
        { "CHANNEL", 0.0f, "LINK" },
        { "ENGAGE 1/STEREO", 1.0f, "ON" },
        { "EQ1 ENGAGE 1/STEREO", 0.0f, "OFF" },
        { "EQ1 GAIN 1/STEREO", 0.5f, "0.0" },
        { "EQ1 FREQ 1/STEREO", 0.5f, "363 Hz" },
        { "EQ1 Q 1/STEREO", 0.5f, "1.3" },
        { "EQ2 ENGAGE 1/STEREO", 0.0f, "OFF" },
        { "EQ2 GAIN 1/STEREO", 0.5f, "0.0" },
        { "EQ2 FREQ 1/STEREO", 0.5f, "5.0 kHz" },
        { "EQ2 Q 1/STEREO", 0.5f, "1.3" },
        { "LPF 1/STEREO", 0.0f, "BYPASS" },
        { "HPF 1/STEREO", 0.0f, "BYPASS" },
        { "ENGAGE 2", 1.0f, "ON" },
        { "EQ1 ENGAGE 2", 0.0f, "OFF" },
        { "EQ1 GAIN 2", 0.5f, "0.0" },
        { "EQ1 FREQ 2", 0.5f, "363 Hz" },
        { "EQ1 Q 2", 0.5f, "1.3" },
        { "EQ2 ENGAGE 2", 0.0f, "OFF" },
        { "EQ2 GAIN 2", 0.5f, "0.0" },
        { "EQ2 FREQ 2", 0.5f, "5.0 kHz" },
        { "EQ2 Q 2", 0.5f, "1.3" },
        { "LPF 2", 0.0f, "BYPASS" },
        { "HPF 2", 0.0f, "BYPASS" },
    };
    static_assert (std::size (params) == ParamData::numParams);

    for (int i = 0; i < ParamData::numParams; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_STREQ (ParamData::paramName[i], params[i].name);
        EXPECT_EQ (ParamData::paramDefault[i], params[i].defaultValue);
        EXPECT_EQ (textOf (i, ParamData::paramDefault[i]), params[i].defaultText);
    }

    const struct
    {
        const char* name;
        juce::var defaultValue;
    } settings[] = {
        { "IS CONNECTED", false },           { "CONNECTED DEV SN", -1 },          { "SHOULD BE CONNECTED", true },
        { "SELECTED CHANNEL", 0 },           { "CLIPPER DIODE STATE L", false },  { "CLIPPER DIODE STATE R", false },
        { "MOUSE OVER FREQ 1 KNOB", false }, { "MOUSE OVER GAIN 1 KNOB", false }, { "MOUSE OVER FREQ 2 KNOB", false },
        { "MOUSE OVER GAIN 2 KNOB", false }, { "DOUBLE WINDOW", false },
    };
    static_assert (std::size (settings) == ParamData::numSettings);

    for (int i = 0; i < ParamData::numSettings; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_STREQ (ParamData::naParamName[i], settings[i].name);
        const auto defaultValue = ParamData::getSettingDefault (i);
        EXPECT_TRUE (defaultValue.hasSameTypeAs (settings[i].defaultValue));
        EXPECT_EQ (defaultValue, settings[i].defaultValue);
    }

    EXPECT_TRUE (ParamData::getSettingDefault (-1).isVoid());
    EXPECT_TRUE (ParamData::getSettingDefault (ParamData::numSettings).isVoid());
}

TEST (ParamTables, EachChannelOneParameterHasItsChannelTwoTwinElevenPlacesOn)
{
    for (int i = 1; i <= 11; ++i)
    {
        SCOPED_TRACE (i);
        const juce::String name (ParamData::paramName[i]);
        EXPECT_EQ (name.replace ("1/STEREO", "2"), ParamData::paramName[i + ParamData::channelTwinOffset]);
        EXPECT_EQ (ParamTools::getKind (i), ParamTools::getKind (i + ParamData::channelTwinOffset));
    }
}

TEST (ValueTexts, EveryKindReadsItsStepsAsTheFrontPanelShowsThem)
{
    const struct
    {
        int index;
        float value;
        const char* text;
    } rows[] = {
        // Channel mode and switches: exactly 0.5 is the lower state.
        { 0, 0.0f, "LINK" },
        { 0, 0.3f, "LINK" },
        { 0, 0.5f, "LINK" },
        { 0, 0.5001f, "DUAL MONO" },
        { 0, 1.0f, "DUAL MONO" },
        { 1, 0.0f, "OFF" },
        { 2, 0.5f, "OFF" },
        { 6, 0.5001f, "ON" },
        { 12, 1.0f, "ON" },
        { 13, 0.2f, "OFF" },
        { 17, 0.9f, "ON" },
        // Gain: 0.2 dB steps to 10 dB, then 0.5 dB steps; the sign follows the side of the centre.
        { 3, 0.0f, "-15.0" },
        { 3, 0.5f, "0.0" },
        { 3, 1.0f, "15.0" },
        { 7, 0.4958f, "-0.2" },
        { 7, 0.499f, "-0.0" },
        { 14, 61.0f / 120, "0.2" },
        { 14, 59.0f / 120, "-0.2" },
        { 18, 110.0f / 120, "10.0" },
        { 18, 111.0f / 120, "10.5" },
        { 3, 10.0f / 120, "-10.0" },
        { 3, 9.0f / 120, "-10.5" },
        { 3, 119.0f / 120, "14.5" },
        { 3, 80.0f / 120, "4.0" },
        // Band-1 frequency in Hz, band-2 in kHz, both from the unit's 256 steps.
        { 4, 0.0f, "45 Hz" },
        { 4, 0.5f, "363 Hz" },
        { 15, 1.0f, "999 Hz" },
        { 4, 254.0f / 255, "999 Hz" },
        { 4, 253.0f / 255, "996 Hz" },
        { 4, 18.0f / 255, "99 Hz" },
        { 4, 19.0f / 255, "102 Hz" },
        { 8, 0.0f, "0.6 kHz" },
        { 8, 0.5f, "5.0 kHz" },
        { 19, 1.0f, "15.0 kHz" },
        { 8, 18.0f / 255, "1.4 kHz" },
        { 8, 19.0f / 255, "1.5 kHz" },
        // Q, nine steps.
        { 5, 0.0f, "3.0" },
        { 5, 0.125f, "2.5" },
        { 9, 0.25f, "2.0" },
        { 9, 0.375f, "1.6" },
        { 16, 0.5f, "1.3" },
        { 16, 0.625f, "1.0" },
        { 20, 0.75f, "0.7" },
        { 20, 0.875f, "0.4" },
        { 5, 1.0f, "0.2" },
        // Filters, five steps each.
        { 10, 0.0f, "BYPASS" },
        { 10, 0.25f, "12 kHz" },
        { 10, 0.5f, "8 kHz" },
        { 21, 0.75f, "5 kHz" },
        { 21, 1.0f, "3 kHz" },
        { 11, 0.0f, "BYPASS" },
        { 11, 0.25f, "30 Hz" },
        { 11, 0.5f, "60 Hz" },
        { 22, 0.75f, "120 Hz" },
        { 22, 1.0f, "240 Hz" },
        // Outside the table: the plain number.
        { -1, 0.25f, "0.25" },
        { 23, 0.5f, "0.50" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.index) + " at " + juce::String (row.value, 6));
        EXPECT_EQ (textOf (row.index, row.value), row.text);
    }
}

TEST (ValueTexts, ValuesOutsideTheRangeReadAsTheNearestEndAndNaNAsTheLowest)
{
    const float values[] = { -1.0f, 2.0f, -INFINITY, INFINITY, NAN, 1e30f, -1e30f };

    for (int index = 0; index < ParamData::numParams; ++index)
    {
        for (const auto value : values)
        {
            SCOPED_TRACE (juce::String (index) + " at " + juce::String (value));
            const auto expected = std::isnan (value) ? 0.0f : (value > 0.5f ? 1.0f : 0.0f);
            EXPECT_EQ (textOf (index, value), textOf (index, expected));
        }
    }
}

TEST (ValueTexts, AStepTheTextRoundsToIsAlwaysTheStepTheUnitIsSent)
{
    // The unit's code of each kind, mapped to the text the front panel shows for it.
    const auto qText = [] (int code)
    {
        const std::map<int, juce::String> texts = { { 255, "3.0" }, { 224, "2.5" }, { 192, "2.0" },
                                                    { 160, "1.6" }, { 128, "1.3" }, { 96, "1.0" },
                                                    { 64, "0.7" },  { 32, "0.4" },  { 0, "0.2" } };
        return texts.at (code);
    };
    const auto lowPassText = [] (int code)
    {
        const std::map<int, juce::String> texts = {
            { 0, "BYPASS" }, { 1, "12 kHz" }, { 2, "8 kHz" }, { 4, "5 kHz" }, { 8, "3 kHz" }
        };
        return texts.at (code);
    };
    const auto highPassText = [] (int code)
    {
        const std::map<int, juce::String> texts = {
            { 0, "BYPASS" }, { 63, "30 Hz" }, { 129, "60 Hz" }, { 179, "120 Hz" }, { 233, "240 Hz" }
        };
        return texts.at (code);
    };

    // Every multiple of 1/1920 includes each kind's exact ties between two steps.
    for (int i = 0; i <= 1920; ++i)
    {
        const auto v = (float) i / 1920.0f;
        SCOPED_TRACE (v);
        EXPECT_EQ (textOf (5, v), qText (ParamTools::valueToCode (Kind::q, v)));
        EXPECT_EQ (textOf (10, v), lowPassText (ParamTools::valueToCode (Kind::lowPass, v)));
        EXPECT_EQ (textOf (11, v), highPassText (ParamTools::valueToCode (Kind::highPass, v)));
        for (const auto index : { 3, 4, 8 })
        {
            const auto kind = ParamTools::getKind (index);
            auto unitsText = textOf (index, ParamTools::codeToValue (kind, ParamTools::valueToCode (kind, v)));

            if (unitsText == "0.0" && v < 0.5f)
                unitsText = "-0.0"; // a gain just below the centre keeps its sign
            EXPECT_EQ (textOf (index, v), unitsText) << index;
        }
        EXPECT_EQ (ParamTools::isOn (v), ParamTools::switchToCode (v, 64) == 64);
        EXPECT_EQ (textOf (1, v), ParamTools::switchToCode (v, 64) != 0 ? "ON" : "OFF");
    }

    EXPECT_EQ (textOf (5, 0.0625f), "3.0"); // 8 v = 0.5 goes to the even step 0, code 255
    EXPECT_EQ (textOf (5, 0.1875f), "2.0"); // 1.5 goes to 2
    EXPECT_EQ (textOf (10, 0.125f), "BYPASS");
    EXPECT_EQ (textOf (10, 0.375f), "8 kHz");
}

TEST (Converters, EveryControlGoesToTheUnitsCodeAndBack)
{
    const struct
    {
        Kind kind;
        float value;
        int code;
    } toCode[] = {
        { Kind::gain, 0.0f, 0 },
        { Kind::gain, 0.5f, 60 },
        { Kind::gain, 1.0f, 120 },
        { Kind::band1Freq, 1.0f, 255 },
        { Kind::band2Freq, 0.5f, 128 },
        { Kind::band1Freq, 0.0f, 0 },
        { Kind::q, 0.0f, 255 },
        { Kind::q, 0.125f, 224 },
        { Kind::q, 0.5f, 128 },
        { Kind::q, 0.0625f, 255 },
        { Kind::q, 1.0f, 0 },
        { Kind::lowPass, 0.0f, 0 },
        { Kind::lowPass, 0.25f, 1 },
        { Kind::lowPass, 0.5f, 2 },
        { Kind::lowPass, 0.6f, 2 },
        { Kind::lowPass, 0.75f, 4 },
        { Kind::lowPass, 1.0f, 8 },
        { Kind::highPass, 0.0f, 0 },
        { Kind::highPass, 0.25f, 63 },
        { Kind::highPass, 0.5f, 129 },
        { Kind::highPass, 0.75f, 179 },
        { Kind::highPass, 1.0f, 233 },
        // Out of range and NaN values give codes inside the control's range.
        { Kind::gain, 2.0f, 120 },
        { Kind::gain, -1.0f, 0 },
        { Kind::gain, NAN, 0 },
        { Kind::q, 5.0f, 0 },
        { Kind::highPass, INFINITY, 233 },
        { Kind::channelMode, 1.0f, 0 },
        { Kind::none, 1.0f, 0 },
    };

    for (const auto& row : toCode)
    {
        SCOPED_TRACE (juce::String ((int) row.kind) + " value " + juce::String (row.value));
        EXPECT_EQ (ParamTools::valueToCode (row.kind, row.value), row.code);
    }

    const struct
    {
        Kind kind;
        int code;
        float value;
    } toValue[] = {
        { Kind::gain, 60, 0.5f },
        { Kind::gain, 120, 1.0f },
        { Kind::gain, 200, 1.0f },
        { Kind::gain, -3, 0.0f },
        { Kind::band1Freq, 128, 128.0f / 255 },
        { Kind::band2Freq, 300, 1.0f },
        { Kind::q, 255, 0.0f },
        { Kind::q, 127, 0.5f },
        { Kind::q, 128, 0.5f },
        { Kind::q, 200, 0.25f },
        { Kind::q, 0, 1.0f },
        { Kind::q, 300, 0.0f },
        { Kind::q, -40, 1.0f },
        { Kind::lowPass, 1, 0.25f },
        { Kind::lowPass, 2, 0.5f },
        { Kind::lowPass, 4, 0.75f },
        { Kind::lowPass, 8, 1.0f },
        { Kind::lowPass, 3, 0.0f },
        { Kind::highPass, 63, 0.25f },
        { Kind::highPass, 129, 0.5f },
        { Kind::highPass, 179, 0.75f },
        { Kind::highPass, 233, 1.0f },
        { Kind::highPass, 64, 0.0f },
    };

    for (const auto& row : toValue)
    {
        SCOPED_TRACE (juce::String ((int) row.kind) + " code " + juce::String (row.code));
        EXPECT_EQ (ParamTools::codeToValue (row.kind, row.code), row.value);
    }
}

TEST (Converters, ASwitchSetsItsBitOnlyAboveOneHalfAndReadsItFromTheLowByte)
{
    EXPECT_EQ (ParamTools::switchToCode (0.5f, 64), 0);
    EXPECT_EQ (ParamTools::switchToCode (0.5001f, 64), 64);
    EXPECT_EQ (ParamTools::switchToCode (1.0f, 4), 4);
    EXPECT_EQ (ParamTools::switchToCode (NAN, 8), 0);
    EXPECT_EQ (ParamTools::codeToSwitch (64 | 8, 64), 1.0f);
    EXPECT_EQ (ParamTools::codeToSwitch (64 | 8, 4), 0.0f);
    EXPECT_EQ (ParamTools::codeToSwitch (0x100 | 8, 8), 1.0f);
    EXPECT_EQ (ParamTools::codeToSwitch (0x140, 64), 1.0f);
    EXPECT_TRUE (ParamTools::isLinked (0.5f));
    EXPECT_FALSE (ParamTools::isLinked (0.5001f));
}

TEST (Converters, EveryCodeOfEveryStepComesBackAsItsOwnStep)
{
    for (const auto kind : { Kind::gain, Kind::band1Freq, Kind::band2Freq, Kind::q, Kind::lowPass, Kind::highPass })
    {
        for (int step = 0; step <= ParamTools::getNumSteps (kind); ++step)
        {
            SCOPED_TRACE (juce::String ((int) kind) + " step " + juce::String (step));
            const auto value = ParamTools::stepToValue (kind, step);
            EXPECT_EQ (ParamTools::valueToStep (kind, value), step);
            EXPECT_EQ (ParamTools::codeToValue (kind, ParamTools::valueToCode (kind, value)), value);
        }
    }
}

TEST (FormattedNumbers, TypedNumbersWithAUnitAndOneOperationAreEvaluated)
{
    const struct
    {
        const char* text;
        const char* unit;
        bool ok;
        const char* result;
    } rows[] = {
        { "1.5 kHz", "Hz", true, "1500" },
        { "1.5khz", "Hz", true, "1500" },
        { "440 Hz", "Hz", true, "440" },
        { "3 dB", "dB", true, "3" },
        { "3 B", "dB", true, "30" },
        { "-3", "", true, "-3" },
        { "1,5", "", true, "1.5" },
        { "10/2", "", true, "5.00" },
        { "2*3", "", true, "6.00" },
        { "1.5+2.5", "", true, "4.00" },
        { "6:4", "", true, "1.50" },
        { "5-2", "", true, "3.00" },
        { "-1-2", "", true, "-3.00" },
        { "2*-3", "", true, "-6.00" },
        { "1/0", "", true, "1000" },
        { "1/0", "Hz", true, "1000" },
        { "5 s", "ms", true, "5000" },
        { "5 ms", "ms", true, "5" },
        { "2 kHz", "", false, "" },
        { "1 0", "", true, "10" },
        { "  7  ", "", true, "7" },
        { "+3", "", true, "3" },
        { "/5", "", true, "0" },
        { "-.5-.5", "", true, "-1.00" },
        { "2 k", "Hz", false, "" },
        { "0.1 khz", "HZ", true, "100" },
        { "1.5*2", "Hz", true, "3.00" },
        { "1k5 Hz", "Hz", false, "" },
        // Failures.
        { "", "", false, "" },
        { "", "dB", false, "" },
        { "  ", "dB", false, "" },
        { "dB", "dB", false, "" },
        { "1--2", "", false, "" },
        { "--3", "", false, "" },
        { "1.2.3", "", false, "" },
        { "1.5-2.5", "", false, "" },
        { "1*2*3", "", false, "" },
        { "1+2+3", "", false, "" },
        { "1/2/3", "", false, "" },
        { "1:2:3", "", false, "" },
        { "abc", "", false, "" },
        { "1e999", "", false, "" },
        { "nan", "", false, "" },
        { "inf", "", false, "" },
        { "3 dB", "", false, "" },
        { "1\t2", "", false, "" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.text) + " unit " + row.unit);
        juce::String text (row.text);
        EXPECT_EQ (juce::isFormattedToNumber (text, row.unit), row.ok);

        if (row.ok)
        {
            EXPECT_EQ (text, row.result);
        }
    }
}

TEST (FormattedNumbers, AThousandDigitsEvaluateToAnInfiniteNumberWithoutHarm)
{
    juce::String digits = juce::String::repeatedString ("9", 1000);
    EXPECT_TRUE (juce::isFormattedToNumber (digits, ""));
    EXPECT_TRUE (std::isinf (digits.getDoubleValue()));

    juce::String product = juce::String::repeatedString ("9", 1000) + "*0";
    EXPECT_TRUE (juce::isFormattedToNumber (product, ""));
}

TEST (TypedValues, ATypedTextLandsOnTheStepWhoseTextIsNearest)
{
    const struct
    {
        int index;
        const char* text;
        const char* shows;
    } rows[] = {
        // Gain in dB: the text shown, with or without the unit, the host's plain numbers, the far ends.
        { 3, "10 dB", "10.0" },
        { 3, "10", "10.0" },
        { 3, "3", "3.0" },
        { 7, "+3", "3.0" },
        { 7, "-15", "-15.0" },
        { 14, "20 dB", "15.0" },
        { 14, "10.3", "10.5" },
        { 18, "-0.0", "0.0" },
        { 18, "-4.0", "-4.0" },
        { 3, "1,15", "1.2" },
        { 3, "1.5 B", "15.0" },
        { 3, "12/2", "6.0" },
        { 3, "-2.4 db", "-2.4" },
        { 3, "1/0", "15.0" },
        // Band-1 frequency in Hz; a kHz text is converted.
        { 4, "363 Hz", "363 Hz" },
        { 4, "363", "363 Hz" },
        { 15, "1 kHz", "999 Hz" },
        { 15, "10", "45 Hz" },
        { 4, "100 Hz", "99 Hz" },
        { 4, "0.1 kHz", "99 Hz" },
        // Band-2 frequency in kHz: a bare number may be kHz or Hz, whichever reaches the range.
        { 8, "5.0 kHz", "5.0 kHz" },
        { 8, "5", "5.0 kHz" },
        { 8, "1500", "1.5 kHz" },
        { 19, "1.5 kHz", "1.5 kHz" },
        { 19, "1500 Hz", "1.5 kHz" },
        { 19, "20", "15.0 kHz" },
        { 19, "600 Hz", "0.6 kHz" },
        { 8, "5 Hz", "0.6 kHz" },
        // Q by its numbers.
        { 5, "1.3", "1.3" },
        { 5, "1.4", "1.3" },
        { 9, "0.1", "0.2" },
        { 16, "3", "3.0" },
        { 20, "2.5", "2.5" },
        { 20, "100", "3.0" },
        { 20, "-1", "0.2" },
        // Filters by their texts or frequencies.
        { 10, "8 kHz", "8 kHz" },
        { 10, "BYPASS", "BYPASS" },
        { 10, "bypass", "BYPASS" },
        { 21, "8", "8 kHz" },
        { 21, "8000", "8 kHz" },
        { 21, "11 kHz", "12 kHz" },
        { 11, "60 Hz", "60 Hz" },
        { 11, "100", "120 Hz" },
        { 22, " BYPASS ", "BYPASS" },
        { 22, "1 kHz", "240 Hz" },
        { 22, "0", "30 Hz" },
        // Two-state values by their texts or 0 and 1; exactly 0.5 is the lower state.
        { 0, "LINK", "LINK" },
        { 0, "link", "LINK" },
        { 0, "DUAL MONO", "DUAL MONO" },
        { 0, "1", "DUAL MONO" },
        { 0, "0.5", "LINK" },
        { 1, "ON", "ON" },
        { 1, "OFF", "OFF" },
        { 2, "on", "ON" },
        { 6, "0.5", "OFF" },
        { 6, "0.7", "ON" },
        { 12, "0", "OFF" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.index) + " typed " + row.text);
        const auto value = ParamTools::textToValue (row.index, row.text, 0.3f);
        EXPECT_EQ (textOf (row.index, value), row.shows);
        EXPECT_EQ (value, ParamTools::stepToValue (ParamTools::getKind (row.index),
                                                   ParamTools::valueToStep (ParamTools::getKind (row.index), value)))
            << "lands exactly on a step";
    }
}

TEST (TypedValues, EveryShownTextTypedBackKeepsWhatIsShown)
{
    for (int index = 0; index < ParamData::numParams; ++index)
    {
        const auto kind = ParamTools::getKind (index);

        for (int step = 0; step <= ParamTools::getNumSteps (kind); ++step)
        {
            const auto value = ParamTools::stepToValue (kind, step);
            const auto text = textOf (index, value);
            SCOPED_TRACE (juce::String (index) + " " + text);
            EXPECT_EQ (typed (index, text, 0.0f), text);
            EXPECT_EQ (typed (index, text, 1.0f), text);
            EXPECT_EQ (ParamTools::textToValue (index, text, value), value) << "the step shown is kept";
        }
    }
}

TEST (TypedValues, ATextThatMeansNothingLeavesTheValueUnchanged)
{
    const juce::String meaningless[] = { "",       "   ",  "letters", "1e999", "--3", "1.2.3", "nan", "inf",  "1 dBx",
                                         "LINKED", "OFFF", "-",       ".",     "+",   "*",     "/",   "- Hz", ". kHz" };

    for (int index = 0; index < ParamData::numParams; ++index)
    {
        for (const auto& text : meaningless)
        {
            SCOPED_TRACE (juce::String (index) + " typed '" + text + "'");
            EXPECT_EQ (ParamTools::textToValue (index, text, 0.3f), 0.3f);
        }
    }

    EXPECT_EQ (ParamTools::textToValue (-1, "1", 0.3f), 0.3f);
    EXPECT_EQ (ParamTools::textToValue (ParamData::numParams, "LINK", 0.7f), 0.7f);
}

TEST (TypedValues, AnyTypedTextGivesAValueInsideTheRange)
{
    const auto thousandDigits = juce::String::repeatedString ("7", 1000);
    const juce::String texts[] = { "",
                                   "x",
                                   "1e999",
                                   "--3",
                                   thousandDigits,
                                   "-" + thousandDigits,
                                   thousandDigits + "*0",
                                   thousandDigits + " kHz",
                                   "1/0",
                                   "0/0",
                                   "-1/0",
                                   "3 dB",
                                   "3 B",
                                   "1.5 kHz",
                                   "440 Hz",
                                   "5 ms",
                                   "2 s",
                                   "1:0",
                                   "-",
                                   "+-",
                                   ".",
                                   ",",
                                   "*",
                                   "/",
                                   "1e5",
                                   "0x10",
                                   juce::String (juce::CharPointer_UTF8 ("\xe2\x88\x9e")),
                                   "-0",
                                   "9999999999" };

    for (int index = -1; index <= ParamData::numParams; ++index)
    {
        for (const auto& text : texts)
        {
            for (const auto current : { 0.0f, 0.5f, 1.0f, NAN, 3.0f })
            {
                SCOPED_TRACE (juce::String (index) + " typed '" + text.substring (0, 20) + "'");
                const auto value = ParamTools::textToValue (index, text, current);
                EXPECT_TRUE (value >= 0.0f && value <= 1.0f) << value;
            }
        }
    }
}
