#pragma once

#include "IACFUnknown.h"

#include <atomic>

/** The reference-counting base that an object handed to the host carries beside its interface.

    Its private unknown answers QueryInterface, AddRef and Release for the whole object; a class that
    combines an interface with this base forwards the interface's three operations to
    GetOuterUnknown(), so every count ends in InternalAddRef and InternalRelease.
*/
class CACFUnknown
{
public:
    CACFUnknown();
    virtual ~CACFUnknown();

    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;

    /** A hook for the creator after creation; the base does nothing and returns 0. */
    virtual ACFRESULT InitializeInstance (IACFUnknown* pUnkHost);
    /** Runs once when the last reference goes, before the memory is reclaimed. */
    virtual void FinalRelease();
    /** Deletes the object. */
    virtual void ReclaimMemory();

    /** Answers IACFUnknown with the private unknown (and a reference); anything else with no interface. */
    virtual ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

    IACFUnknown* GetOuterUnknown() const noexcept { return m_pUnkOuter; }

    /** The number of live objects in the module; the module may be unloaded at 0. */
    static std::atomic<acfInt32> m_ActiveObjects;

    /** The non-delegating unknown embedded in every object. */
    class PrivateUnknown : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown& ownerToUse) noexcept
            : owner (&ownerToUse)
        {
        }
        virtual ~PrivateUnknown() = default;

        ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown* owner;
    };

private:
    std::atomic<acfUInt32> m_cRef { 0 };
    IACFUnknown* m_pUnkOuter;
    PrivateUnknown m_PrivateUnknown;
};
