#pragma once

#include "AAX_CString.h"

#include <map>

/** A full name with its shortened forms, at most one per length, for hosts with narrow displays. */
class AAX_CStringAbbreviations
{
public:
    explicit AAX_CStringAbbreviations (const AAX_CString& primary);

    void SetPrimary (const AAX_CString& primary) { mPrimary = primary; }
    const AAX_CString& Primary() const { return mPrimary; }

    /** Stores the name under its own length, replacing an earlier one of that length. */
    void Add (const AAX_CString& abbreviation);

    /** The full name when it fits (or for a negative length), else the longest form that fits, else the shortest. */
    const AAX_CString& Get (int32_t maxNumChars) const;

    void Clear() { mAbbreviations.clear(); }

private:
    AAX_CString mPrimary;
    std::map<uint32_t, AAX_CString> mAbbreviations;
};
