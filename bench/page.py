#!/usr/bin/python3
"""Measures the browser edition in headless Chromium: the page's size, the time from
navigation to the first prompt, and large files run in the page side by side with the
native program on the same file, and with an earlier release's page (BEFORE) if given.
Not a test: it only reports.

Usage: page.py PAGE NATIVE GENERER_CHARGE [BEFORE]"""
import gzip
import pathlib
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "web"))
from pilotes import Chromium  # noqa: E402  (the same browser as the tests)
from test_page import INVITE, attendre  # noqa: E402

# Installed before the page's own scripts run: the time, from navigation, at which the
# first prompt is in the transcript, and at which the frame that shows it is drawn.
PREMIERE_INVITE = """
new MutationObserver((_, observateur) => {
  const journal = document.getElementById('journal');
  if (journal && journal.textContent.endsWith(%r)) {
    observateur.disconnect();
    window.premiere = { invite: performance.now() };
    requestAnimationFrame(() => setTimeout(() => { premiere.image = performance.now(); }));
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


class Releve(threading.Thread):
    """The browser's peak memory while it runs, read every 50 ms, and what it was at the start."""

    def __init__(self, chromium):
        super().__init__(daemon=True)
        self.processus = descendants(chromium.navigateur.service.process.pid)
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
    # The pages one after the other, so that a change in the machine's load weighs on both alike.
    premieres = {page: ([], []) for page in pages}
    for _ in range(15):
        for page in pages:  # a fresh browser each time, left a second to settle
            invites, images = premieres[page]
            chromium = Chromium(tempfile.mkdtemp())
            time.sleep(1)
            chromium.navigateur.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PREMIERE_INVITE})
            chromium.aller(page.as_uri())
            invites.append(attendre(chromium, lambda: chromium.js("return window.premiere && premiere.invite")))
            images.append(attendre(chromium, lambda: chromium.js("return window.premiere && premiere.image")))
            chromium.fermer()
    for page, (invites, images) in premieres.items():
        print(f"{page.name}: navigation to the first prompt in the transcript: {resume(invites)}, to the frame "
              f"that shows it: {resume(images)} (median (min .. max) of 15 fresh browsers)")

    dossier = pathlib.Path(tempfile.mkdtemp())
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
            chromium.aller(page.as_uri())
            attendre(chromium, lambda: chromium.js("return document.getElementById('journal').textContent")
                     .endswith(INVITE))
            chromium.js(FICHIER)
            releve = Releve(chromium)
            chromium.choisir("fichier", charge)
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


if __name__ == "__main__":
    principal(*sys.argv[1:])
