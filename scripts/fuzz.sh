#!/usr/bin/env bash
# Runs the dialogue fuzzer for SECONDS from a seed corpus made of the transcripts' inputs,
# each behind three bytes: one that chooses how the input is cut into reads, and two that
# leave reading and writing as they are (the fuzzer makes them fail as it mutates them).
# Usage: scripts/fuzz.sh FUZZER SECONDS
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$(realpath "$1")
secondes=$2
travail="$racine/build/fuzz/corpus"
graines="$racine/build/fuzz/graines"
mkdir -p "$travail" "$graines"

numero=0
for entree in "$racine"/tests/transcripts/*.in; do
    numero=$((numero + 1))
    { printf "\\$(printf %03o $((numero % 128)))\\000\\000"; cat "$entree"; } > "$graines/$(basename "$entree")"
done

# New inputs go to the working corpus; the seeds stay as they are.
cd "$racine/build/fuzz"
"$fuzzer" -max_total_time="$secondes" -timeout=10 -max_len=4096 -print_final_stats=1 "$travail" "$graines"
