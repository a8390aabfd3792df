#!/usr/bin/env bash
# Brings the Russian catalogue in line with the sources: new texts appear as
# unfinished entries to translate, texts no longer used are dropped.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v /usr/lib/qt5/bin/lupdate || command -v lupdate)
"$lupdate" -silent -recursive -no-obsolete -locations none src forms -ts translations/tundrack_ru.ts
