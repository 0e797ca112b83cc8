#pragma once

#include "ComponentImages.h"
#include "MessageLoop.h"

#include "PLEMVO_MainView.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mainviewtest
{
/** Records every change of the parameters and settings it listens to, in order, as text:
    "begin 3 view", "set 3 0.50 view", "end 3 view", "setting 3 1". Sources are named by the test. */
struct EventLog : juce::VqParamsManager::AutomatableParamListener, juce::VqParamsManager::NonAutomatableParamListener
{
    EventLog (PlemvoParamsManager& manager, std::vector<int> paramIndices, std::vector<int> settingIndices = {})
        : params (manager),
          indices (std::move (paramIndices)),
          settings (std::move (settingIndices))
    {
        for (auto i : indices)
            params.addParamListener (this, i, juce::VqParamsManager::registerOnly);
        for (auto i : settings)
            params.addNonAutomatableParamListener (this, i, juce::VqParamsManager::registerOnly);
    }

    ~EventLog() override
    {
        for (auto i : indices)
            params.removeParamListener (this, i);
        for (auto i : settings)
            params.removeNonAutomatableParamListener (this, i);
    }

    void paramValueChanged (AutomatableParamListener* source, int index, float value) override
    {
        events.push_back ("set " + std::to_string (index) + " " + juce::String (value, 2).toStdString() +
                          nameOf (source));
    }

    void paramGestureChanged (AutomatableParamListener* source, int index, bool starting) override
    {
        events.push_back ((starting ? "begin " : "end ") + std::to_string (index) + nameOf (source));
    }

    void nonAutomatableParamValueChanged (int index, juce::var value) override
    {
        events.push_back ("setting " + std::to_string (index) + " " + value.toString().toStdString());
    }

    std::string nameOf (AutomatableParamListener* source) const
    {
        if (source == nullptr)
            return " none";
        for (auto& [listener, name] : names)
            if (listener == source)
                return " " + name;
        return " other";
    }

    std::vector<std::string> gesturesAndSettings() const
    {
        std::vector<std::string> result;
        for (auto& e : events)
            if (e.rfind ("set ", 0) != 0)
                result.push_back (e);
        return result;
    }

    PlemvoParamsManager& params;
    std::vector<int> indices, settings;
    std::vector<std::pair<AutomatableParamListener*, std::string>> names;
    std::vector<std::string> events;
};

/** A view that counts the changes it is told of, to show that its own changes never come back. */
struct CountingView : PLEMVO_MainView
{
    using PLEMVO_MainView::paramValueChanged;
    using PLEMVO_MainView::PLEMVO_MainView;

    void paramValueChanged (int index, float value) override
    {
        ++callsBack;
        PLEMVO_MainView::paramValueChanged (index, value);
    }

    int callsBack = 0;
};

/** One plug-in instance with the views of both channels at the panel's size, as the editor builds them. */
class MainViewTest : public testing::Test
{
protected:
    MainViewTest() { makeViews(); }

    ~MainViewTest() override
    {
        views.clear();
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        vqtest::drainMessageLoop();
    }

    void makeViews()
    {
        views.clear();
        for (auto id : { PLEMVO_MainView::channel1, PLEMVO_MainView::channel2 })
        {
            views.push_back (std::make_unique<CountingView> (*instance, params(), id, windowChangeByUser));
            views.back()->setSize (325, 570);
            views.back()->setVisible (true);
        }
    }

    PlemvoParamsManager& params() { return instance->getPlemvoParams(); }
    CountingView& view (int channel = 0) { return *views[(size_t) channel]; }

    juce::VqParamsManager::AutomatableParamListener* sourceOf (PLEMVO_MainView& v) { return &v; }

    void setDualMono (bool dual) { params().setParamValue (nullptr, ParamData::channel, dual ? 1.0f : 0.0f); }

    /** Whether the read-out shows exactly what a read-out of its size shows for the text. */
    static bool readOutShows (SevenSegmentDisplay& readOut, const juce::String& text)
    {
        SevenSegmentDisplay reference;
        reference.setSize (readOut.getWidth(), readOut.getHeight());
        reference.setTextToDisplay (text);
        const auto shown = vqtest::renderComponent (readOut), expected = vqtest::renderComponent (reference);

        for (int y = 0; y < shown.getHeight(); ++y)
            for (int x = 0; x < shown.getWidth(); ++x)
                if (shown.getPixelAt (x, y) != expected.getPixelAt (x, y))
                    return false;

        return true;
    }

    std::unique_ptr<PlemvoPluginInstance> instance = std::make_unique<PlemvoPluginInstance>();
    bool windowChangeByUser = false;
    std::vector<std::unique_ptr<CountingView>> views;
};
} // namespace mainviewtest
