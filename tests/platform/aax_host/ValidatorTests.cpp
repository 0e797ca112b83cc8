#include "ModuleFixture.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <random>
#include <thread>

// Checks in the manner of a plug-in validator, all through the real module: bounded here, VQ_STRESS
// times larger under `make stress`. The fixture checks after each that the module can be unloaded
// and that every host reference came back.
using Validator = ModuleFixture;

namespace
{
/** Every value a host might send, the absurd ones included. */
double hostileValue (std::mt19937& random)
{
    static const double special[] { 0.0,
                                    1.0,
                                    std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    -0.5,
                                    1.5 };
    std::uniform_int_distribution<int> pick (0, 9);
    const auto choice = pick (random);
    return choice < 7 ? special[choice] : std::uniform_real_distribution<double> (0.0, 1.0) (random);
}

/** Runs host calls on two threads while the message loop runs on this one, until both are done. */
void whileHostThreadsRun (const aax_host::LoadedModule& module, const std::function<void (int thread)>& calls)
{
    std::atomic<int> done { 0 };
    std::vector<std::thread> threads;

    for (int t = 0; t < 2; ++t)
        threads.emplace_back (
            [&, t]
            {
                calls (t);
                ++done;
            });

    module.runMessageLoopUntil (120000, [&] { return done == 2; });

    for (auto& thread : threads)
        thread.join();
}

std::vector<std::vector<char>> saved (aax_host::ModuleInstance& instance)
{
    std::vector<std::vector<char>> records;
    EXPECT_EQ (instance.saveChunks (records), AAX_SUCCESS);
    return records;
}
} // namespace

TEST_F (Validator, TheModuleLoadsRegistersAndUnloadsAgainAndAgain)
{
    for (int i = 0; i < 10 * stressFactor(); ++i)
    {
        unload();
        load();
        EXPECT_EQ (module->effect()->components.size(), 169u);
    }
}

TEST_F (Validator, InstancesAreCreatedAndDestroyedSeveralAtOnceWithAndWithoutWindows)
{
    vqsim::SimulatedUnit unit (setup, 5);
    unit.plugIn();
    std::vector<std::unique_ptr<aax_host::ModuleInstance>> alive;

    for (int i = 0; i < 10 * stressFactor(); ++i)
    {
        alive.push_back (makeInstance());

        if (i % 2 == 0)
            EXPECT_EQ (alive.back()->openWindow(), AAX_SUCCESS);

        if (i % 4 == 3)
            unit.isPluggedIn() ? unit.unplug() : unit.plugIn();

        module->runMessageLoopFor (5);

        if (alive.size() > 3)
            alive.erase (alive.begin() + (i % 3));
    }

    alive.clear();
    EXPECT_EQ (module->runMessageLoopUntil (3000, [this] { return module->canUnloadNow() == ACF_OK; }), true);
}

TEST_F (Validator, EveryParameterTakesAnyValueFromHostThreadsWhileTheMessageLoopRuns)
{
    vqsim::SimulatedUnit unit (setup, 6);
    unit.plugIn();
    auto instance = makeInstance();
    const auto parameters = instance->listParameters();
    connect (unit);

    whileHostThreadsRun (*module,
                         [&] (int thread)
                         {
                             std::mt19937 random (unsigned (thread + 1));

                             // A host serialises the calls on one parameter: each thread has half of them.
                             for (int i = 0; i < 300 * stressFactor(); ++i)
                             {
                                 const auto& id = parameters[size_t (2 * i + thread) % parameters.size()].id;
                                 const auto value = hostileValue (random);
                                 i % 2 == 0 ? instance->parameters().SetParameterNormalizedValue (id.c_str(), value)
                                            : instance->automate (id.c_str(), value);

                                 if (i == 150 && thread == 0)
                                     unit.unplug();
                             }
                         });

    module->runMessageLoopFor (100);

    // The product's 23 parameters keep their range; JUCE's own bypass stores what it is given.
    for (const auto& p : instance->listParameters())
        if (p.id != "MasterBypassID")
            EXPECT_TRUE (p.normalized >= 0.0 && p.normalized <= 1.0) << p.id << " holds " << p.normalized;
}

TEST_F (Validator, StateSavedFromOneInstanceRestoresByteForByteIntoAnotherAndAcrossAReload)
{
    std::mt19937 random (7);
    std::vector<std::vector<char>> records;
    {
        auto first = makeInstance();

        for (const auto& p : first->listParameters())
            first->automate (p.id.c_str(), std::uniform_real_distribution<double> (0.0, 1.0) (random));

        module->runMessageLoopFor (100);
        records = saved (*first);
        auto second = makeInstance();
        ASSERT_EQ (second->restoreChunks (records), AAX_SUCCESS);
        module->runMessageLoopFor (100);
        EXPECT_EQ (saved (*second), records);
    }

    unload();
    load();
    auto afterReload = makeInstance();
    ASSERT_EQ (afterReload->restoreChunks (records), AAX_SUCCESS);
    module->runMessageLoopFor (100);
    EXPECT_EQ (saved (*afterReload), records);
}

TEST_F (Validator, TheWindowOpensAndClosesWhileAutomationRuns)
{
    auto instance = makeInstance();
    std::atomic<bool> stop { false };
    std::thread automation (
        [&]
        {
            std::mt19937 random (3);

            for (int i = 0; ! stop; ++i)
                instance->automate (std::to_string (i % 23).c_str(), hostileValue (random));
        });

    for (int i = 0; i < 10 * stressFactor(); ++i)
    {
        EXPECT_EQ (instance->openWindow(), AAX_SUCCESS);
        module->runMessageLoopFor (5);
        EXPECT_EQ (instance->closeWindow(), AAX_SUCCESS);
    }

    stop = true;
    automation.join();
}

TEST_F (Validator, FuzzedStateChunksAreRestoredWithoutHarm)
{
    vqsim::SimulatedUnit unit (setup, 8);
    unit.plugIn();
    auto source = makeInstance();
    auto target = makeInstance();
    const auto records = saved (*source);
    std::mt19937 random (11);

    for (int i = 0; i < 100 * stressFactor(); ++i)
    {
        for (auto record : records)
        {
            auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
            const auto header = offsetof (AAX_SPlugInChunk, fData);
            std::uniform_int_distribution<size_t> position (header, record.size() - 1);

            for (int flips = 1 + i % 8; flips > 0; --flips)
                record[position (random)] = char (random());

            // A host hands over as many bytes as the record says, no more; some records it cuts short.
            if (i % 5 == 0)
                record.resize (header + (record.size() - header) / 2);

            chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
            chunk->fSize = int32_t (record.size() - header);
            target->parameters().SetChunk (chunk->fChunkID, chunk);
        }

        if (i == 50)
            unit.unplug();

        module->runMessageLoopFor (1);
    }

    EXPECT_EQ (target->restoreChunks (records), AAX_SUCCESS);
    module->runMessageLoopFor (100);
    EXPECT_EQ (saved (*target), records) << "a sound chunk still restores after the broken ones";
}

TEST_F (Validator, ProcessCallsOnAnAudioThreadRunBesideHostAutomationAndTheMessageLoop)
{
    auto instance = makeInstance();
    std::vector<std::vector<float>> in { std::vector<float> (128, 0.25f), std::vector<float> (128, -0.25f) };
    ASSERT_TRUE (instance->process (in, in)) << "the first call, where the plug-in prepares, on the host's thread";
    std::atomic<int> passedThrough { 0 };

    whileHostThreadsRun (*module,
                         [&] (int thread)
                         {
                             std::mt19937 random (unsigned (thread + 5));

                             for (int i = 0; i < 200 * stressFactor(); ++i)
                             {
                                 if (thread == 0)
                                 {
                                     auto out = in;
                                     instance->process (in, out);
                                     passedThrough += out == in ? 1 : 0;
                                 }
                                 else
                                     instance->automate (std::to_string (i % 23).c_str(), hostileValue (random));
                             }
                         });

    EXPECT_EQ (passedThrough, 200 * stressFactor());
}
