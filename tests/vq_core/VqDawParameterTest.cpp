#include "MessageLoop.h"
#include "ParamsTestRig.h"

#include <gtest/gtest.h>

#include <limits>
#include <thread>

using Manager = juce::VqParamsManager;

namespace
{
/** Counts the manager updates a host parameter makes, and the thread they come on. */
struct UpdateCounter : Manager::AutomatableParamListener
{
    std::vector<float> fromHost;
    int otherThreadCalls = 0;

    void paramValueChanged (AutomatableParamListener* source, int, float value) override
    {
        if (! juce::MessageManager::getInstance()->isThisTheMessageThread())
            ++otherThreadCalls;

        if (dynamic_cast<juce::VqDawParameter*> (source) != nullptr)
            fromHost.push_back (value);
    }
};

class HostParameter : public testing::Test
{
protected:
    HostParameter()
    {
        manager.addParamListener (&updates, index, Manager::registerOnly);
        daw.addListener (&host);
    }

    ~HostParameter() override
    {
        daw.removeListener (&host);
        manager.removeParamListener (&updates, index);
    }

    static constexpr int index = 3;
    vqtest::RigInstance instance;
    Manager& manager = instance.getParamsManager();
    juce::VqDawParameter& daw = instance.daw (index);
    UpdateCounter updates;
    vqtest::HostRecorder host;
};

juce::VqDawParameter makeParameter (Manager& manager, juce::VqDawParameter::TextToValueFunction textToValue = {},
                                    const juce::String& label = {})
{
    return { "EQ1 GAIN 1/STEREO",
             { 0.0, 1.0 },
             0.5,
             label,
             juce::AudioProcessorParameter::genericParameter,
             2,
             manager,
             99,
             [] (float v) { return "v=" + juce::String (v, 3); },
             std::move (textToValue) };
}
} // namespace

TEST_F (HostParameter, SeveralHostWritesBetweenTwoTurnsMakeOneUpdateWithTheLastValue)
{
    daw.setValue (0.1f);
    daw.setValue (0.2f);
    daw.setValue (0.7f);
    vqtest::drainMessageLoop();

    ASSERT_EQ (updates.fromHost.size(), 1u);
    EXPECT_EQ (updates.fromHost[0], 0.7f);
    EXPECT_EQ (manager.getParamValue (index), 0.7f);
}

TEST_F (HostParameter, HostWritesFromOtherThreadsReachTheManagerOnlyOnTheMessageThreadAndOnce)
{
    std::vector<std::thread> writers;

    for (int t = 0; t < 4; ++t)
        writers.emplace_back (
            [this, t]
            {
                // Never 0, the value the manager starts with: a last write of it would rightly change nothing.
                for (int i = 1; i <= 200; ++i)
                    daw.setValue ((float) (1 + (i * 7 + t) % 99) / 100.0f);
            });

    for (auto& w : writers)
        w.join();

    const auto last = daw.getValue();
    vqtest::drainMessageLoop();

    EXPECT_EQ (updates.otherThreadCalls, 0);
    ASSERT_EQ (updates.fromHost.size(), 1u);
    EXPECT_EQ (updates.fromHost[0], last);
    EXPECT_EQ (manager.getParamValue (index), last);
}

TEST_F (HostParameter, TheHostWritingTheValueItHoldsMakesNoUpdate)
{
    daw.setValue (daw.getValue());
    vqtest::drainMessageLoop();

    EXPECT_TRUE (updates.fromHost.empty());
}

TEST_F (HostParameter, NonFiniteHostValuesAreIgnoredAndOthersClamped)
{
    struct Case
    {
        float written;
        float held;
    };
    constexpr auto inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        { std::numeric_limits<float>::quiet_NaN(), 0.4f },
        { inf, 0.4f },
        { -inf, 0.4f },
        { 3.0f, 1.0f },
        { -1.0f, 0.0f },
    };

    for (const auto& c : cases)
    {
        daw.setValue (0.4f);
        vqtest::drainMessageLoop();

        daw.setValue (c.written);
        vqtest::drainMessageLoop();

        EXPECT_EQ (daw.getValue(), c.held) << c.written;
        EXPECT_EQ (manager.getParamValue (index), c.held) << c.written;
    }
}

TEST_F (HostParameter, HostAutomationReachesTheOtherListenersButIsNotAnnouncedBackToTheHost)
{
    vqtest::RecordingListener view;
    manager.addParamListener (&view, index, Manager::registerOnly);

    daw.setValue (0.9f);
    vqtest::drainMessageLoop();

    ASSERT_EQ (view.values.size(), 1u);
    EXPECT_EQ (view.values[0].value, 0.9f);
    EXPECT_TRUE (host.values.empty());
    manager.removeParamListener (&view, index);
}

TEST_F (HostParameter, AChangeMadeElsewhereIsAnnouncedToTheHostAndDoesNotComeBack)
{
    vqtest::RecordingListener window;
    manager.setParamValue (&window, index, 0.25f);
    vqtest::drainMessageLoop();

    ASSERT_EQ (host.values.size(), 1u);
    EXPECT_EQ (host.values[0], 0.25f);
    EXPECT_EQ (daw.getValue(), 0.25f);
    EXPECT_TRUE (updates.fromHost.empty());
}

TEST_F (HostParameter, AChangeMadeElsewhereWinsOverAnOlderHostWriteStillWaiting)
{
    daw.setValue (0.8f);
    manager.setParamValue (nullptr, index, 0.3f);
    vqtest::drainMessageLoop();

    EXPECT_TRUE (updates.fromHost.empty());
    EXPECT_EQ (manager.getParamValue (index), 0.3f);
    EXPECT_EQ (daw.getValue(), 0.3f);
}

/** The host parameters' clock, moved by the test. */
struct TestClock
{
    TestClock()
    {
        juce::VqDawParameter::setClock ([this] { return now; });
    }
    ~TestClock() { juce::VqDawParameter::setClock ({}); }

    juce::uint32 now = 1000;
};

TEST_F (HostParameter, ALateEchoOfAnAnnouncedValueNeverWinsOverAChangeReceivedAfterTheAnnouncement)
{
    TestClock clock;
    manager.setParamValue (nullptr, index, 0.25f);
    manager.setParamValue (nullptr, index, 0.5f);

    // The echoes come back in order, each after the next value.
    clock.now += juce::VqDawParameter::echoWithinMs;
    daw.setValue (0.25f);
    vqtest::drainMessageLoop();
    EXPECT_EQ (daw.getValue(), 0.5f);

    manager.setParamValue (nullptr, index, 0.75f);
    daw.setValue (0.5f);
    vqtest::drainMessageLoop();

    EXPECT_TRUE (updates.fromHost.empty());
    EXPECT_EQ (manager.getParamValue (index), 0.75f);
    EXPECT_EQ (daw.getValue(), 0.75f);
}

TEST_F (HostParameter, AWriteOfAnAnnouncedValueIsANewChangeOnceItsEchoHasComeOrCannotComeAnyMore)
{
    TestClock clock;
    manager.setParamValue (nullptr, index, 0.25f);
    manager.setParamValue (nullptr, index, 0.5f);
    daw.setValue (0.25f); // the echo
    daw.setValue (0.25f); // the host's own write
    vqtest::drainMessageLoop();
    EXPECT_EQ (manager.getParamValue (index), 0.25f) << "an announcement is echoed once";

    // An echo that came while its value was shown never reached the parameter.
    manager.setParamValue (nullptr, index, 0.75f);
    manager.setParamValue (nullptr, index, 0.5f);
    clock.now += juce::VqDawParameter::echoWithinMs + 1;
    daw.setValue (0.75f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (updates.fromHost, (std::vector<float> { 0.25f, 0.75f }));
    EXPECT_EQ (manager.getParamValue (index), 0.75f);
}

TEST_F (HostParameter, TheHostSeesTheLatestChangeReceivedWhicheverArrivesFirst)
{
    // Each: what happens, in the order received, and what the host and the manager hold in the end.
    struct Case
    {
        const char* name;
        std::function<void()> steps;
        float survivor;
    };

    const Case cases[] = {
        { "a value shown, then a host write",
          [&]
          {
              daw.showReceivedValue (0.4f, manager.takeChangeStamp());
              daw.setValue (0.9f);
          },
          0.9f },
        { "a host write, then a value shown, which the manager applies later",
          [&]
          {
              daw.setValue (0.9f);
              const auto received = manager.takeChangeStamp();
              daw.showReceivedValue (0.4f, received);
              EXPECT_EQ (daw.getValue(), 0.4f) << "read at once";
              manager.applyParamValue (nullptr, index, 0.4f, received);
          },
          0.4f },
        { "a value received, then a host write, then the older value shown and applied",
          [&]
          {
              const auto received = manager.takeChangeStamp();
              daw.setValue (0.9f);
              daw.showReceivedValue (0.4f, received);
              manager.applyParamValue (nullptr, index, 0.4f, received);
          },
          0.9f },
        { "a host write, then a change announced by the manager before the write is applied",
          [&]
          {
              daw.setValue (0.9f);
              manager.setParamValue (nullptr, index, 0.3f);
          },
          0.3f },
    };

    for (const auto& [name, steps, survivor] : cases)
    {
        manager.setParamValue (nullptr, index, 0.5f);
        steps();
        vqtest::drainMessageLoop();

        EXPECT_EQ (daw.getValue(), survivor) << name;
        EXPECT_EQ (manager.getParamValue (index), survivor) << name;
    }
}

TEST_F (HostParameter, GesturesFromOtherSourcesBecomeTheHostsTouchAndRelease)
{
    manager.beginParamGesture (nullptr, index);
    manager.endParamGesture (nullptr, index);

    EXPECT_EQ (host.gestures, (std::vector<bool> { true, false }));
}

TEST (HostParameterTexts, TheNameIsNeverShortened)
{
    vqtest::RigInstance instance;
    auto daw = makeParameter (instance.getParamsManager());

    EXPECT_EQ (daw.getName (4), "EQ1 GAIN 1/STEREO");
    EXPECT_EQ (daw.getDefaultValue(), 0.5f);
    EXPECT_EQ (daw.getValue(), 0.5f);
}

TEST (HostParameterTexts, TheTextIsTheOwnersOrElseTheNumberWithItsDecimalPlaces)
{
    vqtest::RigInstance instance;
    auto withText = makeParameter (instance.getParamsManager());

    EXPECT_EQ (withText.getText (0.25f, 2), "v=0.250");
    EXPECT_EQ (instance.daw (0).getText (0.126f, 100), "0.13");
}

TEST (HostParameterTexts, TypedTextGoesThroughTheOwnersFunctionWithinZeroToOne)
{
    vqtest::RigInstance instance;
    auto daw = makeParameter (instance.getParamsManager(),
                              [] (const juce::String& text)
                              {
                                  if (text == "nan")
                                      return std::numeric_limits<float>::quiet_NaN();
                                  return text.getFloatValue();
                              });

    EXPECT_EQ (daw.getValueForText ("0.75"), 0.75f);
    EXPECT_EQ (daw.getValueForText ("7"), 1.0f);
    EXPECT_EQ (daw.getValueForText ("-2"), 0.0f);
    EXPECT_EQ (daw.getValueForText ("nan"), daw.getValue());
}

TEST (HostParameterTexts, WithoutAnOwnersFunctionTypedTextIsReadAsAPlainNumber)
{
    struct Case
    {
        const char* text;
        float value;
    };
    const Case cases[] = {
        { "+3", 1.0f }, { "  + +0.25", 0.25f }, { "0,5", 0.5f },   { "letters", 0.0f }, { "", 0.0f },
        { "-3", 0.0f }, { "--3", 0.0f },        { "0.4dB", 0.4f }, { "1e999", 1.0f },   { "1/0", 1.0f },
    };

    vqtest::RigInstance instance;
    auto& daw = instance.daw (0);

    for (const auto& c : cases)
        EXPECT_EQ (daw.getValueForText (c.text), c.value) << c.text;

    EXPECT_EQ (daw.getValueForText (juce::String::repeatedString ("9", 1000)), 1.0f);
}

TEST (HostParameterTexts, ALabelAtTheEndOfTypedTextIsCutOff)
{
    vqtest::RigInstance instance;
    auto daw = makeParameter (instance.getParamsManager(), {}, "x0.5");

    EXPECT_EQ (daw.getLabel(), "x0.5");
    EXPECT_EQ (daw.getValueForText ("0.25x0.5"), 0.25f);
}
