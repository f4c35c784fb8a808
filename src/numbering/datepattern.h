// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preview/exifdate.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// A pattern that cannot be used, in the words shown to the user.
class DatePatternError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name made from the date taken: %Y (four digits), %m, %d, %H, %M and %S
// (two digits each) stand for the parts of the date, %% for a "%", and every
// other byte stands for itself.
class DatePattern {
public:
    // Throws DatePatternError for an empty pattern, a "%" followed by anything
    // else, or a "/" (a name cannot hold one); the message says where,
    // counted in characters.
    explicit DatePattern(std::string_view text);

    std::string format(const TakenTime& taken) const;

private:
    // Literal text, or (when code is set) the part of the date it names.
    struct Piece {
        char code = 0;
        std::string text;
    };
    std::vector<Piece> pieces_;
};

} // namespace quorbel
