#!/usr/bin/env bash
# Takes the README's pictures of the open status menu, the main window, each preferences pane, and of the
# General pane in German, from wigglet-sim (Qt's offscreen platform; no display needed).
# Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
sim="$build/tools/sim/wigglet-sim"
[ -x "$sim" ] || { echo "no $sim: build first (cmake --build --preset default)"; exit 2; }
mkdir -p docs
scenario="$(mktemp --suffix=.scn)"
trap 'rm -f "$scenario"' EXIT
cat >"$scenario" <<SCN
set notFirstLaunch bool true
set moveCursorEnabled bool true
set clickEnabled bool true
set timeElapsedThreshold double 30
set shakeClickCustomPosition bool true
set shakeClickPosition string "{512, 200}"
set switchTabsEnabled bool true
launch
menu click "Shake > 30 minutes"
advance 65
screenshot menu docs/menu.png
action showMainWindow
screenshot mainWindow docs/main-window.png
prefs open
prefs pane General
screenshot preferences docs/prefs-general.png
prefs pane Click
screenshot preferences docs/prefs-click.png
prefs pane Scroll
screenshot preferences docs/prefs-scroll.png
SCN
QT_QPA_PLATFORM=offscreen "$sim" "$scenario"
# The General pane once more, in German.
cat >"$scenario" <<SCN
set notFirstLaunch bool true
set timeElapsedThreshold double 30
launch
prefs open
prefs pane General
screenshot preferences docs/prefs-general-de.png
SCN
QT_QPA_PLATFORM=offscreen "$sim" "$scenario" --language de
ls -l docs/menu.png docs/main-window.png docs/prefs-general.png docs/prefs-click.png docs/prefs-scroll.png \
  docs/prefs-general-de.png
