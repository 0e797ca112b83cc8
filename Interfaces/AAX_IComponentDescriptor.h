#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class AAX_IPropertyMap;

/** The description of one processing component: the fields of its algorithm context and its
    process procedures. */
class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                                      AAX_EDataInPortType inPortType = AAX_eDataInPortType_Buffered) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat,
                                         const char inNameUTF8[]) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize,
                                       uint32_t inOptions = AAX_ePrivateDataOptions_DefaultOptions) = 0;
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_EDmaMode inDmaMode) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs,
                                  uint32_t inMeterCount) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char inNodeName[],
                                    uint32_t channelMask) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) = 0;

    /** A new property map owned by this descriptor. */
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    /** A copy of the map's properties 10 to 401 in a new map owned by this descriptor. */
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) = 0;

    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties = nullptr,
                                              AAX_CInstanceInitProc inInstanceInitProc = nullptr,
                                              AAX_CBackgroundProc inBackgroundProc = nullptr,
                                              AAX_CSelector* outProcID = nullptr) = 0;
    virtual AAX_Result AddProcessProc_TI (const char inDLLFileNameUTF8[], const char inProcessProcSymbol[],
                                          AAX_IPropertyMap* inProperties,
                                          const char inInstanceInitProcSymbol[] = nullptr,
                                          const char inBackgroundProcSymbol[] = nullptr,
                                          AAX_CSelector* outProcID = nullptr) = 0;
    /** Registers the procedures the map names; the identifiers are written with a terminating 0. */
    virtual AAX_Result AddProcessProc (AAX_IPropertyMap* inProperties, AAX_CSelector* outProcIDs = nullptr,
                                       int32_t inProcIDsSize = 0) = 0;

    /** Takes a process procedure typed on the plug-in's own context structure. */
    template <typename ContextType>
    AAX_Result AddProcessProc_Native (
        void (AAX_CALLBACK* inProcessProc) (ContextType* const inInstancesBegin[], const void* inInstancesEnd),
        AAX_IPropertyMap* inProperties = nullptr,
        int32_t (AAX_CALLBACK* inInstanceInitProc) (const ContextType* inInstanceContext,
                                                    AAX_EComponentInstanceInitAction inAction) = nullptr,
        AAX_CBackgroundProc inBackgroundProc = nullptr)
    {
        // Through the generic function type, so the compiler sees a deliberate change of signature.
        using Generic = void (*)();
        return AddProcessProc_Native (
            reinterpret_cast<AAX_CProcessProc> (reinterpret_cast<Generic> (inProcessProc)), inProperties,
            reinterpret_cast<AAX_CInstanceInitProc> (reinterpret_cast<Generic> (inInstanceInitProc)), inBackgroundProc);
    }
};
