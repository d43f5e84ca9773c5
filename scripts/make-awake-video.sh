#!/usr/bin/env bash
# Makes src/remote/awake.mp4, the black video that a remote page plays,
# muted and looping, to keep a phone's screen on where the browser grants
# no screen wake lock (every page opened over plain http on the room's
# network). The file is committed; run this only to make it anew.
# Needs Debian's ffmpeg (apt-get install ffmpeg), with libx264.
#
# Four seconds of black at five frames a second, 128×128, H.264 Baseline in
# MP4 with its index first: every phone browser plays it, Safari on iOS
# included, and it weighs a few kilobytes. The browser stretches it over the
# whole page behind the digits, as Chrome keeps a muted video from letting
# the screen sleep only while the video covers a good part of the page.
set -euo pipefail
cd "$(dirname "$0")/.."
ffmpeg -nostdin -hide_banner -loglevel error -y \
  -f lavfi -i "color=c=black:s=128x128:r=5:d=4" \
  -an -c:v libx264 -profile:v baseline -level 3.0 -pix_fmt yuv420p -preset veryslow \
  -x264-params "keyint=20" -movflags +faststart \
  -fflags +bitexact -flags:v +bitexact -map_metadata -1 \
  src/remote/awake.mp4
ls -l src/remote/awake.mp4
