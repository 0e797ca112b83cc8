#pragma once

#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "ParamTools.h"

#include <cstddef>
#include <string>
#include <vector>

/** The 23 host parameters as JUCE's wrapper makes them ("0".."22", linear over 0..1, three decimals) in an
    effect without a host, and the controls-state chunk written from them and applied to them by the
    effect's own chunk calls: every float value as a "d_" entry, read back narrowed to float.
*/
class ControlsChunkRig : private AAX_CEffectParameters
{
public:
    ControlsChunkRig()
    {
        for (int i = 0; i < ParamData::numParams; ++i)
            mParameterManager.AddParameter (new AAX_CParameter<float> (
                identifier (i).c_str(), AAX_CString (ParamData::paramName[i]), ParamData::paramDefault[i],
                AAX_CLinearTaperDelegate<float, 0>(), AAX_CNumberDisplayDelegate<float, 3>(), true));
    }

    static std::string identifier (int index) { return std::to_string (index); }

    float value (int index) const
    {
        float v = -1.0f;
        mParameterManager.GetParameter (index)->GetValueAsFloat (&v);
        return v;
    }

    void setValue (int index, float v) { mParameterManager.GetParameter (index)->SetValueWithFloat (v); }

    /** A host record holding the chunk, sized exactly for it. */
    std::vector<char> write()
    {
        uint32_t size = 0;
        GetChunkSize (CONTROLS_CHUNK_ID, &size);
        std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + size);
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
        chunk->fChunkID = CONTROLS_CHUNK_ID;
        GetChunk (CONTROLS_CHUNK_ID, chunk);
        return record;
    }

    /** Sets every parameter that the chunk holds an entry for; the others keep their values. */
    void apply (const AAX_SPlugInChunk* chunk) { SetChunk (CONTROLS_CHUNK_ID, chunk); }

    /** The parser holding the chunk applied last. */
    const AAX_CChunkDataParser& parser() const { return mChunkParser; }
};
