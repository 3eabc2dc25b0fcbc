#!/usr/bin/env bash
# Writes product/Language/<folder>/Language.ini for every language of tools/product/languages.py:
# UTF-16LE with a byte-order mark and CR LF, so that accented texts survive the profile functions.
#   bash tools/product/make-languages.sh
set -eu
export PYTHONDONTWRITEBYTECODE=1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$ROOT/tools/product/languages.py" "$work"
for dir in "$work"/*/; do
    folder=$(basename "$dir")
    mkdir -p "$ROOT/product/Language/$folder"
    { printf '\xff\xfe'; sed 's/$/\r/' "$dir/Language.ini" | iconv -f UTF-8 -t UTF-16LE; } \
        >"$ROOT/product/Language/$folder/Language.ini"
    echo "wrote product/Language/$folder/Language.ini"
done
