#pragma once

#include "AAX_IString.h"

#include <string>

/** The library's string: an owned, growable byte string behind the interface strings. */
class AAX_CString : public AAX_IString
{
public:
    AAX_CString() = default;
    /** A null text gives an empty string. */
    AAX_CString (const char* iString);
    /** Keeps every byte of the text, embedded NULs included. */
    explicit AAX_CString (const std::string& iString);
    AAX_CString (const AAX_CString& other);
    AAX_CString& operator= (const AAX_CString& other);

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    /** Copies the bytes up to the first NUL; a null text empties the string. */
    void Set (const char* iString) override;
    AAX_IString& operator= (const AAX_IString& iOther) override;
    AAX_IString& operator= (const char* iString) override;

    /** Compares as NUL-terminated texts: bytes after an embedded NUL do not count. */
    bool operator== (const AAX_CString& other) const;
    bool operator!= (const AAX_CString& other) const;

    /** Appends the value in fixed notation with that many decimals, in the classic locale. */
    void AppendNumber (double value, int32_t precision);
    void Clear();
    /** Removes up to count bytes from the position on; a position past the end removes nothing. */
    void Erase (uint32_t position, uint32_t count);

    /** The largest length any string accepts. */
    static constexpr uint32_t kMaxLength = 0xFFFFFFFEu;

private:
    std::string text;
};
