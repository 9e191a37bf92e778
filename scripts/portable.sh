#!/usr/bin/env bash
# Builds the program as a packager on another system would, with plain CMake and no
# preset, and runs the tests that can run there:
#   1. without po4a, dpkg's tools, GoogleTest and date(1): CMake sees a PATH of this
#      machine's commands without them, and is told not to look for GoogleTest;
#   2. with clang, libc++ and lld.
# Needs clang, libc++-14-dev, libc++abi-14-dev and lld.
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=$PWD/build/portable
rm -rf "$dossier"
mkdir -p "$dossier/commandes"

construire() { # NAME CMAKE-OPTION...
    local nom=$1
    shift
    echo "== $nom"
    cmake -S . -B "$dossier/$nom" "$@" > "$dossier/$nom.log" 2>&1 ||
        { cat "$dossier/$nom.log"; exit 1; }
    grep -E '^-- (Built|Not built):' "$dossier/$nom.log"
    cmake --build "$dossier/$nom" -j 2 >> "$dossier/$nom.log" 2>&1 ||
        { tail -n 40 "$dossier/$nom.log"; exit 1; }
    (cd "$dossier/$nom" && ctest -j 2 --output-on-failure | grep -E 'tests passed|FAILED|Failed|\*\*\*|^\s+[0-9]+ - ')
}

for commande in /usr/local/bin/* /usr/bin/*; do
    nom=${commande##*/}
    case $nom in po4a* | dpkg* | date) continue ;; esac
    [ -e "$dossier/commandes/$nom" ] || ln -s "$commande" "$dossier/commandes/$nom"
done
PATH=$dossier/commandes construire sans-outils -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON

# GoogleTest as Debian builds it is for libstdc++: its tests are left out here.
construire clang-libcxx-lld -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-stdlib=libc++ \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld \
    -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
