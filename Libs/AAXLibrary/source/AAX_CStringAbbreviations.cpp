#include "AAX_CStringAbbreviations.h"

AAX_CStringAbbreviations::AAX_CStringAbbreviations (const AAX_CString& primary)
    : mPrimary (primary)
{
}

void AAX_CStringAbbreviations::Add (const AAX_CString& abbreviation)
{
    mAbbreviations[abbreviation.Length()] = abbreviation;
}

const AAX_CString& AAX_CStringAbbreviations::Get (int32_t maxNumChars) const
{
    if (maxNumChars < 0 || mPrimary.Length() <= uint32_t (maxNumChars) || mAbbreviations.empty())
        return mPrimary;

    const auto firstLonger = mAbbreviations.upper_bound (uint32_t (maxNumChars));

    if (firstLonger == mAbbreviations.begin())
        return firstLonger->second;

    return std::prev (firstLonger)->second;
}
