#!/usr/bin/env bash
# On a machine without clang-format the format check fails and says what is missing and what installs it.
set -uo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT

# Every command the script uses, but clang-format.
for tool in bash env git dirname sed sort find; do
    ln -s "$(command -v "$tool")" "$tools/$tool"
done

said=$(PATH="$tools" "$repo/scripts/check-format.sh" 2>&1)
status=$?

[ "$status" -ne 0 ] || { echo "the check passed without clang-format"; exit 1; }
grep -q "clang-format is missing" <<<"$said" || { echo "it did not say what is missing: '$said'"; exit 1; }
grep -q "scripts/install-deps.sh" <<<"$said" || { echo "it did not say what installs it: '$said'"; exit 1; }
