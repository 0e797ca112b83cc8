#pragma once

#include <cstdint>

/** The enumerations of the AAX interface. Four-character codes are written in hex, first character in
    the most significant byte, so that no compiler has to read a multi-character constant.

    Where the registration and the effect rely on a value (the property numbers and values registered,
    the stem formats and support levels asked about, the category, trace priorities and notifications),
    it is that value; every other value here is this library's own, which a real host does not know,
    and is to be replaced by the published one. */

/** A stem format: the format's index in the upper 16 bits, its channel count in the lower 16. */
#define AAX_STEM_FORMAT(index, channels)                                                                               \
    static_cast<int32_t> ((static_cast<uint32_t> (index) << 16) | static_cast<uint32_t> (channels))
#define AAX_STEM_FORMAT_INDEX(format) static_cast<int16_t> (static_cast<uint32_t> (format) >> 16)
#define AAX_STEM_FORMAT_CHANNEL_COUNT(format) static_cast<uint16_t> (static_cast<uint32_t> (format) & 0xFFFFu)

enum AAX_EStemFormat : int32_t
{
    AAX_eStemFormat_Mono = AAX_STEM_FORMAT (0, 1),
    AAX_eStemFormat_Stereo = AAX_STEM_FORMAT (1, 2),
    AAX_eStemFormat_LCR = AAX_STEM_FORMAT (2, 3),
    AAX_eStemFormat_LCRS = AAX_STEM_FORMAT (3, 4),
    AAX_eStemFormat_Quad = AAX_STEM_FORMAT (4, 4),
    AAX_eStemFormat_5_0 = AAX_STEM_FORMAT (5, 5),
    AAX_eStemFormat_5_1 = AAX_STEM_FORMAT (6, 6),
    AAX_eStemFormat_6_0 = AAX_STEM_FORMAT (7, 6),
    AAX_eStemFormat_6_1 = AAX_STEM_FORMAT (8, 7),
    AAX_eStemFormat_7_0_SDDS = AAX_STEM_FORMAT (9, 7),
    AAX_eStemFormat_7_1_SDDS = AAX_STEM_FORMAT (10, 8),
    AAX_eStemFormat_7_0_DTS = AAX_STEM_FORMAT (11, 7),
    AAX_eStemFormat_7_1_DTS = AAX_STEM_FORMAT (12, 8),
    AAX_eStemFormat_7_0_2 = AAX_STEM_FORMAT (13, 9),
    AAX_eStemFormat_Ambi_1_ACN = AAX_STEM_FORMAT (14, 4),
    AAX_eStemFormat_7_1_2 = AAX_STEM_FORMAT (15, 10),
    AAX_eStemFormat_Reserved_1 = AAX_STEM_FORMAT (16, 0),
    AAX_eStemFormat_Reserved_2 = AAX_STEM_FORMAT (17, 0),
    AAX_eStemFormat_Ambi_2_ACN = AAX_STEM_FORMAT (18, 9),
    AAX_eStemFormat_Ambi_3_ACN = AAX_STEM_FORMAT (19, 16),
    AAX_eStemFormat_Reserved_3 = AAX_STEM_FORMAT (20, 0),
    AAX_eStemFormatNum = 21,
    AAX_eStemFormat_None = AAX_STEM_FORMAT (-100, 0),
    AAX_eStemFormat_Any = AAX_STEM_FORMAT (-1, 0),
    AAX_eStemFormat_INT32_MAX = 0x7FFFFFFF
};

enum AAX_EProperty : int32_t
{
    AAX_eProperty_NoID = 0,
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_PlugInID_TI = 15,
    AAX_eProperty_NativeProcessProc = 36,
    AAX_eProperty_NativeInstanceInitProc = 37,
    AAX_eProperty_NativeBackgroundProc = 38,
    AAX_eProperty_TIDLLFileName = 39,
    AAX_eProperty_TIProcessProc = 40,
    AAX_eProperty_TIInstanceInitProc = 41,
    AAX_eProperty_TIBackgroundProc = 42,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_AudioBufferLength = 54,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_SupportsSaveRestore = 80,
    AAX_eProperty_SupportsSideChainInput = 116,
    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,
    AAX_eProperty_Constraint_AlwaysProcess = 300,
    AAX_eProperty_Constraint_MultiMonoSupport = 304,
    AAX_eProperty_Constraint_DoNotApplyDefaultSettings = 306,
    AAX_eProperty_ObservesTransportState = 309
};

enum AAX_ESupportLevel : int32_t
{
    AAX_eSupportLevel_Uninitialized = 0,
    AAX_eSupportLevel_Unsupported = 1,
    AAX_eSupportLevel_Supported = 2,
    AAX_eSupportLevel_Disabled = 3,
    AAX_eSupportLevel_ByProperty = 4
};

enum AAX_EPlugInCategory : uint32_t
{
    AAX_ePlugInCategory_None = 0x00000000,
    AAX_ePlugInCategory_EQ = 0x00000001,
    AAX_ePlugInCategory_Dynamics = 0x00000002,
    AAX_ePlugInCategory_PitchShift = 0x00000004,
    AAX_ePlugInCategory_Reverb = 0x00000008,
    AAX_ePlugInCategory_Delay = 0x00000010,
    AAX_ePlugInCategory_Modulation = 0x00000020,
    AAX_ePlugInCategory_Harmonic = 0x00000040,
    AAX_ePlugInCategory_NoiseReduction = 0x00000080,
    AAX_ePlugInCategory_Effect = 0x00002000
};

enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1
};

/** Orientation flags; a parameter's orientation is their combination. */
enum AAX_EParameterOrientationBits : int32_t
{
    AAX_eParameterOrientation_Default = 0,
    AAX_eParameterOrientation_BottomMinTopMax = 0,
    AAX_eParameterOrientation_TopMinBottomMax = 1 << 0,
    AAX_eParameterOrientation_LeftMinRightMax = 0,
    AAX_eParameterOrientation_RightMinLeftMax = 1 << 1,
    AAX_eParameterOrientation_RotarySingleDotMode = 0,
    AAX_eParameterOrientation_RotaryBoostCutMode = 1 << 2,
    AAX_eParameterOrientation_RotaryWrapMode = 1 << 3,
    AAX_eParameterOrientation_RotaryLeftMinRightMax = 0,
    AAX_eParameterOrientation_RotaryRightMinLeftMax = 1 << 4
};
using AAX_EParameterOrientation = int32_t;

enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3
};

enum AAX_EHighlightColor : int32_t
{
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3,
    AAX_eHighlightColor_Num = 4
};

enum AAX_EMeterType : int32_t
{
    AAX_eMeterType_Input = 0,
    AAX_eMeterType_Output = 1,
    AAX_eMeterType_CLGain = 2,
    AAX_eMeterType_EGGain = 3,
    AAX_eMeterType_Analysis = 4,
    AAX_eMeterType_Other = 5
};

enum AAX_EMeterOrientation : int32_t
{
    AAX_eMeterOrientation_BottomLeft = 0,
    AAX_eMeterOrientation_TopRight = 1
};

enum AAX_EModifiers : uint32_t
{
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1u << 0,
    AAX_eModifiers_Control = 1u << 1,
    AAX_eModifiers_Option = 1u << 2,
    AAX_eModifiers_Command = 1u << 3,
    AAX_eModifiers_SecondaryButton = 1u << 4,
    AAX_eModifiers_Alt = AAX_eModifiers_Option
};

enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3
};

enum AAX_EMIDINodeType : int32_t
{
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3
};

enum AAX_EResourceType : int32_t
{
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1,
    AAX_eResourceType_PageTableDir = 2
};

enum AAX_EDataInPortType : int32_t
{
    AAX_eDataInPortType_Unbuffered = 0,
    AAX_eDataInPortType_Buffered = 1,
    AAX_eDataInPortType_Incremental = 2
};

enum AAX_EPrivateDataOptions : uint32_t
{
    AAX_ePrivateDataOptions_DefaultOptions = 0,
    AAX_ePrivateDataOptions_KeepOnReset = 1u << 0,
    AAX_ePrivateDataOptions_External = 1u << 1
};

enum AAX_EDmaMode : int32_t
{
    AAX_eDmaMode_Normal = 0,
    AAX_eDmaMode_Burst = 1,
    AAX_eDmaMode_Scatter = 2,
    AAX_eDmaMode_Gather = 3
};

enum AAX_EComponentInstanceInitAction : int32_t
{
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetInstance = 2
};

/** The host's block sizes as powers of two; the largest is 1024 samples. */
enum AAX_EAudioBufferLength : int32_t
{
    AAX_eAudioBufferLength_Undefined = -1,
    AAX_eAudioBufferLength_16 = 4,
    AAX_eAudioBufferLength_32 = 5,
    AAX_eAudioBufferLength_64 = 6,
    AAX_eAudioBufferLength_128 = 7,
    AAX_eAudioBufferLength_256 = 8,
    AAX_eAudioBufferLength_512 = 9,
    AAX_eAudioBufferLength_1024 = 10,
    AAX_eAudioBufferLength_Max = AAX_eAudioBufferLength_1024
};

enum AAX_ENotificationEvent : uint32_t
{
    AAX_eNotificationEvent_TrackNameChanged = 0x414E746E,           // 'ANtn'
    AAX_eNotificationEvent_EnteringOfflineMode = 0x414E6F6E,        // 'ANon'
    AAX_eNotificationEvent_ExitingOfflineMode = 0x414E6666,         // 'ANff'
    AAX_eNotificationEvent_SideChainBeingConnected = 0x414E7363,    // 'ANsc'
    AAX_eNotificationEvent_SideChainBeingDisconnected = 0x414E7364, // 'ANsd'
    AAX_eNotificationEvent_ASProcessingState = 0x414E6173,          // 'ANas'
    AAX_eNotificationEvent_TransportStateChanged = 0x414E7473,      // 'ANts'
    AAX_eNotificationEvent_ASPreviewState = 0x41535076,             // 'ASPv'
    AAX_eNotificationEvent_ParameterNameChanged = 0x4158706E        // 'AXpn'
};

enum AAX_EProcessingState : int32_t
{
    AAX_eProcessingState_StartPass = 0,
    AAX_eProcessingState_EndPass = 1,
    AAX_eProcessingState_BeginPassGroup = 2,
    AAX_eProcessingState_EndPassGroup = 3
};

enum AAX_ECurveType : uint32_t
{
    AAX_eCurveType_None = 0,
    AAX_eCurveType_EQ = 0x41586571,       // 'AXeq'
    AAX_eCurveType_Dynamics = 0x41586479, // 'AXdy'
    AAX_eCurveType_Reduction = 0x41586472 // 'AXdr'
};

enum AAX_EFrameRate : int32_t
{
    AAX_eFrameRate_Undeclared = 0,
    AAX_eFrameRate_24Frame = 1,
    AAX_eFrameRate_25Frame = 2,
    AAX_eFrameRate_2997NonDrop = 3,
    AAX_eFrameRate_2997DropFrame = 4,
    AAX_eFrameRate_30NonDrop = 5,
    AAX_eFrameRate_30DropFrame = 6,
    AAX_eFrameRate_23976 = 7,
    AAX_eFrameRate_47952 = 8,
    AAX_eFrameRate_48Frame = 9,
    AAX_eFrameRate_50Frame = 10,
    AAX_eFrameRate_5994NonDrop = 11,
    AAX_eFrameRate_5994DropFrame = 12,
    AAX_eFrameRate_60NonDrop = 13,
    AAX_eFrameRate_60DropFrame = 14,
    AAX_eFrameRate_100Frame = 15,
    AAX_eFrameRate_11988NonDrop = 16,
    AAX_eFrameRate_11988DropFrame = 17,
    AAX_eFrameRate_120NonDrop = 18,
    AAX_eFrameRate_120DropFrame = 19
};

enum AAX_EFeetFramesRate : int32_t
{
    AAX_eFeetFramesRate_23976 = 0,
    AAX_eFeetFramesRate_24 = 1,
    AAX_eFeetFramesRate_25 = 2
};

enum AAX_ETextEncoding : int32_t
{
    AAX_eTextEncoding_UTF8 = 0
};

enum AAX_EPlugInStrings : int32_t
{
    AAX_ePlugInStrings_Analysis = 0,
    AAX_ePlugInStrings_MonoMode = 1,
    AAX_ePlugInStrings_ClipIndicator = 2,
    AAX_ePlugInStrings_Bypass = 3,
    AAX_ePlugInStrings_SideChainStatus = 4
};

/** The priorities of traces into the host. */
enum AAX_ETracePriorityHost : uint32_t
{
    AAX_eTracePriorityHost_None = 0,
    AAX_eTracePriorityHost_Critical = 0x10000000,
    AAX_eTracePriorityHost_High = 0x08000000,
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_Low = 0x02000000,
    AAX_eTracePriorityHost_Lowest = 0x01000000
};

/** How the host handles a failed assertion; the library always asks it to log. */
enum AAX_EAssertFlags : int32_t
{
    AAX_eAssertFlags_Default = 0,
    AAX_eAssertFlags_Log = 1,
    AAX_eAssertFlags_Dialog = 2
};
