#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the build uses a file that a fresh machine would not have: every library on
# a link line, every pkg-config module, every CMake package and every header the compiler
# read must come from a package that scripts/setup.sh installs, or from one that those
# pull in by Depends (what apt-get install --no-install-recommends brings). It looks at
# what the build really used, so packages installed by hand on this machine hide nothing.
# Usage: scripts/check-packages.sh [--packages "pkg1 pkg2 ..."] build-dir
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

named=""
if [ "${1:-}" = "--packages" ]; then
    named=$2
    shift 2
fi
build=$(cd "${1:?usage: $0 [--packages LIST] build-dir}" && pwd)
[ -n "$named" ] || named=$("$here/scripts/setup.sh" --list-packages)
multiarch=$(gcc -print-multiarch 2>/dev/null || echo x86_64-linux-gnu)

fail() {
    echo "check-packages: $*" >&2
    exit 1
}

# --- what apt would install for the named packages -------------------------------------
compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null ||
    fail "apt's package lists are missing, so what setup.sh's packages pull in cannot be" \
        "worked out; run 'apt-get update' first."
# Top-level lines are every package the recursion visited, i.e. the named ones and
# everything they depend on, pre-depend on, or pick as a provider. One run: apt-cache
# loads its whole cache each time it starts.
depends=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances $named 2>&1) || true
installable=$(echo "$depends" | sed -n 's/^\([a-z0-9][a-z0-9.+-]*\)\(:any\)\?$/\1/p' | sort -u)
unknown=$(for p in $named; do echo "$installable" | grep -qxF "$p" || echo "$p"; done)
[ -z "$unknown" ] ||
    fail "apt knows no package named:" $unknown "(a typo in setup.sh, or run 'apt-get update')"

# --- the files the build used, each with what it was used for ---------------------------
# Output lines: "<path> <reason>"; a path of "missing" means nothing provides it here.
link_files() {
    find "$build" -name link.txt -print0 | xargs -0r cat | tr ' ' '\n' | awk -v arch="$multiarch" '
        /^-L/ { dirs[++n] = substr($0, 3); next }
        /^-l/ {
            name = substr($0, 3); found = ""
            split("/usr/lib/" arch " /lib/" arch " /usr/lib /lib", std, " ")
            for (i = 1; i <= n + 4 && !found; i++) {
                d = i <= n ? dirs[i] : std[i - n]
                for (ext = 1; ext <= 2 && !found; ext++) {
                    f = d "/lib" name (ext == 1 ? ".so" : ".a")
                    if (system("test -e \"" f "\"") == 0) found = f
                }
            }
            print (found ? found : "missing"), "link:" $0
            next
        }
        /^\/.*\.(so(\.[0-9.]+)?|a)$/ { print $0, "link:" $0 }'
}

pkgconfig_files() {
    local modules module
    modules=$(sed -n 's/^__pkg_config_arguments_[^=]*=//p' "$build/CMakeCache.txt" | tr ';' '\n' |
        grep -vE '^(REQUIRED|QUIET|IMPORTED_TARGET|GLOBAL|NO_CMAKE_PATH|NO_CMAKE_ENVIRONMENT_PATH)?$' || true)
    # Modules that those require in turn, to any depth.
    local seen=" "
    while [ -n "$modules" ]; do
        local next=""
        for module in $modules; do
            case $seen in *" $module "*) continue ;; esac
            seen="$seen$module "
            local dir
            if dir=$(pkg-config --variable=pcfiledir "$module" 2>/dev/null); then
                echo "$dir/$module.pc pkg-config:$module"
                next="$next $(pkg-config --print-requires --print-requires-private "$module" | awk '{print $1}')"
            else
                echo "missing pkg-config:$module"
            fi
        done
        modules=$next
    done
}

cmake_package_files() {
    sed -n 's/^\([A-Za-z0-9_]*\)_DIR:PATH=\(\/.*\)$/\1 \2/p' "$build/CMakeCache.txt" |
        while read -r name dir; do
            for f in "$dir/${name}Config.cmake" "$dir/${name,,}-config.cmake"; do
                [ -f "$f" ] && echo "$f cmake:$name" && break
            done
        done
}

# Headers from the compiler's dependency files; the project's own files are relative
# or lie under the source or build folder.
header_files() {
    find "$build" -name '*.o.d' -print0 | xargs -0r cat | tr ' ' '\n' |
        { grep '^/' || true; } | { grep -v -e "^$here/" -e "^$build/" || true; } | sort -u | xargs -r realpath -s -m |
        sort -u | awk '{ print $1, "header:" $1 }'
}

used=$( {
    link_files
    pkgconfig_files
    cmake_package_files
    header_files
} | sort -u)

# --- who owns them -------------------------------------------------------------------
# dpkg's file lists, read once: far faster than one dpkg -S per file. Merged /usr means a
# file may be listed under /lib while the build named /usr/lib, or the other way round.
report=$(echo "$used" | { grep -v '^missing ' || true; } | awk -v installable="$installable" '
    BEGIN { n = split(installable, list, "\n"); for (i = 1; i <= n; i++) ok[list[i]] = 1 }
    FILENAME == "-" { reason[$1] = $2; next }
    {
        file = FILENAME; sub(/.*\//, "", file); sub(/(:[a-z0-9]+)?\.list$/, "", file)
        if ($0 in reason) owner[$0] = file
        else if (("/usr" $0) in reason) owner["/usr" $0] = file
        else if ($0 ~ /^\/usr\// && substr($0, 5) in reason) owner[substr($0, 5)] = file
    }
    END {
        for (path in reason) {
            why = reason[path]
            if (!(path in owner)) { print "unowned " path " " why; continue }
            pkg = owner[path]
            if (!(pkg in ok) && count[pkg]++ < 3) uses[pkg] = uses[pkg] (uses[pkg] ? ", " : "") why
        }
        for (pkg in uses) print "unlisted " pkg " " uses[pkg]
    }' - /var/lib/dpkg/info/*.list)
missing=$(echo "$used" | awk '$1 == "missing" { print $2 }')

if [ -n "$report$missing" ]; then
    {
        echo "check-packages: the build uses what scripts/setup.sh does not install, so a fresh machine would fail:"
        echo "$report" | awk '$1 == "unlisted" { pkg = $2; $1 = $2 = ""; sub(/^ +/, ""); printf "  package %s (for %s): add it to setup.sh\n", pkg, $0 }'
        echo "$report" | awk '$1 == "unowned" { printf "  %s (for %s) belongs to no package: install it from a package and add that to setup.sh\n", $2, $3 }'
        echo "$missing" | sed -n 's/^\(.\+\)$/  \1: not installed here; add the package that provides it to setup.sh/p'
    } >&2
    exit 1
fi
echo "check-packages: every library, module and header the build uses comes from setup.sh's packages"
