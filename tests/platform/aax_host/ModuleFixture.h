#pragma once

#include "ModuleInstance.h"
#include "SimulatedUnit.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

/** How many times larger `make stress` runs the validator-style checks. */
inline int stressFactor()
{
    const auto* factor = std::getenv ("VQ_STRESS");
    return factor != nullptr && std::atoi (factor) > 0 ? std::atoi (factor) : 1;
}

/** The built module loaded and registered with a host, one MIDI setup and a unit for the process, and a
    check at the end that the module can be unloaded and every host reference came back. */
class ModuleFixture : public ::testing::Test
{
protected:
    explicit ModuleFixture (vqsim::VirtualMidiSetup::ClockMode clock = vqsim::VirtualMidiSetup::ClockMode::realTime)
        : setup (clock)
    {
    }

    void SetUp() override { load(); }

    void TearDown() override
    {
        unload();
        EXPECT_EQ (host->heldReferences(), std::vector<std::string> {});
    }

    /** The product's module, or another, for a host without stem-format information or one that tells the
        plug-in which formats it supports. */
    void load (const aax_host::FeatureSupport& stemFormats = {}, const char* bundle = VQ_AAX_BUNDLE)
    {
        host = std::make_unique<aax_host::Host>();
        host->descriptionHost().stemFormats = stemFormats;
        module = std::make_unique<aax_host::LoadedModule> (bundle);
        ASSERT_EQ (module->error(), "");
        ASSERT_EQ (module->start (*host), ACF_OK);
        ASSERT_NE (module->effect(), nullptr);
    }

    void unload()
    {
        if (module == nullptr)
            return;

        EXPECT_TRUE (module->runMessageLoopUntil (5000, [this] { return module->canUnloadNow() == ACF_OK; }));
        EXPECT_EQ (module->stop(), ACF_OK);
        EXPECT_TRUE (module->unload());
        module.reset();
    }

    std::unique_ptr<aax_host::ModuleInstance> makeInstance()
    {
        auto instance = std::make_unique<aax_host::ModuleInstance> (*module, *module->effect());
        EXPECT_EQ (instance->startResult(), AAX_SUCCESS);
        return instance;
    }

    /** Waits until the instance has taken the unit and sent its state. */
    bool connect (vqsim::SimulatedUnit& unit)
    {
        const bool sent = module->runMessageLoopUntil (
            8000, [&] { return unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).size() > 2; });
        module->runMessageLoopFor (700);
        unit.clearTraffic();
        return sent;
    }

    vqsim::VirtualMidiSetup setup;
    std::unique_ptr<aax_host::Host> host;
    std::unique_ptr<aax_host::LoadedModule> module;
};
