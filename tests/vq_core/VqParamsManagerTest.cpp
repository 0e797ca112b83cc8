#include "ParamsTestRig.h"

#include <gtest/gtest.h>

#include <limits>

using Manager = juce::VqParamsManager;

namespace
{
/** Overrides the three-argument form, so it is told of its own changes too. */
struct SeesEverything : Manager::AutomatableParamListener
{
    std::vector<AutomatableParamListener*> sources;
    void paramValueChanged (AutomatableParamListener* source, int, float) override { sources.push_back (source); }
};

class ParamsManager : public testing::Test
{
protected:
    vqtest::RigInstance instance;
    Manager& manager = instance.getParamsManager();
    vqtest::RecordingListener first, second;
};
} // namespace

TEST_F (ParamsManager, EveryListenerExceptTheSourceIsToldEvenOfAnUnchangedValue)
{
    manager.addParamListener (&first, 3, Manager::registerOnly);
    manager.addParamListener (&second, 3, Manager::registerOnly);

    manager.setParamValue (nullptr, 3, 0.0f);
    manager.setParamValue (&first, 3, 0.25f);

    ASSERT_EQ (first.values.size(), 1u);
    EXPECT_EQ (first.values[0].value, 0.0f);
    ASSERT_EQ (second.values.size(), 2u);
    EXPECT_EQ (second.values[1].index, 3);
    EXPECT_EQ (second.values[1].value, 0.25f);
    EXPECT_EQ (manager.getParamValue (3), 0.25f);
}

TEST_F (ParamsManager, AListenerRegisteredTwiceIsCalledOncePerChange)
{
    manager.addParamListener (&first, 5, Manager::registerOnly);
    manager.addParamListener (&first, 5, Manager::registerOnly);

    manager.setParamValue (nullptr, 5, 0.5f);

    EXPECT_EQ (first.values.size(), 1u);
}

TEST_F (ParamsManager, TheListenerCountsFollowAddingAndRemovingAndAreZeroOutsideTheTables)
{
    vqtest::RecordingSettingListener setting;
    const auto params = manager.getNumParamListeners (5), settings = manager.getNumNonAutomatableParamListeners (2);
    manager.addParamListener (&first, 5, Manager::registerOnly);
    manager.addParamListener (&first, 5, Manager::registerOnly);
    manager.addNonAutomatableParamListener (&setting, 2, Manager::registerOnly);
    EXPECT_EQ (manager.getNumParamListeners (5), params + 1);
    EXPECT_EQ (manager.getNumNonAutomatableParamListeners (2), settings + 1);

    manager.removeParamListener (&first, 5);
    manager.removeNonAutomatableParamListener (&setting, 2);
    EXPECT_EQ (manager.getNumParamListeners (5), params);
    EXPECT_EQ (manager.getNumNonAutomatableParamListeners (2), settings);

    EXPECT_EQ (manager.getNumParamListeners (-1), 0);
    EXPECT_EQ (manager.getNumParamListeners (manager.getNumParams()), 0);
    EXPECT_EQ (manager.getNumNonAutomatableParamListeners (manager.getNumNonAutomatableParams()), 0);
}

TEST_F (ParamsManager, AListenerOverridingTheSourceFormIsToldOfItsOwnChanges)
{
    SeesEverything listener;
    manager.addParamListener (&listener, 1, Manager::registerOnly);

    manager.setParamValue (&listener, 1, 1.0f);

    ASSERT_EQ (listener.sources.size(), 1u);
    EXPECT_EQ (listener.sources[0], &listener);
}

TEST_F (ParamsManager, AddingToNotifyCallsAtOnceWithTheStoredValueEvenWhenAlreadyRegistered)
{
    manager.setParamValue (nullptr, 7, 0.75f);

    manager.addParamListener (&first, 7, Manager::registerOnly);
    EXPECT_TRUE (first.values.empty());

    manager.addParamListener (&first, 7, Manager::notifyOnAdd);
    manager.addParamListener (&first, 7, Manager::notifyOnAdd);

    ASSERT_EQ (first.values.size(), 2u);
    EXPECT_EQ (first.values[1].value, 0.75f);

    manager.setParamValue (nullptr, 7, 0.5f);
    EXPECT_EQ (first.values.size(), 3u);
}

TEST_F (ParamsManager, ARemovedListenerIsNoLongerTold)
{
    manager.addParamListener (&first, 2, Manager::registerOnly);
    manager.addParamListener (&second, 2, Manager::registerOnly);
    manager.removeParamListener (&first, 2);

    manager.setParamValue (nullptr, 2, 1.0f);

    EXPECT_TRUE (first.values.empty());
    EXPECT_EQ (second.values.size(), 1u);
}

TEST_F (ParamsManager, AListenerAddedDuringANotificationIsCalledInTheSamePass)
{
    struct Adder : vqtest::RecordingListener
    {
        Manager* manager = nullptr;
        vqtest::RecordingListener* late = nullptr;

        void paramValueChanged (int index, float value) override
        {
            RecordingListener::paramValueChanged (index, value);
            manager->addParamListener (late, index, Manager::registerOnly);
        }
    } adder;

    adder.manager = &manager;
    adder.late = &second;
    manager.addParamListener (&adder, 4, Manager::registerOnly);

    manager.setParamValue (nullptr, 4, 0.5f);

    EXPECT_EQ (second.values.size(), 1u);
}

TEST_F (ParamsManager, ALaterListenerReceivesTheValueAnEarlierOneSetAgain)
{
    struct Resetter : vqtest::RecordingListener
    {
        Manager* manager = nullptr;

        void paramValueChanged (int index, float value) override
        {
            RecordingListener::paramValueChanged (index, value);
            if (value > 0.5f)
                manager->setParamValue (this, index, 0.5f);
        }
    } resetter;

    resetter.manager = &manager;
    manager.addParamListener (&resetter, 6, Manager::registerOnly);
    manager.addParamListener (&first, 6, Manager::registerOnly);

    manager.setParamValue (nullptr, 6, 0.9f);

    // The nested pass tells the later listener 0.5, and so does the rest of the outer one.
    ASSERT_EQ (first.values.size(), 2u);
    EXPECT_EQ (first.values[0].value, 0.5f);
    EXPECT_EQ (first.values[1].value, 0.5f);
}

TEST_F (ParamsManager, ValuesOutsideZeroToOneAreClampedAndNonFiniteOnesIgnored)
{
    struct Case
    {
        float written;
        float stored;
        size_t calls;
    };
    constexpr auto inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        { 0.3f, 0.3f, 1 },
        { 1.5f, 1.0f, 1 },
        { -0.2f, 0.0f, 1 },
        { 1e30f, 1.0f, 1 },
        { std::numeric_limits<float>::quiet_NaN(), 0.4f, 0 },
        { inf, 0.4f, 0 },
        { -inf, 0.4f, 0 },
    };

    manager.addParamListener (&first, 5, Manager::registerOnly);

    for (const auto& c : cases)
    {
        manager.setParamValue (nullptr, 5, 0.4f);
        first.values.clear();

        manager.setParamValue (nullptr, 5, c.written);

        EXPECT_EQ (manager.getParamValue (5), c.stored) << c.written;
        EXPECT_EQ (first.values.size(), c.calls) << c.written;
    }
}

TEST_F (ParamsManager, NestedGesturesAnnounceOneStartAndOneEnd)
{
    manager.addParamListener (&first, 3, Manager::registerOnly);

    manager.beginParamGesture (nullptr, 3);
    manager.beginParamGesture (nullptr, 3);
    manager.endParamGesture (nullptr, 3);
    ASSERT_EQ (first.gestures.size(), 1u);
    EXPECT_TRUE (first.gestures[0].starting);

    manager.endParamGesture (nullptr, 3);
    ASSERT_EQ (first.gestures.size(), 2u);
    EXPECT_FALSE (first.gestures[1].starting);
}

TEST_F (ParamsManager, AStrayGestureEndIsIgnoredAndDoesNotSilenceTheNextGesture)
{
    manager.addParamListener (&first, 3, Manager::registerOnly);

    manager.endParamGesture (nullptr, 3);
    manager.endParamGesture (nullptr, 3);
    EXPECT_TRUE (first.gestures.empty());

    manager.beginParamGesture (nullptr, 3);
    manager.endParamGesture (nullptr, 3);

    ASSERT_EQ (first.gestures.size(), 2u);
    EXPECT_TRUE (first.gestures[0].starting);
    EXPECT_FALSE (first.gestures[1].starting);
}

TEST_F (ParamsManager, TheSourceOfAGestureIsNotToldOfIt)
{
    manager.addParamListener (&first, 8, Manager::registerOnly);
    manager.addParamListener (&second, 8, Manager::registerOnly);

    manager.beginParamGesture (&first, 8);
    manager.endParamGesture (&first, 8);

    EXPECT_TRUE (first.gestures.empty());
    EXPECT_EQ (second.gestures.size(), 2u);
}

TEST_F (ParamsManager, AnIndexOutsideTheTablesChangesNothingAndCallsNobody)
{
    vqtest::RecordingSettingListener setting;

    for (int index : { -1, 23 })
    {
        manager.addParamListener (&first, index, Manager::notifyOnAdd);
        manager.setParamValue (nullptr, index, 0.5f);
        manager.beginParamGesture (nullptr, index);
        manager.endParamGesture (nullptr, index);
        manager.removeParamListener (&first, index);
        EXPECT_EQ (manager.getParamValue (index), 0.0f);
        EXPECT_EQ (manager.getDawParameter (index), nullptr);
    }

    for (int index : { -1, 11 })
    {
        manager.addNonAutomatableParamListener (&setting, index, Manager::notifyOnAdd);
        manager.setNonAutomatableParamValue (nullptr, index, 5);
        manager.removeNonAutomatableParamListener (&setting, index);
        EXPECT_EQ (manager.getNonAutomatableParamValue (index), juce::var (-1));
    }

    EXPECT_TRUE (first.values.empty());
    EXPECT_TRUE (first.gestures.empty());
    EXPECT_TRUE (setting.values.empty());
}

TEST_F (ParamsManager, ASettingIsToldToEveryListenerButItsSource)
{
    vqtest::RecordingSettingListener a, b;
    manager.addNonAutomatableParamListener (&a, 3, Manager::registerOnly);
    manager.addNonAutomatableParamListener (&b, 3, Manager::registerOnly);

    manager.setNonAutomatableParamValue (&a, 3, 1);
    manager.setNonAutomatableParamValue (nullptr, 3, 1);

    EXPECT_EQ (a.values.size(), 1u);
    ASSERT_EQ (b.values.size(), 2u);
    EXPECT_EQ (b.values[1].value, juce::var (1));
    EXPECT_EQ (manager.getNonAutomatableParamValue (3), juce::var (1));
}

TEST_F (ParamsManager, ASettingListenerAddedToBeNotifiedGetsTheStoredValueAtOnce)
{
    vqtest::RecordingSettingListener a;
    manager.setNonAutomatableParamValue (nullptr, 10, true);

    manager.addNonAutomatableParamListener (&a, 10, Manager::registerOnly);
    EXPECT_TRUE (a.values.empty());

    manager.addNonAutomatableParamListener (&a, 10, Manager::notifyOnAdd);
    ASSERT_EQ (a.values.size(), 1u);
    EXPECT_EQ (a.values[0].value, juce::var (true));

    manager.removeNonAutomatableParamListener (&a, 10);
    manager.setNonAutomatableParamValue (nullptr, 10, false);
    EXPECT_EQ (a.values.size(), 1u);
}

TEST_F (ParamsManager, TheHostParametersAreTheFirstListenersInIndexOrder)
{
    ASSERT_EQ (instance.getParameters().size(), 23);

    for (int i = 0; i < 23; ++i)
    {
        EXPECT_EQ (instance.getParameters()[i], manager.getDawParameter (i));
        EXPECT_EQ (manager.getDawParameter (i)->getParamIndex(), i);
    }

    // A listener added later is told after the host parameter.
    struct OrderProbe : juce::AudioProcessorParameter::Listener
    {
        const vqtest::RecordingListener& later;
        std::vector<bool> toldBeforeLater;

        explicit OrderProbe (const vqtest::RecordingListener& l)
            : later (l)
        {
        }
        void parameterValueChanged (int, float) override { toldBeforeLater.push_back (later.values.empty()); }
        void parameterGestureChanged (int, bool) override {}
    };

    for (int i = 0; i < 23; ++i)
    {
        vqtest::RecordingListener later;
        OrderProbe probe (later);
        manager.addParamListener (&later, i, Manager::registerOnly);
        manager.getDawParameter (i)->addListener (&probe);

        manager.setParamValue (nullptr, i, 0.5f);

        manager.getDawParameter (i)->removeListener (&probe);
        manager.removeParamListener (&later, i);
        EXPECT_EQ (probe.toldBeforeLater, std::vector<bool> { true }) << i;
        EXPECT_EQ (later.values.size(), 1u) << i;
    }
}
