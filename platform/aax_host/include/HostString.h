#pragma once

#include "AAX_IString.h"

#include <string>

namespace aax_host
{
/** The host's own string, as it hands one to the plug-in to fill or to read. */
class HostString : public AAX_IString
{
public:
    HostString() = default;
    explicit HostString (std::string text)
        : value (std::move (text))
    {
    }

    uint32_t Length() const override { return uint32_t (value.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return value.c_str(); }
    void Set (const char* text) override { value = text != nullptr ? text : ""; }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* text) override
    {
        Set (text);
        return *this;
    }

    std::string value;
};
} // namespace aax_host
