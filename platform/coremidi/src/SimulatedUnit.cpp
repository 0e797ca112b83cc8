#include "SimulatedUnit.h"

#include "vq_midi/VqSysexProtocol.h"

#include <algorithm>

namespace vqsim
{
using Protocol = juce::VqSysexProtocol;

struct SimulatedUnit::Link
{
    std::mutex lock;
    SimulatedUnit* unit;

    template <typename Function> static std::function<void()> guard (std::shared_ptr<Link> link, Function function)
    {
        return [link, function]
        {
            const std::lock_guard<std::mutex> g (link->lock);

            if (link->unit != nullptr)
                function (*link->unit);
        };
    }
};

SimulatedUnit::SimulatedUnit (VirtualMidiSetup& s, int serial, std::string deviceName)
    : setup (s),
      serialNumber (serial),
      name (std::move (deviceName)),
      link (std::make_shared<Link>()),
      channelMode (Protocol::channelsLinked)
{
    link->unit = this;
}

SimulatedUnit::~SimulatedUnit()
{
    {
        const std::lock_guard<std::mutex> guard (link->lock);
        link->unit = nullptr;
    }

    unplug();
}

std::string SimulatedUnit::defaultName()
{
    return Protocol::unitDeviceName;
}

//==============================================================================
void SimulatedUnit::plugIn()
{
    const std::lock_guard<std::mutex> guard (lock);

    if (device != 0)
        return;

    auto receiver = [l = link] (const VirtualMidiSetup::Bytes& bytes)
    { Link::guard (l, [bytes] (SimulatedUnit& unit) { unit.receive (bytes); })(); };

    device = setup.addDevice (name, { EntityLayout() }, false, receiver);
    setup.setByteRate (device, byteRate);
}

void SimulatedUnit::unplug()
{
    const std::lock_guard<std::mutex> guard (lock);

    if (device == 0)
        return;

    setup.removeDevice (device);
    device = 0;
}

bool SimulatedUnit::isPluggedIn() const
{
    return getDevice() != 0;
}

MIDIDeviceRef SimulatedUnit::getDevice() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return device;
}

void SimulatedUnit::setReplyDelay (VirtualMidiSetup::Clock delay)
{
    const std::lock_guard<std::mutex> guard (lock);
    replyDelay = delay;
}

void SimulatedUnit::setAnswersQueries (bool answers)
{
    const std::lock_guard<std::mutex> guard (lock);
    answersQueries = answers;
}

void SimulatedUnit::setByteRate (int bytesPerSecond)
{
    const std::lock_guard<std::mutex> guard (lock);
    byteRate = bytesPerSecond;

    if (device != 0)
        setup.setByteRate (device, byteRate);
}

//==============================================================================
bool SimulatedUnit::isValidCode (int channel, int id)
{
    return channel >= 1 && channel <= 2 && id >= 0 && id < static_cast<int> (std::tuple_size<Codes>::value);
}

int SimulatedUnit::getCode (int channel, int id) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return isValidCode (channel, id) ? codes[channel - 1][id] : -1;
}

void SimulatedUnit::setCode (int channel, int id, int code)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (isValidCode (channel, id))
        codes[channel - 1][id] = code;
}

int SimulatedUnit::getChannelMode() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return channelMode;
}

void SimulatedUnit::setChannelModeSilently (int mode)
{
    const std::lock_guard<std::mutex> guard (lock);
    channelMode = mode;
}

//==============================================================================
void SimulatedUnit::turnControl (int id, int code)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (! isValidCode (1, id))
        return;

    for (auto channel : channelsFor (Protocol::commandSelectedChannel))
        codes[channel][id] = code & Protocol::maxValue;

    sendParameter (id, code);
}

void SimulatedUnit::pressSwitch (int bit)
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto channels = channelsFor (Protocol::commandSelectedChannel);

    for (auto channel : channels)
        codes[channel][Protocol::switches] ^= bit;

    sendParameter (Protocol::switches, codes[channels.front()][Protocol::switches]);
}

void SimulatedUnit::changeChannelMode (int mode)
{
    const std::lock_guard<std::mutex> guard (lock);
    channelMode = mode;
    sendParameter (Protocol::channelMode, mode);
}

void SimulatedUnit::performAfter (VirtualMidiSetup::Clock delay, std::function<void (SimulatedUnit&)> action)
{
    setup.runAfter (delay, Link::guard (link, std::move (action)));
}

//==============================================================================
std::vector<SimulatedUnit::Message> SimulatedUnit::getTraffic() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return traffic;
}

std::vector<SimulatedUnit::Message> SimulatedUnit::getTrafficFrom (size_t first) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return { traffic.begin() + (std::ptrdiff_t) std::min (first, traffic.size()), traffic.end() };
}

std::vector<VirtualMidiSetup::Bytes> SimulatedUnit::getTraffic (Direction direction) const
{
    std::vector<VirtualMidiSetup::Bytes> result;

    for (auto& m : getTraffic())
        if (m.direction == direction)
            result.push_back (m.bytes);

    return result;
}

void SimulatedUnit::clearTraffic()
{
    const std::lock_guard<std::mutex> guard (lock);
    traffic.clear();
}

//==============================================================================
void SimulatedUnit::receive (const VirtualMidiSetup::Bytes& bytes)
{
    const std::lock_guard<std::mutex> guard (lock);
    traffic.push_back ({ Direction::toUnit, setup.now(), bytes });

    const auto query = Protocol::makeQuery();

    if (bytes.size() == query.size() && std::equal (query.begin(), query.end(), bytes.begin()))
    {
        if (! answersQueries)
            return;

        // The answer mirrors the query with the unit's number in the device-number byte.
        auto answer = VirtualMidiSetup::Bytes (query.begin(), query.end());
        answer[Protocol::serialByte] = static_cast<Byte> (serialNumber);

        if (replyDelay.count() <= 0)
            send (answer);
        else
            setup.runAfter (replyDelay, Link::guard (link,
                                                     [answer, answeringDevice = device] (SimulatedUnit& unit)
                                                     {
                                                         const std::lock_guard<std::mutex> g (unit.lock);

                                                         if (unit.device == answeringDevice) // not unplugged meanwhile
                                                             unit.send (answer);
                                                     }));
        return;
    }

    applyParameter (bytes);
}

void SimulatedUnit::applyParameter (const VirtualMidiSetup::Bytes& bytes)
{
    // Only a complete, well-formed message addressed to this unit is applied.
    if (bytes.size() != Protocol::parameterMessageLength || ! Protocol::isFramed (bytes.data(), bytes.size()) ||
        bytes.back() != Protocol::sysexEnd || bytes[Protocol::serialByte] != (serialNumber & 0xFF))
        return;

    for (auto i : { Protocol::idByte, Protocol::valueLowByte, Protocol::valueHighByte })
        if (bytes[i] >= 0x80)
            return;

    const auto command = bytes[Protocol::commandByte];
    const int id = bytes[Protocol::idByte];
    const int value = bytes[Protocol::valueLowByte] + 128 * bytes[Protocol::valueHighByte];

    if (value > Protocol::maxValue)
        return;

    if (id == Protocol::channelMode)
    {
        if (command != Protocol::commandSelectedChannel ||
            (value != Protocol::channelsLinked && value != Protocol::channel1Selected &&
             value != Protocol::channel2Selected))
            return;

        channelMode = value;
        const auto selected = channelsFor (Protocol::commandSelectedChannel).front();
        sendParameter (Protocol::switches, codes[selected][Protocol::switches]);
        return;
    }

    const auto& ids = Protocol::channelControlIds;

    if (id != Protocol::switches && std::find (ids.begin(), ids.end(), id) == ids.end())
        return;

    for (auto channel : channelsFor (command))
        codes[channel][id] = value;
}

std::vector<int> SimulatedUnit::channelsFor (std::uint8_t command) const
{
    const bool linked = channelMode == Protocol::channelsLinked;
    const int selected = channelMode == Protocol::channel2Selected ? 1 : 0;

    if (command == Protocol::commandSelectedChannel)
        return linked ? std::vector<int> { 0, 1 } : std::vector<int> { selected };

    // While linked no channel is "the other one".
    if (command == Protocol::commandOtherChannel && ! linked)
        return { 1 - selected };

    return {};
}

void SimulatedUnit::sendParameter (int id, int code)
{
    const auto message = Protocol::makeParameterMessage (static_cast<std::uint8_t> (serialNumber),
                                                         Protocol::commandSelectedChannel, id, code);
    send (VirtualMidiSetup::Bytes (message.begin(), message.end()));
}

void SimulatedUnit::send (const VirtualMidiSetup::Bytes& bytes)
{
    if (device == 0)
        return;

    traffic.push_back ({ Direction::fromUnit, setup.now(), bytes });
    setup.emit (setup.getSource (device), bytes);
}
} // namespace vqsim
