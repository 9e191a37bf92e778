#!/usr/bin/env bash
# The batch benchmark. Usage: bench/mesurer.sh PROGRAM GENERATOR [RUNS]
# Generates the workload of 1,000,000 checks, then measures, each figure the median
# of RUNS runs (at least 5) with min and max:
#   - checks per second, output into a pipe read by cat;
#   - wall time over the I/O floor: the same output bytes pushed through the same
#     kind of pipe by cat, measured in the same run, interleaved;
#   - peak resident memory for the workload, for one check, and for a 1 GiB line;
#   - read(2) and write(2) counts with strace.
# Needs /usr/bin/time and strace (Debian packages time and strace).
set -euo pipefail

programme=$(realpath "$1")
generateur=$(realpath "$2")
essais=${3:-5}
checks=1000000
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier"

"$generateur" "$checks" > charge.txt
printf '1\n2\nn\n' > une.txt
"$programme" < charge.txt > sortie.txt
octetsEntree=$(stat -c %s charge.txt)
octetsSortie=$(stat -c %s sortie.txt)
echo "workload: $checks checks, $octetsEntree bytes in, $octetsSortie bytes out"

maintenant() { date +%s%N; }
# median min max of the numbers on standard input
resumer() { sort -g | awk '{v[NR] = $1} END {printf "%s %s %s\n", v[int((NR + 1) / 2)], v[1], v[NR]}'; }
pic() { /usr/bin/time -f %M -o pic.txt "$@" > /dev/null; cat pic.txt; }
ligneGeante() { { head -c 1073741824 /dev/zero | tr '\0' '1'; printf '\n5\n6\nn\n'; }; }

: > debits.txt; : > rapports.txt; : > pics.txt; : > pics-une.txt; : > pics-geante.txt
"$programme" < charge.txt | cat > /dev/null  # warm-up, not counted
cat sortie.txt | cat > /dev/null
for ((i = 0; i < essais; i++)); do
    debut=$(maintenant)
    "$programme" < charge.txt | cat > /dev/null
    milieu=$(maintenant)
    cat sortie.txt | cat > /dev/null
    fin=$(maintenant)
    awk -v p=$((milieu - debut)) -v s=$((fin - milieu)) -v c="$checks" \
        'BEGIN {print c / (p / 1e9) >> "debits.txt"; print p / s >> "rapports.txt"}'
done
for ((i = 0; i < essais; i++)); do
    pic "$programme" < charge.txt >> pics.txt
    pic "$programme" < une.txt >> pics-une.txt
    ligneGeante | pic "$programme" >> pics-geante.txt
done

strace -o trace.txt -e trace=read,write -e signal=none "$programme" < charge.txt | cat > /dev/null
lectures=$(grep -c '^read(0,' trace.txt)
ecritures=$(grep -c '^write(1,' trace.txt)
maxLectures=$(((octetsEntree + 65535) / 65536))
maxEcritures=$(((octetsSortie + 65535) / 65536 + lectures))

read -r debit debitMin debitMax < <(resumer < debits.txt)
read -r rapport rapportMin rapportMax < <(resumer < rapports.txt)
read -r pic picMin picMax < <(resumer < pics.txt)
read -r picUne picUneMin picUneMax < <(resumer < pics-une.txt)
read -r picGeante picGeanteMin picGeanteMax < <(resumer < pics-geante.txt)

echo "runs: $essais (median, min, max)"
printf 'checks per second:          %.0f  (%.0f .. %.0f)\n' "$debit" "$debitMin" "$debitMax"
printf 'wall time / I/O floor:      %.2f  (%.2f .. %.2f)\n' "$rapport" "$rapportMin" "$rapportMax"
echo "peak memory, workload:      $pic KiB ($picMin .. $picMax)"
echo "peak memory, one check:     $picUne KiB ($picUneMin .. $picUneMax)"
echo "peak memory, 1 GiB line:    $picGeante KiB ($picGeanteMin .. $picGeanteMax)"
echo "read(2) on input:           $lectures (at most $maxLectures)"
echo "write(2) on output:         $ecritures (at most $maxEcritures)"

echec=0
cible() { # description condition
    if awk "BEGIN {exit !($2)}"; then echo "target met:     $1"; else echo "target NOT met: $1"; echec=1; fi
}
cible "wall time at most 1.3 x the I/O floor" "$rapport <= 1.3"
cible "peak memory under 8 MiB" "$pic < 8192 && $picUne < 8192 && $picGeante < 8192"
cible "peak memory the same for the workload, one check and a 1 GiB line (within 256 KiB)" \
    "$pic - $picUne < 256 && $picGeante - $picUne < 256"
cible "at most one read per 64 KiB of input" "$lectures <= $maxLectures"
cible "at most one write per 64 KiB of output plus one per read" "$ecritures <= $maxEcritures"
exit $echec
