#pragma once

#include "vq_midi/MidiDevice.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <memory>
#include <vector>

namespace juce
{
/** The process-wide owner of the plug-in's MIDI client. It finds the hardware units by name, opens
    each with the discovery query, lists those that answer with their serial number (asking a silent
    one again now and then while it is present), and hands a unit to at most one listener (a plug-in
    instance's bridge) at a time.

    Created with the first plug-in instance (registerPluginInstance) and deleted with the last
    (unregisterPluginInstance). Everything here runs on the message thread.
*/
class MidiManager : public AsyncUpdater
{
public:
    /** One row of the connection list. */
    struct ConnectionStatus
    {
        static constexpr int taken = 1;
        static constexpr int free = 2;

        int serialNo = -1;
        int connectionState = free;
        MidiDevice::Listener* listener = nullptr;
    };

    /** Told, in one batch per burst of changes, that units or their connections have changed. */
    class ConnectionListListener
    {
    public:
        virtual ~ConnectionListListener() = default;
        virtual void connectionListChanged() = 0;
    };

    MidiManager();
    ~MidiManager() override;

    /** Counts one more plug-in instance; the first one initialises the manager with the names. */
    void registerPluginInstance (const StringArray& acceptedNames);

    /** Counts one instance less; the last one deletes the process-wide manager (this object). */
    void unregisterPluginInstance();

    /** Sets up the MIDI client and starts the first scan for units of the given names. */
    void initialize (const StringArray& names);

    bool isInitialised() const noexcept { return initialised; }

    /** How many units no listener holds; those whose serial number is among `passedOver` (units the
        caller leaves to others) do not count. */
    int countFreeDevices (const std::vector<int>& passedOver = {}) const;

    /** Attaches the listener to the one free unit (as countFreeDevices counts them); fails when none or
        several are free. */
    bool connectIfOneDevice (MidiDevice::Listener* listener, int& serialNo, const std::vector<int>& passedOver = {});

    /** Attaches the listener to the first free unit with that serial number. */
    bool connectIfSerialNo (int serialNo, MidiDevice::Listener* listener);

    /** Takes the listener's unit away from it; when this returns, no value reaches it any more. */
    void disconnect (MidiDevice::Listener* listener);

    /** One row per unit that has answered, in the order they answered. */
    std::unique_ptr<OwnedArray<ConnectionStatus>> getConnectionList() const;

    void addConnectionListListener (ConnectionListListener* listenerToAdd);
    void removeConnectionListListener (ConnectionListListener* listenerToRemove);

    void handleAsyncUpdate() override;

    JUCE_DECLARE_SINGLETON (MidiManager, false)

private:
    class Pimpl;

    void attach (MidiDevice& device, MidiDevice::Listener& listener);

    // Clears the device's listener, if any, then tells it the unit is gone.
    void detach (MidiDevice& device);
    void removeVanished (const std::vector<std::uint32_t>& found);

    Array<ConnectionListListener*> connectionListListeners;
    bool initialised = false;
    std::atomic<int> instanceCount { 0 };
    StringArray acceptedDeviceNames;
    std::vector<std::unique_ptr<MidiDevice>> devices;
    std::unique_ptr<Pimpl> pimpl;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiManager)
};

} // namespace juce
