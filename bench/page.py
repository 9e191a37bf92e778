#!/usr/bin/python3
"""Measures the browser edition in headless Chromium: the page's size, the time from
navigation to the first prompt, and large files run in the page side by side with the
native program on the same file. Not a test: it only reports.

Usage: page.py PAGE NATIVE GENERER_CHARGE"""
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
    """The browser's peak memory while it runs, read every 50 ms."""

    def __init__(self, chromium):
        super().__init__(daemon=True)
        self.processus = descendants(chromium.navigateur.service.process.pid)
        self.pic, self.fini = 0, threading.Event()
        self.start()

    def run(self):
        while not self.fini.wait(0.05):
            self.pic = max(self.pic, memoire(self.processus))

    def arreter(self):
        self.fini.set()
        self.join()
        return self.pic


def principal(page, natif, generer):
    page = pathlib.Path(page).resolve()
    octets = page.read_bytes()
    print(f"page: {len(octets)} bytes ({len(octets) / 1024:.1f} KiB), "
          f"{len(gzip.compress(octets, 9))} bytes gzipped")

    invites, images = [], []
    for _ in range(15):  # a fresh browser each time, left a second to settle
        chromium = Chromium(tempfile.mkdtemp())
        time.sleep(1)
        chromium.navigateur.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PREMIERE_INVITE})
        chromium.aller(page.as_uri())
        invites.append(attendre(chromium, lambda: chromium.js("return window.premiere && premiere.invite")))
        images.append(attendre(chromium, lambda: chromium.js("return window.premiere && premiere.image")))
        chromium.fermer()
    print(f"navigation to the first prompt in the transcript: {resume(invites)}, to the frame that shows it: "
          f"{resume(images)} (median (min .. max) of 15 fresh browsers)")

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
    for nom, charge in charges:
        attendu = dossier / f"{charge.stem}-attendu.txt"
        durees = []
        for _ in range(7):
            with charge.open("rb") as entree, attendu.open("wb") as sortie:
                debut = time.perf_counter()
                subprocess.run([natif], stdin=entree, stdout=sortie, check=False)
                durees.append((time.perf_counter() - debut) * 1000)

        # A fresh browser for each file, so that its memory is this file's alone.
        chromium = Chromium(str(dossier))
        fins, images, gels, pics = [], [], [], []
        for _ in range(3):
            chromium.aller(page.as_uri())
            attendre(chromium, lambda: chromium.js("return document.getElementById('journal').textContent")
                     .endswith(INVITE))
            chromium.js(FICHIER)
            releve = Releve(chromium)
            chromium.choisir("fichier", charge)
            mesure = attendre(chromium, lambda: chromium.js("return mesure.image && mesure"), 300)
            pics.append(releve.arreter() / 2**20)
            fins.append(mesure["fin"])
            images.append(mesure["image"])
            gels.append(mesure["gel"])
        chromium.cliquer("enregistrer")
        enregistre = dossier / f"{charge.stem}-transcription.txt"
        attendre(chromium, lambda: enregistre.exists() and enregistre.stat().st_size == attendu.stat().st_size, 120)
        time.sleep(0.5)
        identique = enregistre.read_bytes() == attendu.read_bytes()
        chromium.fermer()
        enregistre.unlink()
        print(f"\n{nom}: {charge.stat().st_size:,} bytes in, {attendu.stat().st_size:,} bytes out")
        print(f"  native program, output to a file: {resume(durees)} (7 runs)")
        print(f"  in the page, from the file's choice to the exit status: {resume(fins)}; "
              f"to the frame that shows it: {resume(images)} (3 runs)")
        print(f"  longest time between two frames meanwhile: {resume(gels)}")
        print(f"  the whole browser's memory at its peak (PSS): {resume(pics, 'MiB')}")
        print(f"  transcript saved from the page: {'the native bytes' if identique else 'DIFFERENT'}")
        lignes.append((nom, statistics.median(durees), statistics.median(fins), max(pics)))

    print("\n| file | native | page, to the exit status | page / native | browser's peak memory |")
    print("|---|---|---|---|---|")
    for nom, natif_ms, page_ms, pic in lignes:
        print(f"| {nom} | {natif_ms:.0f} ms | {page_ms:.0f} ms | {page_ms / natif_ms:.1f} | {pic:.0f} MiB |")


if __name__ == "__main__":
    principal(*sys.argv[1:])
