#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

/** The equaliser's parameter and setting tables. Their indices are the identifiers that every part of the
    plug-in uses: the host parameter order, the state's PARAM_ID and the settings' keys. */
namespace ParamData
{
enum Param
{
    channel,
    engage1,
    eq1Engage1,
    eq1Gain1,
    eq1Freq1,
    eq1Q1,
    eq2Engage1,
    eq2Gain1,
    eq2Freq1,
    eq2Q1,
    lpf1,
    hpf1,
    engage2,
    eq1Engage2,
    eq1Gain2,
    eq1Freq2,
    eq1Q2,
    eq2Engage2,
    eq2Gain2,
    eq2Freq2,
    eq2Q2,
    lpf2,
    hpf2,
    numParams
};

enum Setting
{
    isConnected,
    connectedDevSn,
    shouldBeConnected,
    selectedChannel,
    clipperDiodeStateL,
    clipperDiodeStateR,
    mouseOverFreq1Knob,
    mouseOverGain1Knob,
    mouseOverFreq2Knob,
    mouseOverGain2Knob,
    doubleWindow,
    numSettings
};

/** Index i (1..11) of channel 1 and index i + channelTwinOffset of channel 2 form a channel pair. */
constexpr int channelTwinOffset = 11;

extern const char* const paramName[numParams];
extern const char* const naParamName[numSettings];

/** The normalised default of each automatable parameter. */
extern const float paramDefault[numParams];

/** The default of a setting; an index outside the table gives a void var. */
juce::var getSettingDefault (int index);

/** The whole numbers a setting may hold: 0 and 1 for a setting that is a bool (false and true). */
struct SettingRange
{
    int minValue;
    int maxValue;
};

/** The range of a setting; an index outside the table gives an empty range (1 to 0). */
SettingRange getSettingRange (int index);

/** The value in the type of the setting's default (a bool or an int), or nothing when it is no whole
    number or bool or lies outside the setting's range: such a value must reach no part of the plug-in. */
std::optional<juce::var> toSettingValue (int index, const juce::var& value);
} // namespace ParamData

/** What the equaliser's values mean: the steps the unit knows, their display texts, typed texts back to
    values, and the converters between normalised values and the unit's codes. All are pure functions,
    safe on any thread; any float (NaN and infinities included) is taken as the nearest value in 0..1. */
namespace ParamTools
{
enum class Kind
{
    none,
    channelMode,
    onOff,
    gain,
    band1Freq,
    band2Freq,
    q,
    lowPass,
    highPass
};

Kind getKind (int index);

/** NaN gives 0, anything else is clamped to 0..1. */
float sanitise (float value);

/** Highest step of a kind (steps run 0..getNumSteps); 0 for Kind::none. */
int getNumSteps (Kind kind);

/** The unit's step for a normalised value: value x numSteps formed in single precision, nearest integer,
    ties to even. So a two-state value of exactly 0.5 is its lower state. */
int valueToStep (Kind kind, float value);

/** The normalised value of a step (clamped to the kind's steps). */
float stepToValue (Kind kind, int step);

/** "CHANNEL" reads "LINK" up to and including 0.5. */
bool isLinked (float channelValue);

/** The first index of the channel whose values both channels keep when "CHANNEL" is switched to
    "LINK" (ParamData::engage1 or engage2), from "SELECTED CHANNEL"; -1 when it names no channel. */
int linkCopyOrigin (const juce::var& selectedChannel);

/** One value of the linking copy: the target parameter takes the value of its twin, the origin. */
struct LinkCopy
{
    int target;
    int origin;
};

/** What "CHANNEL" going from one value to another copies: when it switches to "LINK", every parameter
    of the channel that "SELECTED CHANNEL" does not name takes its twin's value; otherwise nothing. */
std::vector<LinkCopy> linkingCopy (float from, float to, const juce::var& selectedChannel);

/** A switch is on above 0.5. */
bool isOn (float switchValue);

/** The unit's code for a value of a gain, frequency, Q, low-pass or high-pass parameter; 0 for other kinds. */
int valueToCode (Kind kind, float value);

/** The normalised value of a code from the unit; codes outside the kind's range give a value in 0..1. */
float codeToValue (Kind kind, int code);

/** A switch's contribution to the unit's switch code: bit when on, else 0. */
int switchToCode (float value, int bit);

/** A switch's value from the unit's switch code: 1 when bit is set in its low byte, else 0. */
float codeToSwitch (int code, int bit);

/** The display text of a parameter's value; an index outside the table gives the value with 2 decimals. */
juce::String valueToText (int index, float value);

/** The value that a typed text means for a parameter: the step whose text is nearest to it, read as a
    number in the parameter's unit or as one of its step texts. A text that means nothing gives current. */
float textToValue (int index, const juce::String& text, float current);
} // namespace ParamTools

namespace juce
{
/** Checks that text is a number with an optional unit and at most one operation between two numbers.
    On success text is replaced by the computed number and true is returned; on failure text may have
    been changed. */
bool isFormattedToNumber (String& text, String unit);
} // namespace juce
