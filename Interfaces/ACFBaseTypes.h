#pragma once

#include <cstdint>

/** The basic types of the component interface that the AAX host and the plug-in share. */
using acfInt32 = int32_t;
using acfUInt32 = uint32_t;
using acfInt64 = int64_t;
using acfUInt64 = uint64_t;
using ACFRESULT = int32_t;

/** A 16-byte interface, component or feature identifier. */
struct _acfUID
{
    acfUInt32 Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

using acfIID = _acfUID;
using acfCLSID = _acfUID;

/** Identifiers are equal when all 16 bytes are. */
constexpr bool operator== (const _acfUID& a, const _acfUID& b) noexcept
{
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;

    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

constexpr bool operator!= (const _acfUID& a, const _acfUID& b) noexcept
{
    return ! (a == b);
}

// Results outside the AAX range: success, no such interface, a missing object, an unexpected failure.
constexpr ACFRESULT ACF_OK = 0;
constexpr ACFRESULT ACF_E_NOINTERFACE = static_cast<ACFRESULT> (0x80000004u);
constexpr ACFRESULT ACF_E_POINTER = static_cast<ACFRESULT> (0x80000005u);
constexpr ACFRESULT ACF_E_UNEXPECTED = static_cast<ACFRESULT> (0x8000FFFFu);
