#!/usr/bin/python3
"""The README's pictures of the page, taken in each engine as a learner would see it: a
phone with an overflow explained, a phone with the hint after a refused line, and
« Deviner avant de voir » on a desktop. Not a test.

Usage: captures.py PAGE DOSSIER [ENGINE...]"""
import pathlib
import sys
import tempfile

from selenium.webdriver.common.keys import Keys

from pilotes import MOTEURS
from test_page import DEVINETTE, INVITE, LIBRE, QUESTION, attendre, texte

# What is typed, where, before each picture; a group that starts with ^X clicks that
# example with « Deviner » on.
PHOTOS = {
    "debordement-telephone": ((320, 568), ["30000", "30000"]),
    "indice-telephone": ((390, 844), ["100", "-200", "y", "40000"]),
    "deviner-bureau": ((1280, 800), ["^X32767 + 1"]),
}


def photographier(moteur, page, dossier):
    navigateur = MOTEURS[moteur](tempfile.mkdtemp())
    try:
        for nom, (taille, groupes) in PHOTOS.items():
            navigateur.aller(page.as_uri())
            navigateur.taille(*taille)
            for groupe in groupes:
                attendre(navigateur, lambda: texte(navigateur, "journal").endswith((INVITE, QUESTION))
                         and navigateur.js(LIBRE))
                if groupe.startswith("^X"):
                    navigateur.js("deviner.click(); Array.from(document.querySelectorAll('[data-exemple]'))"
                                  ".find((b) => b.textContent === arguments[0]).click();", groupe[2:])
                    attendre(navigateur, lambda: navigateur.js(DEVINETTE))
                else:
                    navigateur.touches(groupe, Keys.ENTER)
            attendre(navigateur, lambda: navigateur.js(LIBRE) and (texte(navigateur, "bref") or navigateur.js(DEVINETTE)))
            # Two frames: what the last output changed is drawn and kept in view.
            navigateur.js("return new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));")
            navigateur.capturer(dossier / f"{moteur}-{nom}.png")
    finally:
        navigateur.fermer()


if __name__ == "__main__":
    page, dossier = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2])
    dossier.mkdir(parents=True, exist_ok=True)
    for moteur in sys.argv[3:] or MOTEURS:
        photographier(moteur, page, dossier)
