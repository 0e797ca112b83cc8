#include "LayerRecorder.h"

#include <gtest/gtest.h>

#include <cstring>

using vqsim::EntityLayout;
using vqsim::VirtualMidiSetup;

namespace
{
std::string readName (MIDIObjectRef object, OSStatus* status = nullptr)
{
    CFStringRef name = nullptr;
    const auto s = MIDIObjectGetStringProperty (object, kMIDIPropertyName, &name);

    if (status != nullptr)
        *status = s;

    if (s != noErr)
        return {};

    std::string text (static_cast<std::size_t> (CFStringGetLength (name)) + 1, '\0');
    CFStringGetCString (name, text.data(), static_cast<CFIndex> (text.size()), kCFStringEncodingUTF8);
    CFRelease (name);
    return text.c_str();
}

class LayerCalls : public ::testing::Test
{
protected:
    VirtualMidiSetup setup;
};
} // namespace

TEST_F (LayerCalls, DevicesAreListedInTheOrderPluggedInWithTheirEntitiesAndEndpoints)
{
    const auto a = setup.addDevice ("A", { EntityLayout { 1, 1 }, EntityLayout { 2, 0 } });
    const auto b = setup.addDevice ("B", {});

    ASSERT_EQ (MIDIGetNumberOfDevices(), 2u);
    EXPECT_EQ (MIDIGetDevice (0), a);
    EXPECT_EQ (MIDIGetDevice (1), b);
    EXPECT_EQ (MIDIGetDevice (2), 0u);

    ASSERT_EQ (MIDIDeviceGetNumberOfEntities (a), 2u);
    EXPECT_EQ (MIDIDeviceGetNumberOfEntities (b), 0u);
    EXPECT_EQ (MIDIDeviceGetEntity (b, 0), 0u);

    const auto first = MIDIDeviceGetEntity (a, 0);
    const auto second = MIDIDeviceGetEntity (a, 1);
    EXPECT_EQ (MIDIEntityGetNumberOfSources (first), 1u);
    EXPECT_EQ (MIDIEntityGetNumberOfDestinations (first), 1u);
    EXPECT_EQ (MIDIEntityGetNumberOfSources (second), 2u);
    EXPECT_EQ (MIDIEntityGetNumberOfDestinations (second), 0u);
    EXPECT_EQ (MIDIEntityGetSource (first, 0), setup.getSource (a));
    EXPECT_EQ (MIDIEntityGetDestination (first, 0), setup.getDestination (a));
    EXPECT_EQ (MIDIEntityGetSource (second, 1), setup.getSource (a, 1, 1));
    EXPECT_EQ (MIDIEntityGetDestination (second, 0), 0u);
    EXPECT_EQ (MIDIEntityGetSource (first, 1), 0u);
}

TEST_F (LayerCalls, NameAndOfflineAreReadFromTheDeviceAndItsParts)
{
    const auto device = setup.addDevice ("Kestova PLEM VO", { EntityLayout() }, true);
    SInt32 offline = -1;

    EXPECT_EQ (readName (device), "Kestova PLEM VO");
    EXPECT_EQ (readName (MIDIDeviceGetEntity (device, 0)), "Kestova PLEM VO");
    EXPECT_EQ (MIDIObjectGetIntegerProperty (device, kMIDIPropertyOffline, &offline), noErr);
    EXPECT_EQ (offline, 1);

    setup.setOffline (device, false);
    EXPECT_EQ (MIDIObjectGetIntegerProperty (setup.getSource (device), kMIDIPropertyOffline, &offline), noErr);
    EXPECT_EQ (offline, 0);
    EXPECT_EQ (VirtualMidiSetup::countLiveStrings(), 0);
}

TEST_F (LayerCalls, UnknownObjectsAndPropertiesAreErrors)
{
    const auto device = setup.addDevice ("A");
    CFStringRef name = nullptr;
    SInt32 value = 0;
    OSStatus status;

    readName (12345, &status);
    EXPECT_EQ (status, kMIDIObjectNotFound);
    EXPECT_EQ (MIDIObjectGetStringProperty (device, kMIDIPropertyOffline, &name), kMIDIUnknownProperty);
    EXPECT_EQ (MIDIObjectGetIntegerProperty (device, kMIDIPropertyName, &value), kMIDIUnknownProperty);
    EXPECT_EQ (MIDIObjectGetIntegerProperty (12345, kMIDIPropertyOffline, &value), kMIDIObjectNotFound);
    EXPECT_EQ (MIDIObjectGetStringProperty (device, kMIDIPropertyName, nullptr), kMIDIInvalidArgument);

    setup.removeDevice (device);
    readName (device, &status);
    EXPECT_EQ (status, kMIDIObjectNotFound);
    EXPECT_EQ (MIDIGetNumberOfDevices(), 0u);
    EXPECT_EQ (MIDIDeviceGetNumberOfEntities (device), 0u);
}

TEST_F (LayerCalls, DisposedAndUnknownReferencesAreRefused)
{
    MIDIClientRef client = 0;
    MIDIPortRef port = 0;
    const auto device = setup.addDevice ("A");
    const auto source = setup.getSource (device);
    auto read = [] (const MIDIPacketList*, void*, void*) {};

    ASSERT_EQ (MIDIClientCreate (CFSTR ("c"), nullptr, nullptr, &client), noErr);
    ASSERT_EQ (MIDIInputPortCreate (client, CFSTR ("p"), read, nullptr, &port), noErr);

    EXPECT_EQ (MIDIPortConnectSource (port, 999, nullptr), kMIDIUnknownEndpoint);
    EXPECT_EQ (MIDIPortConnectSource (port, setup.getDestination (device), nullptr), kMIDIWrongEndpointType);
    EXPECT_EQ (MIDIPortConnectSource (999, source, nullptr), kMIDIInvalidPort);
    EXPECT_EQ (MIDIPortDisconnectSource (port, source), kMIDINoConnection);
    EXPECT_EQ (MIDIPortConnectSource (port, source, nullptr), noErr);
    EXPECT_EQ (MIDIPortDisconnectSource (port, source), noErr);

    EXPECT_EQ (MIDIInputPortCreate (999, CFSTR ("p"), read, nullptr, &port), kMIDIInvalidClient);
    EXPECT_EQ (port, 0u);
    EXPECT_EQ (MIDIInputPortCreate (client, CFSTR ("p"), read, nullptr, &port), noErr);

    // Disposing the client disposes its ports: disposing a port afterwards is an error.
    EXPECT_EQ (MIDIClientDispose (client), noErr);
    EXPECT_EQ (MIDIPortDispose (port), kMIDIInvalidPort);
    EXPECT_EQ (MIDIPortConnectSource (port, source, nullptr), kMIDIInvalidPort);
    EXPECT_EQ (MIDIClientDispose (client), kMIDIInvalidClient);
    EXPECT_EQ (MIDIInputPortCreate (client, CFSTR ("p"), read, nullptr, &port), kMIDIInvalidClient);
    EXPECT_EQ (setup.countPorts(), 0);
}

TEST_F (LayerCalls, SendingToARemovedOrWrongEndpointFails)
{
    const auto device = setup.addDevice ("A");
    const Byte bytes[] = { 0xF0, 0x7F, 0xF7 };
    MIDISysexSendRequest request {};
    request.data = bytes;
    request.bytesToSend = sizeof (bytes);

    request.destination = setup.getSource (device);
    EXPECT_EQ (MIDISendSysex (&request), kMIDIWrongEndpointType);

    request.destination = setup.getDestination (device);
    setup.removeDevice (device);
    EXPECT_EQ (MIDISendSysex (&request), kMIDIUnknownEndpoint);
    EXPECT_EQ (MIDISendSysex (nullptr), kMIDIInvalidArgument);
    EXPECT_FALSE (request.complete);
}

TEST (LayerWithoutSetup, ClientCreationFailsWhenNoServiceRuns)
{
    MIDIClientRef client = 77;
    EXPECT_EQ (MIDIClientCreate (CFSTR ("c"), nullptr, nullptr, &client), kMIDIServerStartErr);
    EXPECT_EQ (client, 0u);
    EXPECT_EQ (MIDIGetNumberOfDevices(), 0u);
    EXPECT_EQ (MIDIPortDispose (1), kMIDIServerStartErr);
}

TEST (LayerWithoutSetup, ReferencesOfAFormerSetupAreUnknownToTheNextOne)
{
    MIDIClientRef client = 0;
    MIDIDeviceRef device = 0;
    {
        VirtualMidiSetup first;
        device = first.addDevice ("A");
        ASSERT_EQ (MIDIClientCreate (CFSTR ("c"), nullptr, nullptr, &client), noErr);
    }

    VirtualMidiSetup second;
    EXPECT_NE (second.addDevice ("A"), device);
    EXPECT_EQ (MIDIClientDispose (client), kMIDIInvalidClient);
}

//==============================================================================
struct PlannedFailure
{
    VirtualMidiSetup::Call call;
    std::function<bool()> callFails; // makes the call once and tells whether it failed
};

TEST_F (LayerCalls, EveryCallCanBeMadeToFailOnce)
{
    const auto device = setup.addDevice ("A");
    const auto entity = MIDIDeviceGetEntity (device, 0);
    MIDIClientRef client = 0;
    MIDIPortRef port = 0;
    auto read = [] (const MIDIPacketList*, void*, void*) {};
    ASSERT_EQ (MIDIClientCreate (CFSTR ("c"), nullptr, nullptr, &client), noErr);
    ASSERT_EQ (MIDIInputPortCreate (client, CFSTR ("p"), read, nullptr, &port), noErr);

    using Call = VirtualMidiSetup::Call;
    const std::vector<PlannedFailure> cases {
        { Call::clientCreate,
          []
          {
              MIDIClientRef c = 0;
              const auto s = MIDIClientCreate (CFSTR ("c"), nullptr, nullptr, &c);
              MIDIClientDispose (c);
              return s != noErr && c == 0;
          } },
        { Call::getNumberOfDevices, [] { return MIDIGetNumberOfDevices() == 0; } },
        { Call::getDevice, [] { return MIDIGetDevice (0) == 0; } },
        { Call::objectGetStringProperty,
          [device]
          {
              OSStatus s;
              readName (device, &s);
              return s != noErr;
          } },
        { Call::objectGetIntegerProperty,
          [device]
          {
              SInt32 v;
              return MIDIObjectGetIntegerProperty (device, kMIDIPropertyOffline, &v) != noErr;
          } },
        { Call::deviceGetNumberOfEntities, [device] { return MIDIDeviceGetNumberOfEntities (device) == 0; } },
        { Call::deviceGetEntity, [device] { return MIDIDeviceGetEntity (device, 0) == 0; } },
        { Call::entityGetNumberOfSources, [entity] { return MIDIEntityGetNumberOfSources (entity) == 0; } },
        { Call::entityGetNumberOfDestinations, [entity] { return MIDIEntityGetNumberOfDestinations (entity) == 0; } },
        { Call::entityGetSource, [entity] { return MIDIEntityGetSource (entity, 0) == 0; } },
        { Call::entityGetDestination, [entity] { return MIDIEntityGetDestination (entity, 0) == 0; } },
        { Call::inputPortCreate,
          [client, read]
          {
              MIDIPortRef p = 0;
              const auto s = MIDIInputPortCreate (client, CFSTR ("p"), read, nullptr, &p);
              MIDIPortDispose (p);
              return s != noErr && p == 0;
          } },
        { Call::portConnectSource,
          [&]
          {
              const auto s = MIDIPortConnectSource (port, setup.getSource (device), nullptr);
              MIDIPortDisconnectSource (port, setup.getSource (device));
              return s != noErr;
          } },
        { Call::portDisconnectSource,
          [&]
          {
              MIDIPortConnectSource (port, setup.getSource (device), nullptr);
              const bool failed = MIDIPortDisconnectSource (port, setup.getSource (device)) != noErr;
              return failed && MIDIPortDisconnectSource (port, setup.getSource (device)) == noErr;
          } },
        { Call::sendSysex,
          [&]
          {
              const Byte bytes[] = { 0xF0, 0xF7 };
              MIDISysexSendRequest r {};
              r.destination = setup.getDestination (device);
              r.data = bytes;
              r.bytesToSend = 2;
              const bool failed = MIDISendSysex (&r) != noErr;
              setup.flush();
              return failed && ! r.complete;
          } },
        { Call::stringGetCString,
          []
          {
              char buffer[4] = { 1, 1, 1, 1 };
              const bool failed = ! CFStringGetCString (CFSTR ("abc"), buffer, 4, kCFStringEncodingASCII);
              return failed && std::memchr (buffer, 0, sizeof (buffer)) == nullptr;
          } },
        { Call::portDispose, [port] { return MIDIPortDispose (port) != noErr && MIDIPortDispose (port) == noErr; } },
        { Call::clientDispose,
          [client] { return MIDIClientDispose (client) != noErr && MIDIClientDispose (client) == noErr; } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (static_cast<int> (c.call));
        setup.failCall (c.call, kMIDIUnknownError, 1);
        EXPECT_TRUE (c.callFails());
    }
}

TEST_F (LayerCalls, AFailureCanLastUntilCleared)
{
    setup.addDevice ("A");
    setup.failCall (VirtualMidiSetup::Call::getNumberOfDevices, kMIDIUnknownError, -1);
    EXPECT_EQ (MIDIGetNumberOfDevices(), 0u);
    EXPECT_EQ (MIDIGetNumberOfDevices(), 0u);
    setup.clearFailures();
    EXPECT_EQ (MIDIGetNumberOfDevices(), 1u);
}

//==============================================================================
TEST (LayerStrings, ConversionFailsOnCharactersWithoutCodeOrTooSmallBuffersAndLeavesNoTerminator)
{
    auto* name = CFStringCreateWithCString (kCFAllocatorDefault, "PLEM V\xC3\x96", kCFStringEncodingUTF8);
    ASSERT_NE (name, nullptr);
    EXPECT_EQ (CFStringGetLength (name), 7);

    char buffer[8];
    std::memset (buffer, 1, sizeof (buffer));
    EXPECT_FALSE (CFStringGetCString (name, buffer, 8, kCFStringEncodingASCII));
    EXPECT_EQ (std::memchr (buffer, 0, sizeof (buffer)), nullptr);
    EXPECT_EQ (std::string (buffer, 6), "PLEM V");

    EXPECT_FALSE (CFStringGetCString (name, buffer, 8, kCFStringEncodingUTF8)); // 8 bytes and a terminator
    CFRelease (name);

    EXPECT_TRUE (CFStringGetCString (CFSTR ("ab"), buffer, 3, kCFStringEncodingASCII));
    EXPECT_STREQ (buffer, "ab");
    EXPECT_FALSE (CFStringGetCString (CFSTR ("ab"), buffer, 2, kCFStringEncodingASCII));
    EXPECT_FALSE (CFStringGetCString (nullptr, buffer, 2, kCFStringEncodingASCII));
}

TEST (LayerStrings, CreatedStringsAreFreedByTheirLastReleaseAndConstantsNever)
{
    const auto before = VirtualMidiSetup::countLiveStrings();
    auto* s = CFStringCreateWithCString (kCFAllocatorDefault, "x", kCFStringEncodingASCII);
    EXPECT_EQ (VirtualMidiSetup::countLiveStrings(), before + 1);
    CFRelease (s);
    EXPECT_EQ (VirtualMidiSetup::countLiveStrings(), before);

    EXPECT_EQ (CFSTR ("same"), CFSTR ("same"));
    CFRelease (CFSTR ("same"));
    EXPECT_EQ (CFStringGetLength (CFSTR ("same")), 4);
    EXPECT_EQ (CFStringCreateWithCString (kCFAllocatorDefault, "\xC3\x96", kCFStringEncodingASCII), nullptr);
    EXPECT_EQ (CFStringCreateWithCString (kCFAllocatorDefault, "\xC3", kCFStringEncodingUTF8), nullptr);
}
