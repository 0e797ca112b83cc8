#!/usr/bin/env bash
# The main job of `make run`: the demo session, then the AAX module through the AAX host stand-in.
# usage: scripts/run-demo.sh BUILD_DIR RUN_FILES
#
# Every run starts from an empty run folder, as the first did: the demo saves a preset under a name
# without extension, and the plug-in will not replace a file of the other name that the user did not
# choose. A folder is emptied only when this script made it (it holds the mark below) or it is the build's
# own; a folder of other files is refused and left as it is.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
mark=".made-by-make-run"

if [ $# -ne 2 ]; then
    echo "usage: scripts/run-demo.sh BUILD_DIR RUN_FILES" >&2
    exit 2
fi

build="$1"
files="$2"

if [ -z "$files" ]; then
    echo "make run: RUN_FILES is empty: name the folder for the run's files (by default $build/run)" >&2
    exit 2
fi

if [ -e "$files" ] && [ ! -d "$files" ]; then
    echo "make run: RUN_FILES=$files is not a folder" >&2
    exit 2
fi

if [ -d "$files" ] && [ -n "$(ls -A "$files")" ]; then
    if [ ! -e "$files/$mark" ] && [ "$(realpath "$files")" != "$(realpath -m "$build/run")" ]; then
        echo "make run: RUN_FILES=$files holds files that make run did not write; name a new or empty folder" >&2
        exit 2
    fi

    find "$files" -mindepth 1 -delete
fi

mkdir -p "$files"
touch "$files/$mark"

# Without a display the demo runs on an Xvfb server of its own, so menus and the slide are real.
session=("$build/platform/session_runner/plemvo_session" --files "$files" "$repo/platform/session_runner/examples/demo.session")

if [ -n "${DISPLAY:-}" ]; then
    "${session[@]}"
else
    xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "${session[@]}"
fi

echo "Pictures of the window: $files/*.png"
echo "== the AAX module through the AAX host stand-in"
"$build/platform/aax_host/aax_host" "$build/PLEMVO.aaxplugin" --feature mono,stereo --list --session
