#!/usr/bin/python3
"""The page in headless Chromium: test_page.py fichiers|session PAGE TESTS. Files are run in
the page opened from disk, sessions typed in the page served over HTTP; no other request."""
import functools
import http.server
import json
import pathlib
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

INVITE = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:"
QUESTION = "\nVoulez-vous verifier la somme de 2 shorts (y)?"
N1 = "Introduire 1 premiere valeur short int n1: \n" + INVITE
N2 = "Introduire 1 seconde valeur short int n2: \n" + INVITE

# Each group is typed once a prompt ends the transcript: ^D is Ctrl-D, a group with
# newlines is pasted, and Enter ends a group that does not end with ^D.
SESSIONS = [
    (["30000", "30000", "y", "100", "abc", "-200", "n"], 0,
     f"{N1}30000\n{N2}30000\n\n Debordement positif :  Resultat invalide : 30000 + 30000 = -5536\n"
     f"{QUESTION}y\n{N1}100\n{N2}abc\n{INVITE}-200\n\n Resultat valide : 100 + -200 = -100{QUESTION}n\n"),
    # A partly typed line goes over as it stands; Ctrl-D on an empty line at an operand.
    (["1^D2", "^D"], 1, f"{N1}12\n{N2}\n"),
    # Pasted lines are echoed at once, as a terminal does, and read in order.
    (["100\n200\nn"], 0, f"{N1}100\n200\n{N2}\n Resultat valide : 100 + 200 = 300{QUESTION}n\n"),
]
DEPOSER = ("const d = new DataTransfer(); d.items.add(new File([new Uint8Array(arguments[0])], arguments[1]));"
           "document.dispatchEvent(new DragEvent('drop', {dataTransfer: d}));")
COLLER = ("const d = new DataTransfer(); d.setData('text/plain', arguments[1]);"
          "arguments[0].dispatchEvent(new ClipboardEvent('paste', {clipboardData: d}));")


def ouvrir(adresse, telechargements):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for option in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update", "--disable-sync",
                   "--user-data-dir=" + tempfile.mkdtemp()):
        options.add_argument(option)
    options.add_experimental_option("prefs", {"download.default_directory": telechargements})
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    navigateur = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    navigateur.get(adresse)
    return navigateur


def attendre(navigateur, condition, secondes=20):
    return WebDriverWait(navigateur, secondes, poll_frequency=0.02).until(lambda _: condition())


def texte(navigateur, ident):
    return navigateur.find_element(By.ID, ident).get_property("textContent")


# Chromium may give the file its name before its bytes, beside a .crdownload file: a
# download is over when its folder holds that file alone, not empty.
def telecharge(chemin):
    try:
        return [p.name for p in chemin.parent.iterdir()] == [chemin.name] and chemin.stat().st_size > 0
    except FileNotFoundError:
        return False


def fichiers(navigateur, tests, telechargements, echecs):
    lignes = [ligne.split() for ligne in (tests / "transcripts" / "liste").read_text().splitlines()]
    assert len(lignes) > 10, "no transcript listed"
    # One way after the other, so that no run follows a run of the same file, whose
    # outcome is still shown until the new run starts.
    for voie, (nom, statut) in ((voie, ligne) for voie in ("choix", "depot") for ligne in lignes):
        entree, attendu = tests / "transcripts" / f"{nom}.in", (tests / "transcripts" / f"{nom}.out").read_bytes()
        if voie == "choix":
            navigateur.find_element(By.ID, "fichier").send_keys(str(entree))
        else:
            navigateur.execute_script(DEPOSER, list(entree.read_bytes()), entree.name)
        fin = f"«\u00a0{entree.name}\u00a0»\u00a0: programme terminé, statut "
        etat = attendre(navigateur, lambda: fin in (t := texte(navigateur, "etat")) and t)
        enregistre = pathlib.Path(telechargements, f"{nom}-transcription.txt")
        navigateur.find_element(By.ID, "enregistrer").click()
        attendre(navigateur, lambda: telecharge(enregistre))
        for quoi, obtenu, voulu in (("status", etat[-1], statut), ("saved", enregistre.read_bytes(), attendu),
                                    ("shown", texte(navigateur, "journal"), attendu.decode("ascii"))):
            if obtenu != voulu:
                echecs.append(f"{nom} ({voie}): {quoi} {obtenu!r}, expected {voulu!r}")
        enregistre.unlink()


def session(navigateur, tests, telechargements, echecs):
    for numero, (groupes, statut, attendu) in enumerate(SESSIONS):
        if numero > 0:  # the focus is on « Recommencer »: the keyboard alone starts again
            navigateur.switch_to.active_element.send_keys(Keys.ENTER)
        if navigateur.switch_to.active_element.get_attribute("id") != "saisie":
            echecs.append(f"session {numero}: the input line has not the focus at the start")
        saisie, vu = navigateur.find_element(By.ID, "saisie"), 0
        for groupe in groupes:
            vu = attendre(navigateur, lambda: len(t := texte(navigateur, "journal")) > vu
                          and t.endswith((INVITE, QUESTION)) and len(t))
            if "\n" in groupe:
                navigateur.execute_script(COLLER, saisie, groupe)
                groupe = ""
            morceaux = groupe.split("^D")
            touches = functools.reduce(lambda a, b: a + [Keys.CONTROL, "d", Keys.NULL, b], morceaux[1:], [morceaux[0]])
            saisie.send_keys(*touches, *([] if groupe.endswith("^D") else [Keys.ENTER]))
        etat = attendre(navigateur, lambda: "statut" in (t := texte(navigateur, "etat")) and t)
        if etat != f"Programme terminé, statut {statut}" or texte(navigateur, "journal") != attendu:
            echecs.append(f"session {numero}: {etat!r}, {texte(navigateur, 'journal')!r}, expected {attendu!r}")
        if navigateur.switch_to.active_element.get_attribute("id") != "recommencer":
            echecs.append(f"session {numero}: the focus is not on « Recommencer » at the end")


def principal(cas, page, tests):
    page, tests, telechargements = pathlib.Path(page).resolve(), pathlib.Path(tests).resolve(), tempfile.mkdtemp()
    adresse, demandes = page.as_uri(), []
    if cas == "session":
        class Journalise(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                demandes.append(self.path)
        httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Journalise, directory=page.parent))
        threading.Thread(target=httpd.serve_forever, daemon=True).start()
        adresse = f"http://127.0.0.1:{httpd.server_port}/{page.name}"
    navigateur, echecs = ouvrir(adresse, telechargements), []
    try:
        {"fichiers": fichiers, "session": session}[cas](navigateur, tests, telechargements, echecs)
        messages = [json.loads(e["message"])["message"] for e in navigateur.get_log("performance")]
        urls = [m["params"]["request"]["url"] for m in messages if m["method"] == "Network.requestWillBeSent"
                and m["params"].get("documentURL") == adresse]
        echecs += [f"requested {u[:80]}" for u in urls if u != adresse and not u.startswith(("data:", "blob:"))]
        echecs += [] if adresse in urls else ["the page's own request was not seen"]
        echecs += [] if cas != "session" or demandes == [f"/{page.name}"] else [f"the server was asked {demandes}"]
    finally:
        navigateur.quit()
    print("\n".join(echecs + [f"{cas}: {'failed' if echecs else 'passed'}"]))
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(principal(*sys.argv[1:]))
