#!/usr/bin/env bash
# Shared by ./run and ./test: installs the missing Debian packages, then
# configures and builds into build/. Sourced, not executed.

banmen_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

banmen_missing_packages() {
    local pkg missing=()
    while read -r pkg; do
        pkg=${pkg%%#*}
        pkg=${pkg//[[:space:]]/}
        [ -n "$pkg" ] || continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done <"$banmen_root/scripts/packages.txt"
    printf '%s\n' "${missing[@]}"
}

banmen_install_packages() {
    local missing
    mapfile -t missing < <(banmen_missing_packages)
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

banmen_build() {
    local build_dir="$banmen_root/build"
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    cmake -S "$banmen_root" -B "$build_dir" -DCMAKE_BUILD_TYPE="${BANMEN_BUILD_TYPE:-RelWithDebInfo}" >/dev/null &&
        cmake --build "$build_dir" -j "$jobs"
}
