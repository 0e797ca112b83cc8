#include "VirtualMidiSetup.h"

#include "MidiServer.h"
#include "StringRegistry.h"

#include <cassert>

namespace vqsim
{
VirtualMidiSetup::VirtualMidiSetup (ClockMode mode)
    : server (std::make_shared<MidiServer> (mode == ClockMode::manual))
{
    assert (MidiServer::current() == nullptr); // one MIDI service per process
    MidiServer::setCurrent (server);
}

VirtualMidiSetup::~VirtualMidiSetup()
{
    MidiServer::setCurrent (nullptr);
    server->shutdown();
}

MIDIDeviceRef VirtualMidiSetup::addDevice (const std::string& name, std::vector<EntityLayout> entities, bool offline,
                                           Receiver receiver)
{
    return server->addDevice (name, entities, offline, std::move (receiver));
}

void VirtualMidiSetup::removeDevice (MIDIDeviceRef device)
{
    server->removeDevice (device);
}
void VirtualMidiSetup::setOffline (MIDIDeviceRef device, bool offline)
{
    server->setOffline (device, offline);
}

MIDIEndpointRef VirtualMidiSetup::getSource (MIDIDeviceRef device, int entity, int index) const
{
    return server->findEndpoint (device, entity, index, true);
}

MIDIEndpointRef VirtualMidiSetup::getDestination (MIDIDeviceRef device, int entity, int index) const
{
    return server->findEndpoint (device, entity, index, false);
}

void VirtualMidiSetup::setByteRate (MIDIDeviceRef device, int bytesPerSecond)
{
    server->setByteRate (device, bytesPerSecond);
}

void VirtualMidiSetup::emit (MIDIEndpointRef source, const Bytes& bytes)
{
    server->injectPacketList (source, { bytes });
}

void VirtualMidiSetup::injectPacketList (MIDIEndpointRef source, const std::vector<Bytes>& packets)
{
    server->injectPacketList (source, packets);
}

void VirtualMidiSetup::setReceiver (MIDIEndpointRef destination, Receiver receiver)
{
    server->setReceiver (destination, std::move (receiver));
}

std::vector<VirtualMidiSetup::Bytes> VirtualMidiSetup::getReceived (MIDIEndpointRef destination) const
{
    return server->getReceived (destination);
}

std::vector<VirtualMidiSetup::Bytes> VirtualMidiSetup::getSent (MIDIEndpointRef destination) const
{
    return server->getSent (destination);
}

void VirtualMidiSetup::failCall (Call call, OSStatus status, int times)
{
    server->failCall (call, status, times);
}
void VirtualMidiSetup::clearFailures()
{
    server->clearFailures();
}
void VirtualMidiSetup::holdNextDelivery()
{
    server->holdNextDelivery();
}
void VirtualMidiSetup::waitForHeldDelivery()
{
    server->waitForHeldDelivery();
}
void VirtualMidiSetup::releaseHeldDelivery()
{
    server->releaseHeldDelivery();
}
void VirtualMidiSetup::waitForWaitingCalls (int count)
{
    server->waitForWaitingCalls (count);
}
void VirtualMidiSetup::flush()
{
    server->flush (false);
}
void VirtualMidiSetup::flushScheduled()
{
    server->flush (true);
}
VirtualMidiSetup::Clock VirtualMidiSetup::now() const
{
    return server->now();
}
void VirtualMidiSetup::advanceTime (Clock amount)
{
    server->advanceTime (amount);
}

void VirtualMidiSetup::runAfter (Clock delay, std::function<void()> function)
{
    server->runAfter (delay, std::move (function));
}

bool VirtualMidiSetup::isLayerThread()
{
    return TaskThread::isCurrentThreadLayer();
}
int VirtualMidiSetup::countLiveStrings()
{
    return vqsim::countLiveStrings();
}
int VirtualMidiSetup::countClients() const
{
    return server->countClients();
}
int VirtualMidiSetup::countPorts() const
{
    return server->countPorts();
}
} // namespace vqsim
