// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace quorbel {

// A progress bar on standard error for runs long enough to leave the user
// wondering: drawn only on a terminal, only once a second has passed, and
// redrawn a few times a second at most so that drawing never slows the run.
class ProgressBar {
public:
    explicit ProgressBar(int total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void advance(int done);
    // Removes the bar, leaving the line clean for what follows.
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    void draw(int done);

    int total_ = 0;
    bool terminal_ = false;
    bool shown_ = false;
    Clock::time_point started_;
    Clock::time_point drawn_;
};

} // namespace quorbel
