#include "PluginEditor.h"

#include "ParamTools.h"
#include "PluginInstance.h"

PlemvoAudioProcessorEditor::PlemvoAudioProcessorEditor (PlemvoPluginInstance& instanceToUse,
                                                        PlemvoParamsManager& paramsManagerToUse,
                                                        std::function<juce::uint32()> animationClock)
    : juce::AudioProcessorEditor (instanceToUse),
      instance (instanceToUse),
      paramsManager (paramsManagerToUse),
      menuBar (instanceToUse, paramsManagerToUse),
      channel1View (instanceToUse, paramsManagerToUse, PLEMVO_MainView::channel1, windowChangeByUser),
      channel2View (instanceToUse, paramsManagerToUse, PLEMVO_MainView::channel2, windowChangeByUser),
      animator (std::move (animationClock))
{
    setLookAndFeel (&lookAndFeel);

    // The left panel goes in front of the right one, which is parked under it in the single window.
    addAndMakeVisible (menuBar);
    addAndMakeVisible (channel2View);
    addAndMakeVisible (channel1View);

    setResizable (false, false);

    using Params = juce::VqParamsManager;
    paramsManager.addParamListener (this, ParamData::channel, Params::notifyOnAdd);
    paramsManager.addNonAutomatableParamListener (this, ParamData::selectedChannel, Params::notifyOnAdd);
    paramsManager.addNonAutomatableParamListener (this, ParamData::doubleWindow, Params::registerOnly);

    if (getWidth() < 1 || getHeight() == 0)
    {
        setBounds (getX(), getY(), windowWidth (isDoubleWindow()), windowHeight);
        updatePanelsGrayOut();
    }

    animator.addChangeListener (this);
}

PlemvoAudioProcessorEditor::~PlemvoAudioProcessorEditor()
{
    animator.removeChangeListener (this);
    animator.cancelAllAnimations (false, false);
    stopTimer();

    paramsManager.removeParamListener (this, ParamData::channel);
    paramsManager.removeNonAutomatableParamListener (this, ParamData::selectedChannel);
    paramsManager.removeNonAutomatableParamListener (this, ParamData::doubleWindow);

    setLookAndFeel (nullptr);
}

void PlemvoAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void PlemvoAudioProcessorEditor::resized()
{
    if (getWidth() <= 0 || getHeight() <= 0)
        return;

    menuBar.setBounds (0, 0, getWidth(), menuBarHeight);

    if (skipPanelsLayout)
    {
        skipPanelsLayout = false;
        return;
    }

    channel1View.setBounds (parkedBounds());
    channel2View.setBounds (isDoubleWindow() ? besideBounds() : parkedBounds());
}

//==============================================================================
void PlemvoAudioProcessorEditor::paramValueChanged (int index, float value)
{
    if (index != ParamData::channel)
        return;

    if (ParamTools::isLinked (value))
    {
        if (! isDoubleWindow())
        {
            channel1View.setVisible (true);
            channel2View.setVisible (false);
        }

        channel1View.overlay.setVisible (false);
        channel2View.overlay.setVisible (false);
        channel2View.setAlwaysOnTop (false);
        channel1View.setAlwaysOnTop (true);
    }

    updatePanelsVisibility();
    updatePanelsGrayOut();
}

void PlemvoAudioProcessorEditor::nonAutomatableParamValueChanged (int index, juce::var value)
{
    if (index == ParamData::selectedChannel)
    {
        if (isLinked())
            return;

        updatePanelsVisibility();
        updatePanelsGrayOut();
        const auto channelTwo = selectedChannel() == 1;
        channel1View.setAlwaysOnTop (! channelTwo);
        channel2View.setAlwaysOnTop (channelTwo);
        return;
    }

    if (index != ParamData::doubleWindow)
        return;

    const bool doubleWindow = value;

    if (! windowChangeByUser)
    {
        // A preset, a restored session or the host: at once. A slide or pause under way would end
        // in a window that no longer matches the setting, so it is dropped.
        stopTimer();
        animator.cancelAllAnimations (false, false);
        setPanelsBuffered (false);
        setWidthLayingOutPanels (windowWidth (doubleWindow));
        updatePanelsVisibility();
        updatePanelsGrayOut();
        return;
    }

    windowChangeByUser = false;

    if (auto* slide = animator.findTaskFor (&channel2View))
    {
        // A reversal takes as long as the part of the slide already done.
        const auto elapsed = slide->msElapsed;
        animator.cancelAllAnimations (false, false);
        slideRightPanel (doubleWindow ? besideBounds() : parkedBounds(), 1.0f, elapsed);
        return;
    }

    if (doubleWindow)
    {
        // Wider at once, with the right panel still parked under the left one until the pause ends.
        setWidthKeepingPanels (windowWidth (true));
        updatePanelsVisibility();
        updatePanelsGrayOut();
        startTimer (pauseMs);
    }
    else
    {
        slideRightPanel (parkedBounds(), 1.0f, slideMs);
    }
}

void PlemvoAudioProcessorEditor::timerCallback()
{
    stopTimer();

    if (isDoubleWindow())
        slideRightPanel (besideBounds(), channel2View.getAlpha(), slideMs);
    else
        setWidthKeepingPanels (windowWidth (false));
}

void PlemvoAudioProcessorEditor::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* reporter = dynamic_cast<juce::VqVBlankComponentAnimator*> (source);

    if (reporter == nullptr || reporter->findTaskFor (&channel2View) != nullptr)
        return;

    setPanelsBuffered (false);

    if (! isDoubleWindow())
        startTimer (pauseMs);
}

void PlemvoAudioProcessorEditor::slideRightPanel (juce::Rectangle<int> destination, float finalAlpha, int milliseconds)
{
    setPanelsBuffered (true);
    animator.animateComponent (&channel2View, destination, finalAlpha, milliseconds, false, 0.0, 0.0);
}

// A buffered panel is drawn from a picture of itself, which only what repaints within it renders again:
// a panel moved, or uncovered by the other, costs a copy of its picture.
void PlemvoAudioProcessorEditor::setPanelsBuffered (bool buffered)
{
    channel1View.setBufferedToImage (buffered);
    channel2View.setBufferedToImage (buffered);
}

//==============================================================================
void PlemvoAudioProcessorEditor::updatePanelsVisibility()
{
    if (isDoubleWindow())
    {
        channel1View.setVisible (true);
        channel2View.setVisible (true);
        return;
    }

    const auto channelTwo = selectedChannel() == 1;
    channel1View.setVisible (! channelTwo);
    channel2View.setVisible (channelTwo);
}

void PlemvoAudioProcessorEditor::updatePanelsGrayOut()
{
    const auto dualMonoSideBySide = isDoubleWindow() && ! isLinked();
    const auto channel = selectedChannel();
    channel1View.overlay.setVisible (dualMonoSideBySide && channel != 0);
    channel2View.overlay.setVisible (dualMonoSideBySide && channel != 1);
}

bool PlemvoAudioProcessorEditor::isDoubleWindow() const
{
    return paramsManager.getNonAutomatableParamValue (ParamData::doubleWindow);
}

bool PlemvoAudioProcessorEditor::isLinked() const
{
    return ParamTools::isLinked (paramsManager.getParamValue (ParamData::channel));
}

// A restored state carries SELECTED CHANNEL as it was stored; any value but channel 2 is channel 1
// here, as for the channel set-up, so one panel is always shown.
int PlemvoAudioProcessorEditor::selectedChannel() const
{
    const auto value = paramsManager.getNonAutomatableParamValue (ParamData::selectedChannel);
    return ParamTools::linkCopyOrigin (value) == ParamData::engage2 ? 1 : 0;
}

// The panels keep their bounds: the flag is consumed by the resize, so it is set only when the size
// really changes (a same-size setBounds calls no resized and would leave it for the next resize).
void PlemvoAudioProcessorEditor::setWidthKeepingPanels (int width)
{
    if (width == getWidth() && getHeight() == windowHeight)
        return;

    skipPanelsLayout = true;
    setBounds (getX(), getY(), width, windowHeight);
}

void PlemvoAudioProcessorEditor::setWidthLayingOutPanels (int width)
{
    if (width != getWidth() || getHeight() != windowHeight)
        setBounds (getX(), getY(), width, windowHeight);
    else
        resized();
}
