#pragma once

#include <memory>

/** A mutex that knows its owning thread: not recursive, and a second Lock by the owner is refused, not a deadlock.

    A mutex whose creation failed never locks.
*/
class AAX_CMutex
{
public:
    AAX_CMutex();
    ~AAX_CMutex();

    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    /** Waits for the mutex and takes it; false at once for its owner or for a mutex that could not be made. */
    bool Lock();

    /** Frees the mutex when the calling thread owns it; otherwise nothing. */
    void Unlock();

private:
    struct Block;
    std::unique_ptr<Block> mBlock;
};

/** Holds an AAX_CMutex for a scope, if it took it: a guard nested inside the owner's leaves the mutex to the outer one.
 */
class AAX_StLock_Guard
{
public:
    explicit AAX_StLock_Guard (AAX_CMutex& mutex);
    ~AAX_StLock_Guard();

    AAX_StLock_Guard (const AAX_StLock_Guard&) = delete;
    AAX_StLock_Guard& operator= (const AAX_StLock_Guard&) = delete;

private:
    AAX_CMutex* mMutex;
    bool mLocked;
};
