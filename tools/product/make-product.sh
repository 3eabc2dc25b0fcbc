#!/usr/bin/env bash
# Regenerates all product data made from sources in tools/product/: skins, icon, installer
# background (make-skins.sh) and languages (make-languages.sh). The manuals in product/Manual/
# are hand-written HTML and are their own sources.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
bash "$HERE/make-skins.sh"
bash "$HERE/make-languages.sh"
