#pragma once

#include "AAX.h"

#include <vector>

/** One packet of data the host receives on a data-in port of the effect's component. */
class AAX_CPacket
{
public:
    /** The packet's growable byte buffer. */
    class SPacketData
    {
    public:
        SPacketData();
        ~SPacketData();

        SPacketData (const SPacketData&) = delete;
        SPacketData& operator= (const SPacketData&) = delete;

        /** Resizes the buffer to exactly that many bytes and returns its first byte. */
        void* Get (size_t inSize);
        const void* Get() const;

    private:
        std::vector<unsigned char>* mData; // owned
    };

    explicit AAX_CPacket (AAX_CFieldIndex inPortID);

    AAX_CFieldIndex GetID() const { return mID; }
    bool IsDirty() const { return mDirty; }
    void SetDirty (bool inDirty) { mDirty = inDirty; }
    uint32_t GetSize() const { return mDataSize; }
    SPacketData& GetData() { return mData; }
    void SetSize (uint32_t inSize) { mDataSize = inSize; }

private:
    AAX_CFieldIndex mID;
    bool mDirty = true;
    uint32_t mDataSize = 0;
    SPacketData mData;
};
