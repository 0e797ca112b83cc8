#pragma once

#include "AAX_CString.h"

#include <map>

/** A full name with its shortened forms, at most one per length. */
class AAX_CStringAbbreviations
{
public:
    explicit AAX_CStringAbbreviations (const AAX_CString& primary);

    void SetPrimary (const AAX_CString& primary);
    const AAX_CString& Primary() const;
    /** Stores the name under its own length, replacing one of the same length. */
    void Add (const AAX_CString& abbreviation);
    /** The longest form that fits the length, or the shortest when none fits. */
    const AAX_CString& Get (int32_t maxNumChars) const;
    void Clear();

private:
    AAX_CString mPrimary;
    std::map<uint32_t, AAX_CString> mAbbreviations;
};
