#pragma once

#include "AAX.h"
#include "AAX_CHostServices.h"
#include "AAX_IParameterValue.h"

#include <atomic>
#include <cstring>
#include <type_traits>

enum
{
    eParameterDefaultMaxIdentifierSize = 32
};

namespace AAX_CParameterDetail
{
// The path handed to the host's assertion handler with the template's fixed line numbers.
constexpr const char* sourceFile = "Interfaces/AAX_CParameter.h";

/** Writes the value into out when T is the asked kind V; the other kinds and a null out are refused. */
template <typename V, typename T> bool readAs (const T& value, V* out)
{
    if constexpr (std::is_same_v<V, T>)
    {
        if (out == nullptr)
            return false;

        *out = value;
        return true;
    }
    else
    {
        (void) value;
        (void) out;
        return false;
    }
}
} // namespace AAX_CParameterDetail

/** An identifier of at most 31 bytes with one value of type T.

    The value is atomic: a host's automation thread and its UI thread may write and read the same
    parameter at once.
*/
template <typename T> class AAX_CParameterValue : public AAX_IParameterValue
{
    static_assert (std::is_trivially_copyable_v<T>, "the value is held in a std::atomic");

public:
    AAX_CParameterValue (AAX_CParamID identifier, T value)
        : mValue (value)
    {
        InitIdentifier (identifier);
    }

    AAX_CParameterValue (const AAX_CParameterValue& other)
        : AAX_CParameterValue (other.mIdentifier, other.Get())
    {
    }

    AAX_CParameterValue& operator= (const AAX_CParameterValue& other)
    {
        if (this != &other)
            std::memcpy (mIdentifier, other.mIdentifier, sizeof (mIdentifier));

        Set (other.Get());
        return *this;
    }

    AAX_CParameterValue* Clone() const override { return new AAX_CParameterValue (*this); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    bool GetValueAsBool (bool* value) const override { return AAX_CParameterDetail::readAs (Get(), value); }
    bool GetValueAsInt32 (int32_t* value) const override { return AAX_CParameterDetail::readAs (Get(), value); }
    bool GetValueAsFloat (float* value) const override { return AAX_CParameterDetail::readAs (Get(), value); }
    bool GetValueAsDouble (double* value) const override { return AAX_CParameterDetail::readAs (Get(), value); }
    bool GetValueAsString (AAX_IString*) const override { return false; }

    // By value: a reference into an atomic could be read while another thread writes it.
    T Get() const { return mValue.load(); }
    void Set (T value) { mValue.store (value); }

    /** Copies the identifier, cut to 31 bytes after a host assertion when it is longer. */
    void InitIdentifier (const char* identifier)
    {
        auto length = identifier != nullptr ? std::strlen (identifier) : 0;

        if (length > eParameterDefaultMaxIdentifierSize - 1)
        {
            AAX_CHostServices::HandleAssertFailure (AAX_CParameterDetail::sourceFile, 191,
                                                    "len < eParameterDefaultMaxIdentifierSize", 1);
            length = eParameterDefaultMaxIdentifierSize - 1;
        }

        if (length != 0)
            std::memcpy (mIdentifier, identifier, length);

        mIdentifier[length] = '\0';
    }

private:
    char mIdentifier[eParameterDefaultMaxIdentifierSize] {};
    std::atomic<T> mValue;
};
