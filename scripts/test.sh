#!/usr/bin/env bash
# Builds Quarvel (installing what is missing) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 300 -j 2
