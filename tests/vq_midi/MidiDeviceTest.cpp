#include "MidiLinkFixture.h"

#include <CoreMIDI/CoreMIDI.h>

using namespace vqtest;
using Direction = vqsim::SimulatedUnit::Direction;

namespace
{
class MidiDeviceTest : public MidiLinkTest
{
protected:
    void SetUp() override { startManager(); }

    // A unit that does not answer the query, so that the test's own messages come first.
    vqsim::SimulatedUnit& plugInSilentUnit()
    {
        auto& unit = addUnit (0);
        unit.setAnswersQueries (false);
        unit.plugIn();
        EXPECT_TRUE (runMessageLoopUntil ([&unit] { return ! unit.getTraffic (Direction::toUnit).empty(); }));
        return unit;
    }

    std::vector<Bytes> sentToUnit (vqsim::SimulatedUnit& unit)
    {
        setup.flush();
        return unit.getTraffic (Direction::toUnit);
    }
};

const Bytes discoveryQuery { 0xF0, 0x00, 0x12, 0x34, 0x00, 0x04, 0xF7 };

Bytes answer (Byte serialNo)
{
    return { 0xF0, 0x00, 0x12, 0x34, serialNo, 0x04, 0xF7 };
}
} // namespace

TEST_F (MidiDeviceTest, AnOpenedUnitIsAskedOnceForItsSerialNumber)
{
    auto& unit = plugInSilentUnit();
    EXPECT_EQ (sentToUnit (unit), std::vector<Bytes> { discoveryQuery });
}

TEST_F (MidiDeviceTest, TheSerialNumberComesFromTheAnswerToTheQueryAndNeverChanges)
{
    auto& unit = plugInSilentUnit();
    auto& listener = makeListener();

    inject (unit, { answer (5) });
    ASSERT_TRUE (waitForUnits (1));
    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 5 });

    ASSERT_TRUE (manager->connectIfSerialNo (5, &listener));
    inject (unit, { answer (7), unitMessage (7, 0x01, 1, 0x11, 0) });

    EXPECT_EQ (listener.takeReceived(), (std::vector<Value> { { 1, 0x11 } }));
    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 5 });
}

TEST_F (MidiDeviceTest, NoMessageButAnAnswerWithASerialNumberBelow80TellsTheSerialNumber)
{
    const std::vector<Bytes> firstMessages {
        { 0xF0, 0x00, 0x12, 0x34, 0xF7 },                               // an answer cut short
        unitMessage (5, 0x01, 1, 0x10, 0),                              // a parameter message
        { 0xF0, 0x00, 0x12, 0x34, 0x05, 0x01, 0xF7 },                   // another command
        { 0xF0, 0x00, 0x12, 0x34, 0xC8, 0x04, 0xF7 },                   // serial number 200
        { 0xF0, 0x00, 0x12, 0x34, 0x05, 0x04, 0x00, 0x00, 0x00, 0x00 }, // an answer never finished
    };

    for (const auto& first : firstMessages)
    {
        auto& unit = plugInSilentUnit();

        inject (unit, { first });
        runMessageLoopFor (600);
        EXPECT_EQ (countUnits(), 0);

        inject (unit, { answer (9) });
        ASSERT_TRUE (waitForUnits (1));
        EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 9 });

        unit.unplug();
        ASSERT_TRUE (waitForUnits (0));
    }
}

TEST_F (MidiDeviceTest, AUnitThatAnswersWithSerialNumber200IsNeverListedAndNeverSentAStatusByteInsideAMessage)
{
    auto& unit = addUnit (200);
    unit.plugIn();
    runMessageLoopFor (1000);

    EXPECT_EQ (countUnits(), 0);
    int serialNo = -1;
    EXPECT_FALSE (manager->connectIfOneDevice (&makeListener(), serialNo));

    for (const auto& sent : sentToUnit (unit))
    {
        ASSERT_GE (sent.size(), 2u);
        EXPECT_EQ (sent.front(), 0xF0);
        EXPECT_EQ (sent.back(), 0xF7);
        EXPECT_TRUE (std::all_of (sent.begin() + 1, sent.end() - 1, [] (Byte b) { return b < 0x80; }));
    }
}

TEST_F (MidiDeviceTest, AParameterMessageCarriesTheSerialNumberCommandIdAndValueInDataBytes)
{
    struct Case
    {
        int id, value;
        bool otherChannel;
        std::vector<Bytes> sent;
    };

    const Case cases[] {
        { 1, 200, false, { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0x48, 0x01, 0xF7 } } },
        { 14, 4, false, { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x0E, 0x04, 0x00, 0xF7 } } },
        { 8, 255, true, { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x08, 0x08, 0x7F, 0x01, 0xF7 } } },
        { 3, 300, false, { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x03, 0x2C, 0x00, 0xF7 } } }, // bits above 7 dropped
        { 0x80, 1, false, {} }, // an id that is no data byte
        { -1, 1, false, {} },
    };

    auto& unit = addUnit (3);
    auto& listener = makeListener();
    connect (unit, listener, 3);
    ASSERT_NE (listener.device, nullptr);

    for (const auto& c : cases)
    {
        unit.clearTraffic();
        listener.device->setValue (c.id, c.value, c.otherChannel);
        EXPECT_EQ (sentToUnit (unit), c.sent) << "id " << c.id << ", value " << c.value;
    }
}

TEST_F (MidiDeviceTest, NothingIsSentBeforeTheUnitHasToldItsSerialNumber)
{
    auto& unit = addUnit (3);
    unit.setAnswersQueries (false);
    unit.plugIn();

    MIDIClientRef client = 0;
    ASSERT_EQ (MIDIClientCreate (CFSTR ("test client"), nullptr, nullptr, &client), noErr);

    {
        juce::MidiDevice device (*manager, client, unit.getDevice());
        ASSERT_EQ (device.getSerialNo(), -1);

        device.setValue (1, 200, false);
        EXPECT_EQ (sentToUnit (unit), std::vector<Bytes> { discoveryQuery });
    }

    MIDIClientDispose (client);
}

//==============================================================================
namespace
{
struct ReceiveCase
{
    std::string what;
    std::vector<Bytes> packets;
    std::vector<Value> delivered;
};

std::vector<Bytes> repeated (int count)
{
    std::vector<Bytes> packets;

    for (int i = 0; i < count; ++i)
        packets.push_back (unitMessage (3, 0x01, 1 + i % 15, i % 0x80, (i / 0x80) % 2));

    return packets;
}

std::vector<Value> repeatedValues (int count)
{
    std::vector<Value> values;

    for (int i = 0; i < count; ++i)
        values.emplace_back (1 + i % 15, i % 0x80 + 0x80 * ((i / 0x80) % 2));

    return values;
}

Bytes thousandBytesLong()
{
    auto bytes = unitMessage (3, 0x01, 2, 0x20, 0);
    bytes.insert (bytes.end() - 1, 990, 0x55);
    return bytes;
}

Bytes joined (std::initializer_list<Bytes> parts)
{
    Bytes all;

    for (const auto& part : parts)
        all.insert (all.end(), part.begin(), part.end());

    return all;
}

const Bytes valid = unitMessage (3, 0x01, 1, 0x10, 0);
const Bytes second = unitMessage (3, 0x01, 2, 0x20, 0);
const Bytes third = unitMessage (3, 0x00, 3, 0x7F, 1);

// The message cut in two at every place, and with a real-time byte at every place, before and after it too.
std::vector<ReceiveCase> cutAndInterleaved()
{
    std::vector<ReceiveCase> cases;

    for (std::size_t at = 1; at < valid.size(); ++at)
    {
        cases.push_back (
            { "split after byte " + std::to_string (at),
              { Bytes (valid.begin(), valid.begin() + (long) at), Bytes (valid.begin() + (long) at, valid.end()) },
              { { 1, 0x10 } } });
    }

    for (const Byte realTime : { Byte (0xF8), Byte (0xFE) })
    {
        for (std::size_t at = 0; at <= valid.size(); ++at)
        {
            auto bytes = valid;
            bytes.insert (bytes.begin() + (long) at, realTime);
            cases.push_back ({ "real-time byte " + std::to_string (realTime) + " at " + std::to_string (at),
                               { bytes },
                               { { 1, 0x10 } } });
        }
    }

    return cases;
}

const ReceiveCase receiveCases[] {
    { "no packet at all", {}, {} },
    { "an empty packet before a message", { {}, valid }, { { 1, 0x10 } } },
    { "three messages in three packets",
      { unitMessage (3, 1, 1, 1, 0), unitMessage (3, 1, 2, 2, 0), unitMessage (3, 1, 3, 3, 0) },
      { { 1, 1 }, { 2, 2 }, { 3, 3 } } },
    { "two messages in one packet", { joined ({ valid, second }) }, { { 1, 0x10 }, { 2, 0x20 } } },
    { "three messages in one packet",
      { joined ({ valid, second, third }) },
      { { 1, 0x10 }, { 2, 0x20 }, { 3, 0xFF } } },
    { "a message split over three packets, the next one in the last",
      { { 0xF0, 0x00, 0x12 }, { 0x34, 0x03, 0x01, 0x01 }, joined ({ { 0x10, 0x00, 0xF7 }, second }) },
      { { 1, 0x10 }, { 2, 0x20 } } },
    { "real-time bytes between every byte",
      { { 0xF8, 0xF0, 0xFE, 0x00, 0xF8, 0x12, 0xFF, 0x34, 0xF9, 0x03,
          0xFA, 0x01, 0xFB, 0x01, 0xFC, 0x10, 0xFD, 0x00, 0xF8, 0xF7 } },
      { { 1, 0x10 } } },
    { "a new start inside an unfinished message",
      { joined ({ { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01 }, second }) },
      { { 2, 0x20 } } },
    { "a new start in the next packet", { { 0xF0, 0x00, 0x12, 0x34, 0x03 }, second }, { { 2, 0x20 } } },
    { "a status byte inside a message",
      { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x90, 0x01, 0x10, 0x00, 0xF7 }, second },
      { { 2, 0x20 } } },
    { "a system common byte inside a message",
      { joined ({ { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0xF1 }, { 0x10, 0x00, 0xF7 } }) },
      {} },
    { "one byte more than the longest message",
      { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0x10, 0x00, 0x00, 0xF7 }, second },
      { { 2, 0x20 } } },
    { "a message a thousand bytes long", { thousandBytesLong(), second }, { { 2, 0x20 } } },
    { "data bytes outside a message", { joined ({ { 0x01, 0x10, 0x00 }, valid, { 0x55, 0xF7 } }) }, { { 1, 0x10 } } },
    { "a message that does not start its packet", { joined ({ { 0xF7 }, valid }) }, { { 1, 0x10 } } },
    { "a packet shorter than the header, then a message", { { 0xF0, 0x00, 0x12, 0x34 }, valid }, { { 1, 0x10 } } },
    { "another manufacturer", { { 0xF0, 0x00, 0x12, 0x35, 0x03, 0x01, 0x01, 0x10, 0x00, 0xF7 } }, {} },
    { "no system-exclusive start", { { 0x90, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0x10, 0x00, 0xF7 } }, {} },
    { "eight bytes", { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0x10, 0xF7 } }, {} },
    { "nine bytes, never ended, then a message",
      { { 0xF0, 0x00, 0x12, 0x34, 0x03, 0x01, 0x01, 0x10, 0x00 }, second },
      { { 2, 0x20 } } },
    { "value bytes 7F 01, the highest value", { unitMessage (3, 1, 1, 0x7F, 0x01) }, { { 1, 255 } } },
    { "value bytes 00 02, above the highest value", { unitMessage (3, 1, 1, 0x00, 0x02) }, {} },
    { "value bytes 7F 7F", { unitMessage (3, 1, 1, 0x7F, 0x7F) }, {} },
    { "command 00", { unitMessage (3, 0x00, 2, 0x10, 0) }, { { 2, 0x10 } } },
    { "command 08", { unitMessage (3, 0x08, 2, 0x10, 0) }, {} },
    { "command 04", { unitMessage (3, 0x04, 2, 0x10, 0) }, {} },
    { "another serial number", { unitMessage (9, 0x01, 2, 0x10, 0) }, { { 2, 0x10 } } },
    { "three hundred packets", repeated (300), repeatedValues (300) },
};
} // namespace

TEST_F (MidiDeviceTest,
        TheReceivePathReadsWholeMessagesHoweverTheyAreCutAndDeliversOnlyWellFormedParameterMessagesInOrder)
{
    auto& unit = addUnit (3);
    auto& listener = makeListener();
    connect (unit, listener, 3);
    setup.flush();
    listener.takeReceived();

    auto cases = cutAndInterleaved();
    cases.insert (cases.end(), std::begin (receiveCases), std::end (receiveCases));

    for (const auto& c : cases)
    {
        inject (unit, c.packets);
        EXPECT_EQ (listener.takeReceived(), c.delivered) << c.what;

        // Whatever the row left unfinished is dropped by a status byte, so that each row starts afresh.
        inject (unit, { { 0x80 } });
    }

    EXPECT_EQ (listedSerialNumbers(), std::vector<int> { 3 });
}

namespace
{
using Call = vqsim::VirtualMidiSetup::Call;

/** A CoreMIDI call that fails while a unit is opened, and whether the discovery query still reaches it. */
struct OpenFailure
{
    const char* name;
    Call call;
    bool querySent;
};

class MidiDeviceOpenFailureTest : public MidiDeviceTest, public testing::WithParamInterface<OpenFailure>
{
};

TEST_P (MidiDeviceOpenFailureTest, AUnitThatCannotBeOpenedWhollyIsNeverListed)
{
    setup.failCall (GetParam().call, kMIDIUnknownError, -1);
    auto& unit = addUnit (5);
    unit.plugIn();
    setup.flush();
    runMessageLoopFor (50);

    EXPECT_EQ (! sentToUnit (unit).empty(), GetParam().querySent);
    EXPECT_EQ (countUnits(), 0) << "no answer can come back";

    if (GetParam().call == Call::inputPortCreate)
    {
        EXPECT_EQ (setup.countPorts(), 0);
    }

    setup.clearFailures();
}

// A failed send frees its request at once (the leak check of the sanitizer builds sees it) and sends nothing.
INSTANTIATE_TEST_SUITE_P (Calls, MidiDeviceOpenFailureTest,
                          testing::Values (OpenFailure { "noDestination", Call::entityGetNumberOfDestinations, false },
                                           OpenFailure { "noSource", Call::entityGetNumberOfSources, true },
                                           OpenFailure { "noEntity", Call::deviceGetNumberOfEntities, false },
                                           OpenFailure { "entityMissing", Call::deviceGetEntity, false },
                                           OpenFailure { "portNotCreated", Call::inputPortCreate, false },
                                           OpenFailure { "sendFails", Call::sendSysex, false }),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
