#!/usr/bin/python3
"""Measures the browser edition in headless Chromium: the page's size, the time from
navigation to the first prompt, and a file of CHECKS checks run in the page against the
native program on the same file. Not a test: it only reports.

Usage: page.py PAGE NATIVE GENERER_CHARGE [CHECKS]"""
import gzip
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "web"))
from pilotes import Chromium  # noqa: E402  (the same browser as the tests)
from test_page import INVITE, attendre  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402

# Installed before the page's own scripts run: the time, from navigation, at which the
# first prompt is in the transcript, and at which the frame that shows it is drawn.
PREMIERE_INVITE = """
new MutationObserver((_, observateur) => {
  const journal = document.getElementById('journal');
  if (journal && journal.textContent.endsWith(%r)) {
    observateur.disconnect();
    window.invite = performance.now();
    requestAnimationFrame(() => setTimeout(() => { window.image = performance.now(); }));
  }
}).observe(document, {childList: true, subtree: true, characterData: true});
""" % INVITE

# From the choice of a file to the status that ends its run, and to the frame that shows it.
FICHIER = """
window.mesure = {};
document.addEventListener('change', () => { mesure.debut = performance.now(); }, true);
new MutationObserver(() => {
  if (document.getElementById('etat').textContent.includes('statut') && !mesure.fin) {
    mesure.fin = performance.now() - mesure.debut;
    requestAnimationFrame(() => setTimeout(() => { mesure.image = performance.now() - mesure.debut; }));
  }
}).observe(document.getElementById('etat'), {childList: true, subtree: true, characterData: true});
"""


def ouvrir(adresse, telechargements):
    navigateur = Chromium(telechargements).navigateur
    navigateur.get(adresse)
    return navigateur


def resume(nom, valeurs, unite="ms"):
    print(f"{nom}: median {statistics.median(valeurs):.1f} {unite}, "
          f"min {min(valeurs):.1f}, max {max(valeurs):.1f} ({len(valeurs)} runs)")


def principal(page, natif, generer, checks="100000"):
    page = pathlib.Path(page).resolve()
    octets = page.read_bytes()
    print(f"page: {len(octets)} bytes ({len(octets) / 1024:.1f} KiB), "
          f"{len(gzip.compress(octets, 9))} bytes gzipped")

    invites, images = [], []
    for _ in range(15):  # a fresh browser each time, left a second to settle
        navigateur = ouvrir("about:blank", tempfile.mkdtemp())
        time.sleep(1)
        navigateur.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PREMIERE_INVITE})
        navigateur.get(page.as_uri())
        invites.append(attendre(navigateur, lambda: navigateur.execute_script("return window.invite")))
        images.append(attendre(navigateur, lambda: navigateur.execute_script("return window.image")))
        navigateur.quit()
    resume("navigation to the first prompt in the transcript", invites)
    resume("navigation to the frame that shows it", images)

    dossier = pathlib.Path(tempfile.mkdtemp())
    charge, attendu = dossier / "charge.txt", dossier / "attendu.txt"
    with charge.open("wb") as sortie:
        subprocess.run([generer, checks], stdout=sortie, check=True)
    durees = []
    for _ in range(7):
        with charge.open("rb") as entree, attendu.open("wb") as sortie:
            debut = time.perf_counter()
            subprocess.run([natif], stdin=entree, stdout=sortie, check=True)
            durees.append((time.perf_counter() - debut) * 1000)
    print(f"file of {checks} checks: {charge.stat().st_size} bytes in, {attendu.stat().st_size} bytes out")
    resume("native program, output to a file", durees)

    navigateur = ouvrir(page.as_uri(), str(dossier))
    fins, images = [], []
    for _ in range(5):
        navigateur.refresh()
        attendre(navigateur, lambda: navigateur.find_element(By.ID, "journal").text.endswith(INVITE.strip()))
        navigateur.execute_script(FICHIER)
        navigateur.find_element(By.ID, "fichier").send_keys(str(charge))
        mesure = attendre(navigateur, lambda: navigateur.execute_script("return mesure.image && mesure"), 120)
        fins.append(mesure["fin"])
        images.append(mesure["image"])
    resume("in the page, from the file's choice to the exit status", fins)
    resume("in the page, to the frame that shows it", images)
    navigateur.find_element(By.ID, "enregistrer").click()
    enregistre = dossier / "charge-transcription.txt"
    attendre(navigateur, lambda: enregistre.exists() and enregistre.stat().st_size == attendu.stat().st_size, 60)
    print("transcript saved from the page:",
          "the native program's bytes" if enregistre.read_bytes() == attendu.read_bytes() else "DIFFERENT")
    navigateur.quit()


if __name__ == "__main__":
    principal(*sys.argv[1:])
