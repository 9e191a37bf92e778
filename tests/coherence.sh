#!/bin/sh
# Facts written in two places must agree.
#   version SOURCES VERSION MANPAGE...: the version and date of the first entry of
#     debian/changelog, read by dpkg-parsechangelog, against the project's version
#     (CMake) and the .TH line of each generated manual page;
#   licence SOURCES: LICENSE against the Expat licence and copyright of debian/copyright;
#   readme SOURCES: each README.md block marked <!-- transcript: NAME --> against
#     tests/transcripts/NAME.in and NAME.out and the status in tests/transcripts/liste;
#   noms SOURCES: each name in backticks in the README and the notes (*.md) against the tree.
set -eu
quoi=$1
racine=$2
shift 2
temporaire=$(mktemp -d)
trap 'rm -rf "$temporaire"' EXIT

echec() {
    echo "$*"
    exit 1
}

case $quoi in
version)
    version=$1
    shift
    changelog=$racine/debian/changelog
    de_dpkg=$(dpkg-parsechangelog -l "$changelog" -S Version)
    [ "$de_dpkg" = "$version" ] ||
        echec "debian/changelog gives version $de_dpkg, the project (CMake) $version"
    # The date in UTC, by dpkg's own language rather than a date(1) of one system or another.
    date=$(perl -MPOSIX -e 'print strftime("%Y-%m-%d", gmtime($ARGV[0]))' \
        "$(dpkg-parsechangelog -l "$changelog" -S Timestamp)")
    for page in "$@"; do
        # .TH TITLE SECTION DATE "verifier-somme VERSION" ..., hyphens escaped or not.
        th=$(sed -n 's/\\-/-/g; s/^\.TH [^ ]* [^ ]* \([^ ]*\) "verifier-somme \([^"]*\)".*/\1 \2/p' "$page")
        [ "$th" = "$date $version" ] ||
            echec "$page: .TH gives '$th', debian/changelog '$date $version'"
    done
    echo "version $version of $date in debian/changelog, the project and $# manual page(s)"
    ;;
licence)
    copyright=$racine/debian/copyright
    # The stand-alone "License: Expat" paragraph, its continuation lines unfolded.
    awk 'texte && /^[^ ]/ { exit } texte { print } /^License: Expat$/ && precedente == "" { texte = 1 }
         { precedente = $0 }' "$copyright" | sed -e 's/^ //' -e 's/^\.$//' > "$temporaire/texte"
    [ -s "$temporaire/texte" ] || echec "debian/copyright has no stand-alone License: Expat paragraph"
    titulaire=$(sed -n 's/^Copyright: //p' "$copyright" | head -n 1)
    { echo "Copyright $titulaire"; echo; cat "$temporaire/texte"; } > "$temporaire/attendu"
    diff -u "$temporaire/attendu" "$racine/LICENSE" ||
        echec "LICENSE differs from the licence and copyright in debian/copyright"
    echo "LICENSE matches debian/copyright"
    ;;
readme)
    noms=$(sed -n 's/^<!-- transcript: \([A-Za-z0-9_]*\) -->$/\1/p' "$racine/README.md")
    [ -n "$noms" ] || echec "README.md has no block marked <!-- transcript: NAME -->"
    for nom in $noms; do
        statut=$(while read -r listee s; do [ "$listee" != "$nom" ] || echo "$s"; done < "$racine/tests/transcripts/liste")
        [ -n "$statut" ] || echec "README.md shows $nom, which tests/transcripts/liste does not list"
        entree=tests/transcripts/$nom.in
        {
            echo "\$ cat $entree"
            cat "$racine/$entree"
            echo "\$ build/release/verifier-somme < $entree; echo \" (status \$?)\""
            cat "$racine/tests/transcripts/$nom.out"
            echo " (status $statut)"
        } > "$temporaire/attendu"
        # The fenced block that follows the marker line.
        awk -v marque="<!-- transcript: $nom -->" '
            $0 == marque { suivant = 1; next }
            suivant && /^```/ { if (dedans) exit; dedans = 1; next }
            dedans { print }' "$racine/README.md" > "$temporaire/montre"
        diff -u "$temporaire/attendu" "$temporaire/montre" ||
            echec "README.md's example $nom differs from what the program writes (above)"
    done
    echo "README.md examples match their transcripts: $noms"
    ;;
noms)
    # A span without a space, but a number, an option, a system path or a pattern, is a
    # name: a path of the tree (a file, a folder or the end of one), or else each part of
    # its last part (A::b) is a word of the tree's files but the documents.
    cd "$racine" && set -f  # a name is never a pattern to expand
    find . \( -name build -o -name .git -o -name 'obj-*' \) -prune -o -type f -printf '%P\n' > "$temporaire/fichiers"
    grep -v -e '\.md$' -e '^debian/changelog$' "$temporaire/fichiers" | tr '\n' '\0' | xargs -0 cat > "$temporaire/texte"
    manque=
    for nom in $(grep '\.md$' "$temporaire/fichiers" | xargs awk '/^```/ { bloc = !bloc } !bloc' |
        grep -o "\`[^\` ]*\`" | tr -d "\`" | sed 's/()$//; s|/$||' | sort -u); do
        case $nom in [0-9+-]* | /* | '~'* | '$'* | *'*'* | '#'*) continue ;; esac
        awk -v n="$nom" '$0 == n || index($0, n "/") == 1 || index("/" $0 "/", "/" n "/") { t = 1 } END { exit !t }' \
            "$temporaire/fichiers" && continue
        for mot in $(echo "${nom##*/}" | sed 's/::/ /g'); do
            grep -qawF -e "$mot" "$temporaire/texte" || manque="$manque $nom"
        done
    done
    [ -z "$manque" ] || echec "the documents name what the tree does not hold:$manque"
    echo "every name in backticks of the documents is in the tree"
    ;;
*)
    echec "unknown check: $quoi"
    ;;
esac
