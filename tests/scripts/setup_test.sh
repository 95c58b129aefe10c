#!/usr/bin/env bash
# The package check that ./run and ./test share (scripts/setup.sh), run with
# stand-ins for dpkg-query, apt-get, sudo and id on a PATH that holds nothing
# else: apt-get runs only for packages that are really missing, and a user
# without root gets through when none is.
#
# usage: setup_test.sh REPOSITORY
set -uo pipefail

repository=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A copy of the set-up beside a package list of our own.
mkdir -p "$work/repo/scripts" "$work/bin" "$work/nosudo"
cp "$repository/scripts/setup.sh" "$work/repo/scripts/"

stub() {
    printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1"
    chmod +x "$work/bin/$1"
}
# Installed are the packages listed in $work/installed.
stub dpkg-query 'if /bin/grep -qx -- "$3" "$WORK/installed"; then printf "install ok installed"; else echo "dpkg-query: no packages found matching $3" >&2; exit 1; fi'
stub apt-get 'echo "apt-get $*" >>"$WORK/calls"'
stub sudo 'echo sudo >>"$WORK/calls"; exec "$@"'
stub id 'echo "$FAKE_UID"'
stub dirname 'exec /usr/bin/dirname "$@"'
stub grep 'exec /bin/grep "$@"'
# The same without sudo.
for tool in dpkg-query apt-get id dirname grep; do
    ln -s "$work/bin/$tool" "$work/nosudo/$tool"
done

# Runs the package check as ./run does; prints its output, returns its status.
check() {
    local uid=$1 path=$2
    : >"$work/calls"
    env -i WORK="$work" FAKE_UID="$uid" PATH="$path" /bin/bash -c \
        'set -euo pipefail; . "$0/scripts/setup.sh"; banmen_install_packages' "$work/repo" 2>&1
}

expect_calls() {
    local expected=$1 what=$2
    local calls
    calls=$(cat "$work/calls")
    [ "$calls" = "$expected" ] || fail "$what: calls were [$calls], expected [$expected]"
}

# Blank lines, comments and a last line without a line break are no packages.
printf 'alpha\n\n   \n# a comment\nbeta  # trailing comment\n\ngamma' >"$work/repo/scripts/packages.txt"
printf 'alpha\nbeta\ngamma\n' >"$work/installed"
output=$(check 1000 "$work/nosudo") || fail "all installed, no root, no sudo: failed: $output"
expect_calls "" "all installed, no root"
output=$(check 0 "$work/bin") || fail "all installed, root: failed: $output"
expect_calls "" "all installed, root"

# The project's own list, everything installed.
cp "$repository/scripts/packages.txt" "$work/repo/scripts/packages.txt"
sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$repository/scripts/packages.txt" >"$work/installed"
[ -s "$work/installed" ] || fail "the project's package list is empty"
output=$(check 1000 "$work/nosudo") || fail "project list installed, no root: failed: $output"
expect_calls "" "project list installed"

# One package missing: installed alone, through sudo without root.
printf 'alpha\n\nbeta\ngamma\n' >"$work/repo/scripts/packages.txt"
printf 'alpha\ngamma\n' >"$work/installed"
output=$(check 0 "$work/bin") || fail "beta missing, root: failed: $output"
expect_calls "apt-get install -y --no-install-recommends beta" "beta missing, root"
output=$(check 1000 "$work/bin") || fail "beta missing, sudo: failed: $output"
expect_calls "sudo
apt-get install -y --no-install-recommends beta" "beta missing, sudo"

# Without root and without sudo, a missing package is a clear failure.
if output=$(check 1000 "$work/nosudo"); then
    fail "beta missing, no root, no sudo: succeeded"
fi
[[ "$output" == *"cannot be installed without root: beta"* ]] ||
    fail "beta missing, no root, no sudo: said [$output]"
expect_calls "" "beta missing, no root, no sudo"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "setup_test: all passed"
