#!/usr/bin/env bash
# Runs the report expression language's randomized tests over about a million generated
# expressions under AddressSanitizer and UndefinedBehaviorSanitizer (a separate build in
# build-asan/), with the damaged-definition and damaged-file tests beside them.
#   scripts/fuzz-report-expressions.sh [scale]     scale 1 = 7,500 expressions; default 134
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scale=${1:-134}
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$root/build-asan" -j"$(nproc)" --target test_reports
export QT_QPA_PLATFORM=offscreen OBDRAC_FUZZ_SCALE="$scale" ASAN_OPTIONS=detect_leaks=1
"$root/build-asan/tests/reports/test_reports" \
  --gtest_filter='ReportExpressionFuzz.*:*ReportExpressionTable*:*DamagedDefinition*:ReportLayout.PreparedReportSurvives*'
