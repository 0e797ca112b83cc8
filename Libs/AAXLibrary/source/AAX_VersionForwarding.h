#pragma once

#include "AAX_Errors.h"
#include "IACFUnknown.h"

/** What every host proxy shares: the fixed results of a missing version, the querying and releasing
    of host interfaces, and the forwarding of one operation to the version that has it. */
namespace AAX_VersionForwarding
{
/** A first-version operation whose interface the host withholds. */
constexpr AAX_Result missingFirstVersion = AAX_ERROR_NULL_OBJECT;
/** An operation that only a later version has. */
constexpr AAX_Result missingLaterVersion = AAX_ERROR_UNIMPLEMENTED;

// A missing version writes 0 or false into the out-parameters, which callers read without checking.
template <typename T> void clearOut (T* out)
{
    if (out != nullptr)
        *out = T {};
}

template <typename T> void clearOut (T& out)
{
    out = T {};
}

/** Calls the operation on the host interface, or clears the out-parameters and gives the fixed result. */
template <typename Interface, typename Call, typename... Outs>
AAX_Result forward (Interface* host, AAX_Result absent, Call&& call, Outs&&... outs)
{
    if (host == nullptr)
    {
        (clearOut (outs), ...);
        return absent;
    }

    return call (*host);
}

/** The interface the object answers for the identifier, with a reference for the caller, or null. */
template <typename Interface> Interface* query (IACFUnknown* object, const acfIID& iid)
{
    void* answer = nullptr;

    if (object == nullptr || object->QueryInterface (iid, &answer) != ACF_OK)
        return nullptr;

    return static_cast<Interface*> (answer);
}

/** Gives up the reference and clears the pointer. */
template <typename Interface> void release (Interface*& pointer)
{
    if (pointer != nullptr)
        pointer->Release();

    pointer = nullptr;
}
} // namespace AAX_VersionForwarding

#include "AAX_UIDs.h"
#include "acfbaseapi.h"

namespace AAX_VersionForwarding
{
/** Raised when the host answers the factory query with success but no factory. */
constexpr int nullFactoryException = (int) 0x80000005u;

/** The factory the host offers, or null when it refuses; a success without a factory raises
    nullFactoryException. */
inline IACFComponentFactory* queryFactoryStrictly (IACFUnknown* host)
{
    void* answer = nullptr;

    if (host == nullptr || host->QueryInterface (IID_IACFComponentFactory, &answer) != ACF_OK)
        return nullptr;

    if (answer == nullptr)
        throw nullFactoryException;

    return static_cast<IACFComponentFactory*> (answer);
}

/** Has the host's factory create the component for its first-version interface; null when the host
    has no factory or refuses. */
template <typename Interface>
Interface* createComponent (IACFUnknown* host, const acfCLSID& classID, const acfIID& firstVersion)
{
    auto* factory = queryFactoryStrictly (host);

    if (factory == nullptr)
        return nullptr;

    void* component = nullptr;
    factory->CreateComponent (classID, nullptr, firstVersion, &component);
    factory->Release();
    return static_cast<Interface*> (component);
}
} // namespace AAX_VersionForwarding
