#include "AAX_Init.h"
#include "AAX_VComponentDescriptor.h"
#include "HostFixture.h"

namespace
{
/** A host without the component descriptor's third version, so procedures are registered one by one from
    the property map, with host services that receive the traces. */
class ManualProcessRegistration : public HostFixture
{
protected:
    void SetUp() override
    {
        ASSERT_EQ (AAXStartup (host.unknown()), ACF_OK);
        host.settings.withheld = { "IAAXComponentDescriptorV3" };
    }

    void TearDown() override
    {
        host.settings = {};
        AAXShutdown (host.unknown());
        HostFixture::TearDown();
    }
};
} // namespace

TEST_F (ManualProcessRegistration, EveryMissingProcedurePropertyIsTracedAndTheRegistrationGoesOn)
{
    const std::string prefix = "134217728 AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for ";
    const auto native = prefix + "AAX_eProperty_NativeProcessProc";
    const auto dll = prefix + "AAX_eProperty_TIDLLFileName";
    const auto ti = prefix + "AAX_eProperty_TIProcessProc";
    static int procedure = 0;

    struct Case
    {
        std::vector<AAX_EProperty> ids, pointers;
        std::vector<std::string> traces;
        int registered;
    };

    const std::vector<Case> cases {
        { { AAX_eProperty_PlugInID_Native }, { AAX_eProperty_NativeProcessProc }, {}, 1 },
        { { AAX_eProperty_PlugInID_AudioSuite }, {}, { native }, 1 },
        { { AAX_eProperty_PlugInID_TI }, { AAX_eProperty_TIDLLFileName, AAX_eProperty_TIProcessProc }, {}, 1 },
        { { AAX_eProperty_PlugInID_TI }, { AAX_eProperty_TIDLLFileName }, { ti }, 1 },
        { { AAX_eProperty_PlugInID_TI }, { AAX_eProperty_TIProcessProc }, { dll }, 1 },
        { { AAX_eProperty_PlugInID_Native, AAX_eProperty_PlugInID_TI }, {}, { native, dll, ti }, 2 },
    };

    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE (i);
        const auto& c = cases[i];
        host.services().traces.clear();
        AAX_VComponentDescriptor component (host.unknown());
        auto* map = component.NewPropertyMap();

        for (auto id : c.ids)
            map->AddProperty (id, 'jcaa');

        for (auto pointer : c.pointers)
            map->AddPointerProperty (pointer, &procedure);

        AAX_CSelector procedures[3] = {};
        EXPECT_EQ (component.AddProcessProc (map, procedures, 3), AAX_SUCCESS);
        std::vector<std::string> traces;

        for (const auto& [priority, text] : host.services().traces)
            traces.push_back (std::to_string (priority) + " " + text);

        EXPECT_EQ (traces, c.traces);
        EXPECT_EQ (std::count_if (procedures, procedures + 3, [] (auto id) { return id != 0; }), c.registered);
    }
}
