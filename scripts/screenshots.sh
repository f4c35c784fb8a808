#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots under docs/: starts the program on a virtual X server
# in a small folder of generated pictures, drives it with xdotool to a list
# with new names and results, and saves the main window and each dialog, once
# in Chinese (docs/*.png) and once in English (docs/en/*.png).
# Usage: scripts/screenshots.sh [build-dir]
# Needs what scripts/setup.sh installs, plus xdotool, imagemagick and exiftool,
# which this script installs itself when they are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
build=$(cd "$(dirname "$build")" && pwd)/$(basename "$build")

if [ -z "${QUORBEL_SCREENSHOTS_DISPLAY:-}" ]; then
    tools=(xvfb xauth xdotool imagemagick libimage-exiftool-perl fonts-wqy-zenhei)
    missing=()
    for package in "${tools[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        sudo_cmd=""
        [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
        $sudo_cmd apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends \
            "${missing[@]}"
    fi
    [ -x "$build/src/quorbel" ] || "$here/scripts/setup.sh" "$build"
    exec env QUORBEL_SCREENSHOTS_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/demo.XXXX")
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The pictures: gradients with a disc, one of them upright, and a folder named
# like the third new name, so that one rename fails as a duplicate.
shoot_language() {
language=$1 pictures=$work/$2 docs=$3
shift 3
# The windows' titles in this language.
local t_main=$1 t_chooser=$2 t_numbering=$3 t_mapping=$4 t_about=$5 t_replace=$6 t_datename=$7
mkdir -p "$pictures"
colours=("#2e6fb7:#d8e8f8" "#b7472e:#f8e0d8" "#3c8c3c:#e0f4e0" "#8c6c1c:#f8f0c8" "#6c3c8c:#ecdff8")
for i in "${!colours[@]}"; do
    from=${colours[$i]%%:*}
    to=${colours[$i]##*:}
    size=640x480
    [ "$i" -eq 3 ] && size=480x640
    convert -size "$size" "gradient:$to-$from" -fill "$from" -stroke white -strokewidth 6 \
        -draw "circle 240,240 240,$((120 + i * 20))" "$pictures/IMG_000$((i + 1)).jpg"
done
# Taken on one morning, the last two in the same second.
for i in 1 2 3 4 5; do
    second=$(( i < 5 ? i * 7 : 28 ))
    exiftool -q -overwrite_original "-DateTimeOriginal=2025:07:14 09:30:$(printf %02d $second)" \
        "$pictures/IMG_000$i.jpg"
done
echo "sample 7, read 812 bases" > "$pictures/S07_trace.txt"
mkdir "$pictures/B03.jpg"

window_of() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
origin_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y"
}
# Clicks at a point given relative to a window's top left.
click_in() {
    local window=$1 x=$2 y=$3 ox oy
    read -r ox oy < <(origin_of "$window")
    xdotool mousemove --sync $((ox + x)) $((oy + y)) click 1
    sleep 0.4
}
shoot() {
    sleep 0.6
    import -window "$1" "$work/shot.png"
    # A palette keeps the files small; the windows use few colours.
    convert "$work/shot.png" -strip -colors 256 "PNG8:$docs/$2.png"
}

mkdir -p "$docs"
cd "$pictures"
PATH=$work/bin:$PATH LC_ALL=C.UTF-8 QUORBEL_LANG=$language QT_QPA_PLATFORM=xcb \
    XDG_STATE_HOME=$work/state-$language "$build/src/quorbel" &
program_pid=$!
main=$(window_of "$t_main")
sleep 1

# Tool-bar buttons: 55 pixels and one of spacing each, 8 more per separator.
toolbar_y=41
tool_x() { echo $((31 + $1 * 56 + $2 * 9)); }

click_in "$main" "$(tool_x 0 0)" "$toolbar_y"          # 文件
chooser=$(window_of "$t_chooser")
sleep 0.5
click_in "$chooser" 267 31                              # the first picture
click_in "$chooser" 428 218                             # 全部选中
shoot "$chooser" loadpicture
click_in "$chooser" 428 393                             # 确定
sleep 0.5

# 操作 › 查找替换 and 操作 › 按拍摄日期命名, each left with 放弃.
operations_menu() {
    click_in "$main" 52 12                              # 操作
    click_in "$main" 90 $((36 + $1 * 23))               # its item
}
operations_menu 2
replace=$(window_of "$t_replace")
sleep 0.5
xdotool type --delay 40 'IMG_(\d+)'
xdotool key Tab
xdotool type --delay 40 'trip_$1'
click_in "$replace" 80 84                               # 正则表达式
shoot "$replace" replace
xdotool key Escape
sleep 0.5
operations_menu 3
shoot "$(window_of "$t_datename")" datename
xdotool key Escape
sleep 0.5

click_in "$main" "$(tool_x 3 1)" "$toolbar_y"          # 自动编号
numbering=$(window_of "$t_numbering")
shoot "$numbering" numbering
click_in "$numbering" 229 28                            # 确定
sleep 0.5

click_in "$main" "$(tool_x 4 1)" "$toolbar_y"          # 换名
sleep 1.5
click_in "$main" 158 113                                # row 2, a picture
shoot "$main" main-window

click_in "$main" "$(tool_x 2 1)" "$toolbar_y"          # 对应表
mapping=$(window_of "$t_mapping")
shoot "$mapping" mapping
click_in "$mapping" 92 40                               # 选择Excel表
sleep 1
xdotool type --delay 20 "$here/tests/fixtures/mapping/plates/lo-plates.xlsx"
xdotool key Return
sleep 1
click_in "$mapping" 92 85                               # the sheet list
xdotool key Down Return                                 # 两板, two plates
shoot "$mapping" mapping-plate
xdotool key Escape
sleep 0.5

click_in "$main" "$(tool_x 6 2)" "$toolbar_y"          # 关于
shoot "$(window_of "$t_about")" about
xdotool key Escape
sleep 0.3
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
cd "$work"
echo "screenshots written to $docs"
}

# Rename runs ask the desktop to open the home page; here nothing answers.
mkdir "$work/bin"
printf '#!/bin/sh\nexit 0\n' > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

shoot_language zh 样品照片 "$here/docs" "Quorbel V2.4" 调入图像 自动编号 对应表 关于 \
    查找替换 按拍摄日期命名
shoot_language en "sample photos" "$here/docs/en" "Quorbel V2.4" "Load pictures" \
    "Auto numbering" "Mapping table" About "Find and replace" "Name by date taken"
