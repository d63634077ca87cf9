#!/usr/bin/env bash
# Installs what is missing, builds Quorvel into build/ and runs every test
# headless; then runs the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# No sound device is needed. The Qt tests get the offscreen platform from
# ctest; the end-to-end scripts drive the real program under Xvfb, so the
# platform is not forced here.
export SDL_AUDIODRIVER=dummy
jobs=$(nproc)
# The layers of src/ include only downwards, without a cycle.
python3 tools/check_include_layers.py
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
# Both test runs happen even when the first has failures; the script fails
# when either did.
status=0
ctest --test-dir build --output-on-failure -j "$jobs" || status=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_CORE_ONLY=ON \
      -DQUORVEL_SANITIZE=ON -DQUORVEL_DATA_ROOT="$PWD/build"
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" || status=1
exit "$status"
