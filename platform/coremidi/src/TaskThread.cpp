#include "TaskThread.h"

namespace vqsim
{
namespace
{
thread_local bool onLayerThread = false;
}

TaskThread::TaskThread (std::atomic<std::uint64_t>& g)
    : generation (g),
      thread ([this] { run(); })
{
}

TaskThread::~TaskThread()
{
    stop();
}

void TaskThread::post (std::function<void()> task)
{
    const std::lock_guard<std::mutex> guard (lock);

    if (stopping)
        return;

    tasks.push_back (std::move (task));
    ++generation;
    changed.notify_all();
}

void TaskThread::waitUntilIdle()
{
    std::unique_lock<std::mutex> guard (lock);
    changed.wait (guard, [this] { return stopping || (tasks.empty() && ! busy); });
}

void TaskThread::stop()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        stopping = true;
        tasks.clear();
        changed.notify_all();
    }

    if (thread.joinable())
        thread.join();
}

bool TaskThread::isCurrentThreadLayer()
{
    return onLayerThread;
}

void TaskThread::run()
{
    onLayerThread = true;
    std::unique_lock<std::mutex> guard (lock);

    for (;;)
    {
        changed.wait (guard, [this] { return stopping || ! tasks.empty(); });

        if (stopping)
            return;

        auto task = std::move (tasks.front());
        tasks.pop_front();
        busy = true;
        guard.unlock();
        task();
        task = nullptr; // what the task holds is released on this thread, before the queue counts as idle
        guard.lock();
        busy = false;
        changed.notify_all();
    }
}
} // namespace vqsim
