#!/usr/bin/env bash
# Fails, naming the cycle, when two folders of src/ include each other (directly or round a loop).
set -euo pipefail
exec python3 "$(dirname "$0")/check_includes.py" "${1:-$(dirname "$0")/../src}"
