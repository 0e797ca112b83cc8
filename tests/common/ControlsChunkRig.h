#pragma once

#include "AAX_CChunkDataParser.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "ParamTools.h"

#include <cstddef>
#include <string>
#include <vector>

/** The 23 host parameters as JUCE's wrapper makes them ("0".."22", linear over 0..1, three decimals) in a
    parameter manager without automation, and the controls-state chunk written from them and applied to
    them the way the effect does it: every float value as a "d_" entry, read back narrowed to float.
*/
class ControlsChunkRig
{
public:
    ControlsChunkRig()
    {
        for (int i = 0; i < ParamData::numParams; ++i)
            manager.AddParameter (new AAX_CParameter<float> (
                identifier (i).c_str(), AAX_CString (ParamData::paramName[i]), ParamData::paramDefault[i],
                AAX_CLinearTaperDelegate<float, 0>(), AAX_CNumberDisplayDelegate<float, 3>(), true));
    }

    static std::string identifier (int index) { return std::to_string (index); }

    float value (int index) const
    {
        float v = -1.0f;
        manager.GetParameter (index)->GetValueAsFloat (&v);
        return v;
    }

    void setValue (int index, float v) { manager.GetParameter (index)->SetValueWithFloat (v); }

    /** A host record holding the chunk, sized exactly for it. */
    std::vector<char> write()
    {
        parser.Clear();

        for (int i = 0; i < manager.NumParameters(); ++i)
            parser.AddDouble (identifier (i).c_str(), double (value (i)));

        std::vector<char> record (offsetof (AAX_SPlugInChunk, fData) + size_t (parser.GetChunkDataSize()));
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
        chunk->fChunkID = CONTROLS_CHUNK_ID;
        parser.GetChunkData (chunk);
        return record;
    }

    /** Sets every parameter that the chunk holds an entry for; the others keep their values. */
    void apply (const AAX_SPlugInChunk* chunk)
    {
        parser.LoadChunk (chunk);

        for (int i = 0; i < manager.NumParameters(); ++i)
            if (double stored = 0.0; parser.FindDouble (identifier (i).c_str(), &stored))
                setValue (i, float (stored));
    }

    AAX_CParameterManager manager;
    AAX_CChunkDataParser parser;
};
