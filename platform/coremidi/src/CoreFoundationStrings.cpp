#include "MidiServer.h"
#include "StringRegistry.h"

#include <CoreFoundation/CoreFoundation.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

struct VqCFString
{
    std::string utf8;
    bool immortal = false;
};

namespace
{
struct Registry
{
    std::mutex lock;
    std::unordered_map<const VqCFString*, int> references;
    std::map<std::string, VqCFString*> constants;
};

Registry& registry()
{
    static Registry* r = new Registry(); // never destroyed: constants outlive every static user
    return *r;
}

bool isAscii (const std::string& s)
{
    for (auto c : s)
        if (static_cast<unsigned char> (c) > 0x7F)
            return false;

    return true;
}

// Returns the number of UTF-16 code units, or -1 when the bytes are not well-formed UTF-8.
long utf16Length (const std::string& s)
{
    long units = 0;

    for (std::size_t i = 0; i < s.size();)
    {
        const auto c = static_cast<unsigned char> (s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;

        if (extra < 0 || i + static_cast<std::size_t> (extra) >= s.size())
            return -1;

        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char> (s[i + static_cast<std::size_t> (k)]) >> 6) != 0x2)
                return -1;

        units += extra == 3 ? 2 : 1;
        i += static_cast<std::size_t> (extra) + 1;
    }

    return units;
}
} // namespace

namespace vqsim
{
CFStringRef createString (const std::string& utf8)
{
    if (utf16Length (utf8) < 0)
        return nullptr;

    auto* s = new VqCFString { utf8, false };
    auto& r = registry();
    const std::lock_guard<std::mutex> guard (r.lock);
    r.references[s] = 1;
    return s;
}

bool stringToStd (CFStringRef string, std::string& result)
{
    auto& r = registry();
    const std::lock_guard<std::mutex> guard (r.lock);

    if (string == nullptr || (! string->immortal && r.references.count (string) == 0))
        return false;

    result = string->utf8;
    return true;
}

int countLiveStrings()
{
    auto& r = registry();
    const std::lock_guard<std::mutex> guard (r.lock);
    return static_cast<int> (r.references.size());
}
} // namespace vqsim

extern "C"
{
    CFStringRef VqCFStringMakeConstant (const char* cString)
    {
        auto& r = registry();
        const std::lock_guard<std::mutex> guard (r.lock);
        auto& s = r.constants[cString];

        if (s == nullptr)
            s = new VqCFString { cString, true };

        return s;
    }

    CFStringRef CFStringCreateWithCString (CFAllocatorRef, const char* cString, CFStringEncoding encoding)
    {
        if (cString == nullptr)
            return nullptr;

        const std::string s (cString);

        if (encoding == kCFStringEncodingASCII ? ! isAscii (s) : encoding != kCFStringEncodingUTF8)
            return nullptr;

        return vqsim::createString (s);
    }

    CFIndex CFStringGetLength (CFStringRef string)
    {
        std::string s;
        return vqsim::stringToStd (string, s) ? utf16Length (s) : 0;
    }

    Boolean CFStringGetCString (CFStringRef string, char* buffer, CFIndex bufferSize, CFStringEncoding encoding)
    {
        std::string s;

        if (buffer == nullptr || bufferSize <= 0 || ! vqsim::stringToStd (string, s))
            return false;

        const auto capacity = static_cast<std::size_t> (bufferSize);
        std::size_t convertible = s.size();

        if (encoding == kCFStringEncodingASCII)
        {
            for (std::size_t i = 0; i < s.size(); ++i)
            {
                if (static_cast<unsigned char> (s[i]) > 0x7F)
                {
                    convertible = i;
                    break;
                }
            }
        }
        else if (encoding != kCFStringEncodingUTF8)
        {
            convertible = 0;
        }

        // A planned failure converts nothing usable: the buffer is left full and unterminated.
        const auto server = vqsim::MidiServer::current();

        if (server != nullptr && server->takeFailure (vqsim::VirtualMidiSetup::Call::stringGetCString))
        {
            std::memset (buffer, 'X', capacity);
            return false;
        }

        if (convertible == s.size() && s.size() < capacity)
        {
            std::memcpy (buffer, s.c_str(), s.size() + 1);
            return true;
        }

        // Like the platform, a failed conversion leaves the converted start in the buffer, unterminated.
        std::memcpy (buffer, s.data(), std::min (convertible, capacity));
        return false;
    }

    void CFRelease (CFTypeRef object)
    {
        auto* string = static_cast<const VqCFString*> (object);
        auto& r = registry();
        const std::lock_guard<std::mutex> guard (r.lock);
        const auto found = r.references.find (string);

        if (found == r.references.end())
            return; // a constant, or not a string of ours

        if (--found->second == 0)
        {
            r.references.erase (found);
            delete string;
        }
    }
}
