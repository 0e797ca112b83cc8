#include "FakeHostServices.h"
#include "ParameterRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <thread>

namespace
{
constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST (AAX_CParameter, AnIdentifierKeepsAtMost31BytesAndALongerOneRaisesOneHostAssertion)
{
    struct Case
    {
        size_t length, kept, assertions;
    };

    for (const auto& c : { Case { 1, 1, 0 }, Case { 31, 31, 0 }, Case { 32, 31, 1 }, Case { 80, 31, 1 } })
    {
        FakeHostServices host;
        const std::string id (c.length, 'x');
        const auto parameter = makeParameter (id.c_str());

        EXPECT_EQ (std::string (parameter->Identifier()), id.substr (0, c.kept));
        EXPECT_EQ (std::string (std::unique_ptr<AAX_IParameterValue> (parameter->CloneValue())->Identifier()),
                   id.substr (0, c.kept));
        ASSERT_EQ (host.assertions.size(), c.assertions) << c.length;

        if (c.assertions != 0)
        {
            EXPECT_EQ (host.lastAssertLine, 191);
            EXPECT_EQ (host.assertions[0], "len < eParameterDefaultMaxIdentifierSize");
            EXPECT_EQ (host.lastAssertFlags, 1);
            EXPECT_NE (host.lastAssertFile.find ("Interfaces/AAX_CParameter"), std::string::npos);
        }
    }
}

TEST (AAX_CParameter, ANewParameterIsContinuousWith128StepsAndHoldsItsDefaultConstrainedByTheTaper)
{
    const auto parameter = makeParameter ("0", 1.5f);
    float value = 0.0f;

    EXPECT_EQ (parameter->GetType(), AAX_eParameterType_Continuous);
    EXPECT_EQ (parameter->GetNumberOfSteps(), 128u);
    EXPECT_EQ (parameter->GetOrientation(), 0);
    EXPECT_TRUE (parameter->Automatable());
    EXPECT_TRUE (parameter->GetValueAsFloat (&value));
    EXPECT_EQ (value, 1.0f);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 1.0);
}

TEST (AAX_CParameter, AZeroStepCountIsRefusedAfterAHostAssertion)
{
    FakeHostServices host;
    const auto parameter = makeParameter();

    parameter->SetNumberOfSteps (0);

    EXPECT_EQ (parameter->GetNumberOfSteps(), 128u);
    ASSERT_EQ (host.assertions.size(), 1u);
    EXPECT_EQ (host.lastAssertLine, 834);
    EXPECT_EQ (host.assertions[0], "0 < numSteps");
}

TEST (AAX_CParameter, AShortenedNameIsTheLongestThatFitsOrElseTheShortest)
{
    const auto parameter =
        std::make_unique<Parameter> ("0", AAX_CString ("FREQUENCY 12"), 0.0f, Taper(), Display(), true);
    parameter->AddShortenedName ("FRQ1");
    parameter->AddShortenedName ("FREQ 1 A");

    struct Case
    {
        int32_t maximum;
        const char* expected;
    };

    for (const auto& c : { Case { 12, "FREQUENCY 12" }, Case { 9, "FREQ 1 A" }, Case { 8, "FREQ 1 A" },
                           Case { 6, "FRQ1" }, Case { 4, "FRQ1" }, Case { 3, "FRQ1" }, Case { -1, "FREQUENCY 12" } })
        EXPECT_STREQ (parameter->ShortenedName (c.maximum).Get(), c.expected) << c.maximum;

    parameter->AddShortenedName ("FQ 1");
    EXPECT_STREQ (parameter->ShortenedName (4).Get(), "FQ 1");

    parameter->ClearShortenedNames();
    EXPECT_STREQ (parameter->ShortenedName (4).Get(), "FREQUENCY 12");
}

TEST (AAX_CParameter, StepsAndNormalisedValuesConvertRoundedAndClampedAndANaNGivesStepZero)
{
    const auto parameter = makeParameter();
    parameter->SetNumberOfSteps (5);

    EXPECT_EQ (parameter->GetNormalizedValueFromStep (3), 0.75);
    EXPECT_EQ (parameter->GetNormalizedValueFromStep (7), 1.0);

    struct Case
    {
        double normalised;
        uint32_t step;
    };

    for (const auto& c : { Case { 0.6, 2 }, Case { 0.63, 3 }, Case { 1.2, 4 }, Case { -0.3, 0 }, Case { notANumber, 0 },
                           Case { 1e300, 4 } })
        EXPECT_EQ (parameter->GetStepValueFromNormalizedValue (c.normalised), c.step) << c.normalised;

    parameter->SetStepValue (2);
    EXPECT_EQ (parameter->GetStepValue(), 2u);

    parameter->SetNumberOfSteps (1);
    EXPECT_EQ (parameter->GetNormalizedValueFromStep (3), 0.0);
    EXPECT_EQ (parameter->GetStepValueFromNormalizedValue (0.6), 0u);
}

TEST (AAX_CLinearTaperDelegate, OutOfRangeValuesGiveTheNearerEndEqualEndsGiveOneHalfAndNaNGivesTheMinimum)
{
    const Taper unit;
    const Taper inverted (1.0f, -1.0f);
    const Taper flat (0.3f, 0.3f);

    EXPECT_EQ (unit.NormalizedToReal (1.5), 1.0f);
    EXPECT_EQ (unit.NormalizedToReal (-1e300), 0.0f);
    EXPECT_EQ (unit.NormalizedToReal (notANumber), 0.0f);
    EXPECT_EQ (unit.RealToNormalized (-2.0f), 0.0);
    EXPECT_EQ (unit.RealToNormalized (0.25f), 0.25);
    EXPECT_EQ (unit.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ (unit.RealToNormalized (std::numeric_limits<float>::quiet_NaN()), 0.0);
    EXPECT_EQ (inverted.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN()), 1.0f);
    EXPECT_EQ (inverted.ConstrainRealValue (-3.0f), -1.0f);
    EXPECT_EQ (inverted.NormalizedToReal (0.25), 0.5f);

    for (const auto real : { -5.0f, 0.3f, 7.0f })
        EXPECT_EQ (flat.RealToNormalized (real), 0.5);
}

TEST (AAX_CNumberDisplayDelegate, ValuesAreWrittenWithThreeDecimalsAndCutToTheLimit)
{
    const Display display;

    struct Case
    {
        float value;
        int32_t limit;
        const char* expected;
    };

    for (const auto& c :
         { Case { 0.5f, 100, "0.500" }, Case { 0.5f, 4, "0.50" }, Case { 0.5f, 2, "0" }, Case { 0.5f, 0, "" },
           Case { 0.5f, -1, "" }, Case { 12.3456f, 5, "12.34" }, Case { -0.0004f, 100, "-0.000" } })
    {
        AAX_CString text ("old");
        EXPECT_TRUE (display.ValueToString (c.value, c.limit, &text));
        EXPECT_STREQ (text.Get(), c.expected) << c.value << " " << c.limit;
    }
}

TEST (AAX_CNumberDisplayDelegate, TextIsReadAsTheLeadingNumberAndNumbersAFloatCannotHoldAreRefused)
{
    const Display display;

    struct Case
    {
        const char* text;
        bool accepted;
        float value;
    };

    for (const auto& c : { Case { " 2.5abc", true, 2.5f }, Case { "-3e2", true, -300.0f }, Case { "abc", false, 0.0f },
                           Case { "", false, 0.0f }, Case { "1e300", false, 0.0f }, Case { "-1e300", false, 0.0f },
                           Case { "nan", false, 0.0f }, Case { "inf", false, 0.0f }, Case { "1e999", false, 0.0f } })
    {
        float value = 99.0f;
        EXPECT_EQ (display.StringToValue (AAX_CString (c.text), &value), c.accepted) << c.text;
        EXPECT_EQ (value, c.value) << c.text;
    }
}

TEST (AAX_CParameter, OnlyTheFloatKindIsOfferedAndTextThatIsNoNumberChangesNothing)
{
    const auto parameter = makeParameter();
    bool b = false;
    int32_t i = 0;
    double d = 0.0, normalised = -1.0;
    float f = 0.0f;

    EXPECT_FALSE (parameter->GetValueAsBool (&b));
    EXPECT_FALSE (parameter->GetValueAsInt32 (&i));
    EXPECT_FALSE (parameter->GetValueAsDouble (&d));
    EXPECT_FALSE (parameter->SetValueWithBool (true));
    EXPECT_FALSE (parameter->SetValueWithInt32 (1));
    EXPECT_FALSE (parameter->SetValueWithDouble (1.0));
    EXPECT_FALSE (parameter->GetNormalizedValueFromDouble (0.5, &normalised));
    EXPECT_FALSE (parameter->GetDoubleFromNormalizedValue (0.5, &d));
    EXPECT_TRUE (parameter->GetFloatFromNormalizedValue (0.75, &f));
    EXPECT_EQ (f, 0.75f);

    AAX_CString host;
    EXPECT_FALSE (parameter->SetValueWithString (AAX_CString ("abc")));
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("inf"), &normalised));
    EXPECT_EQ (normalised, -1.0);
    EXPECT_FALSE (parameter->GetValueAsString (nullptr));
    EXPECT_TRUE (parameter->GetValueAsString (&host));
    EXPECT_STREQ (host.Get(), "0.250");

    EXPECT_TRUE (parameter->SetValueWithString (AAX_CString ("0.5")));
    EXPECT_EQ (parameter->GetNormalizedValue(), 0.5);
    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (2.0, 4, host));
    EXPECT_STREQ (host.Get(), "1.00");
}

TEST (AAX_CParameterValue, TwoThreadsWritingAndReadingOneValueReadOnlyWrittenValuesAndACloneHoldsTheLast)
{
    // A host's automation thread and its UI thread may both write a parameter and read it back.
    AAX_CParameterValue<float> value ("gain", 0.25f);
    const auto writeAndRead = [&value] (float mine, float theirs, bool* onlyWritten)
    {
        for (int i = 0; i < 2000; ++i)
        {
            value.Set (mine);
            float read = -1.0f;
            value.GetValueAsFloat (&read);
            *onlyWritten = *onlyWritten && (read == mine || read == theirs);
        }
    };

    bool firstReadOnlyWritten = true, secondReadOnlyWritten = true;
    std::thread first (writeAndRead, 0.5f, 0.75f, &firstReadOnlyWritten);
    std::thread second (writeAndRead, 0.75f, 0.5f, &secondReadOnlyWritten);
    first.join();
    second.join();

    EXPECT_TRUE (firstReadOnlyWritten);
    EXPECT_TRUE (secondReadOnlyWritten);
    const auto last = value.Get();
    EXPECT_TRUE (last == 0.5f || last == 0.75f) << last;

    const std::unique_ptr<AAX_IParameterValue> copy (value.Clone());
    float copied = -1.0f;
    EXPECT_TRUE (copy->GetValueAsFloat (&copied));
    EXPECT_EQ (copied, last);
    EXPECT_STREQ (copy->Identifier(), "gain");
}

TEST (AAX_CParameter, AValueWithoutAnAutomationDelegateIsStoredAtOnce)
{
    const auto parameter = makeParameter();

    EXPECT_TRUE (parameter->SetValueWithFloat (0.75f));
    EXPECT_EQ (parameter->GetNormalizedValue(), 0.75);

    parameter->SetNormalizedValue (0.5);
    EXPECT_EQ (parameter->GetNormalizedValue(), 0.5);
}

TEST (AAX_CParameter, AValueIsRequestedFromTheHostInsideATouchAndLandsOnlyWithTheEcho)
{
    AutomatedParameter rig (RecordingAutomationDelegate::Echo::Later);

    rig.parameter->SetValueWithFloat (0.75f);

    EXPECT_EQ (rig.automation.calls, (std::vector<std::string> { "touch 0", "set 0 0.750000", "release 0" }));
    EXPECT_EQ (rig.value(), 0.25f);

    rig.automation.flush();

    EXPECT_EQ (rig.value(), 0.75f);
    EXPECT_EQ (rig.automation.calls.back(), "current 0 0.750000");
}

TEST (AAX_CParameter, AnEchoInsideTheRequestLandsBeforeTheReleaseAndNoEchoLeavesTheValue)
{
    AutomatedParameter atOnce (RecordingAutomationDelegate::Echo::AtOnce);
    atOnce.parameter->SetNormalizedValue (0.5);

    EXPECT_EQ (atOnce.automation.calls,
               (std::vector<std::string> { "touch 0", "set 0 0.500000", "current 0 0.500000", "release 0" }));
    EXPECT_EQ (atOnce.value(), 0.5f);

    AutomatedParameter never (RecordingAutomationDelegate::Echo::Never);
    never.parameter->SetToDefaultValue();
    never.parameter->SetValueFromString (AAX_CString ("0.9"));

    EXPECT_EQ (never.value(), 0.25f);
    EXPECT_EQ (never.automation.calls.size(), 6u);
}

TEST (AAX_CParameter, AnEchoOfTheHeldValueIsReportedOnlyWhileANotificationIsPending)
{
    AutomatedParameter rig (RecordingAutomationDelegate::Echo::Never);

    rig.parameter->UpdateNormalizedValue (0.25);
    EXPECT_TRUE (rig.automation.calls.empty());

    rig.parameter->SetTaperDelegate (*std::make_unique<Taper> (0.0f, 2.0f), true);
    rig.automation.calls.clear();

    rig.parameter->UpdateNormalizedValue (0.125);
    rig.parameter->UpdateNormalizedValue (0.125);

    EXPECT_EQ (rig.automation.calls, (std::vector<std::string> { "current 0 0.125000" }));
    EXPECT_EQ (rig.value(), 0.25f);
}

TEST (AAX_CParameter, ATaperChangeKeepsTheNormalisedPositionUnlessAskedToKeepTheRealValue)
{
    const auto parameter = makeParameter ("0", 0.5f);

    parameter->SetTaperDelegate (*std::make_unique<Taper> (0.0f, 4.0f), false);
    float value = 0.0f;
    parameter->GetValueAsFloat (&value);
    EXPECT_EQ (value, 2.0f);

    parameter->SetTaperDelegate (*std::make_unique<Taper> (0.0f, 8.0f), true);
    parameter->GetValueAsFloat (&value);
    EXPECT_EQ (value, 2.0f);
    EXPECT_EQ (parameter->GetNormalizedValue(), 0.25);
}

TEST (AAX_CParameter, TheAutomationDelegateHearsRegistrationNamesDisplaysAndDestruction)
{
    RecordingAutomationDelegate automation;
    auto parameter = makeParameter ("7", 0.5f);

    parameter->SetAutomationDelegate (&automation);
    parameter->SetName (AAX_CString ("EQ1"));
    parameter->SetDisplayDelegate (*std::make_unique<Display>());
    parameter->Touch();
    parameter->Release();
    parameter.reset();

    EXPECT_EQ (automation.calls, (std::vector<std::string> { "register 7", "name 7", "current 7 0.500000", "touch 7",
                                                             "release 7", "unregister 7" }));
}
