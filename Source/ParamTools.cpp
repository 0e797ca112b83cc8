#include "ParamTools.h"

#include "vq_midi/VqSysexProtocol.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ParamData
{
const char* const paramName[numParams] = {
    "CHANNEL",
    "ENGAGE 1/STEREO",
    "EQ1 ENGAGE 1/STEREO",
    "EQ1 GAIN 1/STEREO",
    "EQ1 FREQ 1/STEREO",
    "EQ1 Q 1/STEREO",
    "EQ2 ENGAGE 1/STEREO",
    "EQ2 GAIN 1/STEREO",
    "EQ2 FREQ 1/STEREO",
    "EQ2 Q 1/STEREO",
    "LPF 1/STEREO",
    "HPF 1/STEREO",
    "ENGAGE 2",
    "EQ1 ENGAGE 2",
    "EQ1 GAIN 2",
    "EQ1 FREQ 2",
    "EQ1 Q 2",
    "EQ2 ENGAGE 2",
    "EQ2 GAIN 2",
    "EQ2 FREQ 2",
    "EQ2 Q 2",
    "LPF 2",
    "HPF 2",
};

const char* const naParamName[numSettings] = {
    "IS CONNECTED",           "CONNECTED DEV SN",       "SHOULD BE CONNECTED",    "SELECTED CHANNEL",
    "CLIPPER DIODE STATE L",  "CLIPPER DIODE STATE R",  "MOUSE OVER FREQ 1 KNOB", "MOUSE OVER GAIN 1 KNOB",
    "MOUSE OVER FREQ 2 KNOB", "MOUSE OVER GAIN 2 KNOB", "DOUBLE WINDOW",
};

// Both channels start engaged with their bands off, flat, centred and the filters bypassed.
const float paramDefault[numParams] = {
    0.0f,                                                             // "LINK"
    1.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, // channel 1
    1.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, // channel 2
};

juce::var getSettingDefault (int index)
{
    switch (index)
    {
        case connectedDevSn: return -1; // no device remembered
        case shouldBeConnected: return true;
        case selectedChannel: return 0;
        default: break;
    }

    return juce::isPositiveAndBelow (index, (int) numSettings) ? juce::var (false) : juce::var();
}

SettingRange getSettingRange (int index)
{
    switch (index)
    {
        case connectedDevSn: return { -1, juce::VqSysexProtocol::maxSerialNo }; // -1: no device remembered
        case selectedChannel: return { 0, 1 };                                  // channel 1 or 2
        default: break;
    }

    return juce::isPositiveAndBelow (index, (int) numSettings) ? SettingRange { 0, 1 } : SettingRange { 1, 0 };
}

std::optional<juce::var> toSettingValue (int index, const juce::var& value)
{
    if (! (value.isInt() || value.isInt64() || value.isBool()))
        return {};

    const auto n = (juce::int64) value;
    const auto range = getSettingRange (index);

    if (n < range.minValue || n > range.maxValue)
        return {};

    if (getSettingDefault (index).isBool())
        return juce::var (n != 0);

    return juce::var ((int) n);
}
} // namespace ParamData

namespace ParamTools
{
namespace
{
constexpr Kind kindOfParam[ParamData::numParams] = {
    Kind::channelMode, Kind::onOff,     Kind::onOff,     Kind::gain,      Kind::band1Freq, Kind::q,
    Kind::onOff,       Kind::gain,      Kind::band2Freq, Kind::q,         Kind::lowPass,   Kind::highPass,
    Kind::onOff,       Kind::onOff,     Kind::gain,      Kind::band1Freq, Kind::q,         Kind::onOff,
    Kind::gain,        Kind::band2Freq, Kind::q,         Kind::lowPass,   Kind::highPass,
};

// Frequency readings of the unit's 256 steps: piecewise-linear in 16-bit integer arithmetic.
constexpr int band1Hz[16] = { 45, 100, 150, 180, 230, 270, 300, 360, 400, 460, 520, 620, 700, 840, 999, 999 };
constexpr int band2TenthsKHz[16] = { 6, 15, 22, 28, 35, 41, 47, 50, 61, 69, 79, 90, 106, 125, 150, 150 };

constexpr const char* qTexts[] = { "3.0", "2.5", "2.0", "1.6", "1.3", "1.0", "0.7", "0.4", "0.2" };
constexpr const char* lowPassTexts[] = { "BYPASS", "12 kHz", "8 kHz", "5 kHz", "3 kHz" };
constexpr const char* highPassTexts[] = { "BYPASS", "30 Hz", "60 Hz", "120 Hz", "240 Hz" };
constexpr int lowPassHz[] = { 0, 12000, 8000, 5000, 3000 };
constexpr int highPassHz[] = { 0, 30, 60, 120, 240 };
constexpr int lowPassCodes[] = { 0, 1, 2, 4, 8 };
constexpr int highPassCodes[] = { 0, 63, 129, 179, 233 };

int frequencyReading (const int (&table)[16], int step)
{
    const int p = 256 * step;
    const int segment = p / 4630;
    const int fraction = (p % 4630) / 16;
    return table[segment] + ((fraction * (table[segment + 1] - table[segment])) % 65536) / 290;
}

// The gain of a step in tenths of a dB, without its sign: 0.2 dB steps up to 10 dB, then 0.5 dB steps.
int gainTenths (int step)
{
    const int distance = step < 61 ? 60 - step : step - 60;
    return distance < 51 ? 2 * distance : 5 * distance - 150;
}

juce::String stepText (Kind kind, int step, bool belowCentre)
{
    switch (kind)
    {
        case Kind::channelMode: return step == 0 ? "LINK" : "DUAL MONO";
        case Kind::onOff: return step == 0 ? "OFF" : "ON";
        case Kind::gain:
            return juce::String::formatted (belowCentre ? "-%.1f" : "%.1f",
                                            (double) ((float) gainTenths (step) * 0.1f));
        case Kind::band1Freq: return juce::String (frequencyReading (band1Hz, step)) + " Hz";
        case Kind::band2Freq:
            return juce::String::formatted ("%.1f", (double) ((float) frequencyReading (band2TenthsKHz, step) * 0.1f)) +
                   " kHz";
        case Kind::q: return qTexts[step];
        case Kind::lowPass: return lowPassTexts[step];
        case Kind::highPass: return highPassTexts[step];
        case Kind::none: break;
    }

    return {};
}

juce::String stepText (Kind kind, int step)
{
    return stepText (kind, step, kind == Kind::gain && step < 60);
}

// A step's reading as a number in the parameter's unit (dB, Hz, Q, 0/1); none for "BYPASS".
std::optional<double> stepNumber (Kind kind, int step)
{
    switch (kind)
    {
        case Kind::channelMode:
        case Kind::onOff: return step;
        case Kind::gain: return (step < 60 ? -0.1 : 0.1) * gainTenths (step);
        case Kind::band1Freq: return frequencyReading (band1Hz, step);
        case Kind::band2Freq: return 100 * frequencyReading (band2TenthsKHz, step);
        case Kind::q: return juce::String (qTexts[step]).getDoubleValue();
        case Kind::lowPass: return step == 0 ? std::nullopt : std::optional<double> (lowPassHz[step]);
        case Kind::highPass: return step == 0 ? std::nullopt : std::optional<double> (highPassHz[step]);
        case Kind::none: break;
    }

    return std::nullopt;
}

const char* unitOf (Kind kind)
{
    switch (kind)
    {
        case Kind::gain: return "dB";
        case Kind::band1Freq:
        case Kind::band2Freq:
        case Kind::lowPass:
        case Kind::highPass: return "Hz";
        default: return "";
    }
}

// Parameters shown in kHz: a bare number may be meant in kHz or in Hz.
bool showsKiloHertz (Kind kind)
{
    return kind == Kind::band2Freq || kind == Kind::lowPass;
}

struct NumberRange
{
    double lowest = std::numeric_limits<double>::max();
    double highest = std::numeric_limits<double>::lowest();

    // How far a reading lies outside the range on a logarithmic scale; 0 inside it.
    double logDistance (double x) const
    {
        if (x <= 0.0)
            return std::numeric_limits<double>::infinity();

        return x < lowest ? std::log (lowest / x) : (x > highest ? std::log (x / highest) : 0.0);
    }
};

NumberRange stepNumberRange (Kind kind)
{
    NumberRange range;

    for (int step = 0; step <= getNumSteps (kind); ++step)
    {
        if (const auto number = stepNumber (kind, step))
        {
            range.lowest = std::min (range.lowest, *number);
            range.highest = std::max (range.highest, *number);
        }
    }

    return range;
}

std::optional<double> readTypedNumber (Kind kind, const juce::String& text)
{
    // The parser reads a lone sign, point or operator as 0; without a digit nothing was typed.
    if (! text.containsAnyOf ("0123456789"))
        return std::nullopt;

    auto evaluated = text;

    if (! juce::isFormattedToNumber (evaluated, unitOf (kind)))
        return std::nullopt;

    auto number = evaluated.getDoubleValue();

    if (std::isnan (number))
        return std::nullopt;

    const auto range = stepNumberRange (kind);

    if (showsKiloHertz (kind) && ! text.trim().toLowerCase().endsWith ("hz"))
    {
        // "5" on a kHz display means 5 kHz, while "1500" still means 1500 Hz.
        if (range.logDistance (number * 1000.0) < range.logDistance (number))
            number *= 1000.0;
    }

    return juce::jlimit (range.lowest, range.highest, number);
}

// Ties go to the lowest step, except that a step showing the same text as the current one keeps it.
int nearestStep (Kind kind, double number, int currentStep)
{
    int best = -1;
    double bestDistance = 0.0;

    for (int step = 0; step <= getNumSteps (kind); ++step)
    {
        if (const auto stepValue = stepNumber (kind, step))
        {
            const auto distance = std::abs (*stepValue - number);

            if (best < 0 || distance < bestDistance)
            {
                best = step;
                bestDistance = distance;
            }
        }
    }

    return stepText (kind, best) == stepText (kind, currentStep) ? currentStep : best;
}

std::optional<int> stepWithText (Kind kind, const juce::String& text, int currentStep)
{
    if (stepText (kind, currentStep).equalsIgnoreCase (text))
        return currentStep;

    for (int step = 0; step <= getNumSteps (kind); ++step)
        if (stepText (kind, step).equalsIgnoreCase (text))
            return step;

    return std::nullopt;
}
} // namespace

Kind getKind (int index)
{
    return juce::isPositiveAndBelow (index, (int) ParamData::numParams) ? kindOfParam[index] : Kind::none;
}

float sanitise (float value)
{
    return std::isnan (value) ? 0.0f : juce::jlimit (0.0f, 1.0f, value);
}

int getNumSteps (Kind kind)
{
    switch (kind)
    {
        case Kind::channelMode:
        case Kind::onOff: return 1;
        case Kind::gain: return 120;
        case Kind::band1Freq:
        case Kind::band2Freq: return 255;
        case Kind::q: return 8;
        case Kind::lowPass:
        case Kind::highPass: return 4;
        case Kind::none: break;
    }

    return 0;
}

int valueToStep (Kind kind, float value)
{
    // The product is formed in single precision, as the unit's firmware does, then rounded half to even.
    const auto product = (double) (sanitise (value) * (float) getNumSteps (kind));
    const auto below = std::floor (product);
    const auto excess = product - below;
    auto step = (int) below;

    if (excess > 0.5 || (excess == 0.5 && step % 2 != 0))
        ++step;

    return step;
}

float stepToValue (Kind kind, int step)
{
    const auto numSteps = getNumSteps (kind);
    return numSteps == 0 ? 0.0f : (float) juce::jlimit (0, numSteps, step) / (float) numSteps;
}

bool isLinked (float channelValue)
{
    return valueToStep (Kind::channelMode, channelValue) == 0;
}

int linkCopyOrigin (const juce::var& selectedChannel)
{
    if (! (selectedChannel.isInt() || selectedChannel.isInt64() || selectedChannel.isDouble()))
        return -1;

    const auto channel = (double) selectedChannel;

    if (channel == 0.0)
        return ParamData::engage1;

    return channel == 1.0 ? ParamData::engage2 : -1;
}

std::vector<LinkCopy> linkingCopy (float from, float to, const juce::var& selectedChannel)
{
    std::vector<LinkCopy> copies;
    const int origin = linkCopyOrigin (selectedChannel);

    if (! std::isfinite (to) || ! isLinked (to) || isLinked (from) || origin < 0)
        return copies;

    const int target = origin == ParamData::engage1 ? ParamData::engage2 : ParamData::engage1;

    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
        copies.push_back ({ target + k, origin + k });

    return copies;
}

bool isOn (float switchValue)
{
    return valueToStep (Kind::onOff, switchValue) != 0;
}

int valueToCode (Kind kind, float value)
{
    const auto step = valueToStep (kind, value);

    switch (kind)
    {
        case Kind::gain:
        case Kind::band1Freq:
        case Kind::band2Freq: return step;
        case Kind::q: return step == 0 ? 255 : 256 - 32 * step;
        case Kind::lowPass: return lowPassCodes[step];
        case Kind::highPass: return highPassCodes[step];
        default: return 0;
    }
}

float codeToValue (Kind kind, int code)
{
    switch (kind)
    {
        case Kind::gain:
        case Kind::band1Freq:
        case Kind::band2Freq: return stepToValue (kind, code);
        case Kind::q:
            if (code == 255)
                return 0.0f;
            if (code == 127)
                return 0.5f;
            return juce::jlimit (0.0f, 1.0f, (float) (8 - (code >> 5)) * 0.125f);
        case Kind::lowPass:
        case Kind::highPass:
        {
            const auto& codes = kind == Kind::lowPass ? lowPassCodes : highPassCodes;

            for (int step = 1; step <= getNumSteps (kind); ++step)
                if (codes[step] == code)
                    return stepToValue (kind, step);

            return 0.0f;
        }
        default: return 0.0f;
    }
}

int switchToCode (float value, int bit)
{
    return isOn (value) ? bit : 0;
}

float codeToSwitch (int code, int bit)
{
    return (code & 0xff & bit) != 0 ? 1.0f : 0.0f;
}

juce::String valueToText (int index, float value)
{
    const auto kind = getKind (index);

    if (kind == Kind::none)
        return juce::String (value, 2);

    const auto v = sanitise (value);
    return stepText (kind, valueToStep (kind, v), v < 0.5f);
}

float textToValue (int index, const juce::String& text, float current)
{
    const auto kind = getKind (index);
    current = sanitise (current);

    if (kind == Kind::none)
        return current;

    const auto currentStep = valueToStep (kind, current);

    if (const auto step = stepWithText (kind, text.trim(), currentStep))
        return stepToValue (kind, *step);

    if (const auto number = readTypedNumber (kind, text))
        return stepToValue (kind, nearestStep (kind, *number, currentStep));

    return current;
}
} // namespace ParamTools

namespace juce
{
bool isFormattedToNumber (String& text, String unit)
{
    if (text.isEmpty())
        return false;

    float multiplier = 1.0f;

    if (unit.isNotEmpty())
    {
        unit = unit.toLowerCase();
        text = text.toLowerCase().trim();

        if (text.endsWith (unit))
        {
            text = text.dropLastCharacters (unit.length());

            if (unit == "hz" && text.endsWith ("k"))
            {
                text = text.dropLastCharacters (1);
                multiplier = 1000.0f;
            }
        }
        else if (unit == "ms" && text.endsWith ("s"))
        {
            text = text.dropLastCharacters (1);
            multiplier = 1000.0f;
        }
        else if (unit == "db" && text.endsWith ("b"))
        {
            text = text.dropLastCharacters (1);
            multiplier = 10.0f;
        }
    }

    text = text.trim().replaceCharacter (',', '.').removeCharacters (" ");

    if (text.isEmpty())
        return false;

    const String operators ("*+/:");
    int operatorCounts[4] = {};
    int points = 0;
    bool minusPending = false;

    for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
    {
        const auto c = *p;
        const auto op = operators.indexOfChar (c);

        if (CharacterFunctions::isDigit (c))
        {
            minusPending = false;
        }
        else if (op >= 0)
        {
            if (++operatorCounts[op] > 1)
                return false;
        }
        else if (c == '-')
        {
            if (minusPending)
                return false;

            minusPending = true;
        }
        else if (c == '.')
        {
            const bool secondNumber =
                minusPending ||
                std::any_of (std::begin (operatorCounts), std::end (operatorCounts), [] (int n) { return n > 0; });

            if (points++ > 0 && ! secondNumber)
                return false;
        }
        else
        {
            return false;
        }
    }

    // The first operation found in this order is evaluated; a leading minus is the number's sign.
    for (const auto op : { '/', ':', '*', '+', '-' })
    {
        const auto index = text.indexOfChar (op == '-' ? 1 : 0, op);

        if (index <= 0)
            continue;

        const auto a = (float) text.substring (0, index).getDoubleValue();
        const auto b = (float) text.substring (index + 1).getDoubleValue();

        if ((op == '/' || op == ':') && b == 0.0f)
        {
            text = String (1000.0);
            return true;
        }

        const auto result = op == '*'   ? (multiplier * a) * b
                            : op == '+' ? multiplier * (a + b)
                            : op == '-' ? multiplier * (a - b)
                                        : multiplier * a / b;
        text = String (result, 2);
        return true;
    }

    text = String ((double) (multiplier * (float) text.getDoubleValue()));
    return true;
}
} // namespace juce
