#!/usr/bin/env bash
# Runs the dialogue fuzzer for SECONDS from a seed corpus made of the transcripts' inputs,
# each behind three bytes: one that chooses how the input is cut into reads, and two that
# leave reading and writing as they are (the fuzzer makes them fail as it mutates them);
# and of inputs read at once whose output fills the 64 KiB output buffer to -112 to 167
# bytes short of its end just before the longest verdict, measured on PROGRAM.
# Usage: scripts/fuzz.sh FUZZER PROGRAM SECONDS
# The formats of printf below are the escapes of the bytes written, built on purpose.
# shellcheck disable=SC2059
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$(realpath "$1")
programme=$(realpath "$2")
secondes=$3
travail="$racine/build/fuzz/corpus"
graines="$racine/build/fuzz/graines"
mkdir -p "$travail" "$graines"

numero=0
for entree in "$racine"/tests/transcripts/*.in; do
    numero=$((numero + 1))
    { printf "\\$(printf %03o $((numero % 128)))\\000\\000"; cat "$entree"; } > "$graines/$(basename "$entree")"
done

# Checks that shift the fill by -4 + 0..3 bytes in a prompt's size, then refused empty lines.
sortie() { printf "$1" | { "$programme" || :; } | wc -c; } # whatever its status
avant=$(($(sortie '') - 1)) invite=$(($(sortie '\n') - $(sortie ''))) tete=
for j in $(seq 14); do
    for v in 1 -1 10 -10; do
        debut="${tete}1\n$v\ny\n" vide=$((65536 + avant + 1 - $(sortie "${tete}1\n$v\ny\n-16384\n")))
        for lignes in $(seq $((vide / invite - 2)) $((vide / invite + 2))); do
            { printf "\005\000\000$debut"; head -c "$lignes" /dev/zero | tr '\0' '\n'; printf -- '-16384\n-16385\nn\n'; } \
                > "$graines/plein-$j$v-$lignes"
        done
    done
    tete="${tete}1\n1\ny\n"
done

# New inputs go to the working corpus; the seeds stay as they are.
cd "$racine/build/fuzz"
"$fuzzer" -max_total_time="$secondes" -timeout=10 -max_len=8192 -print_final_stats=1 "$travail" "$graines"
