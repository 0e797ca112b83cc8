// The module's exported functions, compiled here with a registration the test scripts, as the
// plug-in's own translation unit would supply it.
#include "AAX_Exports.cpp"

#include "AAX_CHostServices.h"
#include "AAX_ICollection.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "CACFUnknown.h"
#include "HostFixture.h"

#include <stdexcept>

namespace
{
/** The description the test runs in place of the plug-in's; by default a short one of the same shape. */
std::function<AAX_Result (AAX_ICollection*)> description;

AAX_Result describeLikeThePlugIn (AAX_ICollection* collection)
{
    auto* effect = collection->NewDescriptor();
    effect->AddName ("Kestova PLEMVO");
    effect->AddCategory (1);
    effect->AddProcPtr (nullptr, kAAX_ProcPtrID_Create_EffectGUI);
    effect->AddProcPtr (nullptr, kAAX_ProcPtrID_Create_EffectParameters);
    auto* component = effect->NewComponentDescriptor();
    component->AddAudioIn (0);
    auto* properties = component->NewPropertyMap();
    properties->AddProperty (AAX_eProperty_InputStemFormat, AAX_eStemFormat_Mono);
    component->AddProcessProc_Native (nullptr, properties);
    effect->AddComponent (component);
    collection->AddEffect ("com.kestova.plemvo", effect);
    collection->SetManufacturerName ("Kestova");
    collection->AddPackageName ("Kestova PLEMVO Remote Control");
    collection->SetPackageVersion (0x30000);
    return AAX_SUCCESS;
}

class EntryFunctions : public HostFixture
{
protected:
    void SetUp() override { description = describeLikeThePlugIn; }

    void TearDown() override
    {
        ACFShutdown (nullptr);
        HostFixture::TearDown();
    }

    ACFRESULT registerPlugIn()
    {
        IACFPluginDefinition* definition = nullptr;
        const auto result = ACFRegisterPlugin (host.unknown(), &definition);

        if (definition != nullptr)
            definition->Release();

        return result;
    }

    std::vector<std::string> traces() const
    {
        std::vector<std::string> texts;

        for (const auto& [priority, text] : const_cast<aax_host::Host&> (host).services().traces)
            texts.push_back (std::to_string (priority) + " " + text);

        return texts;
    }

    static constexpr int caughtPriority = 0x08000000;
};

struct LiveObject : CACFUnknown
{
};
} // namespace

AAX_Result GetEffectDescriptions (AAX_ICollection* collection)
{
    return description (collection);
}

TEST_F (EntryFunctions, TheSdkVersionIsTwoPointSixWithItsRevision)
{
    acfUInt64 version = 0;

    EXPECT_EQ (ACFGetSDKVersion (&version), 0);
    EXPECT_EQ (version, 0x00000206013451BAull);
}

TEST_F (EntryFunctions, NullOutPointersAreRefusedInsteadOfWrittenThrough)
{
    EXPECT_EQ (ACFGetSDKVersion (nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 0, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (ACFGetClassFactory (host.unknown(), IID_IACFUnknown, IID_IACFUnknown, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_TRUE (host.log.all().empty());
}

TEST_F (EntryFunctions, InstancesComeOnlyFromTheRegisteredProcedures)
{
    void* factory = &host;
    IACFComponentDefinition* component = reinterpret_cast<IACFComponentDefinition*> (&host);

    EXPECT_EQ (ACFGetClassFactory (host.unknown(), IID_IACFUnknown, IID_IACFUnknown, &factory),
               AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (factory, nullptr);
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 0, &component), 0);
    EXPECT_EQ (component, nullptr);
}

TEST_F (EntryFunctions, TheModuleMayUnloadOnlyWithoutLiveObjects)
{
    EXPECT_EQ (ACFCanUnloadNow(), 0);
    {
        LiveObject a, b;
        EXPECT_EQ (ACFCanUnloadNow(), 2);
    }
    EXPECT_EQ (ACFCanUnloadNow(), 0);
}

TEST_F (EntryFunctions, StartUpAndShutDownTwiceInEitherOrderMakeOneHostServicesAtATime)
{
    EXPECT_EQ (ACFStartup (nullptr), 0);
    EXPECT_EQ (sHostServices, nullptr);
    EXPECT_EQ (ACFShutdown (nullptr), 0);

    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    EXPECT_EQ (callsTo ("factory.CreateComponent"), 3);
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "started %d", 1);
    EXPECT_EQ (traces(), (std::vector<std::string> { std::to_string (caughtPriority) + " started 1" }));

    EXPECT_EQ (ACFShutdown (host.unknown()), 0);
    EXPECT_EQ (ACFShutdown (host.unknown()), 0);
    EXPECT_EQ (sHostServices, nullptr);
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "after shutdown");
    EXPECT_EQ (traces().size(), 1u);
    EXPECT_EQ (host.heldReferences(), std::vector<std::string> {});

    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    EXPECT_EQ (ACFStartup (nullptr), 0);
    EXPECT_EQ (sHostServices, nullptr);
}

TEST_F (EntryFunctions, AStartUpWhoseFactoryIsAnsweredButNullFailsAndKeepsNothing)
{
    host.settings.nullFactory = true;

    EXPECT_EQ (ACFStartup (host.unknown()), (ACFRESULT) 0x8000FFFF);
    EXPECT_EQ (sHostServices, nullptr);
}

TEST_F (EntryFunctions, AHostWithoutAFactoryStillGetsHostServicesThatReachNothing)
{
    host.settings.withheld = { "IACFComponentFactory" };

    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    ASSERT_NE (sHostServices, nullptr);
    EXPECT_EQ (sHostServices->Trace (AAX_eTracePriorityHost_High, "lost"), AAX_ERROR_NULL_OBJECT);
    EXPECT_TRUE (traces().empty());
}

TEST_F (EntryFunctions, ARegistrationHandsTheHostItsPlugInDefinitionAndKeepsNoReference)
{
    ACFStartup (host.unknown());
    IACFPluginDefinition* definition = nullptr;

    ASSERT_EQ (ACFRegisterPlugin (host.unknown(), &definition), 0);
    ASSERT_NE (definition, nullptr);
    EXPECT_EQ (definition, static_cast<IACFPluginDefinition*> (host.collections().at (0)));
    definition->Release();

    const auto& collection = *host.collections().at (0);
    EXPECT_EQ (collection.packageVersion, 0x30000u);
    ASSERT_EQ (collection.effects.size(), 1u);
    EXPECT_EQ (collection.effects[0].second->components.size(), 1u);
    EXPECT_TRUE (traces().empty());
}

TEST_F (EntryFunctions, EveryWayARegistrationFailsEndsInItsResultAndTrace)
{
    struct Case
    {
        const char* name;
        std::function<void (aax_host::Host&)> configure;
        std::function<AAX_Result (AAX_ICollection*)> describe;
        ACFRESULT expected;
        std::string trace;
    };

    const std::string prefix = std::to_string (caughtPriority) + " AAXRegisterPlugin exception caught: ";
    const std::vector<Case> cases {
        { "a description without a descriptor",
          {},
          [] (AAX_ICollection*) { return (AAX_Result) AAX_ERROR_NULL_OBJECT; },
          AAX_ERROR_NULL_OBJECT,
          prefix + "AAX_ERROR_NULL_OBJECT (-20004)" },
        { "a refused collection", [] (aax_host::Host& h) { h.settings.withheld = { "IAAXCollectionV1" }; },
          describeLikeThePlugIn, AAX_ERROR_NULL_OBJECT, prefix + "AAX_ERROR_NULL_OBJECT (-20004)" },
        { "a collection without a plug-in definition",
          [] (aax_host::Host& h) { h.settings.withheld = { "IACFPluginDefinition" }; }, describeLikeThePlugIn,
          AAX_ERROR_NULL_OBJECT, prefix + "AAX_ERROR_NULL_OBJECT (-20004)" },
        { "a standard exception",
          {},
          [] (AAX_ICollection*) -> AAX_Result { throw std::runtime_error ("broken"); },
          AAX_ERROR_UNKNOWN_EXCEPTION,
          prefix + "broken" },
        { "an integer",
          {},
          [] (AAX_ICollection*) -> AAX_Result { throw 5; },
          AAX_ERROR_UNKNOWN_EXCEPTION,
          prefix + "unknown" },
        { "a factory answered but null", [] (aax_host::Host& h) { h.settings.nullFactory = true; },
          describeLikeThePlugIn, AAX_ERROR_UNKNOWN_EXCEPTION, prefix + "unknown" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        ACFShutdown (nullptr);
        host.settings = {};
        ACFStartup (host.unknown());
        host.services().traces.clear();

        if (c.configure)
            c.configure (host);

        description = c.describe;
        EXPECT_EQ (registerPlugIn(), c.expected);
        ASSERT_FALSE (traces().empty());
        EXPECT_EQ (traces().back(), c.trace);
        host.settings = {};
        ACFShutdown (nullptr);
        EXPECT_EQ (host.heldReferences(), std::vector<std::string> {});
    }
}

TEST_F (EntryFunctions, ARegistrationBeforeStartUpWorksAndTracesNothing)
{
    EXPECT_EQ (registerPlugIn(), 0);
    description = [] (AAX_ICollection*) { return (AAX_Result) AAX_ERROR_NULL_OBJECT; };
    EXPECT_EQ (registerPlugIn(), AAX_ERROR_NULL_OBJECT);
    EXPECT_TRUE (traces().empty());
}

TEST_F (EntryFunctions, AHostFailingOrWithholdingAnyStepOfARegistrationGetsADefinedResultAndAllItsReferences)
{
    ACFStartup (host.unknown());
    ASSERT_EQ (registerPlugIn(), 0);
    std::set<std::string> steps;

    for (const auto& entry : host.log.all())
        if (entry.find (".QueryInterface") == std::string::npos)
            steps.insert (entry.substr (0, entry.find (' ')));

    for (const auto& step : steps)
    {
        SCOPED_TRACE (step);
        host.settings = {};
        host.settings.failing[step] = AAX_ERROR_INVALID_ARGUMENT;
        const auto result = registerPlugIn();
        EXPECT_TRUE (result == 0 || result == AAX_ERROR_NULL_OBJECT) << result;
        EXPECT_EQ (host.heldReferences(), std::vector<std::string> { "services: 3" }); // its three versions
    }

    for (const char* version :
         { "IACFComponentFactory", "IAAXCollectionV1", "IAAXEffectDescriptorV1", "IAAXEffectDescriptorV2",
           "IAAXComponentDescriptorV1", "IAAXComponentDescriptorV2", "IAAXComponentDescriptorV3", "IAAXPropertyMapV1",
           "IAAXPropertyMapV2", "IAAXPropertyMapV3", "IAAXDescriptionHostV1", "IACFDefinition" })
    {
        SCOPED_TRACE (version);
        host.settings = {};
        host.settings.withheld = { version };
        const auto result = registerPlugIn();
        EXPECT_TRUE (result == 0 || result == AAX_ERROR_NULL_OBJECT) << result;
    }

    host.settings = {};
}
