#include "AAX_CString.h"
#include "AAX_UIDs.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VHostServices.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "HostFixture.h"

#include <cstring>
#include <memory>

namespace
{
constexpr AAX_Result first = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result later = AAX_ERROR_UNIMPLEMENTED;

using RuntimeProxies = HostFixture;

// Calls an operation with one out-parameter that starts non-zero.
#define ONE_OUT(Type, ...)                                                                                             \
    [] (auto& p)                                                                                                       \
    {                                                                                                                  \
        Type out {};                                                                                                   \
        std::memset ((void*) &out, 0x5A, sizeof (out));                                                                \
        const auto result = __VA_ARGS__;                                                                               \
        Type zero {};                                                                                                  \
        return Outcome { result, std::memcmp ((const void*) &out, (const void*) &zero, sizeof (out)) == 0 };           \
    }

#define NO_OUT(...) [] (auto& p) { return Outcome { __VA_ARGS__ }; }
} // namespace

TEST_F (RuntimeProxies, EveryControllerOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VController>> cases {
        { "controller.GetEffectID", "IAAXControllerV1", first,
          [] (auto& p)
          {
              AAX_CString s;
              return Outcome { p.GetEffectID (&s) };
          } },
        { "controller.GetSampleRate", "IAAXControllerV1", first, ONE_OUT (float, p.GetSampleRate (&out)) },
        { "controller.GetInputStemFormat", "IAAXControllerV1", first,
          ONE_OUT (AAX_EStemFormat, p.GetInputStemFormat (&out)) },
        { "controller.GetOutputStemFormat", "IAAXControllerV1", first,
          ONE_OUT (AAX_EStemFormat, p.GetOutputStemFormat (&out)) },
        { "controller.GetSignalLatency", "IAAXControllerV1", first, ONE_OUT (int32_t, p.GetSignalLatency (&out)) },
        { "controller.GetCycleCount", "IAAXControllerV1", first,
          ONE_OUT (AAX_CPropertyValue, p.GetCycleCount (AAX_eProperty_NoID, &out)) },
        { "controller.GetTODLocation", "IAAXControllerV1", first, ONE_OUT (int64_t, p.GetTODLocation (&out)) },
        { "controller.SetSignalLatency", "IAAXControllerV1", first, NO_OUT (p.SetSignalLatency (64)) },
        { "controller.SetCycleCount", "IAAXControllerV1", first, NO_OUT (p.SetCycleCount (nullptr, nullptr, 0)) },
        { "controller.PostPacket", "IAAXControllerV1", first, NO_OUT (p.PostPacket (3, "ab", 2)) },
        { "controller.SendNotification", "IAAXControllerV2", later, NO_OUT (p.SendNotification ('test', "x", 1)) },
        { "controller.SendNotification", "IAAXControllerV2", later, NO_OUT (p.SendNotification ('test')) },
        { "controller.GetCurrentMeterValue", "IAAXControllerV1", first,
          ONE_OUT (float, p.GetCurrentMeterValue (1, &out)) },
        { "controller.GetMeterPeakValue", "IAAXControllerV1", first, ONE_OUT (float, p.GetMeterPeakValue (1, &out)) },
        { "controller.ClearMeterPeakValue", "IAAXControllerV1", first, NO_OUT (p.ClearMeterPeakValue (1)) },
        { "controller.GetMeterCount", "IAAXControllerV1", first, ONE_OUT (uint32_t, p.GetMeterCount (&out)) },
        { "controller.GetMeterClipped", "IAAXControllerV1", first,
          ONE_OUT (AAX_CBoolean, p.GetMeterClipped (1, &out)) },
        { "controller.ClearMeterClipped", "IAAXControllerV1", first, NO_OUT (p.ClearMeterClipped (1)) },
        { "controller.GetNextMIDIPacket", "IAAXControllerV1", first,
          [] (auto& p)
          {
              AAX_CFieldIndex port = 9;
              AAX_CMidiPacket packet {};
              packet.mLength = 3;
              const auto r = p.GetNextMIDIPacket (&port, &packet);
              return Outcome { r, port == 0 && packet.mLength == 0 };
          } },
        { "controller.GetHybridSignalLatency", "IAAXControllerV2", later,
          ONE_OUT (int32_t, p.GetHybridSignalLatency (&out)) },
        { "controller.GetCurrentAutomationTimestamp", "IAAXControllerV2", later,
          ONE_OUT (int64_t, p.GetCurrentAutomationTimestamp (&out)) },
        { "controller.GetHostName", "IAAXControllerV2", later,
          [] (auto& p)
          {
              AAX_CString s;
              return Outcome { p.GetHostName (&s) };
          } },
        { "controller.GetPlugInTargetPlatform", "IAAXControllerV3", later,
          ONE_OUT (int32_t, p.GetPlugInTargetPlatform (&out)) },
        { "controller.GetIsAudioSuite", "IAAXControllerV3", later, ONE_OUT (AAX_CBoolean, p.GetIsAudioSuite (&out)) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VController> (host.instanceUnknown()); });
}

TEST_F (RuntimeProxies, EveryTransportOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VTransport>> cases {
        { "transport.GetCurrentTempo", "IAAXTransportV1", first, ONE_OUT (double, p.GetCurrentTempo (&out)) },
        { "transport.GetCurrentMeter", "IAAXTransportV1", first,
          [] (auto& p)
          {
              int32_t num = 7, den = 7;
              const auto r = p.GetCurrentMeter (&num, &den);
              return Outcome { r, num == 0 && den == 0 };
          } },
        { "transport.IsTransportPlaying", "IAAXTransportV1", first, ONE_OUT (bool, p.IsTransportPlaying (&out)) },
        { "transport.GetCurrentTickPosition", "IAAXTransportV1", first,
          ONE_OUT (int64_t, p.GetCurrentTickPosition (&out)) },
        { "transport.GetCurrentLoopPosition", "IAAXTransportV1", first,
          [] (auto& p)
          {
              bool looping = true;
              int64_t start = 7, end = 7;
              const auto r = p.GetCurrentLoopPosition (&looping, &start, &end);
              return Outcome { r, ! looping && start == 0 && end == 0 };
          } },
        { "transport.GetCurrentNativeSampleLocation", "IAAXTransportV1", first,
          ONE_OUT (int64_t, p.GetCurrentNativeSampleLocation (&out)) },
        { "transport.GetCustomTickPosition", "IAAXTransportV1", first,
          ONE_OUT (int64_t, p.GetCustomTickPosition (&out, 100)) },
        { "transport.GetBarBeatPosition", "IAAXTransportV1", first,
          [] (auto& p)
          {
              int32_t bars = 7, beats = 7;
              int64_t ticks = 7;
              const auto r = p.GetBarBeatPosition (&bars, &beats, &ticks, 100);
              return Outcome { r, bars == 0 && beats == 0 && ticks == 0 };
          } },
        { "transport.GetTicksPerQuarter", "IAAXTransportV1", first, ONE_OUT (uint32_t, p.GetTicksPerQuarter (&out)) },
        { "transport.GetCurrentTicksPerBeat", "IAAXTransportV1", first,
          ONE_OUT (uint32_t, p.GetCurrentTicksPerBeat (&out)) },
        { "transport.GetTimelineSelectionStartPosition", "IAAXTransportV2", later,
          ONE_OUT (int64_t, p.GetTimelineSelectionStartPosition (&out)) },
        { "transport.GetTimeCodeInfo", "IAAXTransportV2", later,
          [] (auto& p)
          {
              auto rate = (AAX_EFrameRate) 5;
              int32_t offset = 7;
              const auto r = p.GetTimeCodeInfo (&rate, &offset);
              return Outcome { r, rate == 0 && offset == 0 };
          } },
        { "transport.GetFeetFramesInfo", "IAAXTransportV2", later,
          [] (auto& p)
          {
              auto rate = (AAX_EFeetFramesRate) 5;
              int64_t offset = 7;
              const auto r = p.GetFeetFramesInfo (&rate, &offset);
              return Outcome { r, rate == 0 && offset == 0 };
          } },
        { "transport.IsMetronomeEnabled", "IAAXTransportV2", later, ONE_OUT (int32_t, p.IsMetronomeEnabled (&out)) },
        { "transport.GetHDTimeCodeInfo", "IAAXTransportV3", later,
          [] (auto& p)
          {
              auto rate = (AAX_EFrameRate) 5;
              int64_t offset = 7;
              const auto r = p.GetHDTimeCodeInfo (&rate, &offset);
              return Outcome { r, rate == 0 && offset == 0 };
          } },
        { "transport.RequestTransportStart", "IAAXTransportControlV1", later, NO_OUT (p.RequestTransportStart()) },
        { "transport.RequestTransportStop", "IAAXTransportControlV1", later, NO_OUT (p.RequestTransportStop()) },
        { "transport.GetTimelineSelectionEndPosition", "IAAXTransportV4", later,
          ONE_OUT (int64_t, p.GetTimelineSelectionEndPosition (&out)) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VTransport> (host.instanceUnknown()); });
}

TEST_F (RuntimeProxies, EveryAutomationOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VAutomationDelegate>> cases {
        { "automation.RegisterParameter", "IAAXAutomationDelegateV1", first, NO_OUT (p.RegisterParameter ("a")) },
        { "automation.UnregisterParameter", "IAAXAutomationDelegateV1", first, NO_OUT (p.UnregisterParameter ("a")) },
        { "automation.PostSetValueRequest", "IAAXAutomationDelegateV1", first,
          NO_OUT (p.PostSetValueRequest ("a", 0.5)) },
        { "automation.PostCurrentValue", "IAAXAutomationDelegateV1", first, NO_OUT (p.PostCurrentValue ("a", 0.5)) },
        { "automation.PostTouchRequest", "IAAXAutomationDelegateV1", first, NO_OUT (p.PostTouchRequest ("a")) },
        { "automation.PostReleaseRequest", "IAAXAutomationDelegateV1", first, NO_OUT (p.PostReleaseRequest ("a")) },
        { "automation.GetTouchState", "IAAXAutomationDelegateV1", first,
          ONE_OUT (AAX_CBoolean, p.GetTouchState ("a", &out)) },
        { "controller.SendNotification", "IAAXControllerV2", later, NO_OUT (p.ParameterNameChanged ("a")) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VAutomationDelegate> (host.instanceUnknown()); });
}

TEST_F (RuntimeProxies, EveryViewContainerOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VViewContainer>> cases {
        { "viewContainer.GetModifiers", "IAAXViewContainerV1", later, ONE_OUT (uint32_t, p.GetModifiers (&out)) },
        { "viewContainer.SetViewSize", "IAAXViewContainerV1", AAX_SUCCESS,
          [] (auto& p)
          {
              AAX_Point size { 300.0f, 400.0f };
              return Outcome { p.SetViewSize (size) };
          } },
        { "viewContainer.HandleParameterMouseDown", "IAAXViewContainerV1", later,
          NO_OUT (p.HandleParameterMouseDown ("a", 1)) },
        { "viewContainer.HandleParameterMouseDrag", "IAAXViewContainerV1", later,
          NO_OUT (p.HandleParameterMouseDrag ("a", 1)) },
        { "viewContainer.HandleParameterMouseUp", "IAAXViewContainerV1", later,
          NO_OUT (p.HandleParameterMouseUp ("a", 1)) },
        { "viewContainer.HandleParameterMouseEnter", "IAAXViewContainerV3", later,
          NO_OUT (p.HandleParameterMouseEnter ("a", 1)) },
        { "viewContainer.HandleParameterMouseExit", "IAAXViewContainerV3", later,
          NO_OUT (p.HandleParameterMouseExit ("a", 1)) },
        { "viewContainer.HandleMultipleParametersMouseDown", "IAAXViewContainerV2", later,
          NO_OUT (p.HandleMultipleParametersMouseDown (nullptr, 0, 1)) },
        { "viewContainer.HandleMultipleParametersMouseDrag", "IAAXViewContainerV2", later,
          NO_OUT (p.HandleMultipleParametersMouseDrag (nullptr, 0, 1)) },
        { "viewContainer.HandleMultipleParametersMouseUp", "IAAXViewContainerV2", later,
          NO_OUT (p.HandleMultipleParametersMouseUp (nullptr, 0, 1)) },
    };

    checkForwarding (cases, [this] { return std::make_unique<AAX_VViewContainer> (host.viewContainerUnknown()); });
}

TEST_F (RuntimeProxies, EveryHostServicesOperationForwardsToItsVersionOrGivesItsFixedResult)
{
    const std::vector<ForwardingCase<AAX_VHostServices>> cases {
        { "services.Trace", "IAAXHostServicesV1", first, NO_OUT (p.Trace (AAX_eTracePriorityHost_High, "t")) },
        { "services.StackTrace", "IAAXHostServicesV2", later, NO_OUT (p.StackTrace (1, 2, "t")) },
        { "services.HandleAssertFailure", "IAAXHostServicesV3", first,
          NO_OUT (p.HandleAssertFailure ("f", 1, "n", 1)) },
    };

    checkForwarding (cases,
                     [this]
                     {
                         IACFComponentFactory* factory = nullptr;
                         host.unknown()->QueryInterface (IID_IACFComponentFactory, (void**) &factory);
                         auto services = std::make_unique<AAX_VHostServices> (factory);
                         factory->Release();
                         return services;
                     });
}

TEST_F (RuntimeProxies, EveryPageTableOperationForwardsToItsVersionOrGivesUnimplemented)
{
    const std::vector<ForwardingCase<AAX_VPageTable>> cases {
        { "pageTable.Clear", "IAAXPageTableV1", later, NO_OUT (p.Clear()) },
        { "pageTable.Empty", "IAAXPageTableV1", later, ONE_OUT (AAX_CBoolean, p.Empty (out)) },
        { "pageTable.GetNumPages", "IAAXPageTableV1", later, ONE_OUT (int32_t, p.GetNumPages (out)) },
        { "pageTable.InsertPage", "IAAXPageTableV1", later, NO_OUT (p.InsertPage (0)) },
        { "pageTable.RemovePage", "IAAXPageTableV1", later, NO_OUT (p.RemovePage (0)) },
        { "pageTable.GetNumMappedParameterIDs", "IAAXPageTableV1", later,
          ONE_OUT (int32_t, p.GetNumMappedParameterIDs (0, out)) },
        { "pageTable.ClearMappedParameter", "IAAXPageTableV1", later, NO_OUT (p.ClearMappedParameter (0, 0)) },
        { "pageTable.GetMappedParameterID", "IAAXPageTableV1", later,
          [] (auto& p)
          {
              AAX_CString id;
              return Outcome { p.GetMappedParameterID (0, 0, id) };
          } },
        { "pageTable.MapParameterID", "IAAXPageTableV1", later, NO_OUT (p.MapParameterID ("a", 0, 0)) },
        { "pageTable.GetNumParametersWithNameVariations", "IAAXPageTableV2", later,
          ONE_OUT (int32_t, p.GetNumParametersWithNameVariations (out)) },
        { "pageTable.GetNameVariationParameterIDAtIndex", "IAAXPageTableV2", later,
          [] (auto& p)
          {
              AAX_CString id;
              return Outcome { p.GetNameVariationParameterIDAtIndex (0, id) };
          } },
        { "pageTable.GetNumNameVariationsForParameter", "IAAXPageTableV2", later,
          ONE_OUT (int32_t, p.GetNumNameVariationsForParameter ("a", out)) },
        { "pageTable.GetParameterNameVariationAtIndex", "IAAXPageTableV2", later,
          [] (auto& p)
          {
              AAX_CString name;
              int32_t length = 7;
              const auto r = p.GetParameterNameVariationAtIndex ("a", 0, name, length);
              return Outcome { r, length == 0 };
          } },
        { "pageTable.GetParameterNameVariationOfLength", "IAAXPageTableV2", later,
          [] (auto& p)
          {
              AAX_CString name;
              return Outcome { p.GetParameterNameVariationOfLength ("a", 4, name) };
          } },
        { "pageTable.ClearParameterNameVariations", "IAAXPageTableV2", later,
          NO_OUT (p.ClearParameterNameVariations()) },
        { "pageTable.ClearNameVariationsForParameter", "IAAXPageTableV2", later,
          NO_OUT (p.ClearNameVariationsForParameter ("a")) },
        { "pageTable.SetParameterNameVariation", "IAAXPageTableV2", later,
          [] (auto& p)
          {
              AAX_CString name ("x");
              return Outcome { p.SetParameterNameVariation ("a", name, 1) };
          } },
    };

    auto& table = host.make<aax_host::HostPageTable>();
    checkForwarding (cases,
                     [&table] { return std::make_unique<AAX_VPageTable> (static_cast<IAAXPageTableV2*> (&table)); });
}

TEST_F (RuntimeProxies, AViewContainerWithoutItsFirstVersionHasNoTypeNoViewAndAcceptsEveryResize)
{
    host.viewContainer().type = AAX_eViewContainer_Type_HWND;
    host.settings.withheld = { "IAAXViewContainerV1" };
    AAX_VViewContainer container (host.viewContainerUnknown());
    AAX_Point size { 200.0f, 300.0f };

    EXPECT_EQ (container.GetType(), 0);
    EXPECT_EQ (container.GetPtr(), nullptr);
    EXPECT_EQ (container.SetViewSize (size), AAX_SUCCESS);
    EXPECT_EQ (callsTo ("viewContainer.GetType"), 0);
}

TEST_F (RuntimeProxies, ANameChangeSendsTheIdentifierWithItsNulAndRefusesEmptyOrUnterminatedOnes)
{
    AAX_VAutomationDelegate delegate (host.instanceUnknown());
    const std::string longest (31, 'p');
    const std::string tooLong (32, 'p');

    EXPECT_EQ (delegate.ParameterNameChanged (longest.c_str()), AAX_SUCCESS);
    ASSERT_EQ (host.controller().notifications.size(), 1u);
    EXPECT_EQ (host.controller().notifications[0].first, (AAX_CTypeID) 'AXpn');
    EXPECT_EQ (host.controller().notifications[0].second.size(), 32u);
    EXPECT_EQ (host.controller().notifications[0].second.back(), 0);

    EXPECT_EQ (delegate.ParameterNameChanged (tooLong.c_str()), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (delegate.ParameterNameChanged (""), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (delegate.ParameterNameChanged (nullptr), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (host.controller().notifications.size(), 1u);
}

TEST_F (RuntimeProxies, ATableCopyComesBackAsAProxyAndEveryFailureAsNullHoldingNothing)
{
    AAX_VController controller (host.instanceUnknown());

    {
        std::unique_ptr<AAX_IPageTable> table (controller.CreateTableCopyForEffect ('KSTV', 'PLMV', 'jcaa', 1, 8));
        ASSERT_NE (table, nullptr);
        EXPECT_EQ (table->InsertPage (0), AAX_SUCCESS);
        EXPECT_EQ (host.pageTables().size(), 1u);
    }

    const std::vector<aax_host::HostSettings> failures {
        { {}, { { "controller.CreateTableCopyForLayout", AAX_ERROR_UNIMPLEMENTED } }, false },
        { {}, { { "factory.CreateComponent", AAX_ERROR_NULL_OBJECT } }, false },
        { { "IAAXPageTableV2" }, {}, false },
    };

    for (const auto& settings : failures)
    {
        host.settings = settings;
        EXPECT_EQ (controller.CreateTableCopyForLayout ("effect", "layout", 1, 8), nullptr);
    }

    host.settings = { { "IAAXPageTableControllerV2" }, {}, false };
    AAX_VController withoutFileCopies (host.instanceUnknown());
    EXPECT_EQ (withoutFileCopies.CreateTableCopyForLayoutFromFile ("path", AAX_eTextEncoding_UTF8, "layout", 1, 8),
               nullptr);
    EXPECT_EQ (callsTo ("controller.CreateTableCopyForLayoutFromFile"), 0);
}

TEST_F (RuntimeProxies, AControllerOverAHostWithoutAnyInterfaceAnswersEveryCallWithoutReachingIt)
{
    AAX_VController controller (nullptr);
    AAX_CTransportCounter timestamp = 99;

    EXPECT_EQ (controller.GetCurrentAutomationTimestamp (&timestamp), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (timestamp, 0);
    EXPECT_EQ (controller.CreateTableCopyForEffect (1, 2, 3, 4, 5), nullptr);
    EXPECT_TRUE (host.log.all().empty());
}
