#pragma once

#include "AAX.h"

#include <cstdint>
#include <vector>

/** One data packet for a data-in port of the effect, regenerated while dirty. */
class AAX_CPacket
{
public:
    /** The packet's bytes. */
    class SPacketData
    {
    public:
        SPacketData();

        /** Resizes the buffer to exactly size bytes (new ones zero) and gives its first byte; 0 is out of range. */
        void* Get (size_t size);

        const void* Data() const { return mData.data(); }

    private:
        std::vector<uint8_t> mData;
    };

    explicit AAX_CPacket (AAX_CFieldIndex portID)
        : mID (portID)
    {
    }

    AAX_CFieldIndex GetID() const { return mID; }
    bool IsDirty() const { return mDirty; }
    void SetDirty (bool dirty) { mDirty = dirty; }
    uint32_t GetSize() const { return mDataSize; }
    const void* GetData() const { return mData.Data(); }

    /** The buffer for one value of type T, which the packet then carries. */
    template <typename T> T* GetPtr()
    {
        mDataSize = sizeof (T);
        return static_cast<T*> (mData.Get (sizeof (T)));
    }

private:
    AAX_CFieldIndex mID;
    bool mDirty = true;
    uint32_t mDataSize = 0;
    SPacketData mData;
};
