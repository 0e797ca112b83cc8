#include "FakeHostServices.h"

#include "AAX_UIDs.h"
#include "CACFUnknown.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
constexpr acfIID someOtherInterface = { 0x12345678, 0x1234, 0x5678, { 1, 2, 3, 4, 5, 6, 7, 8 } };

/** An object that counts its final releases and destructions into the test's counters. */
class CountedObject : public CACFUnknown
{
public:
    CountedObject (std::atomic<int>& finalReleasesToUse, std::atomic<int>& destructionsToUse)
        : finalReleases (finalReleasesToUse),
          destructions (destructionsToUse)
    {
    }
    ~CountedObject() override { ++destructions; }

    void FinalRelease() override
    {
        // The object must still be whole when the last reference goes.
        EXPECT_EQ (destructions.load(), 0);
        ++finalReleases;
    }

private:
    std::atomic<int>& finalReleases;
    std::atomic<int>& destructions;
};

class CACFUnknownTest : public ::testing::Test
{
protected:
    CountedObject* makeObject() { return new CountedObject (finalReleases, destructions); }

    std::atomic<int> finalReleases { 0 }, destructions { 0 };
};

TEST_F (CACFUnknownTest, AQueryForTheUnknownGivesThePrivateUnknownAndTakesAReference)
{
    auto* object = makeObject();
    void* answer = nullptr;

    EXPECT_EQ (object->InternalQueryInterface (IID_IACFUnknown, &answer), ACF_OK);
    EXPECT_EQ (answer, static_cast<void*> (object->GetOuterUnknown()));
    EXPECT_NE (answer, static_cast<void*> (object));
    EXPECT_EQ (object->InternalAddRef(), 2u);

    object->InternalRelease();
    object->InternalRelease();
}

TEST_F (CACFUnknownTest, AQueryForAnUnknownInterfaceGivesNoInterfaceAndANullPointerWithoutAReference)
{
    auto* object = makeObject();
    void* answer = object;

    EXPECT_EQ (object->InternalQueryInterface (someOtherInterface, &answer), static_cast<ACFRESULT> (0x80000004u));
    EXPECT_EQ (answer, nullptr);
    EXPECT_EQ (object->InternalAddRef(), 1u);

    object->InternalRelease();
}

TEST_F (CACFUnknownTest, TheCountsAgreeThroughThePrivateUnknownAndTheObject)
{
    auto* object = makeObject();
    auto* unknown = object->GetOuterUnknown();

    EXPECT_EQ (unknown->AddRef(), 1u);
    EXPECT_EQ (object->InternalAddRef(), 2u);
    EXPECT_EQ (unknown->AddRef(), 3u);
    EXPECT_EQ (object->InternalRelease(), 2u);
    EXPECT_EQ (unknown->Release(), 1u);

    void* answer = nullptr;
    EXPECT_EQ (unknown->QueryInterface (IID_IACFUnknown, &answer), ACF_OK);
    EXPECT_EQ (answer, static_cast<void*> (unknown));
    EXPECT_EQ (unknown->Release(), 1u);
    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (destructions.load(), 1);
}

TEST_F (CACFUnknownTest, TheLastReleaseRunsFinalReleaseOnceAndRestoresTheLiveObjectCount)
{
    const auto before = CACFUnknown::m_ActiveObjects.load();
    auto* object = makeObject();
    EXPECT_EQ (CACFUnknown::m_ActiveObjects.load(), before + 1);

    object->InternalAddRef();
    EXPECT_EQ (object->InternalRelease(), 0u);

    EXPECT_EQ (finalReleases.load(), 1);
    EXPECT_EQ (destructions.load(), 1);
    EXPECT_EQ (CACFUnknown::m_ActiveObjects.load(), before);
}

TEST_F (CACFUnknownTest, AReleaseWithoutAReferenceLeavesTheCountAtZeroAndTellsTheHost)
{
    FakeHostServices host;
    auto* object = makeObject();

    EXPECT_EQ (object->InternalRelease(), 0u);
    EXPECT_EQ (host.assertions.size(), 1u);
    EXPECT_EQ (host.lastAssertFlags, 1);
    EXPECT_EQ (destructions.load(), 0);

    // Had the count wrapped around, this reference would not be the only one.
    object->InternalAddRef();
    EXPECT_EQ (object->InternalRelease(), 0u);
    EXPECT_EQ (destructions.load(), 1);
}

TEST_F (CACFUnknownTest, EightThreadsReleasingAtOnceRunFinalReleaseExactlyOnce)
{
    constexpr int numThreads = 8, referencesPerThread = 1000;
    const auto before = CACFUnknown::m_ActiveObjects.load();

    for (int round = 0; round < 20; ++round)
    {
        finalReleases = 0;
        destructions = 0;
        auto* object = makeObject();

        for (int i = 0; i < numThreads * referencesPerThread; ++i)
            object->GetOuterUnknown()->AddRef();

        std::atomic<bool> go { false };
        std::vector<std::thread> threads;

        for (int t = 0; t < numThreads; ++t)
            threads.emplace_back (
                [&]
                {
                    while (! go.load())
                        std::this_thread::yield();

                    for (int i = 0; i < referencesPerThread; ++i)
                        object->GetOuterUnknown()->Release();
                });

        go = true;

        for (auto& thread : threads)
            thread.join();

        EXPECT_EQ (finalReleases.load(), 1);
        EXPECT_EQ (destructions.load(), 1);
    }

    EXPECT_EQ (CACFUnknown::m_ActiveObjects.load(), before);
}

TEST (CACFUnknownCountTest, ObjectsMadeAndDestroyedOnManyThreadsLeaveTheLiveObjectCountAsItWas)
{
    const auto before = CACFUnknown::m_ActiveObjects.load();
    std::vector<std::thread> threads;

    for (int t = 0; t < 8; ++t)
        threads.emplace_back (
            []
            {
                for (int i = 0; i < 500; ++i)
                {
                    auto* object = new CACFUnknown();
                    object->InternalAddRef();
                    object->InternalRelease();
                }
            });

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (CACFUnknown::m_ActiveObjects.load(), before);
}
} // namespace
