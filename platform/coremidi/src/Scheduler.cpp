#include "Scheduler.h"

namespace vqsim
{
Scheduler::Scheduler (bool manualClock, TaskThread& t)
    : manual (manualClock),
      target (t)
{
    if (! manual)
        thread = std::thread ([this] { run(); });
}

Scheduler::~Scheduler()
{
    stop();
}

Scheduler::Clock Scheduler::now() const
{
    if (! manual)
        return std::chrono::duration_cast<Clock> (std::chrono::steady_clock::now() - start);

    const std::lock_guard<std::mutex> guard (lock);
    return manualNow;
}

void Scheduler::runAfter (Clock delay, std::function<void()> task)
{
    const auto due = now() + std::max (delay, Clock (0));
    const std::lock_guard<std::mutex> guard (lock);
    pending.emplace (due, std::move (task));
    changed.notify_all();
}

bool Scheduler::postNextDue (Clock limit)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (pending.empty() || pending.begin()->first > limit)
    {
        manualNow = std::max (manualNow, limit);
        return false;
    }

    manualNow = std::max (manualNow, pending.begin()->first);
    postLocked (pending.begin());
    return true;
}

void Scheduler::waitUntilPosted (bool all)
{
    std::unique_lock<std::mutex> guard (lock);

    if (manual)
        return; // only postNextDue moves the manual clock, so nothing falls due by itself

    changed.wait (guard,
                  [this, all] { return stopping || pending.empty() || (! all && pending.begin()->first > now()); });
}

void Scheduler::stop()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        stopping = true;
        changed.notify_all();
    }

    if (thread.joinable())
        thread.join();
}

void Scheduler::run()
{
    std::unique_lock<std::mutex> guard (lock);

    while (! stopping)
    {
        if (pending.empty())
            changed.wait (guard);
        else if (pending.begin()->first <= now())
            postLocked (pending.begin());
        else
            changed.wait_until (guard, start + pending.begin()->first);
    }
}

void Scheduler::postLocked (std::multimap<Clock, std::function<void()>>::iterator task)
{
    target.post (std::move (task->second));
    pending.erase (task);
    changed.notify_all();
}
} // namespace vqsim
