#pragma once

#include "AAX.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

/** Owns an effect's parameters in the order they were added and finds them by identifier.

    Parameters are added and removed only while the effect is set up and torn down, so it has no lock.
*/
class AAX_CParameterManager
{
public:
    AAX_CParameterManager();
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    /** The host's automation delegate (not owned), handed to every parameter added from now on. */
    void Initialize (AAX_IAutomationDelegate* automationDelegate);

    /** Takes ownership of the parameter in every case: one whose identifier is already present is deleted. */
    void AddParameter (AAX_IParameter* parameter);

    /** Deletes every parameter in the order they were added. */
    void RemoveAllParameters();

    int32_t NumParameters() const;

    /** The parameter at an index in insertion order; null outside 0..NumParameters() - 1. */
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;

    /** Exact byte comparison of identifiers; null or absent give null. */
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<std::unique_ptr<AAX_IParameter>> mParameters;
    std::map<std::string, AAX_IParameter*, std::less<>> mParametersByID; // looked up by a C string without a copy
};
