/*  The MIDI service's C interface as the plug-in uses it: a client with a setup-change notification,
    the devices with their entities and endpoints, input ports with a read procedure, and
    system-exclusive sending with a completion procedure. The service behind it lives in this process
    (vqsim::VirtualMidiSetup) and calls back on threads of its own, never on the caller's. */
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#ifdef __cplusplus
extern "C"
{
#endif

    typedef int32_t OSStatus;
    typedef int32_t SInt32;
    typedef uint16_t UInt16;
    typedef uint32_t UInt32;
    typedef uint64_t UInt64;
    typedef unsigned char Byte;
    typedef unsigned long ItemCount;

    typedef UInt32 MIDIObjectRef;
    typedef MIDIObjectRef MIDIClientRef;
    typedef MIDIObjectRef MIDIPortRef;
    typedef MIDIObjectRef MIDIDeviceRef;
    typedef MIDIObjectRef MIDIEntityRef;
    typedef MIDIObjectRef MIDIEndpointRef;
    typedef UInt64 MIDITimeStamp;

    enum
    {
        noErr = 0,
        kMIDIInvalidClient = -10900,
        kMIDIInvalidPort = -10901,
        kMIDIWrongEndpointType = -10902,
        kMIDINoConnection = -10903,
        kMIDIUnknownEndpoint = -10904,
        kMIDIUnknownProperty = -10905,
        kMIDIMessageSendErr = -10906,
        kMIDIServerStartErr = -10907,
        kMIDIObjectNotFound = -10908,
        kMIDIUnknownError = -10909,
        kMIDIInvalidArgument = -10910
    };

    /** Keys of the object properties that can be read. */
    extern const CFStringRef kMIDIPropertyName;
    extern const CFStringRef kMIDIPropertyOffline;

    typedef SInt32 MIDINotificationMessageID;

    enum
    {
        kMIDIMsgSetupChanged = 1,
        kMIDIMsgObjectAdded = 2,
        kMIDIMsgObjectRemoved = 3,
        kMIDIMsgPropertyChanged = 4
    };

    typedef struct MIDINotification
    {
        MIDINotificationMessageID messageID;
        UInt32 messageSize;
    } MIDINotification;

    /** One packet: its data bytes follow the header; a packet may hold more bytes than `data` declares. */
    typedef struct MIDIPacket
    {
        MIDITimeStamp timeStamp;
        UInt16 length;
        Byte data[256];
    } MIDIPacket;

    typedef struct MIDIPacketList
    {
        UInt32 numPackets;
        MIDIPacket packet[1];
    } MIDIPacketList;

    typedef void (*MIDINotifyProc) (const MIDINotification* message, void* refCon);
    typedef void (*MIDIReadProc) (const MIDIPacketList* packets, void* readProcRefCon, void* srcConnRefCon);

    struct MIDISysexSendRequest;
    typedef void (*MIDICompletionProc) (struct MIDISysexSendRequest* request);

    /** One asynchronous system-exclusive transfer. The data must stay valid until the completion
        procedure has been called; `complete` is set when the bytes are out. */
    typedef struct MIDISysexSendRequest
    {
        MIDIEndpointRef destination;
        const Byte* data;
        UInt32 bytesToSend;
        Boolean complete;
        MIDICompletionProc completionProc;
        void* completionRefCon;
    } MIDISysexSendRequest;

    OSStatus MIDIClientCreate (CFStringRef name, MIDINotifyProc notifyProc, void* notifyRefCon,
                               MIDIClientRef* outClient);
    OSStatus MIDIClientDispose (MIDIClientRef client);

    ItemCount MIDIGetNumberOfDevices (void);
    MIDIDeviceRef MIDIGetDevice (ItemCount deviceIndex0);

    OSStatus MIDIObjectGetStringProperty (MIDIObjectRef object, CFStringRef propertyID, CFStringRef* outString);
    OSStatus MIDIObjectGetIntegerProperty (MIDIObjectRef object, CFStringRef propertyID, SInt32* outValue);

    ItemCount MIDIDeviceGetNumberOfEntities (MIDIDeviceRef device);
    MIDIEntityRef MIDIDeviceGetEntity (MIDIDeviceRef device, ItemCount entityIndex0);
    ItemCount MIDIEntityGetNumberOfSources (MIDIEntityRef entity);
    ItemCount MIDIEntityGetNumberOfDestinations (MIDIEntityRef entity);
    MIDIEndpointRef MIDIEntityGetSource (MIDIEntityRef entity, ItemCount sourceIndex0);
    MIDIEndpointRef MIDIEntityGetDestination (MIDIEntityRef entity, ItemCount destIndex0);

    OSStatus MIDIInputPortCreate (MIDIClientRef client, CFStringRef portName, MIDIReadProc readProc, void* refCon,
                                  MIDIPortRef* outPort);
    OSStatus MIDIPortConnectSource (MIDIPortRef port, MIDIEndpointRef source, void* connRefCon);

    /** Both return only after a read procedure running for the port has returned; nothing is delivered
        to the port's read procedure for that source (or at all, once disposed) afterwards. */
    OSStatus MIDIPortDisconnectSource (MIDIPortRef port, MIDIEndpointRef source);
    OSStatus MIDIPortDispose (MIDIPortRef port);

    OSStatus MIDISendSysex (MIDISysexSendRequest* request);

    /** The packet that follows `packet` in its list. */
    MIDIPacket* MIDIPacketNext (const MIDIPacket* packet);

#ifdef __cplusplus
}
#endif
