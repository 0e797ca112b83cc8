#include "ParamTools.h"
#include "PluginInstance.h"

#include <iostream>

namespace
{
juce::String settingText (const juce::var& value)
{
    return value.isBool() ? juce::String (value ? "true" : "false") : value.toString();
}
} // namespace

// Creates one plug-in instance as a host would and lists what it presents: the host parameters with
// their defaults and value texts, and the settings kept in the session state.
int main()
{
    juce::ScopedJuceInitialiser_GUI juce;
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    const auto& params = static_cast<PlemvoPluginInstance&> (*processor).getPlemvoParams();

    std::cout << processor->getName() << ": " << processor->getParameters().size() << " parameters, "
              << params.getNumNonAutomatableParams() << " settings\n\n";
    std::cout << "index  parameter            default  text\n";

    for (auto* parameter : processor->getParameters())
    {
        const auto index = parameter->getParameterIndex();
        std::cout << juce::String (index).paddedLeft (' ', 5) << "  " << parameter->getName (100).paddedRight (' ', 21)
                  << juce::String (parameter->getDefaultValue(), 2).paddedLeft (' ', 7) << "  "
                  << parameter->getText (parameter->getValue(), 100) << "\n";
    }

    std::cout << "\nindex  setting                  default\n";

    for (int index = 0; index < params.getNumNonAutomatableParams(); ++index)
        std::cout << juce::String (index).paddedLeft (' ', 5) << "  "
                  << juce::String (ParamData::naParamName[index]).paddedRight (' ', 25)
                  << settingText (params.getNonAutomatableParamValue (index)) << "\n";

    return 0;
}
