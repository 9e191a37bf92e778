#!/usr/bin/env bash
# The folder to hand out, build/dist/verifier-somme-VERSION/: the Debian package, the
# Windows program with LISEZMOI.txt (UTF-8 with a byte-order mark, CR LF, as Windows
# text), the manual pages as HTML, the browser page, the source (in a git checkout, the
# current commit, by git archive; in a tree without git, as from the source archive, the
# tree itself but build/), and SHA256SUMS, which sha256sum -c accepts. The version is
# debian/changelog's, as CMake reads it. make dist runs `scripts/dist.sh --outils` first,
# which stops at once when a tool is missing, naming its package, or when the checkout
# has uncommitted changes, which the source archive would lack; then it builds the
# package, the Windows program, the page and the HTML manual pages, and runs this script.
# Before it ends, the script checks what it made, and says so: the folder holds exactly
# these files, with the sums of SHA256SUMS; LISEZMOI.txt has its byte-order mark and is in
# CR LF within 80 columns, and the files it names are those of the folder; each manual
# page says its own language; and the Windows program built again from the source
# archive, in another folder, has the sum SHA256SUMS gives.
set -euo pipefail
cd "$(dirname "$0")/.."
git=
[ ! -e .git ] || git=git
if [ "${1-}" = --outils ]; then
    manque=
    for outil in ${git:+git:git} dpkg-buildpackage:dpkg-dev dh:debhelper po4a:po4a \
        x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 emcc:emscripten esbuild:esbuild mandoc:mandoc; do
        command -v "${outil%%:*}" > /dev/null || manque="$manque ${outil#*:}"
    done
    if [ -n "$manque" ]; then
        echo "make dist needs:$manque (apt-get install --no-install-recommends$manque)"
        exit 1
    fi
    if [ -n "$git" ] && ! git rev-parse --verify --quiet HEAD > /dev/null; then
        echo "make dist takes the source from git in a checkout: git must be able to read it"
        exit 1
    fi
    # The programs are built from the working tree, the source archive from the commit.
    if [ -n "$git" ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
        echo "make dist hands out the current commit: commit or set aside these changes first:"
        git status --short --untracked-files=no
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
paquet=$(cd build/paquet && ls verifier-somme_"$version"_*.deb)
cp build/paquet/"$paquet" build/windows/verifier-somme.exe build/web/verifier-somme.html "$dossier/"
cp build/release/man/verifier-somme.html "$dossier/manual-en.html"
cp build/release/man/fr/verifier-somme.html "$dossier/manuel-fr.html"
# The byte-order mark makes every Notepad, PowerShell's Get-Content and browsers read UTF-8.
{
    printf '\357\273\277'
    sed -e "s/@VERSION@/$version/g" -e "s/@PAQUET@/$paquet/g" -e 's/$/\r/' docs/LISEZMOI.txt
} > "$dossier/LISEZMOI.txt"
if [ -n "$git" ]; then
    git archive --format=tar.gz --prefix="$nom/" -o "$dossier/$nom.tar.gz" HEAD
else
    # The same files in the same order, dated and owned alike whoever runs it.
    find . \( -path ./build -o -path ./.git \) -prune -o ! -path . -printf '%P\n' | LC_ALL=C sort |
        tar --create --no-recursion --files-from=- --owner=0 --group=0 --numeric-owner \
            --mtime=@"$(dpkg-parsechangelog -S Timestamp)" --transform="s|^|$nom/|" |
        gzip -9n > "$dossier/$nom.tar.gz"
fi
(
    cd "$dossier"
    mapfile -t fichiers < <(find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
    sha256sum -- "${fichiers[@]}" > SHA256SUMS
)

# What was made is what is meant: these files and no other (none left from an earlier run).
attendus=$(printf '%s\n' "$paquet" verifier-somme.exe verifier-somme.html manual-en.html manuel-fr.html \
    LISEZMOI.txt "$nom.tar.gz" SHA256SUMS | LC_ALL=C sort)
presents=$(cd "$dossier" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort)
if [ "$presents" != "$attendus" ]; then
    printf 'build/dist/%s holds:\n%s\ninstead of:\n%s\n' "$nom" "$presents" "$attendus"
    exit 1
fi
if [ "$(head -c 3 "$dossier/LISEZMOI.txt" | od -An -tx1)" != " ef bb bf" ]; then
    echo "LISEZMOI.txt does not start with the byte-order mark of UTF-8"
    exit 1
fi
for page in manual-en.html:en manuel-fr.html:fr; do
    if ! grep -qx "<html lang=\"${page#*:}\">" "$dossier/${page%:*}"; then
        echo "${page%:*} is not the manual page in its language (${page#*:})"
        exit 1
    fi
done
if grep -qv $'\r$' "$dossier/LISEZMOI.txt" ||
    [ "$(tr -d '\r' < "$dossier/LISEZMOI.txt" | LC_ALL=C.UTF-8 wc -L)" -gt 80 ]; then
    echo "LISEZMOI.txt has a line that does not end in CR LF, or is wider than 80 columns"
    exit 1
fi
# What LISEZMOI.txt tells a teacher to type or open is what the folder holds: each file it
# names (after "./", or by its ending: .deb, .exe, .html, .tar.gz, and SHA256SUMS) is
# there, and it names each file there but itself.
lisezmoi=$(tr -d '\r' < "$dossier/LISEZMOI.txt")
mapfile -t nommes < <(grep -oE "\./[^ ')]+|[A-Za-z0-9._-]+\.(deb|exe|html|tar\.gz)|SHA256SUMS" <<< "$lisezmoi" |
    sed 's|^\./||')
for nomme in "${nommes[@]}"; do
    if [ ! -e "$dossier/$nomme" ]; then
        echo "LISEZMOI.txt names $nomme, which build/dist/$nom does not hold"
        exit 1
    fi
done
for fichier in $attendus; do
    if [ "$fichier" != LISEZMOI.txt ] && ! grep -qF -- "$fichier" <<< "$lisezmoi"; then
        echo "LISEZMOI.txt does not name $fichier, which build/dist/$nom holds"
        exit 1
    fi
done
(cd "$dossier" && sha256sum --check --quiet SHA256SUMS)
# The Windows program again, from the source archive, in a folder of another name: its
# sum must be the one SHA256SUMS gives (the program handed out is the archive's, and
# the sums are those of the files).
verification=build/dist/verification
rm -rf "$verification"
mkdir -p "$verification"
tar -xzf "$dossier/$nom.tar.gz" -C "$verification"
(cd "$verification/$nom" && cmake --preset windows && cmake --build --preset windows --target verifier-somme) \
    > "$verification.log" 2>&1 || { tail -n 40 "$verification.log"; exit 1; }
if ! grep '  verifier-somme\.exe$' "$dossier/SHA256SUMS" |
    (cd "$verification/$nom/build/windows" && sha256sum --check --quiet); then
    echo "verifier-somme.exe built again from $nom.tar.gz has not the sum of SHA256SUMS: the hand-out is not reproducible"
    exit 1
fi
rm -rf "$verification" "$verification.log"
echo "build/dist/$nom:"
find "$dossier" -mindepth 1 -printf '%10s  %f\n' | LC_ALL=C sort -k 2
echo "checked: these files and no other, each with the sum SHA256SUMS gives;"
echo "  LISEZMOI.txt in UTF-8 with its byte-order mark, CR LF, within 80 columns, naming"
echo "  each of these files as it is named here; each manual page in its own language;"
echo "  verifier-somme.exe built again from $nom.tar.gz, with the same sum"
