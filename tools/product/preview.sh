#!/usr/bin/env bash
# Renders previews for looking at the skins: <skin>-pages.png (the window on each page with one
# language's texts, laid out approximately) and <skin>-sheet.png (every picture on a checkerboard).
#   bash tools/product/preview.sh [LANGUAGE_FOLDER [OUT_DIR]]   (defaults: English, build/product-preview)
set -eu
export PYTHONDONTWRITEBYTECODE=1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
lang=${1:-English}
out=${2:-$ROOT/build/product-preview}
for skin in "$ROOT"/product/Skin/*/; do
    python3 "$ROOT/tools/product/preview.py" "$skin" "$ROOT/product/Language/$lang/Language.ini" "$out"
done
