#!/usr/bin/env bash
# The folder to hand out, build/dist/verifier-somme-VERSION/: the Debian package, the
# Windows program with LISEZMOI.txt (in CR LF, as Windows text), the browser page, the
# source of the current commit (git archive), and SHA256SUMS, which sha256sum -c accepts.
# The version is debian/changelog's, as CMake reads it. make dist builds the package, the
# Windows program and the page first.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! git rev-parse --verify --quiet HEAD > /dev/null; then
    echo "make dist takes the source from git: run it in a git checkout (git must be able to read it)"
    exit 1
fi
version=$(cmake -P cmake/changelog.cmake)
nom=verifier-somme-$version
dossier=build/dist/$nom
rm -rf "$dossier"
mkdir -p "$dossier"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes: the programs have them, the source archive (commit $(git rev-parse --short HEAD)) does not"
fi
paquet=$(cd build/paquet && ls verifier-somme_"$version"_*.deb)
cp build/paquet/"$paquet" build/windows/verifier-somme.exe build/web/verifier-somme.html "$dossier/"
sed -e "s/@VERSION@/$version/g" -e "s/@PAQUET@/$paquet/g" -e 's/$/\r/' docs/LISEZMOI.txt > "$dossier/LISEZMOI.txt"
git archive --format=tar.gz --prefix="$nom/" -o "$dossier/$nom.tar.gz" HEAD
cd "$dossier"
find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort | xargs sha256sum -- > SHA256SUMS
sha256sum --check --quiet SHA256SUMS
echo "build/dist/$nom:"
ls -l | sed 1d
