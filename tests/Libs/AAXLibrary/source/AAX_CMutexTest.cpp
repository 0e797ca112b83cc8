#include "AAX_CMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST (AAX_CMutex, ASecondLockByTheOwnerIsRefusedAndOneUnlockFreesTheMutex)
{
    AAX_CMutex mutex;

    EXPECT_TRUE (mutex.Lock());
    EXPECT_FALSE (mutex.Lock());
    mutex.Unlock();

    std::thread other (
        [&]
        {
            EXPECT_TRUE (mutex.Lock());
            mutex.Unlock();
        });
    other.join();
}

TEST (AAX_CMutex, AnInnerGuardOfTheOwnerLeavesTheMutexLockedByTheOuterOne)
{
    AAX_CMutex mutex;
    std::atomic<bool> otherHolds { false };
    std::thread other;

    {
        AAX_StLock_Guard outer (mutex);
        {
            AAX_StLock_Guard inner (mutex);
        }

        // Still ours: another thread's guard waits until the outer guard ends.
        other = std::thread (
            [&]
            {
                AAX_StLock_Guard guard (mutex);
                otherHolds = true;
            });

        EXPECT_FALSE (mutex.Lock());
        EXPECT_FALSE (otherHolds);
    }

    other.join();
    EXPECT_TRUE (otherHolds);
}

TEST (AAX_CMutex, OnlyTheOwnerUnlocks)
{
    AAX_CMutex mutex;
    ASSERT_TRUE (mutex.Lock());

    std::thread other ([&] { mutex.Unlock(); });
    other.join();

    std::atomic<bool> taken { false };
    std::thread waiter (
        [&]
        {
            AAX_StLock_Guard guard (mutex);
            taken = true;
        });

    EXPECT_FALSE (taken);
    mutex.Unlock();
    waiter.join();
    EXPECT_TRUE (taken);
}

TEST (AAX_CMutex, GuardsOnEightThreadsSerialiseTheirWork)
{
    AAX_CMutex mutex;
    int counter = 0;
    std::vector<std::thread> threads;

    for (int t = 0; t < 8; ++t)
        threads.emplace_back (
            [&]
            {
                for (int i = 0; i < 2000; ++i)
                {
                    AAX_StLock_Guard guard (mutex);
                    AAX_StLock_Guard nested (mutex);
                    ++counter;
                }
            });

    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (counter, 16000);
}
