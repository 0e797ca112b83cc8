#include "MessageLoop.h"
#include "MidiParam.h"

#include <gtest/gtest.h>

namespace
{
class MidiParamTest : public testing::Test
{
protected:
    MidiParamTest()
    {
        MidiParam::setWallClock ([this] { return nowMs; });
        install (*param);
    }

    ~MidiParamTest() override
    {
        param.reset();
        MidiParam::setWallClock ({});
    }

    void install (MidiParam& p)
    {
        p.onValueFromDevice = [this] (int v, MidiParam::ChangeStamp)
        {
            applied.push_back (v);
            return true;
        };
        p.onGesture = [this] (bool starting) { (starting ? opened : closed)++; };
        p.onSend = [this] (int v)
        {
            sent.push_back (v);
            return messageMs;
        };
    }

    // A value from the unit at a time of the injected clock, applied on the message thread.
    int receiveAt (juce::int64 timeMs, int value)
    {
        nowMs = timeMs;
        param->valueFromDevice (value, [this] { return ++stamp; });
        vqtest::drainMessageLoop();
        return param->getTimerInterval (0);
    }

    static constexpr int messageMs = 4; // one message on the cable

    juce::int64 nowMs = 1'000'000;
    MidiParam::ChangeStamp stamp = 0;
    std::unique_ptr<MidiParam> param = std::make_unique<MidiParam>();
    std::vector<int> applied, sent;
    int opened = 0, closed = 0;
};

struct Burst
{
    const char* name;
    std::vector<juce::int64> times;
    std::vector<int> quietTimes;
};

void PrintTo (const Burst& burst, std::ostream* os)
{
    *os << burst.name;
}

class MidiParamBurstTest : public MidiParamTest, public testing::WithParamInterface<Burst>
{
};

TEST_P (MidiParamBurstTest, ABurstOfValuesFromTheUnitIsOneGestureWithThreeGapsOfQuietTime)
{
    const auto& burst = GetParam();
    for (size_t i = 0; i < burst.times.size(); ++i)
        EXPECT_EQ (receiveAt (1'000'000 + burst.times[i], (int) i), burst.quietTimes[i]) << "value " << i;

    EXPECT_EQ (opened, 1);
    EXPECT_EQ (closed, 0);
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([this] { return closed == 1; }));
    EXPECT_EQ (opened, 1);
    EXPECT_EQ (applied.size(), burst.times.size());
}

INSTANTIATE_TEST_SUITE_P (
    Timings, MidiParamBurstTest,
    testing::Values (Burst { "ALoneValueWaits300Ms", { 0 }, { 300 } },
                     Burst { "Values50MsApartWait150MsAfterEachLaterOne", { 0, 50, 100 }, { 300, 150, 150 } },
                     Burst { "LongGapsAreClampedTo1000Ms", { 0, 250, 600 }, { 300, 750, 1000 } },
                     Burst { "ShortGapsAreClampedTo100Ms", { 0, 10 }, { 300, 100 } },
                     Burst { "AClockThatStepsBackGives100Ms", { 0, -20 }, { 300, 100 } },
                     Burst { "AClockThatJumpsByDaysGives1000Ms", { 0, 10'000'000'000 }, { 300, 1000 } }),
    [] (const testing::TestParamInfo<Burst>& info) { return std::string (info.param.name); });

TEST_F (MidiParamTest, TheQuietTimeCountsFromTheArrivalsNotFromWhenTheBusyMessageThreadTookThem)
{
    receiveAt (0, 1);

    // Received 10 ms after the first, taken by the message thread 200 ms later.
    nowMs += 10;
    param->valueFromDevice (2, [this] { return ++stamp; });
    nowMs += 200;
    vqtest::drainMessageLoop();

    EXPECT_EQ (param->getTimerInterval (0), 1) << "three gaps of 10 ms, 100 at least, have passed by then";
}

TEST_F (MidiParamTest, AValueAfterTheGestureHasClosedOpensANewGestureWith300Ms)
{
    receiveAt (0, 1);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return closed == 1; }));

    EXPECT_EQ (receiveAt (20, 2), 300);
    EXPECT_EQ (opened, 2);
}

TEST_F (MidiParamTest, ValuesFasterThanTheMessageThreadAreMergedAndOnlyTheNewestIsApplied)
{
    for (int v : { 7, 8, 9 })
        param->valueFromDevice (v, [this] { return ++stamp; });

    vqtest::drainMessageLoop();

    EXPECT_EQ (applied, std::vector<int> { 9 });
    EXPECT_EQ (opened, 1);
}

TEST_F (MidiParamTest, TheGestureIsOpenWhenTheValueIsApplied)
{
    int openWhenApplied = -1;
    param->onValueFromDevice = [&] (int, MidiParam::ChangeStamp)
    {
        openWhenApplied = opened - closed;
        return true;
    };
    receiveAt (0, 1);

    EXPECT_EQ (openWhenApplied, 1);
}

TEST_F (MidiParamTest, DeletingTheObjectClosesAGestureThatIsStillOpen)
{
    receiveAt (0, 1);
    ASSERT_EQ (opened, 1);

    param.reset();

    EXPECT_EQ (closed, 1);
}

TEST_F (MidiParamTest, DeletingTheObjectWithAValueStillOnItsWayAppliesNothing)
{
    param->valueFromDevice (3, [this] { return ++stamp; });
    param.reset();
    vqtest::drainMessageLoop();

    EXPECT_TRUE (applied.empty());
    EXPECT_EQ (opened, 0);
    EXPECT_EQ (closed, 0);
}

TEST_F (MidiParamTest, AValueToSendGoesToOnSendOnly)
{
    param->dawValueChanged (42);

    EXPECT_EQ (sent, std::vector<int> { 42 });
    EXPECT_TRUE (applied.empty());

    param->onSend = nullptr;
    param->dawValueChanged (43);
    EXPECT_EQ (sent.size(), 1u);
}
} // namespace
