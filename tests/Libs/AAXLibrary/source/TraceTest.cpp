#include "FakeHostServices.h"

#include "AAX_Assert.h"
#include "AAX_CHostServices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
TEST (TraceTest, ATraceReachesTheHostFormattedWithItsPriority)
{
    FakeHostServices host;
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "%s has %d parameters", "PLEMVO", 23);

    ASSERT_EQ (host.traces.size(), 1u);
    EXPECT_EQ (host.traces[0].priority, 0x10000000u);
    EXPECT_EQ (host.traces[0].message, "PLEMVO has 23 parameters");
}

TEST (TraceTest, ATraceIsCutTo511Characters)
{
    FakeHostServices host;
    const std::string exact (511, 'a'), longer (700, 'b');

    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "%s", exact.c_str());
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "%s", longer.c_str());

    ASSERT_EQ (host.traces.size(), 2u);
    EXPECT_EQ (host.traces[0].message, exact);
    EXPECT_EQ (host.traces[1].message, longer.substr (0, 511));
}

TEST (TraceTest, ATraceWhoseFormattingFailsSendsNothing)
{
    FakeHostServices host;
    // No character encoding can write a lone surrogate, so formatting it fails.
    const wchar_t unwritable[] = { wchar_t (0xD800), 0 };
    char probe[16];
    ASSERT_LT (std::snprintf (probe, sizeof (probe), "%ls", unwritable), 0);

    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "%ls", unwritable);
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "after");

    ASSERT_EQ (host.traces.size(), 1u);
    EXPECT_EQ (host.traces[0].message, "after");
}

TEST (TraceTest, TracesAndAssertionsGoNowhereWithoutAHost)
{
    std::vector<std::string> seen;
    {
        FakeHostServices host;
        AAX_ASSERT (1 == 2);
        seen = host.assertions;
    }

    // With the host gone, neither call may reach the destroyed object.
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "%s", "lost");
    AAX_ASSERT (1 == 2);

    ASSERT_EQ (seen.size(), 1u);
    EXPECT_EQ (seen[0], "1 == 2");
    EXPECT_EQ (sHostServices, nullptr);
}
} // namespace
