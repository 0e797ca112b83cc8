#pragma once

#include "VirtualMidiSetup.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vqsim
{
/** A model of the hardware equaliser as a device of a VirtualMidiSetup, named "Kestova PLEM VO".

    It answers the discovery query with its serial number (after a delay on the setup's clock, or never),
    keeps both channels' control codes, switch bytes and the channel mode, applies the plug-in's
    parameter messages addressed to its serial number, and answers a channel-mode message with the switch
    byte of the selected channel. Front-panel actions send what the unit sends. All traffic is recorded
    with the setup's time. Tests, benchmarks and the session runner all use this one model. */
class SimulatedUnit
{
public:
    /** A real MIDI cable: 31,250 baud, ten bits per byte. */
    static constexpr int midiBytesPerSecond = 3125;

    enum class Direction
    {
        toUnit,
        fromUnit
    };

    struct Message
    {
        Direction direction;
        /** When the message reached the unit, or when the unit put it on its cable. */
        VirtualMidiSetup::Clock time;
        VirtualMidiSetup::Bytes bytes;
    };

    /** Not plugged in yet; must not outlive the setup. The serial number is 0 to 255: a real unit's is
        0 to 127, and one above stands for a unit whose answer carries a status byte. `name` is for
        devices that merely resemble the unit. */
    SimulatedUnit (VirtualMidiSetup& setup, int serialNumber, std::string name = defaultName());
    ~SimulatedUnit();

    SimulatedUnit (const SimulatedUnit&) = delete;
    SimulatedUnit& operator= (const SimulatedUnit&) = delete;

    static std::string defaultName();

    //==============================================================================
    /** Plugs the unit in (again) as a new device; its state stays as it was. */
    void plugIn();
    void unplug();
    bool isPluggedIn() const;
    /** The device reference while plugged in, else 0. */
    MIDIDeviceRef getDevice() const;

    /** Delay of the answer to a discovery query; none (the default) answers at once. */
    void setReplyDelay (VirtualMidiSetup::Clock delay);
    /** A unit that never answers the discovery query. */
    void setAnswersQueries (bool answers);
    /** Byte rate of the unit's cable in both directions (midiBytesPerSecond for a real one), 0 instant. */
    void setByteRate (int bytesPerSecond);

    //==============================================================================
    /** The code of control `id` (or the switch byte, id 15) of channel 1 or 2. */
    int getCode (int channel, int id) const;
    /** Sets a code without sending anything, as the unit's state before a test. */
    void setCode (int channel, int id, int code);
    /** 1 = channel 2 selected, 2 = channel 1 selected, 4 = linked. */
    int getChannelMode() const;
    void setChannelModeSilently (int mode);

    //==============================================================================
    /** Front panel: turns a control of the selected channel (both while linked) and sends its code. */
    void turnControl (int id, int code);
    /** Front panel: toggles a switch bit of the selected channel (both while linked), sends the switch byte. */
    void pressSwitch (int bit);
    /** Front panel: changes the channel mode and sends it. */
    void changeChannelMode (int mode);
    /** Scripts an action (a panel action, unplugging, plugging in) to run after the delay on the setup's
        clock, on the setup's thread; dropped when the unit is gone by then. */
    void performAfter (VirtualMidiSetup::Clock delay, std::function<void (SimulatedUnit&)> action);

    //==============================================================================
    std::vector<Message> getTraffic() const;
    /** The messages from the first-th on, so that a reader that follows the traffic copies each once. */
    std::vector<Message> getTrafficFrom (size_t first) const;
    /** The messages of one direction, bytes only. */
    std::vector<VirtualMidiSetup::Bytes> getTraffic (Direction direction) const;
    void clearTraffic();

private:
    struct Link;

    void receive (const VirtualMidiSetup::Bytes& bytes);
    void applyParameter (const VirtualMidiSetup::Bytes& bytes);
    void sendParameter (int id, int code);
    void send (const VirtualMidiSetup::Bytes& bytes);
    std::vector<int> channelsFor (std::uint8_t command) const;
    static bool isValidCode (int channel, int id);

    VirtualMidiSetup& setup;
    const int serialNumber;
    const std::string name;
    /** What the setup's threads call back through; cut when the unit is destroyed. */
    std::shared_ptr<Link> link;

    mutable std::mutex lock;
    MIDIDeviceRef device = 0;
    VirtualMidiSetup::Clock replyDelay { 0 };
    bool answersQueries = true;
    int byteRate = 0;
    int channelMode;
    using Codes = std::array<int, 16>; // by id; id 15 is the switch byte
    std::array<Codes, 2> codes {};
    std::vector<Message> traffic;
};
} // namespace vqsim
