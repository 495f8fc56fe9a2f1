#!/usr/bin/env bash
# Installs what is missing, builds Zorvane 2 and starts it. Extra arguments go to the game
# (for example --windowed).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zorvane2
exec ./build/zorvane2 "$@"
