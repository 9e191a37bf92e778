#!/bin/sh
# Runs PROGRAM on the standard streams, then says how it ended, "PROGRAM ended with
# status N", on a line of its own, and exits with that status. No blank line is added:
#   - at a terminal, the cursor may be anywhere: an answer typed ends with the echo of
#     its Enter, but pasted answers are echoed before the program writes its last
#     question. As many spaces as the terminal is wide, a carriage return and an erase
#     to the end of the line leave it at the start of a fresh line either way: from the
#     first column, the spaces fill the line without wrapping; from any other, they
#     wrap onto the next one, and the first is left as it was;
#   - elsewhere (a file, a pipe), the output goes through tee, and a newline is written
#     first only when its last byte is not one.
# Usage: scripts/lancer.sh PROGRAM
programme=$1
nom=$(basename "$programme")
if [ -t 1 ]; then
    statut=0
    "$programme" || statut=$?
    colonnes=$(stty size < /dev/tty 2> /dev/null | cut -d ' ' -f 2)
    case $colonnes in
    '' | 0 | *[!0-9]*) echo ;;
    *) printf "%${colonnes}s\\r\\033[K" '' ;;
    esac
else
    etat=$(mktemp)
    trap 'rm -f "$etat"' EXIT
    # The program's output reaches standard output (descriptor 3 here) through tee; only
    # its last byte comes here.
    exec 3>&1
    fin=$({ "$programme"; echo $? > "$etat"; } | tee /dev/fd/3 | tail -c 1 | wc -l)
    statut=$(cat "$etat")
    [ "$fin" -eq 1 ] || echo
fi
echo "$nom ended with status $statut"
exit "$statut"
