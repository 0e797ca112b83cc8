#pragma once

#include <cstdint>

/** The string interface that crosses between host and plug-in: the host hands one in to be filled
    or to be read. Texts are NUL-terminated bytes, UTF-8 in practice. */
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    /** The text, valid until the next change of the object. */
    virtual const char* Get() const = 0;
    virtual void Set (const char* iString) = 0;
    virtual AAX_IString& operator= (const AAX_IString& iOther) = 0;
    virtual AAX_IString& operator= (const char* iString) = 0;

protected:
    AAX_IString() = default;
    AAX_IString (const AAX_IString&) = default;
};
