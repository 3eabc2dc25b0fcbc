#!/usr/bin/env bash
# The main job. For now: install what is missing, build every program and library for Linux and
# both Windows targets, and say what there is to run.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash tools/install-deps.sh
for preset in native mingw-x86_64 mingw-i686; do
    echo "=== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" | tail -1
done
cat <<MSG

Built:
  build/native/tools/devid-code        makes the check code of a device ID for AudioConfig.cfg
  build/mingw-i686/, build/mingw-x86_64/   the shared configuration library and its tests

The control panel (AudioPanelApp.exe, with the simulated headset when no real one is present)
and the installer (AudioSetupApp.exe) are not built yet; this command will start the panel once
they are. Run the tests with: bash tools/run-tests.sh
MSG
