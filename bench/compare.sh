#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end renaming speed: quorbel-cli against a bare renameat2 loop and the
# tools users would pick instead, renaming the same empty files IMG_<i>.jpg to
# B<i>.jpg. Every timed run gets a fresh directory of files.
#
# quorbel-cli runs three ways: given relative names (--files-from inside the
# folder), given absolute paths (as the window and every globbed list give
# them), and taking the folder itself (--dir with --number).
#
# Needs hyperfine, mmv and the perl rename, none of which the build or the
# tests need:  sudo apt-get install --no-install-recommends hyperfine mmv rename
#
# Usage: bench/compare.sh [build-dir] [file-count] [runs]
#   bench/compare.sh build 1000000 3   is the million-file run in one command.
# COMPARE_WAYS="absolute" runs quorbel-cli one way only; COMPARE_HYPERFINE=0
# leaves out hyperfine's table and keeps the rounds in turn (COMPARE_ROUNDS of
# them, runs by default) and the one-more-run figures.
# mmv and rename take minutes per 100,000 files; above that count they are
# left out unless COMPARE_ALL=1; COMPARE_OTHERS=0 leaves them out at any count.
# The build dir must hold quorbel-cli and
# bench/bare_rename (a normal build).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-100000}
runs=${3:-5}
cli=$build/src/quorbel-cli
bare=$build/bench/bare_rename
others=yes
if [ "$count" -gt 100000 ] && [ "${COMPARE_ALL:-0}" != 1 ]; then others=no; fi
# COMPARE_OTHERS=0 leaves mmv and rename out at any count, for a quick pairing.
if [ "${COMPARE_OTHERS:-1}" = 0 ]; then others=no; fi
needed=(hyperfine "$cli" "$bare")
[ "$others" = yes ] && needed+=(mmv rename)
for tool in "${needed[@]}"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "missing: /usr/bin/time (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbel-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
files=$work/files
# The run's journal goes here, never to the user's own.
export XDG_STATE_HOME=$work/state

# The lists quorbel-cli and rename read: made once, outside the timed part.
seq 0 $((count - 1)) | sed 's/.*/IMG_&.jpg/' > "$work/old.txt"
sed "s|^|$files/|" "$work/old.txt" > "$work/absolute.txt"
seq 0 $((count - 1)) | sed 's/.*/B&/' > "$work/new.txt"

# A fresh directory of the old files for every run; every tool runs inside it.
cat > "$work/prepare.sh" <<PREPARE
#!/usr/bin/env bash
set -e
rm -rf "$files"
mkdir "$files"
cd "$files"
xargs touch < "$work/old.txt"
# The files are on the disk before the clock starts: otherwise the writeback
# of one run's files (and of the last run's removal) lands in the next timed run.
sync
PREPARE
chmod +x "$work/prepare.sh"

quiet="--quiet"
# COMPARE_WAYS picks the ways quorbel-cli runs (relative, absolute, dir); all
# three unless told.
ways=${COMPARE_WAYS:-relative absolute dir}
commands=(-n "bare renameat2 loop" "$bare $files $count")
for way in $ways; do
    case $way in
    relative) commands+=(-n "quorbel-cli relative names"
        "cd $files && $cli $quiet --files-from $work/old.txt --names $work/new.txt") ;;
    absolute) commands+=(-n "quorbel-cli absolute paths"
        "cd $files && $cli $quiet --files-from $work/absolute.txt --names $work/new.txt") ;;
    dir) commands+=(-n "quorbel-cli --dir --number"
        "cd $files && $cli $quiet --dir $files --type '*.jpg' --number --prefix B --start 0") ;;
    *) echo "unknown way: $way" >&2; exit 2 ;;
    esac
done
# The rounds in turn below pair quorbel-cli with the loop alone.
in_turn=${#commands[@]}
if [ "$others" = yes ]; then
    commands+=(
        -n "mmv" "cd $files && mmv 'IMG_*.jpg' 'B#1.jpg'"
        -n "perl rename" "cd $files && rename 's/^IMG_/B/' < $work/old.txt"
    )
fi

echo "files: $count, runs: $runs"
# COMPARE_HYPERFINE=0 leaves out hyperfine's table, for the rounds in turn alone.
if [ "${COMPARE_HYPERFINE:-1}" != 0 ]; then
    echo "load before: $(uptime)"
    hyperfine --runs "$runs" --warmup 1 --prepare "$work/prepare.sh" \
        --export-markdown "$work/result.md" "${commands[@]}"
    echo "load after: $(uptime)"
    cat "$work/result.md"
fi

# The same contenders in turn, round after round (hyperfine runs all runs of
# one before the next), so a drift of the machine or the disk over the minutes
# weighs on each alike; each round starts with another of them. Fresh files
# for every run, as above.
paired_rounds=${COMPARE_ROUNDS:-$runs}
names=()
lines=()
for ((i = 0; i < in_turn; i += 3)); do
    names+=("${commands[i + 1]}")
    lines+=("${commands[i + 2]}")
done
declare -a total
for ((k = 0; k < ${#names[@]}; ++k)); do total[k]=0; done
for ((round = 0; round < paired_rounds; ++round)); do
    for ((j = 0; j < ${#names[@]}; ++j)); do
        k=$(((round + j) % ${#names[@]}))
        "$work/prepare.sh"
        start=$(date +%s%N)
        bash -c "${lines[k]}" > /dev/null
        total[k]=$((total[k] + $(date +%s%N) - start))
    done
done
echo
echo "| in turn, $paired_rounds rounds (load $(cut -d' ' -f1-3 /proc/loadavg)) | mean [s] | against the bare loop |"
echo "|---|---|---|"
for ((k = 0; k < ${#names[@]}; ++k)); do
    awk -v name="${names[k]}" -v t="${total[k]}" -v b="${total[0]}" -v n="$paired_rounds" \
        'BEGIN { printf "| %s | %.3f | %.3f |\n", name, t / n / 1e9, t / b }'
done

# Peak memory, CPU times and journal size of one more run of each way,
# printed in full (no --quiet) as a user would run it.
measure() {
    local name=$1
    shift
    "$work/prepare.sh"
    rm -rf "$XDG_STATE_HOME"
    (cd "$files" && /usr/bin/time -f "%M %U %S %e" -o "$work/time.txt" "$@" > /dev/null 2>&1) || true
    read -r rss user sys wall < "$work/time.txt"
    local journal
    journal=$( (cat "$XDG_STATE_HOME"/quorbel/run-*.journal 2>/dev/null || true) | wc -c)
    printf '| %s | %d MB | %s s | %s s | %s s | %d MB |\n' "$name" $((rss / 1024)) "$user" "$sys" \
        "$wall" $((journal / 1048576))
}
echo
echo "| one more run | peak RSS | user | system | wall | journal |"
echo "|---|---|---|---|---|---|"
measure "bare renameat2 loop" "$bare" "$files" "$count"
for way in $ways; do
    case $way in
    relative) measure "quorbel-cli relative names" "$cli" --files-from "$work/old.txt" \
        --names "$work/new.txt" ;;
    absolute) measure "quorbel-cli absolute paths" "$cli" --files-from "$work/absolute.txt" \
        --names "$work/new.txt" ;;
    dir) measure "quorbel-cli --dir --number" "$cli" --dir "$files" --type '*.jpg' --number \
        --prefix B --start 0 ;;
    esac
done
echo "load at the end: $(uptime)"
