#!/usr/bin/env bash
# Checks the Debian package that `make package` (scripts/paquet.sh) left in build/paquet/:
#   1. both packaged manual pages render with man --warnings without a warning;
#   2. lintian at every level (-EvIL +pedantic) reports no tag that the package does not
#      override (debian/*lintian-overrides), nor an override left unused;
#   3. hardening: the compiler got dpkg's hardening flags, and hardening-check finds them
#      in the packaged program;
#   4. reproducibility: two builds of the current commit in different folders, under umask
#      022 and 077 and in different time zones, give identical .deb files: the package of
#      build/paquet/ when it is of this commit alone, or else one from a fresh clone, and
#      one from a fresh clone (neither runs the tests, which the package's build has run);
#   5. as root: autopkgtest (null virtualisation, this machine) runs debian/tests against
#      the installed package, which is purged at the end, pass or fail; nothing is left
#      (a verifier-somme installed before is set aside and installed again afterwards).
#      It runs beside the other checks.
# Needs lintian, devscripts (hardening-check), autopkgtest, dpkg-repack, man-db and the
# Build-Depends.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cd "$racine"
paquets=$racine/build/paquet
changes=$(ls "$paquets"/verifier-somme_*.changes)
deb=$(ls "$paquets"/verifier-somme_*.deb)
temporaire=$(mktemp -d)
trap 'rm -rf "$temporaire"' EXIT
dpkg-deb -x "$deb" "$temporaire/contenu"

# autopkgtest spends most of its time in apt and dpkg, on one processor: it runs beside the
# other checks, its output kept in build/paquet/autopkgtest.log, its summary shown last.
echo "== autopkgtest on the installed package, beside the other checks"
autopkgtest=
if [ "$(id -u)" != 0 ]; then
    echo "not root: autopkgtest, which installs the package on this machine, is skipped"
else
    etat() { dpkg-query -W -f='${db:Status-Status}' verifier-somme 2> /dev/null || true; }
    version() { dpkg-query -W -f='${Version}' verifier-somme 2> /dev/null || true; }
    # A verifier-somme installed before the check (another version, or one left by a run
    # that was killed) is set aside as a .deb rebuilt from what is installed (dpkg-repack),
    # and installed again once the check has purged its own: the machine is left as it was.
    avant=
    case $(etat) in
    '' | not-installed) ;;
    installed)
        avant=$(version)
        mkdir -p "$temporaire/avant"
        (cd "$temporaire/avant" && dpkg-repack verifier-somme > /dev/null)
        echo "verifier-somme $avant is installed here: set aside, installed again after the check"
        ;;
    *)
        echo "verifier-somme is half installed here ($(etat)): mend it first" \
            "(dpkg --purge verifier-somme), as this check installs and purges its own"
        exit 1
        ;;
    esac
    nettoyer() {
        statut=$?
        wait "$autopkgtest" 2> /dev/null || :
        case $(etat) in
        '' | not-installed) ;;
        *) dpkg --purge verifier-somme > /dev/null ;;
        esac
        restes=$(etat | grep -vx not-installed || true)
        for chemin in /usr/bin/verifier-somme /usr/share/man/man1/verifier-somme.1.gz \
            /usr/share/man/fr/man1/verifier-somme.1.gz /usr/share/doc/verifier-somme; do
            [ -e "$chemin" ] && restes="$restes $chemin"
        done
        if [ -n "$restes" ]; then
            echo "left behind after dpkg --purge: $restes"
            statut=1
        elif [ -z "$avant" ]; then
            echo "verifier-somme purged: nothing of it is left installed"
        elif dpkg -i "$temporaire"/avant/*.deb > /dev/null && [ "$(etat)" = installed ] &&
            [ "$(version)" = "$avant" ]; then
            echo "verifier-somme purged, and the $avant set aside installed again"
        else
            echo "the verifier-somme $avant set aside could not be installed again" \
                "(its .deb: $temporaire/avant/)"
            exit 1
        fi
        rm -rf "$temporaire"
        exit "$statut"
    }
    trap nettoyer EXIT
    trap 'exit 130' INT TERM
    rm -rf "$paquets/autopkgtest"
    autopkgtest --output-dir "$paquets/autopkgtest" \
        "$(ls "$paquets"/verifier-somme_*.dsc)" "$deb" -- null > "$paquets/autopkgtest.log" 2>&1 &
    autopkgtest=$!
fi

echo "== manual pages: man --warnings"
for page in "$temporaire"/contenu/usr/share/man/man1/verifier-somme.1.gz \
    "$temporaire"/contenu/usr/share/man/fr/man1/verifier-somme.1.gz; do
    avertissements=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
    if [ -n "$avertissements" ]; then
        echo "man --warnings ${page#"$temporaire/contenu"}:"
        echo "$avertissements"
        exit 1
    fi
    echo "no warning: ${page#"$temporaire/contenu"}"
done
cmp "$temporaire/contenu/usr/share/doc/verifier-somme/copyright" debian/copyright
echo "the packaged copyright is debian/copyright"

echo "== lintian -EvIL +pedantic on $(basename "$changes") (source and binary packages)"
# Any tag not overridden fails, whatever its level; so does an unused override.
# (--show-overrides would make the overridden tags fail too, so they are listed apart.)
lintian -EvIL +pedantic --fail-on error,warning,info,pedantic,experimental "$changes"
echo "lintian: no tag but the overridden ones:"
grep -hv '^#' debian/verifier-somme.lintian-overrides debian/source/lintian-overrides | sed 's/^/  /'

echo "== hardening"
# dpkg-buildflags' options must reach every compilation of the program's sources.
compilations=$(grep -E ' -c [^ ]*/src/[^ ]*\.cpp$' "$paquets/construction.log" || true)
[ -n "$compilations" ] || { echo "no compilation of src/ found in the build log"; exit 1; }
for option in -fstack-protector-strong -D_FORTIFY_SOURCE=2; do
    if grep -v -q -e " $option " <<< "$compilations"; then
        echo "a compilation of src/ lacks $option:"
        grep -v -e " $option " <<< "$compilations"
        exit 1
    fi
done
echo "every compilation of src/ has -fstack-protector-strong and -D_FORTIFY_SOURCE=2"
# Skipped items, each checked above as a compiler option instead:
# --nostackprotector: the program keeps no buffer on the stack, so no function gets a canary;
# --nofortify: no libc call has a buffer of known size, so none is turned into a checked call;
# --nocfprotection: Debian 12's hardening=+all does not include -fcf-protection.
hardening-check --nostackprotector --nofortify --nocfprotection \
    "$temporaire/contenu/usr/bin/verifier-somme"

echo "== reproducibility"
changements=$(git status --porcelain --untracked-files=all)
if [ -n "$changements" ]; then
    echo "note: these two builds are of commit $(git rev-parse --short HEAD) only;" \
        "the uncommitted changes below are not in them (they are in build/paquet/):"
    printf '%s\n' "$changements" | sed 's/^/  /'
fi
reproductions=$racine/build/reproductibilite
rm -rf "$reproductions"
# Without their tests (nocheck), which the package's own build has run. The package of
# build/paquet/ is the first of the two when it was built from this commit alone (its file
# commit), under another umask than the second's.
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS-} nocheck"
if [ "$(cat "$paquets/commit" 2> /dev/null)" = "$(git rev-parse HEAD)" ] && [ "$(umask)" != 0077 ]; then
    premiers=$paquets
    echo "the first is the package of build/paquet/, built from this commit alone"
else
    premiers=$reproductions/un
    (umask 022 && TZ=UTC0 scripts/paquet.sh "$premiers")
fi
(umask 077 && TZ=XYZ-13:45 scripts/paquet.sh "$reproductions/deux/autre-dossier")
nombre=0
for premier in "$premiers"/*.deb; do
    second=$reproductions/deux/autre-dossier/$(basename "$premier")
    if ! cmp "$premier" "$second"; then
        echo "$(basename "$premier") differs between the two builds:"
        diff <(dpkg-deb -c "$premier") <(dpkg-deb -c "$second") || true
        command -v diffoscope > /dev/null && diffoscope "$premier" "$second" | head -n 100
        exit 1
    fi
    echo "identical: $(basename "$premier") ($(sha256sum < "$premier" | cut -c1-16)...)"
    nombre=$((nombre + 1))
done
[ "$nombre" -gt 0 ] || { echo "the builds made no .deb"; exit 1; }

if [ -n "$autopkgtest" ]; then
    echo "== autopkgtest (its whole output: build/paquet/autopkgtest.log)"
    if ! wait "$autopkgtest"; then
        cat "$paquets/autopkgtest.log"
        echo "autopkgtest failed"
        exit 1
    fi
    cat "$paquets/autopkgtest/summary"
fi
