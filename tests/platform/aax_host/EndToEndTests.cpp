#include "AAX_Enums.h"
#include "ModuleFixture.h"
#include "vq_midi/VqSysexProtocol.h"

#include <thread>

using Direction = vqsim::SimulatedUnit::Direction;
using EndToEnd = ModuleFixture;

TEST_F (EndToEnd, TheHostSeesTwentyFourParametersOfWhichTheMasterBypassIsLeftOutOfTheControlsChunk)
{
    auto instance = makeInstance();
    const auto parameters = instance->listParameters();
    ASSERT_EQ (parameters.size(), 24u);
    EXPECT_EQ (parameters.front().name, "CHANNEL");
    EXPECT_EQ (parameters.back().id, "MasterBypassID");

    uint32_t size = 0;
    ASSERT_EQ (instance->parameters().GetChunkSize ('elck', &size), AAX_SUCCESS);
    EXPECT_EQ (size, 4u + 10u * 12u + 13u * 16u) << "23 d_ entries: ten one-digit and thirteen two-digit names";
}

TEST_F (EndToEnd, AHostWithoutFeatureInformationSeesEveryComponentAndAMonoStereoHostFour)
{
    EXPECT_EQ (module->effect()->components.size(), 169u);
    unload();

    load (aax_host::FeatureSupport::onlyStemFormats ({ AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo }));
    EXPECT_EQ (module->effect()->components.size(), 4u);
}

TEST_F (EndToEnd, HostAutomationReachesTheUnitAndAUnitChangeComesBackAsTouchValueAndRelease)
{
    vqsim::SimulatedUnit unit (setup, 17);
    unit.plugIn();
    auto instance = makeInstance();
    ASSERT_TRUE (connect (unit));

    EXPECT_EQ (instance->automate ("3", 0.75), AAX_SUCCESS);
    EXPECT_TRUE (module->runMessageLoopUntil (3000, [&] { return ! unit.getTraffic (Direction::toUnit).empty(); }));
    EXPECT_EQ (unit.getTraffic (Direction::toUnit).at (0).size(), 10u);
    module->runMessageLoopFor (200);
    unit.clearTraffic();

    auto& log = instance->host().log;
    log.clear();
    unit.turnControl (juce::VqSysexProtocol::eq1Frequency, 200);
    ASSERT_TRUE (module->runMessageLoopUntil (
        5000, [&] { return log.matching ("automation.PostReleaseRequest 4").size() >= 1; }));
    module->runMessageLoopFor (300);

    const auto calls = log.matching ("automation.Post");
    const auto first = [&] (const std::string& call)
    { return std::find (calls.begin(), calls.end(), call) - calls.begin(); };
    EXPECT_LT (first ("automation.PostTouchRequest 4"), first ("automation.PostSetValueRequest 4 0.784314"));
    EXPECT_LT (first ("automation.PostSetValueRequest 4 0.784314"), first ("automation.PostReleaseRequest 4"));
    EXPECT_EQ (log.matching ("automation.PostTouchRequest 4").size(),
               log.matching ("automation.PostReleaseRequest 4").size())
        << "every touch is released";
    EXPECT_TRUE (unit.getTraffic (Direction::toUnit).empty()) << "the unit's own change is not sent back to it";
}

TEST_F (EndToEnd, AChunkRoundTripIntoASecondInstanceGivesTheSameBytes)
{
    auto first = makeInstance();
    auto second = makeInstance();

    for (const char* id : { "1", "3", "14", "22" })
        first->automate (id, 0.3);

    module->runMessageLoopFor (100);
    std::vector<std::vector<char>> saved, restored;
    ASSERT_EQ (first->saveChunks (saved), AAX_SUCCESS);
    ASSERT_EQ (saved.size(), 2u);
    ASSERT_EQ (second->restoreChunks (saved), AAX_SUCCESS);
    module->runMessageLoopFor (100);
    ASSERT_EQ (second->saveChunks (restored), AAX_SUCCESS);
    EXPECT_EQ (restored, saved);

    double value = 0.0;
    second->parameters().GetParameterNormalizedValue ("14", &value);
    EXPECT_NEAR (value, 0.3, 1e-6);
}

TEST_F (EndToEnd, TheJuceChunkAskedOnTwoThreadsIsRefusedAndOnOneThreadWritten)
{
    auto instance = makeInstance();
    uint32_t size = 0;
    ASSERT_EQ (instance->parameters().GetChunkSize ('juce', &size), AAX_SUCCESS);
    std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + size);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
    AAX_Result onOtherThread = 0;
    std::thread ([&] { onOtherThread = instance->parameters().GetChunk ('juce', chunk); }).join();
    EXPECT_EQ (onOtherThread, 20700) << "the wrapper keeps its record per thread";
    EXPECT_EQ (instance->parameters().GetChunk ('juce', chunk), AAX_SUCCESS);
    EXPECT_EQ (uint32_t (chunk->fSize), size);
}

TEST_F (EndToEnd, TheWindowOpensAndClosesWithoutADisplay)
{
    auto instance = makeInstance();
    EXPECT_EQ (instance->openWindow(), AAX_SUCCESS);
    module->runMessageLoopFor (50);
    EXPECT_EQ (instance->host().log.matching ("viewContainer.QueryInterface").size(), 3u);
    EXPECT_EQ (instance->closeWindow(), AAX_SUCCESS);
    EXPECT_EQ (instance->host().viewContainer().references(), 0);
}

TEST_F (EndToEnd, AProcessCallOfTheStereoComponentPassesTheAudioThroughUnchanged)
{
    auto instance = makeInstance();
    std::vector<std::vector<float>> in { std::vector<float> (64), std::vector<float> (64) };

    for (size_t i = 0; i < 64; ++i)
        in[0][i] = float (i) / 64.0f, in[1][i] = -float (i) / 64.0f;

    for (int call = 0; call < 3; ++call)
    {
        std::vector<std::vector<float>> out { std::vector<float> (64, 9.0f), std::vector<float> (64, 9.0f) };
        ASSERT_TRUE (instance->process (in, out));
        EXPECT_EQ (out, in);
    }
}

/** The layer on a clock that the test moves a millisecond at a time, the module's message loop running
    after each, and the host's echoes on that clock. */
class LateEchoEndToEnd : public ModuleFixture, public testing::WithParamInterface<int>
{
protected:
    LateEchoEndToEnd()
        : ModuleFixture (vqsim::VirtualMidiSetup::ClockMode::manual)
    {
    }

    void advance (std::chrono::milliseconds amount)
    {
        for (auto i = 0; i < amount.count(); ++i)
        {
            setup.advanceTime (std::chrono::milliseconds (1));
            module->runMessageLoopFor (1);
        }
    }
};

TEST_P (LateEchoEndToEnd, TheUnitsTurnIsNeverAnsweredWithItsOwnOlderValuesHoweverLateTheHostEchoes)
{
    using namespace std::chrono_literals;
    vqsim::SimulatedUnit unit (setup, 17);
    unit.plugIn();
    auto instance = makeInstance();
    ASSERT_TRUE (connect (unit));
    unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);

    // What was announced while connecting has long been echoed.
    module->runMessageLoopFor (600);
    auto& automation = instance->host().automation();
    automation.later = [this] (auto delay, auto echo) { setup.runAfter (delay, std::move (echo)); };
    automation.echoDelay = std::chrono::milliseconds (GetParam());
    unit.clearTraffic();

    for (int k = 0; k < 50; ++k)
        unit.performAfter (10ms * k, [k] (auto& u) { u.turnControl (juce::VqSysexProtocol::eq1Gain, 10 + 2 * k); });

    advance (510ms + std::chrono::milliseconds (GetParam()));
    EXPECT_EQ (unit.getTraffic (Direction::toUnit).size(), 0u);
    EXPECT_EQ (unit.getCode (1, juce::VqSysexProtocol::eq1Gain), 10 + 2 * 49);

    double value = 0.0;
    instance->parameters().GetParameterNormalizedValue ("3", &value);
    EXPECT_NEAR (value, (10 + 2 * 49) / 120.0, 1e-6);
}

INSTANTIATE_TEST_SUITE_P (EchoDelays, LateEchoEndToEnd, testing::Values (0, 15, 40),
                          [] (const auto& info) { return std::to_string (info.param) + "ms"; });
