#pragma once

#include "TaskThread.h"

#include <chrono>
#include <map>

namespace vqsim
{
/** Delayed work on the layer's clock. Due tasks are posted, in order of time, to a TaskThread: by a
    timer thread in real time, or by `postNextDue` when a test moves the manual clock. */
class Scheduler
{
public:
    using Clock = std::chrono::microseconds;

    Scheduler (bool manualClock, TaskThread& target);
    ~Scheduler();

    Clock now() const;
    void runAfter (Clock delay, std::function<void()> task);

    /** Manual clock: posts the earliest task due at or before `limit`, moving the clock to its time.
        Returns false when there is none; the clock then moves to `limit`. */
    bool postNextDue (Clock limit);

    /** Waits until no task is due and unposted; with `all`, until every task has been posted. */
    void waitUntilPosted (bool all);

    void stop();

private:
    void run();
    void postLocked (std::multimap<Clock, std::function<void()>>::iterator task);

    const bool manual;
    TaskThread& target;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    mutable std::mutex lock;
    std::condition_variable changed;
    std::multimap<Clock, std::function<void()>> pending;
    Clock manualNow { 0 };
    bool stopping = false;
    std::thread thread;
};
} // namespace vqsim
