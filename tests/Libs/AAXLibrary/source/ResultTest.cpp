#include "FakeHostServices.h"

#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct NameCase
{
    AAX_Result result;
    const char* name;
};

TEST (ResultNameTest, ResultsAreNamedByTheTableAndItsRangesUpToTheirBoundaries)
{
    const NameCase cases[] = {
        { 0, "AAX_SUCCESS" },
        { -20001, "AAX_ERROR_INVALID_PARAMETER_ID" },
        { -20004, "AAX_ERROR_NULL_OBJECT" },
        { -20009, "AAX_ERROR_UNIMPLEMENTED" },
        { -20028, "AAX_RESULT_NEW_PACKET_POSTED" },
        { -20029, "AAX_ERROR_RESULT_20029" },
        { -20030, "AAX_ERROR_PLUGIN_NULL_PARAMETER" },
        { -20046, "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW" },
        { -20047, "<unknown error code>" },
        { -20000, "<unknown error code>" },
        { -20599, "<unknown error code>" },
        { -20600, "plug-in defined error" },
        { -20800, "plug-in defined error" },
        { -21000, "plug-in defined error" },
        { -21001, "<unknown error code>" },
        { 1, "<unknown error code>" },
        { -333, "<unknown error code>" },
    };

    for (const auto& c : cases)
        EXPECT_STREQ (AAX::AsStringResult (c.result), c.name) << c.result;
}

TEST (ExceptionTest, TheWhatTextJoinsTheDescriptionWithTheFunctionAndLineThatAreGiven)
{
    EXPECT_EQ (AAX::Exception::Any ("broken").What(), "broken");
    EXPECT_EQ (AAX::Exception::Any ("broken", "Initialize").What(), "broken func:Initialize");
    EXPECT_EQ (AAX::Exception::Any ("broken", "", "12").What(), "broken line:12");
    EXPECT_EQ (AAX::Exception::Any ("broken", "Initialize", "12").What(), "broken func:Initialize line:12");
}

TEST (ExceptionTest, AResultErrorIsDescribedByTheResultsNameAndCode)
{
    const AAX::Exception::ResultError error (-20004);
    EXPECT_EQ (error.What(), "AAX_ERROR_NULL_OBJECT (-20004)");
    EXPECT_EQ (error.Desc(), error.What());
    EXPECT_EQ (error.Result(), -20004);
    EXPECT_EQ (AAX::Exception::ResultError (-20700).What(), "plug-in defined error (-20700)");
}

TEST (CheckedResultTest, AnUnacceptedResultIsTracedAndThrownAndLeavesOnlyTheLastError)
{
    FakeHostServices host;
    AAX_CheckedResult checked;

    try
    {
        checked = AAX_ERROR_NULL_OBJECT;
        FAIL() << "no exception";
    }
    catch (const AAX::Exception::Any& caught)
    {
        const auto* error = dynamic_cast<const AAX::Exception::ResultError*> (&caught);
        ASSERT_NE (error, nullptr);
        EXPECT_EQ (error->What(), "AAX_ERROR_NULL_OBJECT (-20004)");
        EXPECT_EQ (error->Result(), -20004);
    }

    EXPECT_EQ (checked.CurrentResult(), AAX_SUCCESS);
    EXPECT_EQ (checked.LastError(), AAX_ERROR_NULL_OBJECT);
    ASSERT_EQ (host.traces.size(), 1u);
    EXPECT_EQ (host.traces[0].priority, 0x04000000u);
    EXPECT_EQ (host.traces[0].message, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)");
}

TEST (CheckedResultTest, SuccessPassesWithoutATrace)
{
    FakeHostServices host;
    AAX_CheckedResult checked;
    EXPECT_NO_THROW (checked = AAX_SUCCESS);
    EXPECT_EQ (checked.LastError(), AAX_SUCCESS);
    EXPECT_TRUE (host.traces.empty());
}

TEST (CheckedResultTest, AnUnacceptedResultIsThrownAlsoWithoutAHost)
{
    AAX_CheckedResult checked;
    EXPECT_THROW (checked = AAX_ERROR_UNIMPLEMENTED, AAX::Exception::ResultError);
}
} // namespace
