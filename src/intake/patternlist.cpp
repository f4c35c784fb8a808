// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/patternlist.h"

#include "global/pathsplit.h"

namespace quorbel {

const CoreText chooserPatternList{
    "图片文件|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"
    "|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg"
    "|Bitmaps (*.bmp)|*.bmp"
    "|Icons (*.ico)|*.ico"
    "|Enhanced Metafiles (*.emf)|*.emf"
    "|Metafiles (*.wmf)|*.wmf"
    "|photoshop(*.png)|*.png"
    "|Tiff(*.tif)|*.tif"
    "|Gif(*.gif)|*.gif"
    "|测序图谱文件(*.ab1)|*.ab1"
    "|序列文件(*.seq)|*.seq"
    "|文本文件(*.txt)|*.txt"
    "|MP3(*.mp3)|*.mp3"
    "|全部文件(*.*)|*.*",
    // The type names of other programs stay as they are in both languages.
    "Picture files|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"
    "|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg"
    "|Bitmaps (*.bmp)|*.bmp"
    "|Icons (*.ico)|*.ico"
    "|Enhanced Metafiles (*.emf)|*.emf"
    "|Metafiles (*.wmf)|*.wmf"
    "|photoshop(*.png)|*.png"
    "|Tiff(*.tif)|*.tif"
    "|Gif(*.gif)|*.gif"
    "|Sequencing traces (*.ab1)|*.ab1"
    "|Sequence files (*.seq)|*.seq"
    "|Text files (*.txt)|*.txt"
    "|MP3(*.mp3)|*.mp3"
    "|All files (*.*)|*.*"};

std::vector<PatternEntry> parsePatternList(std::string_view text) {
    std::vector<PatternEntry> entries;
    // UTF-8 never uses the byte of "|" inside a character, so a byte search is safe.
    while (true) {
        const size_t captionEnd = text.find('|');
        if (captionEnd == std::string_view::npos)
            return entries;
        PatternEntry entry{std::string(text.substr(0, captionEnd)), {}};
        text.remove_prefix(captionEnd + 1);
        const size_t patternEnd = text.find('|');
        if (patternEnd == std::string_view::npos) {
            entry.pattern = std::string(text);
            text = {};
        } else {
            entry.pattern = std::string(text.substr(0, patternEnd));
            text.remove_prefix(patternEnd + 1);
        }
        entries.push_back(std::move(entry));
    }
}

std::string customEntryText(std::string_view typed) {
    const std::string pattern = trimmed(typed);
    static constexpr CoreText custom{"|自定义(%1)|%1", "|Custom (%1)|%1"};
    return custom.fill({pattern});
}

} // namespace quorbel
