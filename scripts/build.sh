#!/usr/bin/env bash
# Configures (once) and builds into build/; extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja "$@"
fi
cmake --build build
