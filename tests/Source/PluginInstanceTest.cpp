#include "PluginInstance.h"
#include "ParamTools.h"

#include <gtest/gtest.h>

namespace
{
std::unique_ptr<PlemvoPluginInstance> makeInstance()
{
    return std::unique_ptr<PlemvoPluginInstance> (static_cast<PlemvoPluginInstance*> (createPluginFilter()));
}

juce::String asText (juce::int32 code)
{
    juce::String text;

    for (int shift = 24; shift >= 0; shift -= 8)
        text += (char) ((code >> shift) & 0xFF);

    return text;
}
} // namespace

TEST (PluginInstance, PresentsItsNamesAnd23HostParametersInTableOrderAndNoWindowYet)
{
    auto instance = makeInstance();

    EXPECT_EQ (instance->getName(), "Kestova PLEMVO");
    ASSERT_EQ (instance->getParameters().size(), ParamData::numParams);

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (instance->getParameters()[i]->getName (100), ParamData::paramName[i]) << i;

    EXPECT_EQ (instance->getAlternateDisplayNames(), juce::StringArray ({ "PLEMVO", "PLEM VO", "Kestova PLEM VO" }));
    EXPECT_FALSE (instance->acceptsMidi());
    EXPECT_TRUE (instance->producesMidi());
    EXPECT_TRUE (instance->hasEditor());
}

TEST (PluginInstance, ThePluginTypeCodeFollowsTheMainBusLayout)
{
    auto instance = makeInstance();
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();
    const auto surround = juce::AudioChannelSet::create5point1();

    struct Case
    {
        juce::AudioChannelSet in, out;
        bool audioSuite;
        const char* expected;
    };

    const Case cases[] = {
        { mono, mono, false, "jcaa" },         { mono, mono, true, "jcaa" },         { stereo, stereo, false, "jcab" },
        { stereo, stereo, true, "jcab" },      { mono, stereo, false, "jcaa" },      { mono, stereo, true, "jyaa" },
        { surround, surround, false, "jcaa" }, { surround, surround, true, "jyaa" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (asText (instance->getAAXPluginIDForMainBusConfig (c.in, c.out, c.audioSuite)), c.expected)
            << c.in.getDescription() << " / " << c.out.getDescription() << (c.audioSuite ? " offline" : "");
}

TEST (PluginInstance, TheProgramStateIsTheSessionState)
{
    auto source = makeInstance();
    source->getPlemvoParams().setParamValue (nullptr, ParamData::eq1Q2, 0.125f);

    juce::MemoryBlock state, programState;
    source->getStateInformation (state);
    source->getCurrentProgramStateInformation (programState);
    EXPECT_EQ (state, programState);

    auto target = makeInstance();
    target->setCurrentProgramStateInformation (programState.getData(), (int) programState.getSize());
    EXPECT_EQ (target->getPlemvoParams().getParamValue (ParamData::eq1Q2), 0.125f);
}
