#include "MidiServer.h"

// Every call acts on the current setup; without one the service is unreachable.
namespace
{
template <typename Result, typename Function> Result withServer (Result unreachable, Function&& function)
{
    if (auto server = vqsim::MidiServer::current())
        return function (*server);

    return unreachable;
}
} // namespace

extern "C"
{
    const CFStringRef kMIDIPropertyName = CFSTR ("name");
    const CFStringRef kMIDIPropertyOffline = CFSTR ("offline");

    OSStatus MIDIClientCreate (CFStringRef name, MIDINotifyProc notifyProc, void* notifyRefCon,
                               MIDIClientRef* outClient)
    {
        if (outClient != nullptr)
            *outClient = 0;

        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s)
                                     { return s.clientCreate (name, notifyProc, notifyRefCon, outClient); });
    }

    OSStatus MIDIClientDispose (MIDIClientRef client)
    {
        return withServer<OSStatus> (kMIDIServerStartErr,
                                     [&] (vqsim::MidiServer& s) { return s.clientDispose (client); });
    }

    ItemCount MIDIGetNumberOfDevices()
    {
        return withServer<ItemCount> (0, [] (vqsim::MidiServer& s) { return s.getNumberOfDevices(); });
    }

    MIDIDeviceRef MIDIGetDevice (ItemCount deviceIndex0)
    {
        return withServer<MIDIDeviceRef> (0, [&] (vqsim::MidiServer& s) { return s.getDevice (deviceIndex0); });
    }

    OSStatus MIDIObjectGetStringProperty (MIDIObjectRef object, CFStringRef propertyID, CFStringRef* outString)
    {
        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s)
                                     { return s.getStringProperty (object, propertyID, outString); });
    }

    OSStatus MIDIObjectGetIntegerProperty (MIDIObjectRef object, CFStringRef propertyID, SInt32* outValue)
    {
        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s)
                                     { return s.getIntegerProperty (object, propertyID, outValue); });
    }

    ItemCount MIDIDeviceGetNumberOfEntities (MIDIDeviceRef device)
    {
        return withServer<ItemCount> (0, [&] (vqsim::MidiServer& s) { return s.countEntities (device); });
    }

    MIDIEntityRef MIDIDeviceGetEntity (MIDIDeviceRef device, ItemCount entityIndex0)
    {
        return withServer<MIDIEntityRef> (0, [&] (vqsim::MidiServer& s) { return s.getEntity (device, entityIndex0); });
    }

    ItemCount MIDIEntityGetNumberOfSources (MIDIEntityRef entity)
    {
        return withServer<ItemCount> (0, [&] (vqsim::MidiServer& s) { return s.countEndpoints (entity, true); });
    }

    ItemCount MIDIEntityGetNumberOfDestinations (MIDIEntityRef entity)
    {
        return withServer<ItemCount> (0, [&] (vqsim::MidiServer& s) { return s.countEndpoints (entity, false); });
    }

    MIDIEndpointRef MIDIEntityGetSource (MIDIEntityRef entity, ItemCount sourceIndex0)
    {
        return withServer<MIDIEndpointRef> (0, [&] (vqsim::MidiServer& s)
                                            { return s.getEndpoint (entity, sourceIndex0, true); });
    }

    MIDIEndpointRef MIDIEntityGetDestination (MIDIEntityRef entity, ItemCount destIndex0)
    {
        return withServer<MIDIEndpointRef> (0, [&] (vqsim::MidiServer& s)
                                            { return s.getEndpoint (entity, destIndex0, false); });
    }

    OSStatus MIDIInputPortCreate (MIDIClientRef client, CFStringRef portName, MIDIReadProc readProc, void* refCon,
                                  MIDIPortRef* outPort)
    {
        if (outPort != nullptr)
            *outPort = 0;

        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s)
                                     { return s.inputPortCreate (client, portName, readProc, refCon, outPort); });
    }

    OSStatus MIDIPortConnectSource (MIDIPortRef port, MIDIEndpointRef source, void* connRefCon)
    {
        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s)
                                     { return s.portConnectSource (port, source, connRefCon); });
    }

    OSStatus MIDIPortDisconnectSource (MIDIPortRef port, MIDIEndpointRef source)
    {
        return withServer<OSStatus> (kMIDIServerStartErr,
                                     [&] (vqsim::MidiServer& s) { return s.portDisconnectSource (port, source); });
    }

    OSStatus MIDIPortDispose (MIDIPortRef port)
    {
        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s) { return s.portDispose (port); });
    }

    OSStatus MIDISendSysex (MIDISysexSendRequest* request)
    {
        return withServer<OSStatus> (kMIDIServerStartErr, [&] (vqsim::MidiServer& s) { return s.sendSysex (request); });
    }
}
