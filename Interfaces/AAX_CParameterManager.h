#pragma once

#include "AAX.h"

#include <map>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

/** Owns an effect's parameters in insertion order and finds them by identifier. */
class AAX_CParameterManager
{
public:
    AAX_CParameterManager();
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    void Initialize (AAX_IAutomationDelegate* iAutomationDelegateUnknown);

    int32_t NumParameters() const;
    void RemoveAllParameters();
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    /** Takes ownership; a parameter whose identifier is already present is not added. */
    void AddParameter (AAX_IParameter* param);

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr; // the host's, not owned
    std::vector<AAX_IParameter*> mParameters;               // owned
    std::map<std::string, AAX_IParameter*> mParametersMap;
};
