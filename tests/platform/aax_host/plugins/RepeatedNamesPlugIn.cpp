// A plug-in of the tests' own, built into a module of the same wrapper and library as the product:
// its alternate names repeat the plug-in's name and each other, which the product's names never do.
#include "ParamsTestRig.h"

namespace
{
class RepeatedNamesPlugIn : public vqtest::RigInstance
{
public:
    RepeatedNamesPlugIn()
        : RigInstance (1, 0)
    {
    }

    juce::StringArray getAlternateDisplayNames() const override
    {
        return { "Kestova PLEMVO", "EQ", "EQ", "eq", "Kestova PLEMVO", "EQ" };
    }
};
} // namespace

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new RepeatedNamesPlugIn();
}
