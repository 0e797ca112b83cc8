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

TEST (ResultNameTest, EveryNamedResultHasItsOwnNameAndTheRangesAreNamedUpToTheirBoundaries)
{
    const NameCase cases[] = {
        { 0, "AAX_SUCCESS" },
        { -20001, "AAX_ERROR_INVALID_PARAMETER_ID" },
        { -20002, "AAX_ERROR_INVALID_STRING_CONVERSION" },
        { -20003, "AAX_ERROR_INVALID_METER_INDEX" },
        { -20004, "AAX_ERROR_NULL_OBJECT" },
        { -20005, "AAX_ERROR_OLDER_VERSION" },
        { -20006, "AAX_ERROR_INVALID_CHUNK_INDEX" },
        { -20007, "AAX_ERROR_INVALID_CHUNK_ID" },
        { -20008, "AAX_ERROR_INCORRECT_CHUNK_SIZE" },
        { -20009, "AAX_ERROR_UNIMPLEMENTED" },
        { -20010, "AAX_ERROR_INVALID_PARAMETER_INDEX" },
        { -20011, "AAX_ERROR_NOT_INITIALIZED" },
        { -20012, "AAX_ERROR_ACF_ERROR" },
        { -20013, "AAX_ERROR_INVALID_METER_TYPE" },
        { -20014, "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS" },
        { -20015, "AAX_ERROR_NULL_COMPONENT" },
        { -20016, "AAX_ERROR_PORT_ID_OUT_OF_RANGE" },
        { -20017, "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS" },
        { -20018, "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS" },
        { -20019, "AAX_ERROR_FIFO_FULL" },
        { -20020, "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD" },
        { -20021, "AAX_ERROR_POST_PACKET_FAILED" },
        { -20022, "AAX_RESULT_PACKET_STREAM_NOT_EMPTY" },
        { -20023, "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE" },
        { -20024, "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND" },
        { -20025, "AAX_ERROR_INVALID_FIELD_INDEX" },
        { -20026, "AAX_ERROR_MALFORMED_CHUNK" },
        { -20027, "AAX_ERROR_TOD_BEHIND" },
        { -20028, "AAX_RESULT_NEW_PACKET_POSTED" },
        { -20029, "AAX_ERROR_RESULT_20029" },
        { -20030, "AAX_ERROR_PLUGIN_NULL_PARAMETER" },
        { -20031, "AAX_ERROR_NOTIFICATION_FAILED" },
        { -20032, "AAX_ERROR_INVALID_VIEW_SIZE" },
        { -20033, "AAX_ERROR_SIGNED_INT_OVERFLOW" },
        { -20034, "AAX_ERROR_NO_COMPONENTS" },
        { -20035, "AAX_ERROR_DUPLICATE_EFFECT_ID" },
        { -20036, "AAX_ERROR_DUPLICATE_TYPE_ID" },
        { -20037, "AAX_ERROR_EMPTY_EFFECT_NAME" },
        { -20038, "AAX_ERROR_UNKNOWN_PLUGIN" },
        { -20039, "AAX_ERROR_PROPERTY_UNDEFINED" },
        { -20040, "AAX_ERROR_INVALID_PATH" },
        { -20041, "AAX_ERROR_UNKNOWN_ID" },
        { -20042, "AAX_ERROR_UNKNOWN_EXCEPTION" },
        { -20043, "AAX_ERROR_INVALID_ARGUMENT" },
        { -20044, "AAX_ERROR_NULL_ARGUMENT" },
        { -20045, "AAX_ERROR_INVALID_INTERNAL_DATA" },
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
