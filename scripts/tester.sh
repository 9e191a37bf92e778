#!/usr/bin/env bash
# Configures, builds and tests one CMake preset. First, the Debian packages it needs that
# are missing are named, all at once. Then the build's progress, at a terminal, as one
# line that updates itself; the parts that could not be built; each test as it passes,
# as ctest says it, and the summary, with any test that passed only when run again; on a
# failure, the build's log or each failed test's output as well.
# Usage: scripts/tester.sh PRESET
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
preset=$1

# What each preset needs: a command or a file, and its Debian package.
case $preset in
dev | asan) besoins="cmake:cmake c++:g++ make:make po4a:po4a /usr/include/gtest/gtest.h:libgtest-dev
    dpkg-parsechangelog:dpkg-dev readelf:binutils timeout:coreutils" ;;
windows) besoins="cmake:cmake make:make x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 wine:wine
    /usr/src/googletest/CMakeLists.txt:googletest" ;;
*) besoins="cmake:cmake make:make" ;;
esac
manque=
for besoin in $besoins; do
    chemin=${besoin%%:*}
    case $chemin in
    /*) [ -e "$chemin" ] ;;
    *) command -v "$chemin" > /dev/null ;;
    esac || manque="$manque ${besoin#*:}"
done
if [ -n "$manque" ]; then
    echo "the $preset build and its tests need these Debian packages:$manque"
    echo "as root: apt-get install --no-install-recommends$manque"
    exit 1
fi

mkdir -p build
journal=build/$preset.log
# The build's "[ 42%]" steps, at a terminal, as one line.
avancement() {
    if [ -t 1 ]; then
        awk '/^\[ *[0-9]+%\]/ { printf "\rbuilding the %s build: %s", preset, substr($0, 2, 4); fflush() }
            END { printf "\r%60s\r", "" }' preset="$preset"
    else
        cat > /dev/null
    fi
}
if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } 2>&1 | tee "$journal" | avancement; then
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
# Each test as it ends, in one line (ctest's "Start" lines and blank lines left out).
ctest --preset "$preset" | tee "build/$preset.tests.log" | grep --line-buffered -Ev '^ *Start +[0-9]+: |^$'
statut=${PIPESTATUS[0]}
# A test that failed and then passed when run again (the windows preset runs a failing
# test once more) is named, so that a flaky test is seen even when the run passes.
awk '/Test +#[0-9]+: / { nom = $0; sub(/.*Test +#[0-9]+: /, "", nom); sub(/ .*/, "", nom)
    if ($0 ~ / Passed +[0-9.]+ sec$/) { if (nom in rate) print "rerun: " nom " failed, then passed when run again" }
    else rate[nom] = 1 }' "build/$preset.tests.log"
exit "$statut"
