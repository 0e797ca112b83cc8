#!/usr/bin/env bash
# Lists the C++ files that clang-format would change and fails when there are any.
# Usage: check-format.sh [fix]   (fix rewrites them in place instead)
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
[ ${#files[@]} -eq 0 ] && exit 0

if ! command -v clang-format >/dev/null; then
    echo "clang-format is missing: scripts/install-deps.sh (which make test and make format run) installs it" >&2
    echo "with the other Debian packages the build needs, as root or through sudo." >&2
    exit 127
fi

if [ "${1:-}" = fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi

unformatted=$(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
    echo "These files are not formatted (make format fixes them):"
    echo "$unformatted" | sed 's/^/  /'
    exit 1
fi
