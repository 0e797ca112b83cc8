#pragma once

#include "VqProxyComponent.h"

#include <functional>

namespace juce
{
/** Moves components to new bounds and fades them to a new opacity over a given time, easing in and
    out, in step with the vertical blank of the display that shows them. A change message is sent
    when an animation starts and when one ends.

    Frames come from the vertical blank of the animated component's window; while there is none (no
    window, no display) a timer of about 60 Hz stands in, so an animation always finishes. Both call
    stepFrame with the time, which tests may also call with a clock of their own. Message thread only.
*/
class VqVBlankComponentAnimator : public ChangeBroadcaster, private Timer, private ComponentListener
{
public:
    /** One running animation. */
    class AnimationTask
    {
    public:
        explicit AnimationTask (Component* c) noexcept;
        ~AnimationTask();

        void reset (const Rectangle<int>& finalBounds, float finalAlpha, int milliseconds, bool useProxy,
                    double startSpeedToUse, double endSpeedToUse);

        /** Advances by the elapsed time; false once the task has ended (or was deleted meanwhile). */
        bool useTimeslice (int elapsed);

        void moveToFinalDestination();

        WeakReference<Component> component;
        Component::SafePointer<VqProxyComponent> proxy;
        Rectangle<int> destination;
        double destAlpha = 1.0;
        int msElapsed = 0, msTotal = 1;
        double startSpeed = 0.0, midSpeed = 0.0, endSpeed = 0.0;
        double lastProgress = 0.0;
        double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
        double alpha = 1.0;
        bool isMoving = false, isChangingAlpha = false;

    private:
        double timeToDistance (double time) const noexcept;

        JUCE_DECLARE_WEAK_REFERENCEABLE (AnimationTask)
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AnimationTask)
    };

    /** The clock is the millisecond counter; tests may give their own. */
    explicit VqVBlankComponentAnimator (std::function<uint32()> clockToUse = Time::getMillisecondCounter);

    /** Detaches from the display first, then deletes the tasks with their proxies. */
    ~VqVBlankComponentAnimator() override;

    /** Starts or retargets the animation of one component; a null component does nothing. Speeds are
        0 or more; 0 and 0 give a symmetric ease-in/ease-out. With useProxy the component is hidden and
        a snapshot of it moves instead.
    */
    void animateComponent (Component* component, const Rectangle<int>& finalBounds, float finalAlpha, int milliseconds,
                           bool useProxy, double startSpeed, double endSpeed);

    /** Ends every animation, optionally at its destination, optionally with a change message. */
    void cancelAllAnimations (bool moveComponentsToTheirFinalPositions, bool sendChangeMessage);

    /** The running animations, oldest first. */
    const OwnedArray<AnimationTask>& getTasks() const noexcept { return tasks; }

    /** The animation of the component, or null. */
    AnimationTask* findTaskFor (const Component* component) const noexcept;

    /** Advances every animation to the given time of the clock. */
    void stepFrame (uint32 now);

    /** Whether the vertical blank of a display drives the frames now (else the stand-in timer does). */
    bool isDrivenByVBlank() const;

private:
    void timerCallback() override;
    void componentBeingDeleted (Component& component) override;

    void startDriving (Component& component);
    void stopDriving();

    OwnedArray<AnimationTask> tasks;
    uint32 lastTime = 0;
    VBlankAttachment vBlankAttachment;

    std::function<uint32()> clock;
    Component* drivingComponent = nullptr; // the attachment's component, watched so it is let go in time

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqVBlankComponentAnimator)
};
} // namespace juce
