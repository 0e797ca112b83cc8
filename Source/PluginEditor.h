#pragma once

#include "MenuBar.h"
#include "PLEMVO_MainView.h"
#include "ParamsManager.h"
#include "vq_gui/VqDefaultLookAndFeelScope.h"
#include "vq_gui/VqLookAndFeel.h"
#include "vq_gui/VqVBlankComponentAnimator.h"

#include <functional>

class PlemvoPluginInstance;

/** The plug-in's window: the menu bar above one channel panel (325 x 595) or both side by side
    (650 x 595), as DOUBLE WINDOW says. A switch made with a panel's window button is animated: the
    window widens, waits, and the right panel slides out from under the left one; closing slides it
    back, waits, and narrows the window. While the panel slides, both panels are drawn from pictures of
    themselves, so that a frame moves pictures and a widget repaints only where it changes. CHANNEL and
    SELECTED CHANNEL decide which panel is shown, which is on top and which is dimmed. Message thread
    only.
*/
class PlemvoAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   public juce::VqParamsManager::NonAutomatableParamListener,
                                   public juce::VqParamsManager::AutomatableParamListener,
                                   public juce::Timer,
                                   public juce::ChangeListener
{
public:
    static constexpr int menuBarHeight = 25;
    static constexpr int panelWidth = 325;
    static constexpr int panelHeight = 570;
    static constexpr int windowHeight = menuBarHeight + panelHeight;
    static constexpr int slideMs = 650;
    static constexpr int pauseMs = 350;

    /** The slide is timed by the clock; tests give their own and step the animator's frames. */
    PlemvoAudioProcessorEditor (PlemvoPluginInstance& instance, PlemvoParamsManager& paramsManager,
                                std::function<juce::uint32()> animationClock = juce::Time::getMillisecondCounter);

    /** Ends the slide without moving anything, then stops listening. */
    ~PlemvoAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void nonAutomatableParamValueChanged (int index, juce::var value) override;
    using AutomatableParamListener::paramValueChanged;
    void paramValueChanged (int index, float value) override;

    /** The end of the pause: the slide out, or the narrowing after the slide back. */
    void timerCallback() override;

    /** The animator's report: once the slide back has ended, the pause before narrowing begins. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    void updatePanelsVisibility();
    void updatePanelsGrayOut();

    /** The window's width for DOUBLE WINDOW on or off. */
    static constexpr int windowWidth (bool doubleWindow) noexcept { return doubleWindow ? 2 * panelWidth : panelWidth; }

    /** The right panel's bounds beside the left one and parked under it. */
    static juce::Rectangle<int> besideBounds() noexcept
    {
        return { panelWidth, menuBarHeight, panelWidth, panelHeight };
    }
    static juce::Rectangle<int> parkedBounds() noexcept { return { 0, menuBarHeight, panelWidth, panelHeight }; }

    MenuBar& getMenuBar() noexcept { return menuBar; }
    PLEMVO_MainView& getChannelView (int channel) noexcept { return channel == 1 ? channel2View : channel1View; }
    juce::VqVBlankComponentAnimator& getAnimator() noexcept { return animator; }

private:
    bool isDoubleWindow() const;
    bool isLinked() const;
    int selectedChannel() const;
    void setWidthKeepingPanels (int width);
    void setWidthLayingOutPanels (int width);
    void slideRightPanel (juce::Rectangle<int> destination, float finalAlpha, int milliseconds);
    void setPanelsBuffered (bool buffered);

    PlemvoPluginInstance& instance;
    PlemvoParamsManager& paramsManager;
    // Before every child, so that all text the window measures or draws takes the embedded faces.
    juce::VqDefaultLookAndFeelScope embeddedFaces;
    juce::VqLookAndFeel lookAndFeel;
    MenuBar menuBar;
    PLEMVO_MainView channel1View;
    PLEMVO_MainView channel2View;
    bool skipPanelsLayout = false;
    juce::VqVBlankComponentAnimator animator;
    bool windowChangeByUser = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlemvoAudioProcessorEditor)
};
