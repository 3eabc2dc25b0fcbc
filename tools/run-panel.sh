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
  build/mingw-i686/installer/AudioSetupApp.exe     the shipped 32-bit installer
  build/mingw-x86_64/installer/AudioSetupApp.exe   the 64-bit installer (runs under Wine here)
  build/native/tools/devid-code                    makes the check code of a device ID

The control panel program (AudioPanelApp.exe, on the simulated headset when no real one is
present) is not built yet: its logic, device layer and presentation model are, and this command
will start it once its Windows host exists. Run the tests with: bash tools/run-tests.sh
MSG
