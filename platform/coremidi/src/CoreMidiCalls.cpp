#include <CoreMIDI/CoreMIDI.h>

extern "C"
{
const CFStringRef kMIDIPropertyName = CFSTR ("name");
const CFStringRef kMIDIPropertyOffline = CFSTR ("offline");

OSStatus MIDIClientCreate (CFStringRef, MIDINotifyProc, void*, MIDIClientRef* outClient)
{
    if (outClient != nullptr)
        *outClient = 0;
    return kMIDIServerStartErr;
}

OSStatus MIDIClientDispose (MIDIClientRef) { return kMIDIInvalidClient; }
ItemCount MIDIGetNumberOfDevices() { return 0; }
MIDIDeviceRef MIDIGetDevice (ItemCount) { return 0; }
OSStatus MIDIObjectGetStringProperty (MIDIObjectRef, CFStringRef, CFStringRef*) { return kMIDIObjectNotFound; }
OSStatus MIDIObjectGetIntegerProperty (MIDIObjectRef, CFStringRef, SInt32*) { return kMIDIObjectNotFound; }
ItemCount MIDIDeviceGetNumberOfEntities (MIDIDeviceRef) { return 0; }
MIDIEntityRef MIDIDeviceGetEntity (MIDIDeviceRef, ItemCount) { return 0; }
ItemCount MIDIEntityGetNumberOfSources (MIDIEntityRef) { return 0; }
ItemCount MIDIEntityGetNumberOfDestinations (MIDIEntityRef) { return 0; }
MIDIEndpointRef MIDIEntityGetSource (MIDIEntityRef, ItemCount) { return 0; }
MIDIEndpointRef MIDIEntityGetDestination (MIDIEntityRef, ItemCount) { return 0; }
OSStatus MIDIInputPortCreate (MIDIClientRef, CFStringRef, MIDIReadProc, void*, MIDIPortRef*) { return kMIDIInvalidClient; }
OSStatus MIDIPortConnectSource (MIDIPortRef, MIDIEndpointRef, void*) { return kMIDIInvalidPort; }
OSStatus MIDIPortDisconnectSource (MIDIPortRef, MIDIEndpointRef) { return kMIDIInvalidPort; }
OSStatus MIDIPortDispose (MIDIPortRef) { return kMIDIInvalidPort; }
OSStatus MIDISendSysex (MIDISysexSendRequest*) { return kMIDIUnknownEndpoint; }
}
