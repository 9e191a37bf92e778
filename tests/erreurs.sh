#!/bin/sh
# Standard streams that fail, and unusual states of the process. A failure must stop
# the program with status 1 and one line on standard error that says why, and never be
# taken for input; where nothing fails, the program must do exactly what it always does.
# Usage: erreurs.sh PROGRAM FAULTS TRANSCRIPTS
#   FAULTS is the library of tests/fautes.cpp, or "" to leave out the faults it injects
#   (for an installed program, with no build at hand); TRANSCRIPTS is the folder of the
#   transcripts.
executable=$1
fautes=$2
transcripts=$3
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
# Each run is bounded, so that a program that loops fails here rather than hangs.
programme() {
    timeout 10 "$executable"
}
# The faults library reaches the program only, not timeout around it (which may not even
# be of the same word size). LD_PRELOAD splits its value at spaces and takes a name
# without a slash from the library path: the library is linked into the working folder
# and named from there, whatever folder it is in.
case $executable in
*/*) executable=$(cd "$(dirname "$executable")" && pwd)/$(basename "$executable") ;;
esac
[ -z "$fautes" ] || ln -s "$(cd "$(dirname "$fautes")" && pwd)/$(basename "$fautes")" "$dossier/fautes.so"
fautif() { # FAULT
    (cd "$dossier" && exec timeout 10 env VERIFIER_SOMME_FAUTE="$1" LD_PRELOAD=./fautes.so "$executable")
}
echec=0
# The sanitizer builds insist on coming first among the libraries loaded.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

entete="Introduire 1 premiere valeur short int n1: "
invite="Introduire une valeur entiere entre -2^15 et (2^15) - 1:"
ecriture="verifier-somme: erreur d'ecriture sur la sortie standard:"
lecture="verifier-somme: erreur de lecture sur l'entree standard:"
plein="$ecriture plus de place sur le disque"

verifier() { # description status diagnostic
    printf '%s\n' "$3" > "$dossier/attendu"
    if [ "$2" -ne 1 ] || ! cmp -s "$dossier/erreurs" "$dossier/attendu"; then
        echo "$1: status $2, standard error \"$(cat "$dossier/erreurs")\"; expected status 1 and \"$3\" with its newline"
        echec=1
    fi
}

printf '1\n2\nn\n' | programme > /dev/full 2> "$dossier/erreurs"
verifier "full device" $? "$plein"

# An endless supply of answers must not keep it running once output is lost.
yes 5 | programme > /dev/full 2> "$dossier/erreurs"
verifier "full device, endless input" $? "$plein"

printf '1\n2\nn\n' | programme >&- 2> "$dossier/erreurs"
verifier "closed output" $? "$ecriture descripteur invalide"

# A reader gone, with SIGPIPE ignored as some shells and services leave it, while the
# program writes its prompt again and again for lines it refuses.
(trap '' PIPE && { yes y 2> /dev/null | programme 2> "$dossier/erreurs"; echo $? > "$dossier/statut"; } | head -c 1 > /dev/null)
verifier "reader gone" "$(cat "$dossier/statut")" "$ecriture tube ferme"

# A directory cannot be read: that is no end of input.
programme < / > /dev/null 2> "$dossier/erreurs"
verifier "directory as input" $? "$lecture c'est un dossier"

programme 0> "$dossier/entree" > /dev/null 2> "$dossier/erreurs"
verifier "input open for writing only" $? "$lecture descripteur invalide"

# The file size limit, with SIGXFSZ ignored (else it kills the program, as SIGPIPE does).
(trap '' XFSZ && ulimit -f 8 && yes y | programme > "$dossier/sortie" 2> "$dossier/erreurs")
verifier "file size limit" $? "$ecriture fichier trop gros"

# The buffers are not on the stack: a small stack is enough.
# shellcheck disable=SC3045 # dash, bash and busybox's sh all have ulimit -s
(ulimit -s 32 && exec timeout 10 "$executable") < "$transcripts/debordements.in" > "$dossier/sortie" 2> "$dossier/erreurs"
statut=$?
if [ $statut -ne 0 ] || ! cmp -s "$dossier/sortie" "$transcripts/debordements.out"; then
    echo "32 KiB stack: status $statut, or output differs from debordements.out"
    echec=1
fi

if [ -z "$fautes" ]; then
    echo "no faults library: a write returning 0 and a read failing in a line are not tried"
    exit $echec
fi

# A write that takes nothing would otherwise be tried again for ever.
printf '1\n2\nn\n' | fautif ecriture 2> "$dossier/erreurs" > /dev/null
verifier "write returning 0" $? "$plein"

# A failure reported only when standard output is closed is a write error all the same,
# after an answer as after the end of input.
for entree in '1\n2\nn\n' '1\n2\n'; do
    # shellcheck disable=SC2059 # the escapes of the input, written as bytes
    printf "$entree" | fautif fermeture 2> "$dossier/erreurs" > /dev/null
    verifier "close of standard output failing, input $entree" $? "$ecriture quota de disque depasse"
done

# The read fails where "3\n" would come: the piece "2" is never judged, so no verdict.
printf '1\n23\nn\n' | fautif lecture:3 \
    > "$dossier/sortie" 2> "$dossier/erreurs"
verifier "read error in a line" $? "$lecture erreur d'entree/sortie"
printf '%s\n%s%s\n%s\n' "$entete" "$invite" "Introduire 1 seconde valeur short int n2: " "$invite" \
    > "$dossier/attendu"
if ! cmp -s "$dossier/sortie" "$dossier/attendu"; then
    echo "read error in a line: the output is not the two prompts and one newline:"
    cat "$dossier/sortie"
    echec=1
fi

exit $echec
