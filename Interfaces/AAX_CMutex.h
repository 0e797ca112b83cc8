#pragma once

/** A mutex that knows its owner: locking it again from the owning thread neither blocks nor
    counts, and only the owner can unlock it. A mutex whose creation failed never locks. */
class AAX_CMutex
{
public:
    AAX_CMutex();
    ~AAX_CMutex();

    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    /** True when this call took the mutex; false when the caller already owns it or it never locks. */
    bool Lock();
    void Unlock();

private:
    struct opaque_aax_mutex_t;
    opaque_aax_mutex_t* mMutex;
};

/** Holds an AAX_CMutex for a scope, when its own Lock took it. */
class AAX_StLock_Guard
{
public:
    explicit AAX_StLock_Guard (AAX_CMutex& iMutex);
    ~AAX_StLock_Guard();

    AAX_StLock_Guard (const AAX_StLock_Guard&) = delete;
    AAX_StLock_Guard& operator= (const AAX_StLock_Guard&) = delete;

private:
    AAX_CMutex* mMutex;
    bool mNeedsUnlock;
};
