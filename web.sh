#!/usr/bin/env bash
# Builds the browser version and serves it on http://127.0.0.1:8080 (open it in a browser).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build-web.sh
exec python3 web/serve.py 8080
