#include "AAX_CString.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

namespace
{
TEST (AAX_CStringTest, ANewStringIsEmptyAndTerminated)
{
    const AAX_CString empty;
    EXPECT_EQ (empty.Length(), 0u);
    EXPECT_STREQ (empty.Get(), "");
}

TEST (AAX_CStringTest, ANullTextGivesAnEmptyString)
{
    const AAX_CString fromNull (static_cast<const char*> (nullptr));
    EXPECT_STREQ (fromNull.Get(), "");

    AAX_CString text ("abc");
    text.Set (nullptr);
    EXPECT_EQ (text.Length(), 0u);

    text = "abc";
    text = static_cast<const char*> (nullptr);
    EXPECT_STREQ (text.Get(), "");
}

TEST (AAX_CStringTest, MaxLengthIsTheSameForAnyText)
{
    EXPECT_EQ (AAX_CString().MaxLength(), 4294967294u);
    EXPECT_EQ (AAX_CString (std::string (10000, 'x')).MaxLength(), 4294967294u);
}

TEST (AAX_CStringTest, TextsCompareUpToTheirFirstNul)
{
    const AAX_CString a (std::string ("ab\0cd", 5)), b (std::string ("ab\0xy", 5));
    EXPECT_TRUE (a == b);
    EXPECT_FALSE (a != b);
    EXPECT_FALSE (AAX_CString ("ab") == AAX_CString ("Ab"));
    EXPECT_TRUE (AAX_CString ("ab") != "abc");

    // Setting a text copies it up to its first NUL.
    AAX_CString set;
    set.Set ("ab\0cd");
    EXPECT_EQ (set.Length(), 2u);
}

TEST (AAX_CStringTest, AssignmentThroughTheInterfaceCopiesTheOtherText)
{
    const AAX_CString source ("source");
    AAX_CString target ("target");
    AAX_IString& asInterface = target;
    asInterface = static_cast<const AAX_IString&> (source);
    EXPECT_STREQ (target.Get(), "source");
}

struct NumberCase
{
    const char* start;
    double value;
    int32_t precision;
    const char* expected;
};

TEST (AAX_CStringTest, NumbersAreAppendedInFixedNotationWithTheGivenDecimals)
{
    const NumberCase cases[] = {
        { "x", 1.0, 3, "x1.000" },
        { "", 2.5, 3, "2.500" },
        { "", -0.0004, 3, "-0.000" },
        { "", 0.0005, 3, "0.001" },
        { "", 1234567.0, 3, "1234567.000" },
        { "", 12.3456, 0, "12" },
        { "", 1e20, 1, "100000000000000000000.0" },
    };

    for (const auto& c : cases)
    {
        AAX_CString text (c.start);
        text.AppendNumber (c.value, c.precision);
        EXPECT_STREQ (text.Get(), c.expected) << c.value;
    }
}

/** Writes numbers with a decimal comma and groups of three, as many locales do. */
struct CommaNumbers : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST (AAX_CStringTest, NumbersIgnoreTheGlobalLocale)
{
    const auto previous = std::locale::global (std::locale (std::locale::classic(), new CommaNumbers));

    AAX_CString text;
    text.AppendNumber (1234.5, 3);
    std::locale::global (previous);

    EXPECT_STREQ (text.Get(), "1234.500");
}

TEST (AAX_CStringTest, EraseRemovesWithinTheTextAndNothingPastItsEnd)
{
    AAX_CString text ("abcdef");
    text.Erase (1, 2);
    EXPECT_STREQ (text.Get(), "adef");
    text.Erase (2, 100);
    EXPECT_STREQ (text.Get(), "ad");
    EXPECT_NO_THROW (text.Erase (3, 1));
    EXPECT_NO_THROW (text.Erase (2, 1));
    EXPECT_STREQ (text.Get(), "ad");
    text.Clear();
    EXPECT_EQ (text.Length(), 0u);
}
} // namespace
