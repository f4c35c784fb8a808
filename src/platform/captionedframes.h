// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorbel {

// Gives the group boxes of a dialog laid out at fixed places a frame whose
// line runs through the middle of the caption. Those places were drawn for
// such frames; styles that start the frame under the caption would draw it
// through the first row of controls.
void useCaptionedFrames(QWidget& dialog);

} // namespace quorbel
