// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace quorbel {

// One thread beside the caller's, working one job at a time while the caller
// goes on. What a job throws is handed back at wait(), so a failure there
// stops the caller as it would have stopped it on its own thread.
class HelperThread {
public:
    HelperThread();
    // Waits for the job in hand, whatever it throws, so nothing it reads is
    // destroyed under it.
    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    // Starts job; the one before it must have been waited for.
    void post(std::function<void()> job);
    // Returns once the job is done, or throws what it threw.
    void wait();

private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: it starts once everything above is set
};

} // namespace quorbel
