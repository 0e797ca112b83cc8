#include "AAX_CParameterManager.h"

#include "AAX_IParameter.h"

#include <utility>

AAX_CParameterManager::AAX_CParameterManager() = default;

AAX_CParameterManager::~AAX_CParameterManager()
{
    RemoveAllParameters();
}

void AAX_CParameterManager::Initialize (AAX_IAutomationDelegate* automationDelegate)
{
    mAutomationDelegate = automationDelegate;
}

void AAX_CParameterManager::AddParameter (AAX_IParameter* parameter)
{
    std::unique_ptr<AAX_IParameter> owned (parameter);

    if (owned == nullptr || mParametersByID.count (owned->Identifier()) != 0)
        return;

    owned->SetAutomationDelegate (mAutomationDelegate);
    mParametersByID.emplace (owned->Identifier(), owned.get());
    mParameters.push_back (std::move (owned));
}

void AAX_CParameterManager::RemoveAllParameters()
{
    for (auto& parameter : mParameters)
        parameter.reset();

    mParameters.clear();
    mParametersByID.clear();
}

int32_t AAX_CParameterManager::NumParameters() const
{
    return int32_t (mParameters.size());
}

AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index)
{
    return const_cast<AAX_IParameter*> (std::as_const (*this).GetParameter (index));
}

const AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index) const
{
    return index >= 0 && index < NumParameters() ? mParameters[size_t (index)].get() : nullptr;
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier)
{
    return const_cast<AAX_IParameter*> (std::as_const (*this).GetParameterByID (identifier));
}

const AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return nullptr;

    const auto found = mParametersByID.find (identifier);
    return found != mParametersByID.end() ? found->second : nullptr;
}
