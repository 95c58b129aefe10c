#!/usr/bin/env bash
# Shared by ./run and ./test: installs the missing Debian packages, then
# configures and builds into build/. Sourced, not executed.
#
# apt-get (as root, or through sudo) runs only when a package is really
# missing, so a user without root runs both scripts once everything is there.

banmen_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The packages of scripts/packages.txt that are not installed, one a line;
# nothing at all when every one is. Blank lines and "#" comments are no
# packages.
banmen_missing_packages() {
    local pkg status
    while read -r pkg || [ -n "$pkg" ]; do
        pkg=${pkg%%#*}
        pkg=${pkg//[[:space:]]/}
        [ -n "$pkg" ] || continue
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        if [[ "$status" != *"install ok installed"* ]]; then
            printf '%s\n' "$pkg"
        fi
    done <"$banmen_root/scripts/packages.txt"
}

banmen_install_packages() {
    local missing=() pkg
    while read -r pkg; do
        [ -n "$pkg" ] && missing+=("$pkg")
    done < <(banmen_missing_packages)
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            as_root=(sudo)
        else
            echo "error: these packages are missing and cannot be installed without root: ${missing[*]}" >&2
            echo "       run as root, or install them with: sudo apt-get install ${missing[*]}" >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    if ! "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
        echo "apt-get install failed; updating the package lists and trying once more" >&2
        "${as_root[@]}" apt-get update && "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}" || {
            echo "error: could not install: ${missing[*]}" >&2
            return 1
        }
    fi
}

# Configures build/ when it is not configured yet (or a build type is asked
# for), then builds the given targets, or everything without any. Once
# configured, "cmake --build" configures again by itself when a CMakeLists
# changed.
banmen_build() {
    local build_dir="$banmen_root/build"
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    if [ ! -f "$build_dir/CMakeCache.txt" ] || [ -n "${BANMEN_BUILD_TYPE:-}" ]; then
        cmake -S "$banmen_root" -B "$build_dir" -DCMAKE_BUILD_TYPE="${BANMEN_BUILD_TYPE:-RelWithDebInfo}" >/dev/null ||
            return 1
    fi
    local targets=()
    [ "$#" -gt 0 ] && targets=(--target "$@")
    cmake --build "$build_dir" -j "$jobs" "${targets[@]}"
}

# What the editor needs to start: the program and the default pictures and
# sounds beside it.
banmen_editor_targets=(banmen banmen_default_images banmen_default_sounds)
