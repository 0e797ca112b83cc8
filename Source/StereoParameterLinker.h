#pragma once

#include "vq_core/VqParamsManager.h"

#include <juce_events/juce_events.h>

/** Keeps a channel 1 parameter and its channel 2 twin equal while "CHANNEL" is "LINK" (at most
    0.5): a change or gesture on one is repeated on the other a moment later, through a message to
    itself, so the mirror never runs inside the listener call that caused it. The mirror carries the
    stamp of the change it repeats, so it gives way to any change of the twin received after that one.
    Changes that replay recorded values (host automation, a restored state) are not mirrored: host
    automation of one channel never moves the other, and a restored pair comes back as it was saved.

    Mirrored gestures stay balanced whatever "CHANNEL" does meanwhile: a gesture's end is mirrored
    exactly when its begin was, and a twin still touched is released when the linker goes.
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

    bool isLinked() const noexcept { return linked.load(); }

private:
    juce::VqParamsManager* manager;
    int leftIndex;
    int rightIndex;
    std::atomic<bool> linked { false };

    // Per side (0 left, 1 right): whether the open gesture on that side was mirrored onto its
    // twin, and how many mirrored gestures this linker holds open on that side.
    bool mirroredToTwin[2] {};
    int heldGestures[2] {};

    void actionListenerCallback (const juce::String& message) override;
    int sideOf (int index) const noexcept;
    int twinOf (int side) const noexcept;

    JUCE_DECLARE_NON_COPYABLE (StereoParameterLinker)
};
