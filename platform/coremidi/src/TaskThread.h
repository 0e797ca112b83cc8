#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vqsim
{
/** One of the layer's own threads: runs posted tasks in order. Every post counts up a shared
    generation, so that a flush can tell whether anything new was queued while it waited. */
class TaskThread
{
public:
    TaskThread (std::atomic<std::uint64_t>& generation);
    ~TaskThread();

    void post (std::function<void()> task);
    /** Waits until no task is queued or running. */
    void waitUntilIdle();
    /** Stops after the running task; queued tasks are dropped. */
    void stop();

    /** True on any TaskThread. */
    static bool isCurrentThreadLayer();

private:
    void run();

    std::atomic<std::uint64_t>& generation;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::function<void()>> tasks;
    bool busy = false;
    bool stopping = false;
    std::thread thread;
};
} // namespace vqsim
