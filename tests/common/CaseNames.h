#pragma once

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <string>

namespace vqtest
{
/** A test case's name made of the words that say what it holds ("a value above 1" gives
    "AValueAbove1", "0.0375" gives "0_0375", "-1" gives "Minus1", "UTF-8" gives "UTF8", "30 60" gives "30_60"): only the
   letters, digits and underscores a test name may have, the same in every run, so that `ctest -R` can pick the case. */
inline std::string caseName (const juce::String& description)
{
    std::string name;
    auto startsWord = true;
    juce::juce_wchar previous = 0;

    for (auto p = description.getCharPointer(); ! p.isEmpty(); ++p)
    {
        const auto c = *p;
        const auto next = *(p + 1);

        if (juce::CharacterFunctions::isLetterOrDigit (c) && c < 128)
        {
            if (startsWord && juce::CharacterFunctions::isDigit (c) && ! name.empty() &&
                juce::CharacterFunctions::isDigit ((juce::juce_wchar) name.back()))
                name += '_';

            name += (char) (startsWord ? juce::CharacterFunctions::toUpperCase (c) : c);
            startsWord = false;
        }
        else if (c == '.' && juce::CharacterFunctions::isDigit (previous) && juce::CharacterFunctions::isDigit (next))
        {
            name += '_';
        }
        else
        {
            if (c == '-' && juce::CharacterFunctions::isDigit (next) &&
                ! juce::CharacterFunctions::isLetterOrDigit (previous))
                name += "Minus";

            startsWord = true;
        }

        previous = c;
    }

    return name;
}

/** Names each case of a table by its field `rule`, which says in words what the case holds. */
struct NameByRule
{
    template <typename Info> std::string operator() (const Info& info) const { return caseName (info.param.rule); }
};

/** Names each case by the words its PrintTo writes. */
struct NameAsPrinted
{
    template <typename Info> std::string operator() (const Info& info) const
    {
        return caseName (testing::PrintToString (info.param));
    }
};
} // namespace vqtest
