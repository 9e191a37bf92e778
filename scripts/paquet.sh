#!/usr/bin/env bash
# Checks that the manual page renders without a warning, and the Debian package built
# by `make package`: lintian reports no error; then, as root, dpkg installs it, the
# installed program runs a transcript, its manual page is found, and dpkg removes both.
# Needs lintian (Debian package lintian).
set -euo pipefail
cd "$(dirname "$0")/.."

avertissements=$(man --warnings -l man/verifier-somme.1 2>&1 > /dev/null)
if [ -n "$avertissements" ]; then
    echo "man --warnings on the manual page:"
    echo "$avertissements"
    exit 1
fi
echo "man --warnings: none"

paquet=$(ls build/release/verifier-somme_*.deb)
lintian --fail-on error --info "$paquet"
echo "lintian: no error on $paquet"

if [ "$(id -u)" != 0 ]; then
    echo "not root: dpkg -i and dpkg -r are not tried"
    exit 0
fi
dpkg -i "$paquet"
sortie=$(mktemp)
trap 'rm -f "$sortie"' EXIT
/usr/bin/verifier-somme < tests/transcripts/debordements.in > "$sortie"
cmp "$sortie" tests/transcripts/debordements.out
man -w verifier-somme
MANWIDTH=80 man verifier-somme 2>/dev/null | grep -q 'check the sum of two 16-bit signed integers'
dpkg -r verifier-somme
if [ -e /usr/bin/verifier-somme ] || man -w verifier-somme > /dev/null 2>&1; then
    echo "dpkg -r left the program or its manual page behind"
    exit 1
fi
echo "dpkg: installed, ran, found its manual page, removed"
