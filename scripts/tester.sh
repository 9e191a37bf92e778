#!/usr/bin/env bash
# Configures, builds and tests one CMake preset, printing on a passing run only the parts
# that could not be built, the summary and any test that passed only when run again; on a
# failure, the build's log or each failed test's output as well.
# Usage: scripts/tester.sh PRESET
set -uo pipefail
cd "$(dirname "$0")/.."
preset=$1
mkdir -p build
journal=build/$preset.log
if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } > "$journal" 2>&1; then
    tail -n 80 "$journal"
    echo "the $preset build failed (its log: $journal)"
    exit 1
fi
grep '^-- Not built' "$journal"
# Wine's first start sets up its prefix (the test preset's WINEPREFIX) and writes a few
# lines of its own, among them a failure to open the 32-bit rundll32.exe, which 64-bit
# programs never need. It is done here, its lines kept in a log, before the tests start.
if [ "$preset" = windows ] && [ ! -d build/windows/wine ]; then
    echo "setting up Wine's prefix in build/windows/wine (once; its messages: build/windows-wine.log)"
    WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all sh -c 'wineboot --init && wineserver -w' \
        > build/windows-wine.log 2>&1 || { cat build/windows-wine.log; exit 1; }
fi
# Each test that passes is one line of the summary's count, not two of its own.
ctest --preset "$preset" | tee "build/$preset.tests.log" |
    grep -Ev '^ *Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* +Passed +[0-9.]+ sec$|^$'
statut=${PIPESTATUS[0]}
# A test that failed and then passed when run again (the windows preset runs a failing
# test once more) is named, so that a flaky test is seen even when the run passes.
awk '/Test +#[0-9]+: / { nom = $0; sub(/.*Test +#[0-9]+: /, "", nom); sub(/ .*/, "", nom)
    if ($0 ~ / Passed +[0-9.]+ sec$/) { if (nom in rate) print "rerun: " nom " failed, then passed when run again" }
    else rate[nom] = 1 }' "build/$preset.tests.log"
exit "$statut"
