#!/usr/bin/env bash
# Configures, builds and tests one CMake preset. First, the Debian packages it needs that
# are missing are named, all at once. Then the build's progress, at a terminal, as one
# line that updates itself; the parts that could not be built; each test as it ends, on
# one line of at most 80 columns (its number, its time, how it failed if it did, and its
# name, its middle left out when too long), and ctest's summary, with any test that passed only when run
# again; on a failure, the build's log or each failed test's output as well. With
# EXHAUSTIVE=no in the environment, the exhaustive checks (CTest label exhaustive) are
# left out, as CI does where it has already run them.
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
# Wine's first start sets up its prefix (the test preset's WINEPREFIX) and writes a few
# lines of its own, among them a failure to open the 32-bit rundll32.exe, which 64-bit
# programs never need. It is done while the build runs, its lines kept in a log, and
# before the tests start.
wine=
if [ "$preset" = windows ] && [ ! -d build/windows/wine ]; then
    echo "setting up Wine's prefix in build/windows/wine (once; its messages: build/windows-wine.log)"
    mkdir -p build/windows
    WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all sh -c 'wineboot --init && wineserver -w' \
        > build/windows-wine.log 2>&1 &
    wine=$!
fi
if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } 2>&1 | tee "$journal" | avancement; then
    tail -n 80 "$journal"
    echo "the $preset build failed (its log: $journal)"
    exit 1
fi
grep '^-- Not built' "$journal"
if [ -n "$wine" ] && ! wait "$wine"; then
    cat build/windows-wine.log
    exit 1
fi
choix=()
if [ "${EXHAUSTIVE-yes}" = no ]; then
    echo "the exhaustive checks are left out (EXHAUSTIVE=no)"
    choix=(--label-exclude exhaustive)
fi
# Each test as it ends, in one line of 80 columns at most: "12/68  0.01s NAME" when it
# passed, with how it failed before the name otherwise. ctest's "Start" lines and blank
# lines are left out, its other lines kept.
ctest --preset "$preset" "${choix[@]}" | tee "build/$preset.tests.log" | awk '
    /^ *Start +[0-9]+: / || /^$/ { next }
    /^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: / {
        reste = $0; sub(/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: /, "", reste)
        nom = reste; sub(/ .*/, "", nom)
        statut = substr(reste, length(nom) + 1); sub(/ +[0-9.]+ sec$/, "", statut)
        sub(/^[ .]+/, "", statut); gsub(/\*/, "", statut)
        ligne = sprintf("%5s %6.2fs %s%s", $1, $(NF - 1), statut == "Passed" ? "" : toupper(statut) " ", nom)
        if (length(ligne) > 80) ligne = substr(ligne, 1, 48) "..." substr(ligne, length(ligne) - 28)
        print ligne; fflush(); next
    }
    { print; fflush() }'
statut=${PIPESTATUS[0]}
# A test that failed and then passed when run again (the windows preset runs a failing
# test once more) is named, so that a flaky test is seen even when the run passes.
awk '/Test +#[0-9]+: / { nom = $0; sub(/.*Test +#[0-9]+: /, "", nom); sub(/ .*/, "", nom)
    if ($0 ~ / Passed +[0-9.]+ sec$/) { if (nom in rate) print "rerun: " nom " failed, then passed when run again" }
    else rate[nom] = 1 }' "build/$preset.tests.log"
exit "$statut"
