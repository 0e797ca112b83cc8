#pragma once

#include "vq_core/VqParamsManager.h"

#include <juce_events/juce_events.h>

/** Keeps a channel 1 parameter and its channel 2 twin equal while "CHANNEL" is "LINK" (at most
    0.5): a change or gesture on one is repeated on the other a moment later, through a message to
    itself, so the mirror never runs inside the listener call that caused it. Changes from the
    host parameter are not mirrored, so host automation of one channel never moves the other.

    Mirrored gestures stay balanced whatever "CHANNEL" does meanwhile: a gesture's end is mirrored
    exactly when its begin was, and a twin still touched is released when the linker goes. Of several
    value mirrors still on their way only the newest is applied, and when both twins changed within
    one turn channel 1 wins, so they end equal rather than swapped.
*/
class StereoParameterLinker : private juce::ActionListener,
                              private juce::ActionBroadcaster,
                              public juce::VqParamsManager::AutomatableParamListener
{
public:
    StereoParameterLinker (juce::VqParamsManager& manager, int leftIndex, int rightIndex);
    ~StereoParameterLinker() override;

    /** Sees every change, its own included. */
    void paramValueChanged (AutomatableParamListener* source, int index, float value) override;
    void paramGestureChanged (AutomatableParamListener* source, int index, bool starting) override;

    bool isLinked() const noexcept      { return linked.load(); }

private:
    juce::VqParamsManager* manager;
    int leftIndex;
    int rightIndex;
    std::atomic<bool> linked { false };

    // Per side (0 left, 1 right): whether the open gesture on that side was mirrored onto its
    // twin, and how many mirrored gestures this linker holds open on that side.
    bool mirroredToTwin[2] {};
    int heldGestures[2] {};

    // Value mirrors posted from each side and not yet delivered, and whether channel 1 posted one
    // since none were on their way (a state restore may post from the host's thread).
    std::atomic<int> pendingMirrors[2] {};
    std::atomic<bool> channelOneInFlight { false };

    void actionListenerCallback (const juce::String& message) override;
    int sideOf (int index) const noexcept;
    int twinOf (int side) const noexcept;

    JUCE_DECLARE_NON_COPYABLE (StereoParameterLinker)
};
