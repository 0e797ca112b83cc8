#include "ModuleFixture.h"
#include "tests/common/NullPointerCases.h"

using NullPointers = ModuleFixture;

// The entries JUCE's wrapper overrides are its own code; the library's bodies behind them are held to
// the same rule by the library's tests.
TEST_F (NullPointers, EveryEntryTheModuleAnswersWithTheLibrarysBodyRefusesANullPointerAndCarriesOn)
{
    auto instance = makeInstance();
    ASSERT_EQ (instance->openWindow(), AAX_SUCCESS);
    const auto before = instance->listParameters();

    for (const auto& c : nullPointerCases())
        if (! c.wrapperAnswers)
            EXPECT_EQ (c.call (instance->parameters(), *instance->view()), c.expected) << c.entry;

    const auto after = instance->listParameters();
    ASSERT_EQ (after.size(), before.size());

    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ (after[i].normalized, before[i].normalized) << before[i].id;

    std::vector<std::vector<char>> records;
    EXPECT_EQ (instance->saveChunks (records), AAX_SUCCESS);
}
