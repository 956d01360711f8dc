#!/usr/bin/env bash
# Installs what is missing, then configures and builds Quarvel with Ninja into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
