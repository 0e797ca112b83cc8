#include "EffectParametersFixture.h"

#include <functional>
#include <limits>
#include <string>

TEST_F (EffectParameters, InitializeCountsChunkedParametersWithoutTheMasterBypass)
{
    auto& e = start ({ "a", cDefaultMasterBypassID, "b" });
    EXPECT_EQ (lastInit, AAX_SUCCESS);
    EXPECT_EQ (e.mNumChunkedParameters, 2);

    AAX_CString bypass;
    e.GetMasterBypassParameter (&bypass);
    EXPECT_STREQ (bypass.Get(), cDefaultMasterBypassID);

    uint32_t size = 0;
    ASSERT_EQ (e.GetChunkSize (CONTROLS_CHUNK_ID, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 4u + 2u * 12u) << "two d_ entries of one-character names";
    EXPECT_EQ (host.automation().registered, (std::set<std::string> { "a", "b", cDefaultMasterBypassID }));
}

TEST_F (EffectParameters, AFailedEffectInitIsReturnedAndTheReleaseAfterItLeaksNoProxy)
{
    start ({ "a" }, AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (lastInit, AAX_ERROR_NULL_OBJECT);
    // TearDown releases without Uninitialize and checks that every host reference came back.
}

TEST_F (EffectParameters, InitializeTwiceReplacesTheFirstProxiesAndParameters)
{
    auto& e = start ({ "a", "b" });
    const auto heldByOneStart = host.controller().references();
    EXPECT_EQ (e.Initialize (host.instanceUnknown()), AAX_SUCCESS);
    int32_t count = 0;
    e.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 2);
    EXPECT_EQ (host.controller().references(), heldByOneStart);
    EXPECT_EQ (host.automation().registered, (std::set<std::string> { "a", "b" }));
}

TEST_F (EffectParameters, UninitializeLeavesTheDispatcherWithoutAController)
{
    auto& e = start ({ "a" });
    e.mPacketDispatcher.RegisterPacket ("a", 7);
    ASSERT_EQ (e.Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (host.controller().references(), 0);
    EXPECT_TRUE (host.automation().registered.empty());
    host.log.clear();
    e.GenerateCoefficients();
    EXPECT_TRUE (host.log.matching ("controller.PostPacket").empty());
}

TEST_F (EffectParameters, IndexAndIdentifierLookupsGiveMinusOneOrEmptyForUnknownOnes)
{
    auto& e = start ({ "a", "b" });
    int32_t index = 5;
    EXPECT_EQ (e.GetParameterIndex (nullptr, &index), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (index, -1);
    EXPECT_EQ (e.GetParameterIndex ("zz", &index), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (index, -1);
    EXPECT_EQ (e.GetParameterIndex ("a", &index), AAX_SUCCESS);
    EXPECT_EQ (index, 0);

    for (int32_t bad : { -1, 2 })
    {
        AAX_CString id ("x");
        EXPECT_EQ (e.GetParameterIDFromIndex (bad, &id), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_STREQ (id.Get(), "");
    }
}

TEST_F (EffectParameters, RelativeChangesAreClampedToTheUnitRange)
{
    auto& e = start ({ "a" });
    const struct
    {
        double current, delta, expected;
    } cases[] { { 0.9, 0.3, 1.0 }, { 0.1, -0.5, 0.0 }, { 0.4, 0.2, 0.6 } };

    for (const auto& c : cases)
    {
        e.SetParameterNormalizedValue ("a", c.current);
        EXPECT_EQ (e.SetParameterNormalizedRelative ("a", c.delta), AAX_SUCCESS);
        EXPECT_NEAR (value ("a"), c.expected, 1e-6);
    }

    EXPECT_EQ (e.SetParameterNormalizedRelative ("zz", 0.1), AAX_ERROR_INVALID_PARAMETER_ID);
}

TEST_F (EffectParameters, AnEchoOfTheValueHeldMarksPacketsDirtyWithoutCountingAChange)
{
    auto& e = start ({ "a" });
    e.mPacketDispatcher.RegisterPacket ("a", 3);
    e.GenerateCoefficients();
    const auto posted = host.controller().packets.size();
    int32_t changes = -1;

    e.UpdateParameterNormalizedValue ("a", 0.5, AAX_eUpdateSource_Unspecified);
    e.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 0);
    e.GenerateCoefficients();
    EXPECT_EQ (host.controller().packets.size(), posted + 1);

    e.UpdateParameterNormalizedValue ("a", 0.25, AAX_eUpdateSource_Unspecified);
    e.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 1);

    for (const auto& [sent, held] : { std::pair { 1.5, 1.0 }, { -0.5, 0.0 } })
    {
        e.UpdateParameterNormalizedValue ("a", sent, AAX_eUpdateSource_Unspecified);
        EXPECT_EQ (value ("a"), held) << "a value outside 0..1 is taken as the nearest end";
    }

    EXPECT_EQ (e.UpdateParameterNormalizedValue ("zz", 0.1, AAX_eUpdateSource_Unspecified),
               AAX_ERROR_INVALID_PARAMETER_ID);
}

TEST_F (EffectParameters, AValueFromTheHostThatIsNoFiniteNumberIsRefusedWithNothingStoredPostedOrCounted)
{
    using Entry = std::function<AAX_Result (TestEffect&, double)>;
    const std::pair<const char*, Entry> entries[] = {
        { "SetParameterNormalizedValue",
          [] (TestEffect& e, double v) { return e.SetParameterNormalizedValue ("a", v); } },
        { "SetParameterNormalizedRelative",
          [] (TestEffect& e, double v) { return e.SetParameterNormalizedRelative ("a", v); } },
        { "UpdateParameterNormalizedValue", [] (TestEffect& e, double v)
          { return e.UpdateParameterNormalizedValue ("a", v, AAX_eUpdateSource_Parameter); } },
        { "UpdateParameterNormalizedRelative",
          [] (TestEffect& e, double v) { return e.UpdateParameterNormalizedRelative ("a", v); } },
        { "SetParameterDefaultNormalizedValue",
          [] (TestEffect& e, double v) { return e.SetParameterDefaultNormalizedValue ("a", v); } },
    };
    constexpr auto infinity = std::numeric_limits<double>::infinity();

    for (const auto& [name, entry] : entries)
    {
        for (const auto sent : { std::numeric_limits<double>::quiet_NaN(), infinity, -infinity })
        {
            SCOPED_TRACE (std::string (name) + " " + std::to_string (sent));
            auto& e = start ({ "a" });
            e.mPacketDispatcher.RegisterPacket ("a", 3);
            e.GenerateCoefficients();
            host.log.clear();

            EXPECT_EQ (entry (e, sent), AAX_ERROR_INVALID_ARGUMENT);
            EXPECT_EQ (value ("a"), 0.5);
            double normalizedDefault = -1.0;
            e.GetParameterDefaultNormalizedValue ("a", &normalizedDefault);
            EXPECT_EQ (normalizedDefault, 0.5);
            int32_t changes = -1;
            e.GetNumberOfChanges (&changes);
            EXPECT_EQ (changes, 0);
            e.GenerateCoefficients();
            EXPECT_EQ (host.log.all(), std::vector<std::string> {}) << "nothing posted, no packet dirty";

            effect->Release();
            effect = nullptr;
        }
    }
}

TEST_F (EffectParameters, ARelativeChangeOfANullOrUnknownIdentifierIsRefusedBeforeAnyOverrideIsAsked)
{
    /** Records the overrides a relative change goes through, as JUCE's wrapper overrides them. */
    struct Overriding : TestEffect
    {
        Overriding()
            : TestEffect ({ "a" })
        {
        }

        AAX_Result GetParameterNormalizedValue (AAX_CParamID id, double* value) const override
        {
            asked.push_back ("get");
            return TestEffect::GetParameterNormalizedValue (id, value);
        }

        AAX_Result SetParameterNormalizedValue (AAX_CParamID id, double value) override
        {
            asked.push_back ("set");
            return TestEffect::SetParameterNormalizedValue (id, value);
        }

        AAX_Result UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) override
        {
            asked.push_back ("update");
            return TestEffect::UpdateParameterNormalizedValue (id, value, source);
        }

        mutable std::vector<std::string> asked;
    };

    auto* e = new Overriding();
    effect = e;
    effect->AddRef();
    ASSERT_EQ (effect->Initialize (host.instanceUnknown()), AAX_SUCCESS);
    e->asked.clear();

    for (const char* id : { static_cast<const char*> (nullptr), "zz" })
    {
        EXPECT_EQ (e->SetParameterNormalizedRelative (id, 0.1), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ (e->UpdateParameterNormalizedRelative (id, 0.1), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ (e->asked, std::vector<std::string> {});
    }

    EXPECT_EQ (e->UpdateParameterNormalizedRelative ("a", 0.25), AAX_SUCCESS);
    EXPECT_EQ (e->asked, (std::vector<std::string> { "get", "update" }));
    EXPECT_EQ (value ("a"), 0.75);
}

TEST_F (EffectParameters, ANameOfLengthIsTheLongestVariantThatFits)
{
    auto& e = start ({ "freq" });
    const struct
    {
        int32_t length;
        const char* expected;
    } cases[] { { 5, "Freq" }, { 1, "F" }, { 2, "Fq" }, { 20, "Frequency" }, { 0, "" } };

    for (const auto& c : cases)
    {
        AAX_CString name ("untouched");
        EXPECT_EQ (e.GetParameterNameOfLength ("freq", &name, c.length), AAX_SUCCESS);
        EXPECT_STREQ (name.Get(), c.expected) << "length " << c.length;
    }

    AAX_CString name ("x");
    EXPECT_EQ (e.GetParameterNameOfLength ("zz", &name, 5), AAX_SUCCESS);
    EXPECT_STREQ (name.Get(), "");
    EXPECT_EQ (e.GetParameterNameOfLength ("freq", nullptr, 5), AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F (EffectParameters, ThePreviewNotificationNeedsAFourByteFlag)
{
    auto& e = start ({ cPreviewID });
    e.SetParameterNormalizedValue (cPreviewID, 0.0);
    const int32_t on = 1;
    const AAX_CTypeID preview = 'ASPv';

    EXPECT_EQ (e.NotificationReceived (preview, nullptr, 4), AAX_SUCCESS);
    EXPECT_EQ (e.NotificationReceived (preview, &on, 2), AAX_SUCCESS);
    EXPECT_EQ (value (cPreviewID), 0.0) << "a null or short payload is ignored";

    EXPECT_EQ (e.NotificationReceived (preview, &on, sizeof (on)), AAX_SUCCESS);
    EXPECT_EQ (value (cPreviewID), 1.0);
}

TEST_F (EffectParameters, ThePreviewNotificationWithoutAPreviewParameterDoesNothing)
{
    auto& e = start ({ "a" });
    const int32_t on = 1;
    EXPECT_EQ (e.NotificationReceived ('ASPv', &on, sizeof (on)), AAX_SUCCESS);
    EXPECT_EQ (value ("a"), 0.5);
}

TEST_F (EffectParameters, EveryVersionOfTheInterfaceAnswersWithTheOneObject)
{
    auto& e = start ({ "a" });

    for (const auto& iid : { IID_IAAXEffectParametersV1, IID_IAAXEffectParametersV2, IID_IAAXEffectParametersV3,
                             IID_IAAXEffectParametersV4 })
    {
        void* out = nullptr;
        ASSERT_EQ (e.QueryInterface (iid, &out), ACF_OK);
        EXPECT_EQ (out, static_cast<AAX_IACFEffectParameters_V4*> (&e));
        EXPECT_EQ (static_cast<AAX_IACFEffectParameters_V4*> (out)->Release(), 1u);
    }

    void* out = &e;
    EXPECT_EQ (e.QueryInterface (IID_IAAXEffectGUIV1, &out), ACF_E_NOINTERFACE);
    EXPECT_EQ (out, nullptr);
    EXPECT_EQ (e.QueryInterface (IID_IAAXEffectParametersV1, nullptr), ACF_E_POINTER);
}

TEST_F (EffectParameters, AChunkRoundTripRestoresValuesIntoASecondInstance)
{
    auto& e = start ({ "a", "bb", cDefaultMasterBypassID });
    e.SetParameterNormalizedValue ("a", 0.1);
    e.SetParameterNormalizedValue ("bb", 0.75);

    uint32_t size = 0;
    AAX_SPlugInChunk probe {};
    EXPECT_EQ (e.GetChunk (CONTROLS_CHUNK_ID, &probe), AAX_ERROR_INCORRECT_CHUNK_SIZE) << "no size asked yet";
    ASSERT_EQ (e.GetChunkSize (CONTROLS_CHUNK_ID, &size), AAX_SUCCESS);
    std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + size);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
    chunk->fChunkID = CONTROLS_CHUNK_ID;
    ASSERT_EQ (e.GetChunk (CONTROLS_CHUNK_ID, chunk), AAX_SUCCESS);
    EXPECT_STREQ (reinterpret_cast<const char*> (chunk->fName), CONTROLS_CHUNK_DESCRIPTION);

    AAX_CBoolean equal = 0;
    EXPECT_EQ (e.CompareActiveChunk (chunk, &equal), AAX_SUCCESS);
    EXPECT_TRUE (equal);

    e.SetParameterNormalizedValue ("bb", 0.2);
    e.SetParameterNormalizedValue (cDefaultMasterBypassID, 1.0);
    EXPECT_EQ (e.CompareActiveChunk (chunk, &equal), AAX_SUCCESS);
    EXPECT_FALSE (equal);
    EXPECT_EQ (e.SetChunk (CONTROLS_CHUNK_ID, chunk), AAX_SUCCESS);
    EXPECT_NEAR (value ("bb"), 0.75, 1e-6);
    EXPECT_EQ (value (cDefaultMasterBypassID), 1.0) << "the bypass is not part of the chunk";

    EXPECT_EQ (e.SetChunk ('juce', chunk), AAX_ERROR_INVALID_CHUNK_ID);
    chunk->fChunkID = 'juce';
    EXPECT_EQ (e.CompareActiveChunk (chunk, &equal), AAX_SUCCESS);
    EXPECT_TRUE (equal);
}

TEST_F (EffectParameters, MoreExcludedThanCountedParametersRaisesTheHostAssertion)
{
    /** An effect that keeps two identifiers out of its chunk but has one parameter. */
    struct OverExcluding : TestEffect
    {
        OverExcluding()
            : TestEffect ({ "a" })
        {
        }

        AAX_Result EffectInit() override
        {
            mFilteredParameters = { "p", "q" };
            return TestEffect::EffectInit();
        }
    };

    effect = new OverExcluding();
    effect->AddRef();
    EXPECT_EQ (effect->Initialize (host.instanceUnknown()), AAX_SUCCESS);
    EXPECT_EQ (host.services().assertions, std::vector<std::string> { "124 mNumChunkedParameters >= 0" });
}
