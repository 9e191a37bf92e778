#!/usr/bin/python3
"""Measures the browser edition: its size; in each engine (Chromium, Firefox, WebKitGTK,
through web/pilotes.py), the time from navigation to the first prompt, side by side with
an earlier release's page (BEFORE) if given; in headless Chromium, large files run in the
page beside the native program on the same file, and beside BEFORE; then in each engine,
a file of 10,000,000 checks and a line of 1 GB, run and saved, beside the native program,
and a paste of 1 MB in a typed session. Not a test: it only reports.

Usage: page.py PAGE NATIVE GENERER_CHARGE [BEFORE]
BENCH_PARTIES (words, all by default) limits what is measured: invite (the first prompt),
fichiers (the three files in Chromium), checks (10,000,000 checks), ligne (the line of
1 GB), collage (the paste); BENCH_MOTEURS (chromium firefox webkit by default) the
engines of all but fichiers."""
import gzip
import hashlib
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "web"))
from pilotes import MOTEURS, Chromium  # noqa: E402  (the same browsers as the tests)
from test_page import COLLER, INVITE, LIBRE, attendre, copie_avec  # noqa: E402

PARTIES = (os.environ.get("BENCH_PARTIES") or "invite fichiers checks ligne collage").split()
MOTEURS_MESURES = (os.environ.get("BENCH_MOTEURS") or " ".join(MOTEURS)).split()

# Put into a copy of each page, before its own scripts, so that every engine runs it: the time,
# from navigation, at which the first prompt is in the transcript, and at which the frame that
# shows it is drawn: that frame if the prompt came in its animation callbacks (its own come
# first, from the first to the task after the frame), or else the next.
PREMIERE_INVITE = """
let enImage = false;
(function image() {
  enImage = true;
  setTimeout(() => { enImage = false; });
  if (!window.premiere?.image) requestAnimationFrame(image);
})();
new MutationObserver((_, observateur) => {
  const journal = document.getElementById('journal');
  if (journal && journal.textContent.endsWith(%r)) {
    observateur.disconnect();
    window.premiere = { invite: performance.now() };
    const dessinee = () => setTimeout(() => { premiere.image = performance.now(); });
    if (enImage) dessinee(); else requestAnimationFrame(dessinee);
  }
}).observe(document, {childList: true, subtree: true, characterData: true});
""" % INVITE

# From the choice of a file to the status that ends its run, and to the frame that shows
# it; and the longest time between two frames meanwhile, which is how long the page froze.
FICHIER = """
window.mesure = {gel: 0};
document.addEventListener('change', () => {
  mesure.debut = performance.now();
  let avant = mesure.debut;
  const image = () => { const t = performance.now(); mesure.gel = Math.max(mesure.gel, t - avant); avant = t; if (!mesure.fin) requestAnimationFrame(image); };
  requestAnimationFrame(image);
}, true);
new MutationObserver(() => {
  if (document.getElementById('etat').textContent.includes('statut') && !mesure.fin) {
    mesure.fin = performance.now() - mesure.debut;
    requestAnimationFrame(() => setTimeout(() => { mesure.image = performance.now() - mesure.debut; }));
  }
}).observe(document.getElementById('etat'), {childList: true, subtree: true, characterData: true});
"""


# The same for a file of any engine's: [the time to the exit status, to the frame that shows
# it, the longest time between two frames], once they are all known.
MESURE = "return window.mesure && mesure.image && [mesure.fin, mesure.image, mesure.gel];"

# From the click on « Enregistrer » to the button's return, and the longest time between two
# frames meanwhile; the Blob handed to the download kept as `sauve`, which is all that is
# saved where the browser saves no download (arguments[0]: WebKitGTK's MiniBrowser).
SAUVEGARDE = """
const b = document.getElementById('enregistrer'), creerUrl = URL.createObjectURL;
window.sauvegarde = {gel: 0};
new MutationObserver((_, o) => {
  if (b.getAttribute('aria-busy') === 'true' && !sauvegarde.debut) {
    sauvegarde.debut = performance.now();
    let avant = sauvegarde.debut;
    const image = () => { const t = performance.now(); sauvegarde.gel = Math.max(sauvegarde.gel, t - avant); avant = t; if (!sauvegarde.fin) requestAnimationFrame(image); };
    requestAnimationFrame(image);
  } else if (sauvegarde.debut && !b.hasAttribute('aria-busy')) {
    sauvegarde.fin = performance.now() - sauvegarde.debut;
    o.disconnect();
  }
}).observe(b, {attributes: true});
URL.createObjectURL = (blob) => { URL.createObjectURL = creerUrl; window.sauve = blob; return creerUrl.call(URL, blob); };
if (arguments[0]) HTMLAnchorElement.prototype.click = () => {};
"""

# The SHA-256 of the Blob `sauve`, read as a stream: WebCrypto digests only a whole buffer.
EMPREINTE = """
const premiers = [];
for (let n = 2; premiers.length < 64; ++n) if (premiers.every((p) => n % p)) premiers.push(n);
const fraction = (x) => ((x - Math.floor(x)) * 2 ** 32) >>> 0;
const K = premiers.map((p) => fraction(Math.cbrt(p))), H = premiers.slice(0, 8).map((p) => fraction(Math.sqrt(p)));
const W = new Int32Array(64), r = (x, n) => (x >>> n) | (x << (32 - n));
const bloc = (v, o) => {
  for (let i = 0; i < 16; ++i) W[i] = v.getInt32(o + 4 * i);
  for (let i = 16; i < 64; ++i) {
    const x = W[i - 15], y = W[i - 2];
    W[i] = ((r(x, 7) ^ r(x, 18) ^ (x >>> 3)) + W[i - 16] + (r(y, 17) ^ r(y, 19) ^ (y >>> 10)) + W[i - 7]) | 0;
  }
  let [a, b, c, d, e, f, g, h] = H;
  for (let i = 0; i < 64; ++i) {
    const t1 = (h + (r(e, 6) ^ r(e, 11) ^ r(e, 25)) + ((e & f) ^ (~e & g)) + K[i] + W[i]) | 0;
    const t2 = ((r(a, 2) ^ r(a, 13) ^ r(a, 22)) + ((a & b) ^ (a & c) ^ (b & c))) | 0;
    h = g; g = f; f = e; e = (d + t1) | 0; d = c; c = b; b = a; a = (t1 + t2) | 0;
  }
  [a, b, c, d, e, f, g, h].forEach((x, i) => { H[i] = (H[i] + x) | 0; });
};
const tampon = new Uint8Array(128), lecteur = sauve.stream().getReader();
let dans = 0, total = 0;
return (async () => {
  for (;;) {
    const { done, value } = await lecteur.read();
    if (done) break;
    total += value.length;
    let i = 0;
    if (dans) {
      i = Math.min(64 - dans, value.length);
      tampon.set(value.subarray(0, i), dans);
      dans += i;
      if (dans === 64) { bloc(new DataView(tampon.buffer), 0); dans = 0; }
    }
    const v = new DataView(value.buffer, value.byteOffset, value.byteLength);
    for (; i + 64 <= value.length; i += 64) bloc(v, i);
    tampon.set(value.subarray(i), dans);
    dans += value.length - i;
  }
  const fin = dans < 56 ? 64 : 128, v = new DataView(tampon.buffer);
  tampon.fill(0, dans);
  tampon[dans] = 0x80;
  v.setUint32(fin - 8, Math.floor(total * 8 / 2 ** 32));
  v.setUint32(fin - 4, (total * 8) >>> 0);
  for (let o = 0; o < fin; o += 64) bloc(v, o);
  return H.map((x) => (x >>> 0).toString(16).padStart(8, '0')).join('');
})();
"""

# The longest time between two frames from a paste of arguments[0] in the input line to the
# transcript no longer busy, and how long that took.
COLLAGE = """
const j = document.getElementById('journal'), debut = performance.now();
window.collage = {gel: 0};
let avant = debut;
const image = () => { const t = performance.now(); collage.gel = Math.max(collage.gel, t - avant); avant = t; if (!collage.fin) requestAnimationFrame(image); };
requestAnimationFrame(image);
new MutationObserver((_, o) => {
  if (j.getAttribute('aria-busy') !== 'true') { collage.fin = performance.now() - debut; o.disconnect(); }
}).observe(j, {attributes: true});
""" + COLLER


def resume(valeurs, unite="ms"):
    return f"{statistics.median(valeurs):.0f} {unite} ({min(valeurs):.0f} .. {max(valeurs):.0f})"


def descendants(racine):
    """The processes under `racine`: the browser's, under its driver's."""
    parents = {}
    for stat in pathlib.Path("/proc").glob("[0-9]*/stat"):
        try:
            champs = stat.read_text().rsplit(")", 1)[1].split()
            parents.setdefault(int(champs[1]), []).append(int(stat.parent.name))
        except (OSError, IndexError):
            pass
    trouves, a_voir = [], [racine]
    while a_voir:
        enfants = parents.get(a_voir.pop(), [])
        trouves += enfants
        a_voir += enfants
    return trouves


def memoire(processus):
    """The proportional set size of `processus` together, in bytes: each shared page
    counted once over them all."""
    total = 0
    for pid in processus:
        try:
            for ligne in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
                if ligne.startswith("Pss:"):
                    total += int(ligne.split()[1]) * 1024
        except OSError:
            pass
    return total


def processus_du(navigateur):
    """The browser's processes: Firefox and those it started, or those under the WebDriver server."""
    if hasattr(navigateur, "processus"):
        return [navigateur.processus.pid] + descendants(navigateur.processus.pid)
    return descendants(navigateur.navigateur.service.process.pid)


class Releve(threading.Thread):
    """The browser's peak memory while it runs, read every 50 ms, and what it was at the start."""

    def __init__(self, navigateur):
        super().__init__(daemon=True)
        self.processus = processus_du(navigateur)
        self.depart = self.pic = memoire(self.processus)
        self.fini = threading.Event()
        self.start()

    def run(self):
        while not self.fini.wait(0.05):
            self.pic = max(self.pic, memoire(self.processus))

    def arreter(self):
        self.fini.set()
        self.join()
        return self.pic


def principal(page, natif, generer, avant=None):
    pages = [pathlib.Path(p).resolve() for p in (page, avant) if p]
    for page in pages:
        octets = page.read_bytes()
        print(f"{page}: {len(octets)} bytes ({len(octets) / 1024:.1f} KiB), "
              f"{len(gzip.compress(octets, 9))} bytes gzipped")
    dossier = pathlib.Path(tempfile.mkdtemp())
    if "invite" in PARTIES:
        premieres(pages, dossier)
    if "fichiers" in PARTIES:
        fichiers(pages, natif, generer, dossier)
    grands(pages[0], natif, generer, dossier)
    if "collage" in PARTIES:
        collage(pages[0])


def premieres(pages, dossier):
    """In each engine, the time to the first prompt of each page, from copies of them
    that measure it, in the same folder (one after the other, so that a change in the
    machine's load weighs on all alike)."""
    copies = [copie_avec(page, PREMIERE_INVITE, dossier / f"premiere-{i}.html") for i, page in enumerate(pages)]
    for moteur in MOTEURS_MESURES:
        mesures = [([], []) for _ in pages]
        for _ in range(15):
            for copie, (invites, images) in zip(copies, mesures):  # a fresh browser, left a second to settle
                navigateur = MOTEURS[moteur](tempfile.mkdtemp())
                time.sleep(1)
                navigateur.aller(copie.as_uri())
                invites.append(attendre(navigateur, lambda: navigateur.js("return window.premiere && premiere.invite")))
                images.append(attendre(navigateur, lambda: navigateur.js("return window.premiere && premiere.image")))
                navigateur.fermer()
        for page, (invites, images) in zip(pages, mesures):
            print(f"{moteur}, {page}: navigation to the first prompt in the transcript: {resume(invites)}, to the "
                  f"frame that shows it: {resume(images)} (median (min .. max) of 15 fresh browsers)")


def ouvrir(navigateur, page):
    """The page opened afresh, once its first prompt is shown."""
    navigateur.aller(page.as_uri())
    attendre(navigateur, lambda: navigateur.js("return document.getElementById('journal').textContent")
             .endswith(INVITE))


def executer(navigateur, page, charge):
    """The file `charge` chosen in the page opened afresh, its run timed (FICHIER) and the
    browser's memory read meanwhile: that reading, to be stopped."""
    ouvrir(navigateur, page)
    navigateur.js(FICHIER)
    releve = Releve(navigateur)
    navigateur.choisir("fichier", charge)
    return releve


def fichiers(pages, natif, generer, dossier):
    charges = []
    for nom, checks in (("100,000 checks", "100000"), ("1,000,000 checks", "1000000")):
        fichier = dossier / f"checks-{checks}.txt"
        with fichier.open("wb") as sortie:
            subprocess.run([generer, checks], stdout=sortie, check=True)
        charges.append((nom, fichier))
    fichier = dossier / "refus-1000000.txt"
    fichier.write_bytes(b"x\n" * 1000000)
    charges.append(("1,000,000 refused lines", fichier))

    lignes = []
    for (nom, charge), page in ((charge, page) for charge in charges for page in pages):
        attendu = dossier / f"{charge.stem}-attendu.txt"
        durees = []
        for _ in range(7):
            with charge.open("rb") as entree, attendu.open("wb") as sortie:
                debut = time.perf_counter()
                subprocess.run([natif], stdin=entree, stdout=sortie, check=False)
                durees.append((time.perf_counter() - debut) * 1000)

        # A fresh browser for each file, so that its memory is this file's alone.
        chromium = Chromium(str(dossier))
        fins, images, gels, pics, hausses = [], [], [], [], []
        for _ in range(3):
            releve = executer(chromium, page, charge)
            mesure = attendre(chromium, lambda: chromium.js("return mesure.image && mesure"), 300)
            pics.append(releve.arreter() / 2**20)
            hausses.append(pics[-1] - releve.depart / 2**20)
            fins.append(mesure["fin"])
            images.append(mesure["image"])
            gels.append(mesure["gel"])
        releve = Releve(chromium)
        debut = time.perf_counter()
        chromium.cliquer("enregistrer")
        enregistre = dossier / f"{charge.stem}-transcription.txt"
        attendre(chromium, lambda: enregistre.exists() and enregistre.stat().st_size == attendu.stat().st_size, 120)
        sauve = (time.perf_counter() - debut) * 1000
        time.sleep(0.5)
        pic_sauve = releve.arreter() / 2**20
        identique = enregistre.read_bytes() == attendu.read_bytes()
        chromium.fermer()
        enregistre.unlink()
        print(f"\n{nom}, {page.parent.name}: {charge.stat().st_size:,} bytes in, {attendu.stat().st_size:,} bytes out")
        print(f"  native program, output to a file: {resume(durees)} (7 runs)")
        print(f"  in the page, from the file's choice to the exit status: {resume(fins)}; "
              f"to the frame that shows it: {resume(images)} (3 runs)")
        print(f"  longest time between two frames meanwhile: {resume(gels)}")
        print(f"  the whole browser's memory at its peak (PSS): {resume(pics, 'MiB')}, "
              f"above the page waiting for its file: {resume(hausses, 'MiB')}")
        print(f"  transcript saved from the page: {'the native bytes' if identique else 'DIFFERENT'}, "
              f"{sauve:.0f} ms from the click to the whole file, the browser's peak meanwhile {pic_sauve:.0f} MiB")
        lignes.append((nom, page.parent.name, statistics.median(durees), statistics.median(fins), max(pics),
                       max(hausses), sauve))

    print("\n| file | page | native | page, to the exit status | page / native | browser's peak memory (above "
          "the page waiting) | saved in |")
    print("|---|---|---|---|---|---|---|")
    for nom, page, natif_ms, page_ms, pic, hausse, sauve in lignes:
        print(f"| {nom} | {page} | {natif_ms:.0f} ms | {page_ms:.0f} ms | {page_ms / natif_ms:.1f} | {pic:.0f} MiB "
              f"({hausse:.0f} MiB) | {sauve:.0f} ms |")


def empreinte(chemin):
    sha = hashlib.sha256()
    with open(chemin, "rb") as entree:
        while morceau := entree.read(1 << 24):
            sha.update(morceau)
    return sha.hexdigest()


def natif_sur(natif, charge, attendu, fois):
    """The native program's times on `charge`, its output to `attendu`."""
    durees = []
    for _ in range(fois):
        with charge.open("rb") as entree, attendu.open("wb") as sortie:
            debut = time.perf_counter()
            subprocess.run([natif], stdin=entree, stdout=sortie, check=False)
            durees.append((time.perf_counter() - debut) * 1000)
    return durees


def grands(page, natif, generer, dossier):
    """In each engine, a file of 10,000,000 checks and a line of 1 GB, run once and saved,
    beside the native program: for so large a file, one run tells."""
    charges = []
    if "checks" in PARTIES:
        fichier = dossier / "checks-10000000.txt"
        with fichier.open("wb") as sortie:
            subprocess.run([generer, "10000000"], stdout=sortie, check=True)
        charges.append(("10,000,000 checks", fichier))
    if "ligne" in PARTIES:
        fichier = dossier / "ligne-1GB.txt"
        with fichier.open("wb") as sortie:
            for _ in range(100):
                sortie.write(b"1" * 10**7)
            sortie.write(b"\n2\n3\nn\n")
        charges.append(("a line of 1 GB", fichier))
    lignes = []
    for nom, charge in charges:
        attendu = dossier / f"{charge.stem}-attendu.txt"
        durees = natif_sur(natif, charge, attendu, 3)
        taille, voulue = attendu.stat().st_size, empreinte(attendu)
        print(f"\n{nom}: {charge.stat().st_size:,} bytes in, {taille:,} bytes out; native program, output to a "
              f"file: {resume(durees)} (3 runs)")
        for moteur in MOTEURS_MESURES:
            telechargements = pathlib.Path(tempfile.mkdtemp())
            navigateur = MOTEURS[moteur](str(telechargements))
            try:
                releve = executer(navigateur, page, charge)
                fin, image, gel = attendre(navigateur, lambda: navigateur.js(MESURE), 900)
                pic = releve.arreter()
                hausse = pic - releve.depart
                time.sleep(1)
                sans_telechargement = navigateur.telechargements is None
                navigateur.js(SAUVEGARDE, sans_telechargement)
                releve = Releve(navigateur)
                debut = time.perf_counter()
                navigateur.cliquer("enregistrer")
                sauve_fin, gel_sauve = attendre(navigateur, lambda: navigateur.js(
                    "return window.sauvegarde && sauvegarde.fin && [sauvegarde.fin, sauvegarde.gel];"), 1800)
                if not sans_telechargement:
                    enregistre = telechargements / f"{charge.stem}-transcription.txt"
                    attendre(navigateur, lambda: enregistre.exists() and enregistre.stat().st_size == taille, 1800)
                sauve = (time.perf_counter() - debut) * 1000
                time.sleep(0.5)
                pic_sauve = releve.arreter()
                obtenue = navigateur.js(EMPREINTE) if sans_telechargement else empreinte(enregistre)
            finally:
                navigateur.fermer()
                for chemin in telechargements.iterdir():
                    chemin.unlink()
            octets = "the native bytes" if obtenue == voulue else f"DIFFERENT ({obtenue})"
            print(f"  {moteur}: to the exit status {fin:.0f} ms, to the frame that shows it {image:.0f} ms "
                  f"({fin / statistics.median(durees):.1f} times the native program), the longest time between "
                  f"two frames {gel:.0f} ms, the browser's peak {pic / 2**20:.0f} MiB, {hausse / 2**20:.0f} MiB "
                  f"above the page waiting for its file")
            print(f"    saved: {octets} (SHA-256), the Blob made in {sauve_fin:.0f} ms, the whole file "
                  f"{'handed over' if sans_telechargement else 'on disk'} {sauve:.0f} ms after the click, the "
                  f"longest time between two frames meanwhile {gel_sauve:.0f} ms, the browser's peak "
                  f"{pic_sauve / 2**20:.0f} MiB, {(pic_sauve - releve.depart) / 2**20:.0f} MiB above its start")
            lignes.append((nom, moteur, statistics.median(durees), fin, gel, hausse, sauve, gel_sauve,
                           pic_sauve - releve.depart, obtenue == voulue))
        attendu.unlink()  # 3 GB for 10,000,000 checks: gone once measured
        charge.unlink()
    if not lignes:
        return
    print("\n| file | engine | native | page, to the exit status | page / native | longest frame gap: run, save "
          "| peak above the page at rest: run, save | saved in | saved bytes |")
    print("|---|---|---|---|---|---|---|---|---|")
    for nom, moteur, natif_ms, fin, gel, hausse, sauve, gel_sauve, hausse_sauve, identique in lignes:
        print(f"| {nom} | {moteur} | {natif_ms:,.0f} ms | {fin:,.0f} ms | {fin / natif_ms:.1f} | {gel:.0f} ms, "
              f"{gel_sauve:.0f} ms | {hausse / 2**20:.0f} MiB, {hausse_sauve / 2**20:.0f} MiB | {sauve:,.0f} ms | "
              f"{'native' if identique else 'DIFFERENT'} |")


def collage(page):
    """A paste of 1 MB of answers in a typed session, in each engine."""
    colle = "100\n200\ny\n" * 100000
    for moteur in MOTEURS_MESURES:
        navigateur = MOTEURS[moteur](tempfile.mkdtemp())
        try:
            ouvrir(navigateur, page)
            navigateur.js(COLLAGE, colle)
            fin, gel = attendre(navigateur, lambda: navigateur.js(
                "return window.collage && collage.fin && [collage.fin, collage.gel];"), 600)
            libre = navigateur.js(LIBRE)
        finally:
            navigateur.fermer()
        print(f"\na paste of {len(colle):,} bytes ({len(colle) // 10:,} checks) in a typed session, {moteur}: "
              f"worked through in {fin:.0f} ms{'' if libre else ' (STILL BUSY)'}, the longest time between two "
              f"frames meanwhile {gel:.0f} ms")


if __name__ == "__main__":
    principal(*sys.argv[1:])
