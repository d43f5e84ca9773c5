#!/bin/sh
# Starts Orlatim. The program keeps its settings in its working folder; from
# the desktop menu (--menu) that folder is the user's data folder, which gets
# the default sounds on the first start. From a terminal the folder stays the
# one the user is in.
set -e
prefix=$(dirname "$(dirname "$(readlink -f "$0")")")
if [ "${1:-}" = "--menu" ]; then
  shift
  data="${XDG_DATA_HOME:-$HOME/.local/share}/orlatim"
  mkdir -p "$data"
  for sound in "$prefix/share/orlatim/sounds/"*; do
    [ -e "$sound" ] || continue
    # The user's own files win: only what is missing is copied.
    [ -e "$data/$(basename "$sound")" ] || cp "$sound" "$data/"
  done
  cd "$data"
fi
exec "$prefix/lib/orlatim/orlatim" "$@"
