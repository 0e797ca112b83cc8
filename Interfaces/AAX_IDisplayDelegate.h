#pragma once

#include <cstdint>

class AAX_CString;

/** The untyped base of every display delegate. */
class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

/** Turns a parameter's real values into text and back. */
template <typename T> class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    /** A copy owned by the caller. */
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString (T value, AAX_CString* valueString) const = 0;
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool StringToValue (const AAX_CString& valueString, T* value) const = 0;
};
