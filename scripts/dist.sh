#!/usr/bin/env bash
# The folder to hand out, build/dist/verifier-somme-VERSION/: the Debian package, the
# Windows program with LISEZMOI.txt (UTF-8 with a byte-order mark, CR LF, as Windows
# text), the manual pages as HTML, the browser page, the source of the current commit
# (git archive), and SHA256SUMS, which sha256sum -c accepts. The version is
# debian/changelog's, as CMake reads it. make dist runs `scripts/dist.sh --outils` first, which stops at
# once when a tool is missing, naming its package; then it builds the package, the
# Windows program, the page and the HTML manual pages, and runs this script.
# Before it ends, the script checks what it made: the folder holds exactly these files,
# LISEZMOI.txt is in CR LF within 80 columns, and the Windows program built again from
# the source archive, in another folder, is the same to the byte.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1-}" = --outils ]; then
    manque=
    for outil in git:git dpkg-buildpackage:dpkg-dev dh:debhelper po4a:po4a \
        x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 emcc:emscripten esbuild:esbuild mandoc:mandoc; do
        command -v "${outil%%:*}" > /dev/null || manque="$manque ${outil#*:}"
    done
    if [ -n "$manque" ]; then
        echo "make dist needs:$manque (apt-get install --no-install-recommends$manque)"
        exit 1
    fi
    if ! git rev-parse --verify --quiet HEAD > /dev/null; then
        echo "make dist takes the source from git: run it in a git checkout (git must be able to read it)"
        exit 1
    fi
    # The package's own build dependencies, named by dpkg.
    exec dpkg-checkbuilddeps
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
cp build/release/man/verifier-somme.html "$dossier/manual-en.html"
cp build/release/man/fr/verifier-somme.html "$dossier/manuel-fr.html"
# The byte-order mark makes every Notepad, PowerShell's Get-Content and browsers read UTF-8.
{
    printf '\357\273\277'
    sed -e "s/@VERSION@/$version/g" -e "s/@PAQUET@/$paquet/g" -e 's/$/\r/' docs/LISEZMOI.txt
} > "$dossier/LISEZMOI.txt"
git archive --format=tar.gz --prefix="$nom/" -o "$dossier/$nom.tar.gz" HEAD
(
    cd "$dossier"
    find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort | xargs sha256sum -- > SHA256SUMS
    sha256sum --check --quiet SHA256SUMS
)

# What was made is what is meant: these files and no other (none left from an earlier run).
attendus=$(printf '%s\n' "$paquet" verifier-somme.exe verifier-somme.html manual-en.html manuel-fr.html \
    LISEZMOI.txt "$nom.tar.gz" SHA256SUMS | LC_ALL=C sort)
presents=$(cd "$dossier" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort)
if [ "$presents" != "$attendus" ]; then
    printf 'build/dist/%s holds:\n%s\ninstead of:\n%s\n' "$nom" "$presents" "$attendus"
    exit 1
fi
if grep -qv $'\r$' "$dossier/LISEZMOI.txt" ||
    [ "$(tr -d '\r' < "$dossier/LISEZMOI.txt" | LC_ALL=C.UTF-8 wc -L)" -gt 80 ]; then
    echo "LISEZMOI.txt has a line that does not end in CR LF, or is wider than 80 columns"
    exit 1
fi
# The Windows program again, from the source archive, in a folder of another name.
verification=build/dist/verification
rm -rf "$verification"
mkdir -p "$verification"
if [ -z "$(git status --porcelain --untracked-files=no)" ]; then
    tar -xzf "$dossier/$nom.tar.gz" -C "$verification"
    (cd "$verification/$nom" && cmake --preset windows && cmake --build --preset windows --target verifier-somme) \
        > "$verification.log" 2>&1 || { tail -n 40 "$verification.log"; exit 1; }
    if ! cmp "$dossier/verifier-somme.exe" "$verification/$nom/build/windows/verifier-somme.exe"; then
        echo "verifier-somme.exe built again from $nom.tar.gz differs: the hand-out is not reproducible"
        exit 1
    fi
    rm -rf "$verification" "$verification.log"
else
    echo "note: verifier-somme.exe is not built again from the source archive, which lacks the uncommitted changes"
fi
echo "build/dist/$nom:"
ls -l "$dossier" | sed 1d
