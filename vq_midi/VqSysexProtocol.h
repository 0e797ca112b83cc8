#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace juce
{
/** The system-exclusive protocol between the plug-in and the unit: framing, the discovery query and the
    parameter message with its control ids, channel-mode codes and switch bits. Plain C++ without JUCE,
    so that the simulated unit speaks it from the same definitions as the plug-in. */
struct VqSysexProtocol
{
    static constexpr const char* unitDeviceName = "Kestova PLEM VO";

    static constexpr std::uint8_t sysexStart = 0xF0;
    static constexpr std::uint8_t sysexEnd = 0xF7;
    static constexpr std::array<std::uint8_t, 4> header { sysexStart, 0x00, 0x12, 0x34 };

    // Byte positions within a framed message.
    static constexpr std::size_t serialByte = 4;
    static constexpr std::size_t commandByte = 5;
    static constexpr std::size_t idByte = 6;
    static constexpr std::size_t valueLowByte = 7;
    static constexpr std::size_t valueHighByte = 8;

    static constexpr std::size_t queryLength = 7;
    static constexpr std::size_t parameterMessageLength = 10;
    /** A MIDI cable's rate: 31,250 baud, ten bits a byte. */
    static constexpr int wireBytesPerSecond = 3125;
    /** The longest message of the protocol, F0 and F7 included. */
    static constexpr std::size_t maxMessageLength = parameterMessageLength;
    /** The shortest framed message. */
    static constexpr std::size_t minFramedLength = 5;
    /** The shortest message from the unit that carries an id and a value. */
    static constexpr std::size_t minParameterLength = 9;

    static constexpr std::uint8_t commandIdentify = 0x04;
    /** The channel selected on the unit, or both while they are linked. */
    static constexpr std::uint8_t commandSelectedChannel = 0x01;
    /** The channel that is not selected on the unit. */
    static constexpr std::uint8_t commandOtherChannel = 0x08;

    enum ControlId : int
    {
        eq1Gain = 1,
        eq1Q = 2,
        eq1Frequency = 3,
        eq2Gain = 6,
        eq2Q = 7,
        eq2Frequency = 8,
        lowPass = 10,
        highPass = 11,
        channelMode = 14,
        switches = 15
    };

    /** The controls that carry one code per channel. */
    static constexpr std::array<int, 8> channelControlIds { eq1Gain, eq1Q,         eq1Frequency, eq2Gain,
                                                            eq2Q,    eq2Frequency, lowPass,      highPass };

    enum ChannelModeCode : int
    {
        channel2Selected = 1,
        channel1Selected = 2,
        channelsLinked = 4
    };

    enum SwitchBit : int
    {
        eq1EngageBit = 0x04,
        eq2EngageBit = 0x08,
        engageBit = 0x40
    };

    /** The highest value a parameter message carries. */
    static constexpr int maxValue = 255;

    /** The highest serial number a unit can have: it travels in one data byte, and a byte of 80 or
        more inside a system-exclusive message would end it on the cable. */
    static constexpr int maxSerialNo = 0x7F;

    static constexpr std::array<std::uint8_t, queryLength> makeQuery()
    {
        return { header[0], header[1], header[2], header[3], 0x00, commandIdentify, sysexEnd };
    }

    /** Bits of the value above bit 7 are dropped, as the unit reads only 0 to 255. */
    static constexpr std::array<std::uint8_t, parameterMessageLength>
    makeParameterMessage (std::uint8_t serial, std::uint8_t command, int id, int value)
    {
        return { header[0],
                 header[1],
                 header[2],
                 header[3],
                 serial,
                 command,
                 static_cast<std::uint8_t> (id),
                 static_cast<std::uint8_t> (value & 0x7F),
                 static_cast<std::uint8_t> ((value & 0xFF) >> 7),
                 sysexEnd };
    }

    /** True when the bytes are at least `minFramedLength` long and begin with the header. */
    static constexpr bool isFramed (const std::uint8_t* data, std::size_t length)
    {
        return data != nullptr && length >= minFramedLength && data[0] == header[0] && data[1] == header[1] &&
               data[2] == header[2] && data[3] == header[3];
    }

    /** True for a complete message (F0 to F7) that is a unit's answer to the discovery query: command
        04 with a serial number that fits a data byte. */
    static constexpr bool isAnswer (const std::uint8_t* data, std::size_t length)
    {
        return isFramed (data, length) && length > commandByte + 1 && data[commandByte] == commandIdentify &&
               data[serialByte] <= maxSerialNo;
    }
};
} // namespace juce
