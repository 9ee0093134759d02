#!/usr/bin/env bash
# Runs the formula evaluator's randomized tests over about a million generated formulas under
# AddressSanitizer and UndefinedBehaviorSanitizer (a separate build in build-asan/).
#   scripts/fuzz-formula.sh [scale]     scale 1 = 7,500 formulas; default 134 (about 1,005,000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scale=${1:-134}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DOBDRAC_SANITIZE=ON >/dev/null
cmake --build "$root/build-asan" -j"$(nproc)" --target test_pricing
export QT_QPA_PLATFORM=offscreen OBDRAC_FUZZ_SCALE="$scale" ASAN_OPTIONS=detect_leaks=1
"$root/build-asan/tests/pricing/test_pricing" --gtest_filter='FormulaFuzz.*:FormulaEvaluator*'
