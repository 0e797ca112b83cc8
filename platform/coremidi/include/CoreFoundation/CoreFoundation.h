/*  The part of the platform's string library that the MIDI code uses: immutable strings for device,
    client and port names, reference counted, released with CFRelease. Plain C, so that the MIDI code
    includes it exactly as it includes the platform's own framework. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

    typedef unsigned char Boolean;
    typedef long CFIndex;
    typedef uint32_t CFStringEncoding;
    typedef const void* CFTypeRef;
    typedef const struct VqCFAllocator* CFAllocatorRef;
    typedef const struct VqCFString* CFStringRef;

    enum
    {
        kCFStringEncodingASCII = 0x0600,
        kCFStringEncodingUTF8 = 0x08000100
    };

/** The default allocator is the only one there is. */
#define kCFAllocatorDefault ((CFAllocatorRef) NULL)

/** A string that lives as long as the process; releasing it does nothing. */
#define CFSTR(cString) VqCFStringMakeConstant ("" cString "")

    CFStringRef VqCFStringMakeConstant (const char* cString);

    /** A new string with one reference, or NULL when the bytes are not valid in the encoding. */
    CFStringRef CFStringCreateWithCString (CFAllocatorRef allocator, const char* cString, CFStringEncoding encoding);

    /** The number of UTF-16 code units of the string. */
    CFIndex CFStringGetLength (CFStringRef string);

    /** Converts into a terminated C string. Fails when a character has no code in the encoding or the
        buffer is too small; the buffer then holds what was converted before the failure, unterminated. */
    Boolean CFStringGetCString (CFStringRef string, char* buffer, CFIndex bufferSize, CFStringEncoding encoding);

    void CFRelease (CFTypeRef object);

#ifdef __cplusplus
}
#endif
