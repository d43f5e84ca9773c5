#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orlatim in run/, a working
# folder that holds its sounds and, after the first "exit", its settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p run
for sound in build/sounds/*; do
  [ -e "run/$(basename "$sound")" ] || cp "$sound" run/
done
cd run
exec ../build/orlatim
