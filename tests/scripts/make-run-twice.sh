#!/usr/bin/env bash
# What `make run` plays passes every time into the same run folder, the second run as the first; a run
# folder of other files is refused and left as it was. usage: make-run-twice.sh BUILD_DIR
set -uo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for run in 1 2; do
    if ! "$repo/scripts/run-demo.sh" "$build" "$scratch/run" >"$scratch/run-$run.log" 2>&1; then
        echo "run $run failed:"
        tail -n 20 "$scratch/run-$run.log"
        exit 1
    fi
done

mkdir "$scratch/mine"
echo "the user's notes" >"$scratch/mine/notes.txt"

if "$repo/scripts/run-demo.sh" "$build" "$scratch/mine" >"$scratch/mine.log" 2>&1; then
    echo "a run folder of other files was used"
    exit 1
fi

grep -q "holds files that make run did not write" "$scratch/mine.log" || { echo "no reason given:"; cat "$scratch/mine.log"; exit 1; }
[ "$(ls -A "$scratch/mine")" = "notes.txt" ] && [ "$(cat "$scratch/mine/notes.txt")" = "the user's notes" ] ||
    { echo "the folder of other files was changed"; exit 1; }
