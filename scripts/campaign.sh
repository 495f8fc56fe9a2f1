#!/usr/bin/env bash
# The autopilot plays the whole campaign from a new player's save (ten levels, the mini game, the
# marathon and the boss arena), prints its table of tries, then replays its recorded input without
# it and checks that the save file comes out the same. Optional arguments: the frame budget, and
# "human" for the pilot with a person's limits (--autopilot-human), which is given 800,000.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j"$(nproc)" --target zorvane2 zorvane2_tests >/dev/null
pilot="${2:-}"
default=400000
[ "$pilot" = human ] && default=800000
ZORVANE_CAMPAIGN_FRAMES="${1:-$default}" ZORVANE_CAMPAIGN_PILOT="$pilot" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
  ./build/tests/zorvane2_tests --gtest_filter='Campaign.TheAutopilot*'
