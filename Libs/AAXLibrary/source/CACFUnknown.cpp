#include "CACFUnknown.h"

#include "AAX_Assert.h"
#include "AAX_UIDs.h"

std::atomic<acfInt32> CACFUnknown::m_ActiveObjects { 0 };

CACFUnknown::CACFUnknown()
    : m_pUnkOuter (&m_PrivateUnknown),
      m_PrivateUnknown (*this)
{
    m_ActiveObjects.fetch_add (1);
}

CACFUnknown::~CACFUnknown()
{
    m_ActiveObjects.fetch_sub (1);
}

ACFRESULT CACFUnknown::InitializeInstance (IACFUnknown*)
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease() {}

void CACFUnknown::ReclaimMemory()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    *ppvObjOut = nullptr;

    if (riid != IID_IACFUnknown)
        return ACF_E_NOINTERFACE;

    *ppvObjOut = static_cast<IACFUnknown*> (&m_PrivateUnknown);
    m_PrivateUnknown.AddRef();
    return ACF_OK;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return m_cRef.fetch_add (1) + 1;
}

acfUInt32 CACFUnknown::InternalRelease()
{
    auto count = m_cRef.load();

    do
    {
        // A release without a reference would wrap the count around and later free the object twice.
        if (count == 0)
        {
            AAX_ASSERT (count > 0);
            return 0;
        }
    } while (! m_cRef.compare_exchange_weak (count, count - 1));

    if (count == 1)
    {
        FinalRelease();
        ReclaimMemory();
        return 0;
    }

    return count - 1;
}

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface (const acfIID& iid, void** ppOut)
{
    return owner->InternalQueryInterface (iid, ppOut);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return owner->InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return owner->InternalRelease();
}
