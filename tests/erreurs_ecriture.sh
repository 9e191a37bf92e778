#!/bin/sh
# Standard output on /dev/full, then closed: the program must stop with status 1
# and say so in one line on standard error, whatever input is waiting.
programme=$1
erreurs=$(mktemp)
trap 'rm -f "$erreurs"' EXIT
echec=0

verifier() { # description status
    lignes=$(wc -l < "$erreurs")
    if [ "$2" -ne 1 ] || [ "$lignes" -ne 1 ]; then
        echo "$1: status $2, $lignes line(s) on standard error, expected status 1 and one line"
        cat "$erreurs"
        echec=1
    fi
}

printf '1\n2\nn\n' | "$programme" > /dev/full 2> "$erreurs"
verifier "full device" $?

# An endless supply of answers must not keep it running once output is lost.
yes 5 | "$programme" > /dev/full 2> "$erreurs"
verifier "full device, endless input" $?

printf '1\n2\nn\n' | "$programme" >&- 2> "$erreurs"
verifier "closed output" $?

exit $echec
