// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progressbar.h"

#include <cstdio>
#include <string>

#include <unistd.h>

namespace quorbel {
namespace {

constexpr auto showAfter = std::chrono::seconds(1);
constexpr auto redrawEvery = std::chrono::milliseconds(100);
constexpr int barWidth = 40;
// Reading the clock costs little, but not nothing: look at it every so many rows.
constexpr int rowsBetweenClockReads = 256;

} // namespace

ProgressBar::ProgressBar(int total)
    : total_(total), terminal_(::isatty(STDERR_FILENO) == 1), started_(Clock::now()) {}

ProgressBar::~ProgressBar() {
    finish();
}

void ProgressBar::advance(int done) {
    if (!terminal_ || done % rowsBetweenClockReads != 0)
        return;
    const Clock::time_point now = Clock::now();
    if (now - started_ < showAfter || (shown_ && now - drawn_ < redrawEvery))
        return;
    drawn_ = now;
    draw(done);
}

void ProgressBar::draw(int done) {
    const int filled =
        total_ > 0 ? static_cast<int>(static_cast<long long>(done) * barWidth / total_) : 0;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(barWidth - filled), ' ');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.c_str(), done, total_);
    std::fflush(stderr);
    shown_ = true;
}

void ProgressBar::finish() {
    if (!shown_)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    shown_ = false;
}

} // namespace quorbel
