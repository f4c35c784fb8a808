// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/pathsplit.h"

#include <cstdint>
#include <string_view>

namespace quorbel {

struct Rect {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const Rect&) const = default;
};

// True when the path's extension is one of the preview's picture types.
bool isPicFile(std::string_view path, const PathRule& rule = posixPathRule);

// Places a picture of source's width and height inside frame, keeping its
// proportions and centring it; X and Y become offsets from the frame's corner.
// A picture without size gets an empty rectangle instead of a division by zero.
void fitRect(const Rect& frame, Rect& source);

} // namespace quorbel
