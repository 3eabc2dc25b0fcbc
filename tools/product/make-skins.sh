#!/usr/bin/env bash
# Renders the product's pictures from the drawings in tools/product/skins.py:
#   product/Skin/<skin>/ (pictures, 3D/, SkinSetting.ini, MainForm_Frame.rgn),
#   product/AudioPanel.ico and product/SetupBackground.bmp.
# Needs python3 and rsvg-convert (Debian package librsvg2-bin, installed here when missing).
#   bash tools/product/make-skins.sh [SKIN...|extras]     (default: every skin and the extras)
set -eu
export PYTHONDONTWRITEBYTECODE=1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v rsvg-convert >/dev/null; then
    apt-get install -y librsvg2-bin >/dev/null || { apt-get update >/dev/null && apt-get install -y librsvg2-bin >/dev/null; }
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/tools/product/skins.py" "$ROOT/product" "$work" "$@"
# SkinSetting.ini: UTF-16LE with a byte-order mark and CR LF, like the other product INI files.
for src in "$work"/*/SkinSetting.utf8.ini; do
    [ -e "$src" ] || continue
    skin=$(basename "$(dirname "$src")")
    { printf '\xff\xfe'; sed 's/$/\r/' "$src" | iconv -f UTF-8 -t UTF-16LE; } >"$ROOT/product/Skin/$skin/SkinSetting.ini"
    echo "wrote product/Skin/$skin/SkinSetting.ini"
done
