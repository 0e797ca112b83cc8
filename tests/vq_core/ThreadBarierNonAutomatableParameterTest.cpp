#include "MessageLoop.h"
#include "ParamsTestRig.h"

#include "vq_core/ThreadBarierNonAutomatableParameter.h"

#include <gtest/gtest.h>

#include <thread>

using Manager = juce::VqParamsManager;

namespace
{
struct SettingRecorder : Manager::NonAutomatableParamListener
{
    std::vector<juce::var> values;
    int otherThreadCalls = 0;
    std::function<void()> onChange;

    void nonAutomatableParamValueChanged (int, juce::var value) override
    {
        if (! juce::MessageManager::getInstance()->isThisTheMessageThread())
            ++otherThreadCalls;

        values.push_back (value);

        if (onChange != nullptr)
            std::exchange (onChange, nullptr)();
    }
};

class ThreadBarrier : public testing::Test
{
protected:
    ThreadBarrier() { manager.addNonAutomatableParamListener (&recorder, index, Manager::registerOnly); }
    ~ThreadBarrier() override { manager.removeNonAutomatableParamListener (&recorder, index); }

    static constexpr int index = 1;
    vqtest::RigInstance instance;
    Manager& manager = instance.getParamsManager();
    juce::ThreadBarierNonAutomatableParameter setter { manager, index };
    SettingRecorder recorder;
};
} // namespace

TEST_F (ThreadBarrier, SettingTheValueTheManagerHoldsCallsNoListener)
{
    setter.setParamValue (0);
    vqtest::drainMessageLoop();

    EXPECT_TRUE (recorder.values.empty());
}

TEST_F (ThreadBarrier, NothingIsAppliedBeforeTheMessageThreadRuns)
{
    setter.setParamValue (7);

    EXPECT_EQ (manager.getNonAutomatableParamValue (index), juce::var (0));
    vqtest::drainMessageLoop();
    EXPECT_EQ (manager.getNonAutomatableParamValue (index), juce::var (7));
}

TEST_F (ThreadBarrier, TwoQuickCallsApplyOnlyTheSecond)
{
    setter.setParamValue (5);
    setter.setParamValue (9);
    vqtest::drainMessageLoop();

    ASSERT_EQ (recorder.values.size(), 1u);
    EXPECT_EQ (recorder.values[0], juce::var (9));
}

TEST_F (ThreadBarrier, WritesFromOtherThreadsApplyTheLastValueOnceOnTheMessageThread)
{
    std::thread writer (
        [this]
        {
            for (int i = 1; i <= 500; ++i)
                setter.setParamValue (juce::String ("device ") + juce::String (i));
        });
    writer.join();

    vqtest::drainMessageLoop();

    EXPECT_EQ (recorder.otherThreadCalls, 0);
    ASSERT_EQ (recorder.values.size(), 1u);
    EXPECT_EQ (recorder.values[0], juce::var ("device 500"));
}

TEST_F (ThreadBarrier, ConcurrentWritersLeaveOneOfTheirValuesApplied)
{
    std::vector<std::thread> writers;

    for (int t = 0; t < 4; ++t)
        writers.emplace_back (
            [this, t]
            {
                for (int i = 0; i < 300; ++i)
                    setter.setParamValue (t + 1);
            });

    for (auto& w : writers)
        w.join();

    vqtest::drainMessageLoop();

    ASSERT_EQ (recorder.values.size(), 1u);
    EXPECT_GE ((int) recorder.values[0], 1);
    EXPECT_LE ((int) recorder.values[0], 4);
}

TEST_F (ThreadBarrier, AValueSetWhileAnUpdateIsBeingAppliedIsAppliedOnALaterTurn)
{
    recorder.onChange = [this] { setter.setParamValue (2); };

    setter.setParamValue (1);
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    ASSERT_EQ (recorder.values.size(), 2u);
    EXPECT_EQ (recorder.values[0], juce::var (1));
    EXPECT_EQ (recorder.values[1], juce::var (2));
}
