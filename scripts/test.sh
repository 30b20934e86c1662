#!/usr/bin/env bash
# Installs the dependencies, then builds and runs every test: the optimised build, the build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Services some tests talk to (a private X server, a CUPS queue); stopped when this script ends.
source scripts/test-services.sh
start_test_services
trap stop_test_services EXIT

for preset in default asan; do
    echo "=== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)"
    echo "=== $preset tests"
    ctest --preset "$preset" -j"$(nproc)" --timeout 600
done

echo "=== fuzz targets"
scripts/fuzz.sh 10
