#!/usr/bin/env bash
# `make run` takes RUN_FILES as written, spaces and all, and an empty one is refused with a reason; neither
# touches another folder. Only the run step is made (the build is there). usage: make-run-odd-run-files.sh BUILD_DIR
set -uo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run() { make --no-print-directory -s -C "$repo" -o deps -o build run BUILD="$build" "$@" 2>&1; }

# A file named "my run" is no folder for the run, and "my", a folder of the user's, is not the one named.
mkdir "$scratch/my"
echo "the user's notes" >"$scratch/my/notes.txt"
echo "a file" >"$scratch/my run"

said=$(run RUN_FILES="$scratch/my run") && { echo "a file named as RUN_FILES was taken as the run folder"; exit 1; }
grep -qF "RUN_FILES=$scratch/my run is not a folder" <<<"$said" || { echo "RUN_FILES was not taken as written: '$said'"; exit 1; }
[ "$(ls -A "$scratch/my")" = "notes.txt" ] || { echo "the folder my was changed"; exit 1; }

said=$(run RUN_FILES=) && { echo "an empty RUN_FILES was taken"; exit 1; }
grep -qF "RUN_FILES is empty" <<<"$said" || { echo "no reason given for an empty RUN_FILES: '$said'"; exit 1; }
! grep -q "unbound variable" <<<"$said" || { echo "the script failed on its own words: '$said'"; exit 1; }
