#include "VqVBlankComponentAnimator.h"

namespace juce
{
VqVBlankComponentAnimator::AnimationTask::AnimationTask (Component* c) noexcept
    : component (c)
{
}

VqVBlankComponentAnimator::AnimationTask::~AnimationTask()
{
    proxy.deleteAndZero();
}

void VqVBlankComponentAnimator::AnimationTask::reset (const Rectangle<int>& finalBounds, float finalAlpha,
                                                      int milliseconds, bool useProxy, double startSpeedToUse,
                                                      double endSpeedToUse)
{
    msElapsed = 0;
    msTotal = jmax (1, milliseconds);
    lastProgress = 0.0;
    destination = finalBounds;
    destAlpha = finalAlpha;

    isMoving = finalBounds != component->getBounds();
    isChangingAlpha = finalAlpha != component->getAlpha();

    left = component->getX();
    top = component->getY();
    right = component->getRight();
    bottom = component->getBottom();
    alpha = component->getAlpha();

    // Negative speeds are taken as 0, so the total never divides by zero.
    startSpeedToUse = jmax (0.0, startSpeedToUse);
    endSpeedToUse = jmax (0.0, endSpeedToUse);
    const auto invTotalDistance = 4.0 / (startSpeedToUse + endSpeedToUse + 2.0);
    startSpeed = startSpeedToUse * invTotalDistance;
    midSpeed = invTotalDistance;
    endSpeed = endSpeedToUse * invTotalDistance;

    proxy.deleteAndZero();

    if (useProxy)
        proxy = new VqProxyComponent (*component);

    component->setVisible (! useProxy);
}

bool VqVBlankComponentAnimator::AnimationTask::useTimeslice (int elapsed)
{
    Component::SafePointer<Component> target (proxy != nullptr ? proxy.getComponent() : component.get());

    if (target != nullptr)
    {
        msElapsed += elapsed;
        const auto progress = msElapsed / (double) msTotal;

        if (progress >= 0.0 && progress < 1.0)
        {
            const WeakReference<AnimationTask> weakThis (this);
            const auto distance = timeToDistance (progress);
            const auto delta = (distance - lastProgress) / (1.0 - lastProgress);
            lastProgress = distance;

            if (delta < 1.0)
            {
                bool stillBusy = false;

                if (isMoving)
                {
                    left += (destination.getX() - left) * delta;
                    top += (destination.getY() - top) * delta;
                    right += (destination.getRight() - right) * delta;
                    bottom += (destination.getBottom() - bottom) * delta;

                    const Rectangle<int> newBounds (roundToInt (left), roundToInt (top), roundToInt (right - left),
                                                    roundToInt (bottom - top));

                    if (newBounds != destination)
                    {
                        // A frame that moves less than a pixel sets nothing.
                        if (newBounds != target->getBounds())
                            target->setBounds (newBounds);

                        stillBusy = true;
                    }
                }

                // The bounds change may have called back into code that cancelled this animation.
                if (weakThis.wasObjectDeleted())
                    return false;

                if (isChangingAlpha && target != nullptr)
                {
                    alpha += (destAlpha - alpha) * delta;
                    target->setAlpha ((float) alpha);
                    stillBusy = true;
                }

                if (stillBusy)
                    return true;
            }
        }
    }

    moveToFinalDestination();
    return false;
}

void VqVBlankComponentAnimator::AnimationTask::moveToFinalDestination()
{
    if (component == nullptr)
        return;

    const WeakReference<AnimationTask> weakThis (this);
    component->setAlpha ((float) destAlpha);

    if (component != nullptr)
        component->setBounds (destination);

    if (weakThis.wasObjectDeleted() || proxy == nullptr)
        return;

    // The proxy gives the component back visible, which one faded out to nothing must not stay.
    const WeakReference<Component> target (component);
    const auto visible = destAlpha > 0;
    proxy.deleteAndZero();

    if (target != nullptr)
        target->setVisible (visible);
}

double VqVBlankComponentAnimator::AnimationTask::timeToDistance (double time) const noexcept
{
    return time < 0.5 ? time * (startSpeed + time * (midSpeed - startSpeed))
                      : 0.5 * (startSpeed + 0.5 * (midSpeed - startSpeed)) +
                            (time - 0.5) * (midSpeed + (time - 0.5) * (endSpeed - midSpeed));
}

//==============================================================================
VqVBlankComponentAnimator::VqVBlankComponentAnimator (std::function<uint32()> clockToUse)
    : clock (std::move (clockToUse))
{
}

VqVBlankComponentAnimator::~VqVBlankComponentAnimator()
{
    stopDriving();
    tasks.clear();
}

void VqVBlankComponentAnimator::animateComponent (Component* component, const Rectangle<int>& finalBounds,
                                                  float finalAlpha, int milliseconds, bool useProxy, double startSpeed,
                                                  double endSpeed)
{
    if (component == nullptr)
        return;

    auto* task = findTaskFor (component);

    if (task == nullptr)
    {
        task = tasks.add (new AnimationTask (component));
        sendChangeMessage();
    }

    task->reset (finalBounds, finalAlpha, milliseconds, useProxy, startSpeed, endSpeed);

    if (drivingComponent == nullptr)
    {
        lastTime = clock();
        startDriving (*component);
    }
}

void VqVBlankComponentAnimator::cancelAllAnimations (bool moveComponentsToTheirFinalPositions, bool sendChangeMessage)
{
    if (tasks.isEmpty())
        return;

    // Newest first; a bounds change may call back and end animations meanwhile.
    if (moveComponentsToTheirFinalPositions)
        for (int i = tasks.size(); --i >= 0;)
            if (i < tasks.size())
                tasks.getUnchecked (i)->moveToFinalDestination();

    tasks.clear();
    stopDriving();

    if (sendChangeMessage)
        ChangeBroadcaster::sendChangeMessage();
}

VqVBlankComponentAnimator::AnimationTask*
VqVBlankComponentAnimator::findTaskFor (const Component* component) const noexcept
{
    for (int i = tasks.size(); --i >= 0;)
        if (tasks.getUnchecked (i)->component.get() == component)
            return tasks.getUnchecked (i);

    return nullptr;
}

void VqVBlankComponentAnimator::stepFrame (uint32 now)
{
    if (lastTime == 0)
        lastTime = now;

    const auto elapsed = (int) (now - lastTime);

    // A task's bounds change may call back and end or start animations: each task is reached
    // through a weak reference, so one deleted meanwhile is skipped.
    Array<WeakReference<AnimationTask>> running;

    for (auto* task : tasks)
        running.add (task);

    for (auto& weakTask : running)
    {
        auto* task = weakTask.get();

        if (task == nullptr || task->useTimeslice (elapsed))
            continue;

        if (weakTask != nullptr)
            tasks.removeObject (task);

        sendChangeMessage();
    }

    lastTime = now;

    if (tasks.isEmpty())
        stopDriving();
    else if (drivingComponent == nullptr)
        for (int i = tasks.size(); --i >= 0 && drivingComponent == nullptr;)
            if (auto* component = tasks.getUnchecked (i)->component.get())
                startDriving (*component);
}

bool VqVBlankComponentAnimator::isDrivenByVBlank() const
{
    return drivingComponent != nullptr && drivingComponent->getPeer() != nullptr &&
           Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

void VqVBlankComponentAnimator::timerCallback()
{
    if (! isDrivenByVBlank())
        stepFrame (clock());
}

// The attachment must not outlive its component; the timer ends the task on its next tick.
void VqVBlankComponentAnimator::componentBeingDeleted (Component& component)
{
    if (&component != drivingComponent)
        return;

    vBlankAttachment = {};
    component.removeComponentListener (this);
    drivingComponent = nullptr;
}

void VqVBlankComponentAnimator::startDriving (Component& component)
{
    drivingComponent = &component;
    component.addComponentListener (this);
    vBlankAttachment = VBlankAttachment (&component, [this] { stepFrame (clock()); });

    if (! isTimerRunning())
        startTimerHz (60);
}

void VqVBlankComponentAnimator::stopDriving()
{
    stopTimer();
    vBlankAttachment = {};

    if (drivingComponent != nullptr)
        drivingComponent->removeComponentListener (this);

    drivingComponent = nullptr;
}
} // namespace juce
