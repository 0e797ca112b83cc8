#include "SimulatedUnit.h"

#include "vq_midi/VqSysexProtocol.h"

#include <benchmark/benchmark.h>

#include <atomic>

// What the MIDI layer itself costs, so that measurements of the plug-in's link can be read against it.
namespace
{
using Protocol = juce::VqSysexProtocol;

struct Listener
{
    Listener()
    {
        MIDIClientCreate (CFSTR ("bench"), nullptr, nullptr, &client);
        MIDIInputPortCreate (client, CFSTR ("in"), &Listener::read, this, &port);
    }

    ~Listener() { MIDIClientDispose (client); }

    static void read (const MIDIPacketList* list, void* refCon, void*)
    {
        static_cast<Listener*> (refCon)->packets += static_cast<int> (list->numPackets);
    }

    MIDIClientRef client = 0;
    MIDIPortRef port = 0;
    std::atomic<int> packets { 0 };
};

// A unit plugged in and a read procedure connected to it.
struct Rig
{
    Rig()
    {
        unit.plugIn();
        MIDIPortConnectSource (listener.port, setup.getSource (unit.getDevice()), nullptr);
    }

    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit { setup, 1 };
    Listener listener;
};

void freeRequest (MIDISysexSendRequest* request)
{
    delete request;
}

// Front-panel messages from the unit to a read procedure, through the layer's input thread.
void unitMessagesReachTheReadProcedure (benchmark::State& state)
{
    Rig rig;

    for (auto _ : state)
    {
        for (int i = 0; i < 1000; ++i)
            rig.unit.turnControl (Protocol::eq1Gain, i & 0x7F);

        rig.setup.flush();
    }

    state.SetItemsProcessed (state.iterations() * 1000);
}

// One discovery query and its answer: send, completion, the unit's reply, delivery.
void queryRoundTrip (benchmark::State& state)
{
    Rig rig;
    static constexpr auto query = Protocol::makeQuery();

    for (auto _ : state)
    {
        auto* request = new MIDISysexSendRequest {};
        request->destination = rig.setup.getDestination (rig.unit.getDevice());
        request->data = query.data();
        request->bytesToSend = query.size();
        request->completionProc = freeRequest;
        MIDISendSysex (request);
        rig.setup.flush();
    }
}
} // namespace

BENCHMARK (unitMessagesReachTheReadProcedure)->Unit (benchmark::kMillisecond);
BENCHMARK (queryRoundTrip)->Unit (benchmark::kMicrosecond);
