#include "AAX_CMutex.h"

#include <atomic>
#include <pthread.h>

// The owner is read by threads that do not hold the mutex, so it is atomic; 0 means nobody.
struct AAX_CMutex::Block
{
    std::atomic<pthread_t> owner { 0 };
    pthread_mutex_t mutex;

    bool isOwnedByCaller() const { return pthread_equal (owner.load(), pthread_self()) != 0; }
};

AAX_CMutex::AAX_CMutex()
    : mBlock (std::make_unique<Block>())
{
    if (pthread_mutex_init (&mBlock->mutex, nullptr) != 0)
        mBlock.reset();
}

AAX_CMutex::~AAX_CMutex()
{
    if (mBlock != nullptr)
        pthread_mutex_destroy (&mBlock->mutex);
}

bool AAX_CMutex::Lock()
{
    if (mBlock == nullptr || mBlock->isOwnedByCaller())
        return false;

    pthread_mutex_lock (&mBlock->mutex);
    mBlock->owner = pthread_self();
    return true;
}

void AAX_CMutex::Unlock()
{
    if (mBlock == nullptr || ! mBlock->isOwnedByCaller())
        return;

    mBlock->owner = 0;
    pthread_mutex_unlock (&mBlock->mutex);
}

AAX_StLock_Guard::AAX_StLock_Guard (AAX_CMutex& mutex)
    : mMutex (&mutex),
      mLocked (mutex.Lock())
{
}

AAX_StLock_Guard::~AAX_StLock_Guard()
{
    if (mLocked)
        mMutex->Unlock();
}
