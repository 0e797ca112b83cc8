#pragma once

#include "MessageLoop.h"
#include "MidiBridge.h"
#include "ParamTools.h"
#include "ParamsManager.h"
#include "PluginInstance.h"
#include "vq_core/VqDawParameter.h"
#include "vq_midi/MidiManager.h"
#include "vq_midi/VqSysexProtocol.h"

#include <SimulatedUnit.h>
#include <gtest/gtest.h>

namespace bridgetest
{
using Protocol = juce::VqSysexProtocol;
using Direction = vqsim::SimulatedUnit::Direction;

/** One parameter message as the unit received it. */
struct Sent
{
    int command;
    int id;
    int value;

    bool operator== (const Sent& other) const
    {
        return command == other.command && id == other.id && value == other.value;
    }
};

inline void PrintTo (const Sent& s, std::ostream* os)
{
    *os << "{ cmd " << s.command << ", id " << s.id << ", value " << s.value << " }";
}

/** Records what reaches the host: gestures and values of the host parameters. */
class HostRecorder : public juce::AudioProcessorParameter::Listener
{
public:
    void parameterValueChanged (int, float) override {}

    void parameterGestureChanged (int index, bool starting) override { (starting ? begins : ends)[index]++; }

    int openGestures (int index) const { return getOr (begins, index) - getOr (ends, index); }

    std::map<int, int> begins, ends;

private:
    static int getOr (const std::map<int, int>& map, int index)
    {
        auto found = map.find (index);
        return found == map.end() ? 0 : found->second;
    }
};

/** A plug-in instance, its bridge and the simulated unit, all on the real layer and device manager. */
class BridgeFixture : public testing::Test
{
protected:
    static constexpr int serial = 7;

    explicit BridgeFixture (vqsim::VirtualMidiSetup::ClockMode clock = vqsim::VirtualMidiSetup::ClockMode::realTime)
        : setup (clock)
    {
        for (int i = 0; i < params().getNumParams(); ++i)
            params().getDawParameter (i)->addListener (&host);

        // The instance's own connection step keeps out of the way of the bridge under test.
        params().setNonAutomatableParamValue (nullptr, ParamData::shouldBeConnected, false);

        unit.plugIn();
        midiManager = juce::MidiManager::getInstance();
        midiManager->registerPluginInstance ({ Protocol::unitDeviceName });
    }

    ~BridgeFixture() override
    {
        releaseHeldReply();
        detach();
        midiManager->unregisterPluginInstance();
        vqtest::drainMessageLoop();
        MidiParam::setWallClock ({});

        for (int i = 0; i < params().getNumParams(); ++i)
            params().getDawParameter (i)->removeListener (&host);
    }

    PlemvoParamsManager& params() { return instance.getPlemvoParams(); }

    /** Waits for the unit to answer, then attaches the bridge to it. */
    void attach()
    {
        ASSERT_TRUE (
            vqtest::runMessageLoopUntil ([this] { return midiManager->getConnectionList()->size() == 1; }, 3000));
        int serialNo = -1;
        ASSERT_TRUE (midiManager->connectIfOneDevice (bridge.get(), serialNo));
        ASSERT_EQ (serialNo, serial);
    }

    /** Attaches and lets the set-up end; the traffic recorded so far is cleared. */
    void attachAndSettle()
    {
        attach();
        ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return setUpDone(); }));
        settle();
        unit.clearTraffic();
    }

    void detach()
    {
        if (bridge == nullptr)
            return;

        bridge->giveUpUnit (midiManager);
        bridge.reset();
    }

    // The set-up ends with the switch byte, which every full resend carries for channel 1.
    // While the unit's reply is held the layer cannot be flushed: its input thread waits.
    bool setUpDone()
    {
        if (! holding)
            setup.flush();

        for (auto& s : sentToUnit())
            if (s.id == Protocol::switches)
                return true;

        return false;
    }

    /** Lets every message on its way arrive, on both sides. */
    void settle()
    {
        setup.flush();
        vqtest::drainMessageLoop();
        setup.flush();
        vqtest::drainMessageLoop();
    }

    std::vector<Sent> sentToUnit()
    {
        std::vector<Sent> result;

        for (auto& bytes : unit.getTraffic (Direction::toUnit))
            if (bytes.size() == Protocol::parameterMessageLength)
                result.push_back ({ bytes[Protocol::commandByte], bytes[Protocol::idByte],
                                    bytes[Protocol::valueLowByte] + 128 * bytes[Protocol::valueHighByte] });

        return result;
    }

    /** Sets the channel mode as the window does: "CHANNEL" then "SELECTED CHANNEL". */
    void setMode (int code)
    {
        params().setParamValue (nullptr, ParamData::channel, code == Protocol::channelsLinked ? 0.0f : 1.0f);
        params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel,
                                              code == Protocol::channel2Selected ? 1 : 0);
    }

    /** Holds the unit's next message inside the layer, so that the set-up runs its full 500 ms. */
    void holdUnitReply()
    {
        setup.holdNextDelivery();
        holding = true;
    }

    void releaseHeldReply()
    {
        if (std::exchange (holding, false))
        {
            setup.waitForHeldDelivery();
            setup.releaseHeldDelivery();
            setup.flush();
        }
    }

    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit { setup, serial };
    PlemvoPluginInstance instance;
    HostRecorder host;
    juce::MidiManager* midiManager = nullptr;
    std::unique_ptr<PlemvoMidiBridge> bridge =
        std::make_unique<PlemvoMidiBridge> (instance, instance.getPlemvoParams());
    bool holding = false;
};
} // namespace bridgetest
