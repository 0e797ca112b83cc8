#include "AAX_IPageTable.h"
#include "EffectParametersFixture.h"

namespace
{
/** An effect that answers page-table requests itself, counting them. */
class PageTableEffect : public TestEffect
{
public:
    using AAX_CEffectParameters::UpdatePageTable;
    using TestEffect::TestEffect;

    AAX_Result UpdatePageTable (uint32_t type, int32_t pageSize, AAX_IPageTable& table) const override
    {
        requests.push_back ({ type, pageSize });
        table.Clear();
        return answer;
    }

    AAX_Result answer = -20777;
    mutable std::vector<std::pair<uint32_t, int32_t>> requests;
};
} // namespace

TEST_F (EffectParameters, TheMasterBypassIsNamedOnlyWhenSuchAParameterExists)
{
    for (const auto& [ids, expected] :
         { std::pair { std::vector<std::string> { "a", cDefaultMasterBypassID }, cDefaultMasterBypassID },
           std::pair { std::vector<std::string> { "a" }, "" } })
    {
        SCOPED_TRACE (ids.size());
        AAX_CString bypass ("x");
        EXPECT_EQ (start (ids).GetMasterBypassParameter (&bypass), AAX_SUCCESS);
        EXPECT_STREQ (bypass.Get(), expected);
        std::exchange (effect, nullptr)->Release();
    }
}

TEST_F (EffectParameters, AChunkOfNothingButTheExcludedBypassIsTheMarkerAloneWithSizeFour)
{
    auto& e = start ({ cDefaultMasterBypassID });
    uint32_t size = 0;
    ASSERT_EQ (e.GetChunkSize (CONTROLS_CHUNK_ID, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 4u);

    std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + size + 4, char (0x55));
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
    ASSERT_EQ (e.GetChunk (CONTROLS_CHUNK_ID, chunk), AAX_SUCCESS);
    EXPECT_EQ (chunk->fSize, 4);
    EXPECT_EQ (std::vector<char> (chunk->fData, chunk->fData + 8),
               (std::vector<char> { 1, 1, 1, 1, 0x55, 0x55, 0x55, 0x55 }));
}

TEST_F (EffectParameters, TheControlsChunkIsTheOnlyChunkAndEveryOtherIndexIsInvalid)
{
    auto& e = start ({ "a" });
    int32_t count = 0;
    EXPECT_EQ (e.GetNumberOfChunks (&count), AAX_SUCCESS);
    EXPECT_EQ (count, 1);

    for (const auto& [index, result, id] : { std::tuple { 0, AAX_SUCCESS, CONTROLS_CHUNK_ID },
                                             std::tuple { 1, AAX_ERROR_INVALID_CHUNK_INDEX, AAX_CTypeID (0) },
                                             std::tuple { 2, AAX_ERROR_INVALID_CHUNK_INDEX, AAX_CTypeID (0) },
                                             std::tuple { -1, AAX_ERROR_INVALID_CHUNK_INDEX, AAX_CTypeID (0) } })
    {
        SCOPED_TRACE (index);
        AAX_CTypeID chunkID = 99;
        EXPECT_EQ (e.GetChunkIDFromIndex (index, &chunkID), result);
        EXPECT_EQ (chunkID, id);
    }
}

TEST_F (EffectParameters, AStepCountBeyondTheSignedRangeOverflowsAndAnUnknownIdentifierIsInvalid)
{
    auto& e = start ({ "a", "b" });
    AAX_IParameter* b = nullptr;
    ASSERT_EQ (e.GetParameter ("b", &b), AAX_SUCCESS);
    b->SetNumberOfSteps (0x80000000u);

    for (const auto& [id, result, steps] :
         { std::tuple { "a", AAX_SUCCESS, 128 }, std::tuple { "b", AAX_ERROR_SIGNED_INT_OVERFLOW, -5 },
           std::tuple { "c", AAX_ERROR_INVALID_PARAMETER_ID, -5 } })
    {
        SCOPED_TRACE (id);
        int32_t out = -5;
        EXPECT_EQ (e.GetParameterNumberOfSteps (id, &out), result);
        EXPECT_EQ (out, steps);
    }
}

TEST_F (EffectParameters, APageTableRequestReachesTheEffectWithTheHostsTableAndReturnsItsAnswer)
{
    auto* pageEffect = new PageTableEffect (std::vector<std::string> { "a" });
    effect = pageEffect;
    effect->AddRef();
    auto& table = host.make<aax_host::HostPageTable>();

    EXPECT_EQ (pageEffect->UpdatePageTable ('PgTL', 8, host.unknown(), static_cast<IAAXPageTableV2*> (&table)), -20777);
    EXPECT_EQ (pageEffect->requests, (std::vector<std::pair<uint32_t, int32_t>> { { 'PgTL', 8 } }));
    EXPECT_EQ (callsTo ("pageTable.Clear"), 1);

    EXPECT_EQ (pageEffect->UpdatePageTable ('PgTL', 8, host.unknown(), nullptr), AAX_SUCCESS);
    EXPECT_EQ (pageEffect->requests.size(), 1u) << "without a host table there is nothing to fill";
    EXPECT_EQ (table.references(), 0);
}
