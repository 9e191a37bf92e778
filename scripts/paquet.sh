#!/usr/bin/env bash
# Builds the Debian package (source and binary, dpkg-buildpackage -us -uc) out of a copy
# of the tree, so that nothing is written beside the checkout:
#   scripts/paquet.sh            the working tree as it is, uncommitted changes and new
#                                files included (ignored files are not): build/paquet/
#   scripts/paquet.sh DIR        a fresh clone of the current commit (HEAD), committed
#                                work only, in DIR/ (used by the reproducibility check)
#   scripts/paquet.sh --reprendre  as the first, unless build/paquet/ already holds the
#                                package of the current commit, built with nothing
#                                uncommitted, and nothing is uncommitted now (make dist)
# The package files land in the output folder, beside the copy; the build log is
# construction.log there. The build runs the test suite (dh_auto_test), as Debian's do
# (with EXHAUSTIVE=no, all but the exhaustive checks; with DEB_BUILD_OPTIONS=nocheck, none).
# Needs the Build-Depends of debian/control (dpkg-checkbuilddeps says which are missing).
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cd "$racine"

# The tools first: a missing one stops the build at once, named with its package.
if [ -e .git ] && ! command -v git > /dev/null; then
    echo "make package copies the checkout with git: apt-get install git"
    exit 1
fi
if ! command -v dpkg-checkbuilddeps > /dev/null; then
    echo "make package needs dpkg-buildpackage: apt-get install --no-install-recommends dpkg-dev"
    exit 1
fi
dpkg-checkbuilddeps

# The commit that build/paquet/ was built from, when nothing was uncommitted, is in its file
# commit: make dist takes that package as it is while the checkout is still that commit.
if [ "${1-}" = --reprendre ]; then
    shift
    if [ -e .git ] && [ -z "$(git status --porcelain --untracked-files=all)" ] &&
        [ "$(cat build/paquet/commit 2> /dev/null)" = "$(git rev-parse HEAD)" ]; then
        echo "the package in build/paquet/ is of commit $(git rev-parse --short HEAD), as the checkout: taken as it is"
        exit 0
    fi
fi

if [ $# -ge 1 ]; then
    sortie=$(mkdir -p "$1" && cd "$1" && pwd)
    commit=$(git rev-parse HEAD)
    rm -rf "$sortie"
    mkdir -p "$sortie"
    git clone --quiet --no-local --no-checkout "$racine" "$sortie/verifier-somme"
    git -C "$sortie/verifier-somme" checkout --quiet --detach "$commit"
    rm -rf "$sortie/verifier-somme/.git"
    echo "package of commit $(git rev-parse --short "$commit") (committed work only), in $sortie"
else
    sortie=$racine/build/paquet
    changements=unknown
    rm -rf "$sortie"
    mkdir -p "$sortie/verifier-somme"
    if git rev-parse --git-dir > /dev/null 2>&1; then
        # Tracked and new files as they are on disk; deleted ones are left out.
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' fichier; do
                [ -e "$fichier" ] && printf '%s\0' "$fichier"
            done |
            tar --null -T - -cf - | tar -xf - -C "$sortie/verifier-somme"
        changements=$(git status --porcelain --untracked-files=all)
        if [ -n "$changements" ]; then
            echo "package of the working tree: commit $(git rev-parse --short HEAD) with these uncommitted changes:"
            printf '%s\n' "$changements" | sed 's/^/  /'
        else
            echo "package of the working tree: commit $(git rev-parse --short HEAD), nothing uncommitted"
        fi
    else
        tar --exclude=./build -cf - . | tar -xf - -C "$sortie/verifier-somme"
        echo "package of the tree in $racine (not a git checkout)"
    fi
fi

# SOURCE_DATE_EPOCH comes from debian/changelog, set by dpkg-buildpackage itself.
unset SOURCE_DATE_EPOCH
cd "$sortie/verifier-somme"
if ! dpkg-buildpackage -us -uc -Jauto > "$sortie/construction.log" 2>&1; then
    tail -n 60 "$sortie/construction.log"
    echo "dpkg-buildpackage failed: the whole log is $sortie/construction.log"
    exit 1
fi
grep -E '^[0-9]+% tests passed|tests failed out of' "$sortie/construction.log" || true
if [ $# = 0 ] && [ -e "$racine/.git" ] && [ -z "$changements" ]; then
    git -C "$racine" rev-parse HEAD > "$sortie/commit"
fi
cd "$sortie"
for fichier in ./*.deb ./*.dsc; do
    echo "built $sortie/${fichier#./}"
done
