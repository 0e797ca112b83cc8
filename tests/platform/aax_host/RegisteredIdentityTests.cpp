#include "AAX_Enums.h"
#include "ModuleFixture.h"

// What the built module tells a host of itself, read from what the host's objects received.
namespace
{
/** A host that supports only mono and stereo, so the module registers one component per pair of them. */
class RegisteredIdentity : public ModuleFixture
{
protected:
    void SetUp() override { load (monoAndStereo()); }

    static aax_host::FeatureSupport monoAndStereo()
    {
        return aax_host::FeatureSupport::onlyStemFormats ({ AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo });
    }

    /** Each component's fields and properties as the host was given them, in order. */
    std::vector<std::vector<std::string>> componentCalls() const
    {
        std::vector<std::vector<std::string>> components (1);

        for (const auto& entry : host->log.all())
        {
            if (entry.rfind ("component.Add", 0) == 0 || entry.rfind ("propertyMap.AddProperty", 0) == 0)
                components.back().push_back (entry);

            if (entry == "component.AddProcessProc_Native")
                components.emplace_back();
        }

        components.pop_back();
        return components;
    }
};
} // namespace

TEST_F (RegisteredIdentity, TheEffectIsNamedAndCategorisedAndItsPackageAndMakerAreNamed)
{
    const auto& collection = *module->collection();
    ASSERT_EQ (collection.effects.size(), 1u);
    EXPECT_EQ (collection.effects[0].first, "com.kestova.plemvo");
    EXPECT_EQ (collection.manufacturer, "Kestova");
    EXPECT_EQ (collection.packageNames,
               (std::vector<std::string> { "Kestova PLEMVO Remote Control", "Kestova PLEMVO" }));
    EXPECT_EQ (collection.packageVersion, 0x30000u);

    const auto& effect = *module->effect();
    EXPECT_EQ (effect.names, (std::vector<std::string> { "Kestova PLEMVO", "PLEMVO", "PLEM VO", "Kestova PLEM VO" }));
    EXPECT_EQ (effect.categories, std::vector<uint32_t> { 1 });
    EXPECT_EQ (effect.procPtrs.size(), 2u);
    EXPECT_NE (effect.procPtrs.at (0), nullptr);
    EXPECT_NE (effect.procPtrs.at (1), nullptr);
}

TEST_F (RegisteredIdentity, EachMonoAndStereoComponentHasTheEightFieldsAndItsPropertiesInOrder)
{
    struct Expected
    {
        AAX_EStemFormat in, out;
        AAX_CPropertyValue native, offline;
    };

    const Expected expected[] = {
        { AAX_eStemFormat_Mono, AAX_eStemFormat_Mono, 'jcaa', 'jcaa' },
        { AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo, 'jcaa', 'jyaa' },
        { AAX_eStemFormat_Stereo, AAX_eStemFormat_Mono, 'jcaa', 'jyaa' },
        { AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, 'jcab', 'jcab' },
    };

    const auto components = componentCalls();
    ASSERT_EQ (components.size(), std::size (expected));
    ASSERT_EQ (module->effect()->components.size(), std::size (expected));

    for (size_t i = 0; i < components.size(); ++i)
    {
        SCOPED_TRACE (i);
        const auto& e = expected[i];
        const std::vector<std::pair<int, AAX_CPropertyValue>> properties {
            { AAX_eProperty_ManufacturerID, 'KSTV' },
            { AAX_eProperty_ProductID, 'PLMV' },
            { AAX_eProperty_CanBypass, 1 },
            { AAX_eProperty_InputStemFormat, e.in },
            { AAX_eProperty_OutputStemFormat, e.out },
            { AAX_eProperty_PlugInID_Native, e.native },
            { AAX_eProperty_PlugInID_AudioSuite, e.offline },
            { AAX_eProperty_Constraint_MultiMonoSupport, 1 },
            { AAX_eProperty_ObservesTransportState, 1 },
        };
        std::vector<std::string> calls { "component.AddAudioIn 0",           "component.AddAudioOut 1",
                                         "component.AddAudioBufferLength 2", "component.AddDataInPort 3 4 1",
                                         "component.AddPrivateData 4 8 0",   "component.AddPrivateData 5 4 0",
                                         "component.AddPrivateData 6 8 0" };

        for (const auto& [id, value] : properties)
            calls.push_back ("propertyMap.AddProperty " + std::to_string (id) + " " + std::to_string (value));

        calls.insert (calls.end(), { "component.AddPrivateData 7 8 0", "component.AddProcessProc_Native" });
        EXPECT_EQ (components[i], calls);

        // The map handed over with the process procedure holds what was added to it.
        const auto& handedOver = module->effect()->components[i]->nativeProcessProperties;
        EXPECT_EQ (handedOver,
                   (std::vector<std::map<int, AAX_CPropertyValue>> { { properties.begin(), properties.end() } }));
    }
}

TEST_F (RegisteredIdentity, AlternateNamesThatRepeatThePlugInNameOrEachOtherAreNamedOnceInTheirOrder)
{
    unload();
    load (monoAndStereo(), VQ_AAX_REPEATED_NAMES_BUNDLE);
    EXPECT_EQ (module->effect()->names, (std::vector<std::string> { "Kestova PLEMVO", "EQ", "eq" }));
}
