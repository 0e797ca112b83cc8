#pragma once

#include "AAX_CParameterManager.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"

#include <vector>

/** A controller that records every posted packet. */
class PostingController final : public AAX_IController
{
public:
    struct Post
    {
        AAX_CFieldIndex port;
        std::vector<uint8_t> bytes;

        bool operator== (const Post& other) const { return port == other.port && bytes == other.bytes; }
    };

    AAX_Result PostPacket (AAX_CFieldIndex port, const void* data, uint32_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*> (data);
        posts.push_back ({ port, { bytes, bytes + size } });
        return AAX_SUCCESS;
    }

    std::vector<Post> posts;
};

/** Effect parameters that answer GetParameter from a parameter manager, as the effect base does. */
class ParameterLookupEffect final : public AAX_IEffectParameters
{
public:
    AAX_Result GetParameter (AAX_CParamID id, AAX_IParameter** parameter) override
    {
        *parameter = parameters.GetParameterByID (id);
        return *parameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
    }

    AAX_CParameterManager parameters;
};
