#!/usr/bin/env bash
# Static checks: formatting of every C++ file, then clang-tidy on src/ and tests/ (every
# processor at once) and cppcheck on src/, then eslint on the page's JavaScript (web/eslint.json), shellcheck on
# every shell script and pyflakes on every Python file.
# Needs the developer build's compile_commands.json (cmake --preset dev); the Windows
# side of the console is checked with the Windows preset's, configured in build/lint/windows,
# when MinGW-w64 is installed.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files formatted"

# clang-tidy takes a file at a time: one process per file, as many at once as there are
# processors, the longest first. A file's diagnostics are printed once it is done; any of
# them fails the run, once every check has run.
processeurs=$(nproc)
journaux=$(mktemp -d)
trap 'wait; rm -rf "$journaux"' EXIT
fichiers=0
verifier() { # DATABASE CLANG-TIDY-ARGUMENT... FILE, started in the background
    local base=$1
    shift
    while [ "$(jobs -pr | wc -l)" -ge "$processeurs" ]; do wait -n || :; done
    fichiers=$((fichiers + 1))
    local journal=$journaux/$fichiers
    { clang-tidy --quiet -p "$base" "$@" > "$journal" 2>&1 ||
        { grep -v ' warnings generated\.$' "$journal"; touch "$journal.echec"; }; } &
}

# The tests as the program, with tests/.clang-tidy; the Windows side with the Windows
# preset's compile commands, when MinGW-w64 is installed; the browser's side as the web
# build compiles it, as it hands the program's decisions to the page. Those that include
# GoogleTest first, each group the largest first: a line "0|1 SIZE SIDE FILE" each.
mapfile -t posix < <(git ls-files 'src/*.cpp' 'tests/*.cpp' ':!src/console/windows/' ':!src/console/navigateur/' \
    ':!tests/*windows*')
windows=() entetes=() configuration=
if command -v x86_64-w64-mingw32-g++-posix > /dev/null; then
    # Configured while the first files are checked, in a folder of its own, so that a
    # Windows build running at the same time is left alone.
    cmake --preset windows -B build/lint/windows > /dev/null &
    configuration=$!
    # clang finds MinGW's C headers by itself, but not the C++ ones of its GCC.
    mapfile -t entetes < <(x86_64-w64-mingw32-g++-posix -E -x c++ -v /dev/null 2>&1 |
        sed -n '/^#include <...>/,/^End of search/p' | grep '/c++' | sed 's/^ */--extra-arg=-isystem/')
    mapfile -t windows < <(git ls-files 'tests/*windows*.cpp' 'src/console/windows/*.cpp')
    cote="and the Windows side"
else
    cote="(MinGW-w64 is not installed: not the Windows side)"
fi
{
    printf 'posix %s\n' "${posix[@]}"
    [ ${#windows[@]} = 0 ] || printf 'windows %s\n' "${windows[@]}"
    echo navigateur src/console/navigateur/systeme.cpp
} | while read -r systeme fichier; do
    grep -qF gtest/gtest.h "$fichier" && gtest=0 || gtest=1
    echo "$gtest $(wc -c < "$fichier") $systeme $fichier"
done | sort -k1,1n -k2,2nr > "$journaux/liste"
while read -r _ _ systeme fichier; do
    case $systeme in
    posix) verifier build/dev "$fichier" ;;
    windows)
        [ -z "$configuration" ] || wait "$configuration"
        configuration=
        verifier build/lint/windows "${entetes[@]}" "$fichier"
        ;;
    navigateur) verifier build/dev --extra-arg=-DVERIFIER_SOMME_ANNONCES "$fichier" ;;
    esac
done < "$journaux/liste"

# The other checks, while the last of clang-tidy's run.
cppcheck --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 \
    --inline-suppr --quiet -I src src
echo "cppcheck: clean on src/"

# The page's script, its modules and tests, and the browser side of the console, by
# their own rules (web/eslint.json: the program's width, no-regex-spaces off as the
# program's texts hold double spaces). Debian's eslint finds its modules in
# /usr/share/nodejs, where a node that is not Debian's own does not look.
export NODE_PATH=/usr/share/nodejs
eslint --no-eslintrc -c web/eslint.json web/*.mjs src/console/navigateur/systeme.js
echo "eslint: clean on web/*.mjs and src/console/navigateur/systeme.js"

# Every shell script of the tree, found by its first line (scripts/, tests/, bench/, CI's,
# the package's tests), at shellcheck's every level.
mapfile -t scripts < <(git ls-files | while IFS= read -r fichier; do
    head -n 1 -- "$fichier" | grep -Eq '^#! */(usr/)?bin/(env +)?(ba|da)?sh( |$)' && printf '%s\n' "$fichier"
done)
shellcheck "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts clean"

mapfile -t modules < <(git ls-files '*.py')
pyflakes3 "${modules[@]}"
echo "pyflakes: ${#modules[@]} Python files clean"

wait
echecs=$(find "$journaux" -name '*.echec' | wc -l)
[ "$echecs" = 0 ] || { echo "clang-tidy: $echecs of $fichiers files have diagnostics (above)"; exit 1; }
echo "clang-tidy: $fichiers files clean, $processeurs at a time: src/ and tests/ (POSIX build, the browser's side) $cote"
