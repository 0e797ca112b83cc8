#include "ComponentImages.h"
#include "Shots.h"
#include "vq_gui/VqDefaultLookAndFeelScope.h"

#include <iostream>
#include <map>

namespace vqshots
{
namespace
{
std::map<juce::String, ShotMaker>& registry()
{
    static std::map<juce::String, ShotMaker> shots;
    return shots;
}

struct PaintedComponent : juce::Component
{
    std::function<void (juce::Graphics&)> draw;
    void paint (juce::Graphics& g) override { draw (g); }
};
} // namespace

Shot::Shot (const char* name, ShotMaker make)
{
    const auto added = registry().emplace (name, std::move (make)).second;
    jassert (added); // two shots of one name would overwrite each other's files
    juce::ignoreUnused (added);
}

std::unique_ptr<juce::Component> painted (int width, int height, std::function<void (juce::Graphics&)> paint)
{
    auto component = std::make_unique<PaintedComponent>();
    component->draw = std::move (paint);
    component->setSize (width, height);
    return component;
}
} // namespace vqshots

// Usage: plemvo_shots <folder> [name pattern, e.g. "led*"]
int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::cerr << "usage: plemvo_shots <folder> [name pattern]" << std::endl;
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    // The widgets' texts as the window draws them.
    juce::VqDefaultLookAndFeelScope embeddedFaces;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    const juce::String pattern = argc > 2 ? argv[2] : "*";
    int failures = 0;

    for (const auto& [name, make] : vqshots::registry())
    {
        if (! name.matchesWildcard (pattern, true))
            continue;

        auto component = make();

        for (const int scale : { 1, 2 })
        {
            const auto file = folder.getChildFile (name + "@" + juce::String (scale) + "x.png");
            const auto written = vqtest::writePng (vqtest::renderComponent (*component, (float) scale), file);
            failures += written ? 0 : 1;
            std::cout << (written ? "" : "FAILED ") << file.getFullPathName() << std::endl;
        }
    }

    std::cout << "Shots in " << folder.getFullPathName() << std::endl;
    return failures == 0 ? 0 : 1;
}
