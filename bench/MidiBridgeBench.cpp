// The MIDI link's costs: a knob change to the wire, a value from the unit to the host parameter,
// and the full resend after an attach, all through the layer and the simulated unit.
#include "MidiBridge.h"
#include "ParamTools.h"
#include "PluginInstance.h"
#include "common/MessageLoop.h"
#include "vq_core/VqDawParameter.h"
#include "vq_midi/MidiDevice.h"
#include "vq_midi/MidiManager.h"
#include "vq_midi/VqSysexProtocol.h"

#include <SimulatedUnit.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace juce
{
// JUCE's own step of its message loop: with false it sleeps until a message is posted, so a wait
// for a value costs no polling interval.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using vqbench::runMessageLoopUntil;
using Protocol = juce::VqSysexProtocol;
using Clock = std::chrono::steady_clock;
constexpr int serial = 7;

/** The plug-in instance, the device manager and the simulated unit; the bridge is attached on demand. */
struct Link
{
    Link()
    {
        // The instance's own connection step keeps out of the way of the bridge measured here.
        params().setNonAutomatableParamValue (nullptr, ParamData::shouldBeConnected, false);
        unit.plugIn();
        midiManager = juce::MidiManager::getInstance();
        midiManager->registerPluginInstance ({ Protocol::unitDeviceName });
        runMessageLoopUntil ([this] { return midiManager->getConnectionList()->size() == 1; });
    }

    ~Link()
    {
        detach();
        midiManager->unregisterPluginInstance();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
    }

    PlemvoParamsManager& params() { return instance.getPlemvoParams(); }

    void setDualMono()
    {
        params().setParamValue (nullptr, ParamData::channel, 1.0f);
        params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 0);
    }

    void attach()
    {
        bridge = std::make_unique<PlemvoMidiBridge> (instance, params());
        int serialNo = -1;
        midiManager->connectIfOneDevice (bridge.get(), serialNo);
    }

    void detach()
    {
        if (bridge == nullptr)
            return;

        bridge->giveUpUnit (midiManager);
        bridge.reset();
        setup.flush();
    }

    size_t messagesAtUnit() { return unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).size(); }

    void waitForMessagesAtUnit (size_t count)
    {
        runMessageLoopUntil (
            [&]
            {
                setup.flush();
                return messagesAtUnit() >= count;
            });
    }

    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit { setup, serial };
    PlemvoPluginInstance instance;
    juce::MidiManager* midiManager = nullptr;
    std::unique_ptr<PlemvoMidiBridge> bridge;
};

/** Per-change times in nanoseconds, reported as p50 and p99. */
struct Latencies
{
    void add (Clock::duration d)
    {
        nanoseconds.push_back ((double) std::chrono::duration_cast<std::chrono::nanoseconds> (d).count());
    }

    double percentile (double p)
    {
        std::sort (nanoseconds.begin(), nanoseconds.end());
        return nanoseconds.empty() ? 0.0 : nanoseconds[(size_t) (p * (double) (nanoseconds.size() - 1))];
    }

    void report (benchmark::State& state)
    {
        state.counters["p50_ns"] = percentile (0.50);
        state.counters["p99_ns"] = percentile (0.99);
    }

    std::vector<double> nanoseconds;
};

double knobToWireP50 = 0.0;
double juceSysExP50 = 0.0;

//==============================================================================
// (1) From setParamValue on the message thread until the sysex has been handed to the layer.
void knobToWire (benchmark::State& state)
{
    Link link;
    link.setDualMono();
    link.attach();
    link.waitForMessagesAtUnit (20);

    Latencies latencies;
    int step = 0;
    size_t messages = 0;

    for (auto _ : state)
    {
        const auto value = (float) (step++ % 121) / 120.0f;
        const auto start = Clock::now();
        link.params().setParamValue (nullptr, ParamData::eq1Gain1, value);
        latencies.add (Clock::now() - start);

        if (step % 1000 == 0)
        {
            state.PauseTiming();
            link.setup.flush();
            messages += link.messagesAtUnit();
            link.unit.clearTraffic();
            state.ResumeTiming();
        }
    }

    latencies.report (state);
    state.counters["at_unit"] = (double) messages;
    knobToWireP50 = latencies.percentile (0.5);
}

// The same change built with JUCE's MidiMessage::createSysExMessage and handed to the layer.
void knobToWireThroughJuceSysEx (benchmark::State& state)
{
    Link link;
    const auto destination = link.setup.getDestination (link.unit.getDevice());
    const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (ParamData::eq1Gain1);

    Latencies latencies;
    int step = 0;

    for (auto _ : state)
    {
        const auto value = (float) (step++ % 121) / 120.0f;
        const auto start = Clock::now();
        const auto code = toCode (value);
        const juce::uint8 payload[] { Protocol::header[1],
                                      Protocol::header[2],
                                      Protocol::header[3],
                                      (juce::uint8) serial,
                                      Protocol::commandSelectedChannel,
                                      Protocol::eq1Gain,
                                      (juce::uint8) (code & 0x7f),
                                      (juce::uint8) ((code & 0xff) >> 7) };
        const auto message = juce::MidiMessage::createSysExMessage (payload, (int) sizeof (payload));
        juce::MidiDevice::sendSysEx (destination, message.getRawData(), message.getRawDataSize());
        latencies.add (Clock::now() - start);

        if (step % 1000 == 0)
        {
            state.PauseTiming();
            link.setup.flush();
            link.unit.clearTraffic();
            state.ResumeTiming();
        }
    }

    latencies.report (state);
    juceSysExP50 = latencies.percentile (0.5);
    state.counters["ours_over_juce_p50"] = juceSysExP50 > 0.0 ? knobToWireP50 / juceSysExP50 : 0.0;
}

//==============================================================================
/** Notes when the host parameter has taken a value. */
struct HostWatcher : public juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float newValue) override
    {
        value = newValue;
        when = Clock::now();
    }

    void parameterGestureChanged (int, bool) override {}

    float value = -1.0f;
    Clock::time_point when;
};

// (2) From a packet delivered by the layer to the host parameter holding the new value.
void unitToHost (benchmark::State& state)
{
    Link link;
    link.setDualMono();
    link.attach();
    link.waitForMessagesAtUnit (20);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

    HostWatcher watcher;
    auto* host = link.params().getDawParameter (ParamData::eq1Gain1);
    host->addListener (&watcher);

    const auto source = link.setup.getSource (link.unit.getDevice());
    Latencies latencies;
    int step = 0;

    for (auto _ : state)
    {
        const auto code = 50 + (step++ % 2);
        const auto expected = (float) code / 120.0f;
        const auto start = Clock::now();
        const auto message =
            Protocol::makeParameterMessage (serial, Protocol::commandSelectedChannel, Protocol::eq1Gain, code);
        link.setup.emit (source, { message.begin(), message.end() });

        while (watcher.value != expected)
            juce::dispatchNextMessageOnSystemQueue (false);

        latencies.add (watcher.when - start);
    }

    host->removeListener (&watcher);
    latencies.report (state);
}

//==============================================================================
// (3) The full resend after an attach: messages, bytes and the time until the last byte is at the unit.
void resendAfterAttach (benchmark::State& state)
{
    const bool dualMono = state.range (0) != 0;
    const auto bytesPerSecond = (int) state.range (1);

    Link link;
    link.unit.setByteRate (bytesPerSecond);

    if (dualMono)
        link.setDualMono();

    const size_t expectedMessages = dualMono ? 19 : 10;
    double milliseconds = 0.0;
    size_t bytes = 0, messages = 0;

    for (auto _ : state)
    {
        link.unit.clearTraffic();
        const auto start = link.setup.now();
        link.attach();
        link.waitForMessagesAtUnit (expectedMessages);

        const auto traffic = link.unit.getTraffic();
        messages = bytes = 0;

        for (auto& m : traffic)
        {
            if (m.direction != vqsim::SimulatedUnit::Direction::toUnit)
                continue;

            ++messages;
            bytes += m.bytes.size();
            milliseconds =
                (double) std::chrono::duration_cast<std::chrono::microseconds> (m.time - start).count() / 1000.0;
        }

        state.PauseTiming();
        link.detach();
        state.ResumeTiming();
    }

    state.counters["messages"] = (double) messages;
    state.counters["bytes"] = (double) bytes;
    state.counters["last_byte_ms"] = milliseconds;
}
} // namespace

BENCHMARK (knobToWire)->Iterations (20000)->Unit (benchmark::kMicrosecond);
BENCHMARK (knobToWireThroughJuceSysEx)->Iterations (20000)->Unit (benchmark::kMicrosecond);
BENCHMARK (unitToHost)->Iterations (2000)->Unit (benchmark::kMicrosecond);
BENCHMARK (resendAfterAttach)
    ->ArgNames ({ "dual", "bytesPerSecond" })
    ->Args ({ 0, 0 })
    ->Args ({ 1, 0 })
    ->Args ({ 0, vqsim::SimulatedUnit::midiBytesPerSecond })
    ->Args ({ 1, vqsim::SimulatedUnit::midiBytesPerSecond })
    ->Iterations (5)
    ->Unit (benchmark::kMillisecond);
