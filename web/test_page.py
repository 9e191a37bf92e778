#!/usr/bin/python3
"""The page in a browser: test_page.py chromium|firefox|webkit fichiers|session|grand PAGE TESTS.
Files are run in the page opened from disk, sessions typed in the page served over HTTP;
no other request. The same scenarios run in each engine (see pilotes.py)."""
import functools
import hashlib
import http.server
import os
import pathlib
import re
import sys
import tempfile
import threading
import time

from selenium.webdriver.common.keys import Keys

from pilotes import MOTEURS

INVITE = "Introduire une valeur entiere entre -2^15 et (2^15) - 1:"
QUESTION = "\nVoulez-vous verifier la somme de 2 shorts (y)?"
N1 = "Introduire 1 premiere valeur short int n1: \n" + INVITE
N2 = "Introduire 1 seconde valeur short int n2: \n" + INVITE

# Each session runs in a viewport of its size. Each group is typed once a prompt ends the
# transcript: ^D is Ctrl-D, a group with line ends is pasted, and Enter ends a group, unless
# it ends with ^D, or with ^F, which presses « Fin des données » instead. A group that
# starts with ^R is typed where the hint for a refused line shows (and only there), ^C
# after a click on the transcript (and one that ends a selection there), ^V while the
# visual viewport, as a phone's keyboard leaves it, is too low for the input line. ^X
# clicks the example it names, with « Deviner » on; ^G foresees the verdict held back, its kind
# clicked (=: Enter in the sum's field). ^W is typed at the question, held back, then sent.
SESSIONS = [
    ((390, 844), ["100", "abc", "^R^C-200", "y", "^V30000", "30000", "n"], 0,
     f"{N1}100\n{N2}abc\n{INVITE}-200\n\n Resultat valide : 100 + -200 = -100{QUESTION}y\n"
     f"{N1}30000\n{N2}30000\n\n Debordement positif :  Resultat invalide : 30000 + 30000 = -5536\n{QUESTION}n\n"),
    # A partly typed line goes over as it stands; Ctrl-D on an empty line at an operand, after
    # a refused line and before any verdict.
    ((320, 480), ["1^D2", "abc", "^R^D"], 1, f"{N1}12\n{N2}abc\n{INVITE}\n"),
    # Pasted lines, whatever their line ends, are echoed at once, as a terminal does, and
    # read in order (Enter after them sends an empty line); the end button hands over what
    # is left in the input line. Their output is longer than the view: what is not shown is said.
    ((480, 768), ["100\r\n200\ry\r\n" * 60, "^R" + "100\r\n200\ry\r\n" * 60 + "-5^F"], 1,
     f"{N1}{{0}}\n{INVITE}{{0}}-5{N2}\n".format("100\n200\ny\n" * 60
                                              + f"{N2}\n Resultat valide : 100 + 200 = 300{QUESTION}{N1}" * 60)),
    # An example mid-check starts a new session, clicked from the page's foot; a sum foreseen read as the program would.
    ((780, 437), ["5", "^X30000 + 30000", "^G= 123", "^Gvalide 60000", "^G= -5536", "^W5"], 0,
     f"{N1}30000\n{N2}30000\n\n Debordement positif :  Resultat invalide : 30000 + 30000 = -5536\n{QUESTION}5\n"),
]
FINS = ["Terminé : la réponse ne commençait pas par « y », la seule qui lance une autre vérification (statut 0, succès)",
        "Vérification inachevée : les données ont pris fin quand le programme attendait une valeur (statut 1)",
        "Terminé : fin des données à la question (statut 0, succès)"]
# What the first session's verdicts look like: its lines in the transcript, by kind, and
# the last one explained (what the explanation says is tested under node).
VERDICTS = [["verdict exact", " Resultat valide : 100 + -200 = -100"],
            ["verdict haut", " Debordement positif :  Resultat invalide : 30000 + 30000 = -5536"]]
# A series, each sum with the kind foreseen for it (the second wrongly) and the program's verdict.
SERIE = [("32767", "1", "positif", " Debordement positif :  Resultat invalide : 32767 + 1 = -32768\n"),
         ("-1", "1", "negatif", " Resultat valide : -1 + 1 = 0"),
         ("30000", "30000", "positif", " Debordement positif :  Resultat invalide : 30000 + 30000 = -5536\n")]
TAPEE = [f"{N1}{a}\n{N2}{b}\n\n{v}{QUESTION}" for a, b, _, v in SERIE]  # each sum typed, and what it shows
# The summaries of some files, and the files warned about.
RESUMES = {
    "debordements": "4 vérifications : 1 somme valide, 1 débordement positif, 2 débordements négatifs ; 0 ligne refusée.",
    "refus": "1 vérification : 1 somme valide, 0 débordement positif, 0 débordement négatif ; 12 lignes refusées. Lignes refusées : 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 2 autres.",
    "ligne_trop_longue": "1 vérification : 1 somme valide, 0 débordement positif, 0 débordement négatif ; 3 lignes refusées. Lignes refusées : 1, 2 et 4.",
    "bom_utf8": "1 vérification : 1 somme valide, 0 débordement positif, 0 débordement négatif ; 1 ligne refusée. Ligne refusée : 1.",
    # Its patterns split across the program's writes, 64 KiB each.
    "grand": "40000 vérifications : 10000 sommes valides, 10000 débordements positifs, 20000 débordements négatifs ; "
             "40000 lignes refusées. Lignes refusées : 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 39990 autres.",
}
AVERTIS = {"bom_utf8": "(BOM)", "utf16": "UTF-16", "refus": "pas du texte"}  # refus holds a NUL byte
# What a user of a small screen would miss in the viewport, or hear twice, once the page has drawn
# (its frame comes first); under a finger (the page's rules for a coarse pointer applied), targets of 44 px.
VUE = """return new Promise((fini) => requestAnimationFrame(() => fini((() => {
const s = document.getElementById('saisie'), r = s.getBoundingClientRect(), j = document.getElementById('journal');
const f = [], a = document.querySelector('.addition'), question = j.textContent.endsWith('(y)?');
if (r.top < 0 || r.bottom > innerHeight) f.push(`the input line out of view (${r.top}..${r.bottom} of ${innerHeight})`);
const b = document.getElementById(document.getElementById('devinette').hidden ? 'bref' : 'devinette').getBoundingClientRect();
if (b.height && b.bottom > innerHeight) f.push(`the verdict in short, the hint or the question out of view (${b.bottom})`);
if (window.visualViewport?.height < r.bottom) f.push('the input line under the keyboard');
if (j.scrollTop + j.clientHeight < j.scrollHeight - 2 || j.getBoundingClientRect().bottom < 40) f.push('the end of the transcript out of view');
if (document.documentElement.scrollWidth > innerWidth) f.push('a horizontal scroll');
if (parseFloat(getComputedStyle(s).fontSize) < 16) f.push('input text under 16 px');
if (a && a.scrollWidth > a.clientWidth) f.push(`the bits cut (${a.scrollWidth} px in ${a.clientWidth})`);
const e = document.getElementById('exercices').getBoundingClientRect().top + scrollY;
if (document.querySelector('#bref .sorte') && e > 1.5 * innerHeight) f.push(`the examples at ${e} px`);
if (question && document.getElementById('aide').hidden) f.push('the answers to the question not said');
const operandes = j.textContent.match(/Resultat.*: -?\\d+ \\+ -?\\d+ =/g)?.at(-1).match(/-?\\d+ \\+ -?\\d+/)[0];
const entendu = Array.from(document.querySelectorAll('[aria-live=polite], [role=status], [role=alert]')).filter((v) =>
  !v.closest('[hidden]') && v.textContent.replace(/\u2212/g, '-').replace(/\u00a0/g, ' ').includes(operandes)).length;
if (question && entendu !== 1) f.push(`the verdict in ${entendu} live regions`);
const indice = document.querySelector('#bref .indice');
if (indice && !s.getAttribute('aria-describedby').split(' ').includes(indice.id)) f.push('the hint not in the input line\u2019s description');
const medias = Array.from(document.styleSheets[0].cssRules).filter((g) => g.media?.mediaText.includes('coarse'))
  .map((g) => [g, g.media.mediaText, g.media.mediaText = 'all']);
for (const c of [s, ...document.querySelectorAll('button, summary, label')]) {
  if (c.offsetParent && (c.offsetHeight < 44 || c.offsetWidth < 44)) f.push(`${c.id || c.textContent} under 44 px`);
}
for (const [g, m] of medias) g.media.mediaText = m;
return f.join(', ');
})())));"""
# On paper (the page's print rules applied): no controls, the transcript whole and in black, the explanation;
# then what a copy of the short explanation holds.
PAPIER = """const p = Array.from(document.styleSheets[0].cssRules).filter((g) => g.media?.mediaText === 'print'), j = journal;
p.forEach((g) => { g.media.mediaText = 'all'; });
const f = [Array.from(document.querySelectorAll('button, input, summary')).some((e) => e.offsetParent) && 'a control',
  [j, ...j.querySelectorAll('span')].some((e) => getComputedStyle(e).color !== 'rgb(0, 0, 0)') && 'the transcript not black',
  (j.scrollHeight > j.clientHeight + 2 || !explication.offsetParent) && 'cut, or not explained'];
p.forEach((g) => { g.media.mediaText = 'print'; });
return f.filter(Boolean).join(', ');"""
COPIE = """const r = document.createRange(), s = getSelection(), e = new ClipboardEvent('copy', {clipboardData: new DataTransfer(),
  dataType: 'text/plain', data: '', bubbles: true, cancelable: true}); r.selectNodeContents(bref); s.removeAllRanges(); s.addRange(r);
bref.dispatchEvent(e); s.removeAllRanges(); return e.clipboardData.getData('text/plain');"""
DEPOSER = ("const d = new DataTransfer(); for (let i = 0; i < arguments.length; i += 2)"
           " d.items.add(new File([new Uint8Array(arguments[i])], arguments[i + 1]));"
           "document.dispatchEvent(new DragEvent('drop', {dataTransfer: d}));")
# Firefox fills the event's data from its own dataType and data, which the others ignore.
COLLER = ("const d = new DataTransfer(); d.setData('text/plain', arguments[0]);"
          "document.getElementById('saisie').dispatchEvent(new ClipboardEvent('paste',"
          " {clipboardData: d, dataType: 'text/plain', data: arguments[0]}));")
# A selection of the transcript, ended by a click there: where the focus and the selection are.
SELECTION = """const j = document.getElementById('journal'), r = document.createRange(), s = getSelection();
j.focus(); r.selectNodeContents(j); s.removeAllRanges(); s.addRange(r); j.dispatchEvent(new MouseEvent('click', {bubbles: true}));
const vu = [document.activeElement.id, s.isCollapsed]; s.removeAllRanges(); return vu;"""
# The visual viewport of a phone whose keyboard covers the input line, until the page
# brings the line back into view.
CLAVIER = """const s = document.getElementById('saisie'), vraie = Object.getOwnPropertyDescriptor(window, 'visualViewport');
Object.defineProperty(window, 'visualViewport', {configurable: true, value: {height: s.getBoundingClientRect().top}});
window.retablir = () => { if (vraie) Object.defineProperty(window, 'visualViewport', vraie); else delete window.visualViewport;
  window.retablir = null; }; addEventListener('scroll', retablir, {once: true});"""
# Whether the question to foresee and its choices stay above a phone's keyboard (250 px) once the sum's field has the focus.
DESSUS_CLAVIER = """const vraie = Object.getOwnPropertyDescriptor(window, 'visualViewport'), haut = innerHeight - 250;
Object.defineProperty(window, 'visualViewport', {configurable: true, value: {height: haut}}); prevue.focus(); dispatchEvent(new Event('resize'));
return new Promise((fini) => requestAnimationFrame(() => { const b = devinette.getBoundingClientRect();
  if (vraie) Object.defineProperty(window, 'visualViewport', vraie); else delete window.visualViewport; fini(b.top >= 0 && b.bottom <= haut); }));"""
# What « Enregistrer la transcription » saves: the Blob it hands to the browser's download,
# caught on its way there, the download left out; one character a byte.
ENREGISTRE = """const creerUrl = URL.createObjectURL, clic = HTMLAnchorElement.prototype.click;
HTMLAnchorElement.prototype.click = () => {};
return new Promise((recu) => { URL.createObjectURL = (b) => { URL.createObjectURL = creerUrl; recu(b); return creerUrl.call(URL, b); };
  document.getElementById('enregistrer').click(); }).then((b) => { HTMLAnchorElement.prototype.click = clic; return b.arrayBuffer(); })"""
OCTETS = ".then((b) => Array.from(new Uint8Array(b), (o) => String.fromCharCode(o)).join(''));"
# The same, too large to be handed over: its size and SHA-256.
EMPREINTE = (".then((b) => crypto.subtle.digest('SHA-256', b)"
             ".then((h) => [b.byteLength, Array.from(new Uint8Array(h), (o) => o.toString(16).padStart(2, '0')).join('')]));")
# Two clicks on « Enregistrer », the second while the first is saving: how many files are handed to
# the download, 100 ms after the button is free again (none is downloaded).
DEUX_CLICS = """const b = document.getElementById('enregistrer'), creerUrl = URL.createObjectURL, clic = HTMLAnchorElement.prototype.click;
let copies = 0;
HTMLAnchorElement.prototype.click = () => {};
URL.createObjectURL = (x) => { ++copies; return creerUrl.call(URL, x); };
b.click(); b.click();
return new Promise((fini) => new MutationObserver((_, o) => { if (b.hasAttribute('aria-busy')) return; o.disconnect();
  setTimeout(() => { URL.createObjectURL = creerUrl; HTMLAnchorElement.prototype.click = clic; fini(copies); }, 100); }).observe(b, {attributes: true}));"""
# Whether the text from the last « Resultat » to the end of the transcript is in the
# transcript's visible part and in the window.
EN_VUE = """const j = document.getElementById('journal'), w = document.createTreeWalker(j, NodeFilter.SHOW_TEXT);
let n = null;
while (w.nextNode()) if (w.currentNode.data.includes('Resultat')) n = w.currentNode;
const r = document.createRange(), c = j.getBoundingClientRect();
r.setStart(n, n.data.lastIndexOf('Resultat'));
r.setEnd(j, j.childNodes.length);
return Array.from(r.getClientRects()).every((b) => b.top >= Math.max(c.top, 0) - 1 && b.bottom <= Math.min(c.bottom, innerHeight) + 1);"""
# Whether a verdict waits to be foreseen, its question in view.
DEVINETTE = "const d = document.getElementById('devinette'); return !d.hidden && d.getBoundingClientRect().bottom <= innerHeight;"
# Whether the program has taken in all that was typed.
LIBRE = "return document.getElementById('journal').getAttribute('aria-busy') !== 'true';"
# Whether the end of the transcript, at its foot, and the status are in the window.
FIN_EN_VUE = """const j = document.getElementById('journal'), b = j.getBoundingClientRect(), e = document.getElementById('etat').getBoundingClientRect();
return j.scrollTop + j.clientHeight >= j.scrollHeight - 2 && b.bottom <= innerHeight && b.bottom > 40 && e.top >= 0 && e.bottom <= innerHeight;"""
# Keeps every text the status shows.
ETATS = ("const e = document.getElementById('etat'); window.etats = [];"
         "new MutationObserver(() => etats.push(e.textContent)).observe(e, {childList: true, subtree: true, characterData: true});")
# Clicks « Arrêter » as soon as some output of the run of the file arguments[0] is drawn.
ARRETER = """const j = document.getElementById('journal');
return new Promise((fini) => new MutationObserver((_, o) => {
  if (!j.textContent || !document.getElementById('etat').textContent.includes(arguments[0])) return;
  o.disconnect();
  document.getElementById('arreter').click();
  fini();
}).observe(j, {childList: true, subtree: true, characterData: true}));"""


# The first true value of condition(), within `secondes`: else an error, or None when not `exige`.
def attendre(navigateur, condition, secondes=20, exige=True):
    def essai():
        try:
            return condition()
        except FileNotFoundError:  # a file renamed while it was looked at
            return None
    fin = time.monotonic() + secondes
    while not (resultat := essai()):
        if time.monotonic() > fin:
            if not exige:
                return None
            raise TimeoutError(f"still waiting after {secondes} s" + (
                f"; the transcript: {texte(navigateur, 'journal')!r}" if hasattr(navigateur, "js") else ""))
        time.sleep(0.02)
    return resultat


def quantite(n):  # a number of bytes as the page writes it: 1,5 Mo, 12 ko, 800 octets
    valeur, unite = (n / 1e6, "Mo") if n >= 1e6 else (n / 1e3, "ko") if n >= 1e3 else (n, "octets")
    return f"{round(valeur, 1):g} {unite}".replace(".", ",")


def texte(navigateur, ident):
    return navigateur.js("return document.getElementById(arguments[0]).textContent;", ident).replace("\u00a0", " ")


def actif(navigateur):
    return navigateur.js("return document.activeElement.id;")


# The bytes saved, as the page builds them; with `telecharger`, in the engines that save
# downloads, also those of the button's real download (once a run: a browser may block a
# page's later downloads).
def verifier_enregistrement(navigateur, nom, attendu, echecs, telecharger):
    obtenu = navigateur.js(ENREGISTRE + OCTETS).encode("latin-1")
    if obtenu != attendu:
        echecs.append(f"{nom}: saved {obtenu[:2000]!r}, expected {attendu[:2000]!r}")
    if telecharger and navigateur.telechargements:
        navigateur.cliquer("enregistrer")
        chemin = pathlib.Path(navigateur.telechargements)
        # Its name may come before its bytes, beside a partial or hidden file: the download is
        # over when the folder holds one file alone, of the size expected, under a name of its own.
        fichier = attendre(navigateur, lambda: len(p := list(chemin.iterdir())) == 1
                           and p[0].stat().st_size >= len(attendu) and not p[0].name.startswith(".")
                           and not p[0].name.endswith((".part", ".crdownload")) and p[0], exige=False)
        if not fichier or fichier.name != f"{nom}-transcription.txt" or fichier.read_bytes() != attendu:
            echecs.append(f"{nom}: downloaded {list(chemin.iterdir())}, not {len(attendu)} bytes expected")


# SERIE foreseen: each verdict held until picked, then the score, the sum missed explained again, the link.
def prevoir_serie(navigateur, nom, attendu, lien, echecs):
    for i, (n1, n2, genre, _) in enumerate(SERIE):
        somme = f"{n1} + {n2}".replace("-", "\u2212")
        attendre(navigateur, lambda: navigateur.js(DEVINETTE) and texte(navigateur, "enonce").startswith(somme))
        if texte(navigateur, "journal").count("Resultat") != i:
            echecs.append(f"{nom}: the verdict of {somme} shown before it is foreseen")
        navigateur.js("document.querySelector(`#devinette [value=${arguments[0]}]`).click();", genre)
    bilan = attendre(navigateur, lambda: "2 sur 3" in (t := texte(navigateur, "bilan")) and t)
    navigateur.js("bilan.querySelector('button').click();")
    if not attendre(navigateur, lambda: texte(navigateur, "journal") == attendu, 2, False) or not bilan.endswith(
            "\u22121 + 1") or "\u22121 + 1" not in (bref := texte(navigateur, "bref")) or not navigateur.js(
            "return lien.value.endsWith(arguments[0]);", lien):
        echecs.append(f"{nom}: {bilan!r}, explained {bref!r}, ...{texte(navigateur, 'journal')[-300:]!r}")


def fichiers(navigateur, tests, echecs):
    # Opened from disk at #32767%2B1 (see principal): 32767 and 1 typed at their prompts and judged, without a click.
    if (vu := attendre(navigateur, lambda: QUESTION in (t := texte(navigateur, "journal")) and t)) != TAPEE[0]:
        echecs.append(f"#32767%2B1: {vu!r}")
    lignes = [ligne.split() for ligne in (tests / "transcripts" / "liste").read_text().splitlines()]
    assert len(lignes) > 10, "no transcript listed"
    # One way after the other, so that no run follows a run of the same file, whose
    # outcome is still shown until the new run starts.
    for numero, (voie, (nom, statut)) in enumerate((voie, ligne) for voie in ("choix", "depot") for ligne in lignes):
        entree, attendu = tests / "transcripts" / f"{nom}.in", (tests / "transcripts" / f"{nom}.out").read_bytes()
        if voie == "choix":
            navigateur.choisir("fichier", entree)
        else:
            navigateur.js(DEPOSER, list(entree.read_bytes()), entree.name)
        etat = attendre(navigateur, lambda: f"« {entree.name} »" in (t := texte(navigateur, "etat")) and "(statut" in t and t)
        resume, fin = texte(navigateur, "resume"), FINS[2 if statut == "0" and attendu.endswith(b"?\n") else int(statut)]
        for quoi, obtenu, voulu in (("status", etat.endswith(f"« {entree.name} » : {fin}"), True),
                                    ("shown", texte(navigateur, "journal"), attendu.decode("ascii")),
                                    ("warning", AVERTIS.get(nom, "Attention") in texte(navigateur, "avertissement"), nom in AVERTIS),
                                    ("summary", resume if nom in RESUMES else "", RESUMES.get(nom, ""))):
            if obtenu != voulu:
                echecs.append(f"{nom} ({voie}): {quoi} {obtenu!r}, expected {voulu!r} ({etat!r}, {resume!r})")
        verifier_enregistrement(navigateur, nom, attendu, echecs, numero == 0)
    # The same series as a file chosen with « Deviner » ticked.
    (serie := pathlib.Path(tempfile.mkdtemp()) / "serie.txt").write_text("y\n".join(f"{a}\n{b}\n" for a, b, *_ in SERIE) + "n\n")
    navigateur.js("deviner.click();")
    navigateur.choisir("fichier", serie)
    prevoir_serie(navigateur, serie.name, "".join(f"{N1}{N2}\n{v}{QUESTION}" for *_, v in SERIE), ".html", echecs)


def session(navigateur, tests, echecs):
    for numero, (taille, groupes, statut, attendu) in enumerate(SESSIONS):
        navigateur.taille(*taille)
        if numero > 0:  # the focus is on « Recommencer » (Firefox's BiDi keys do not press a button)
            navigateur.cliquer("recommencer")
        if actif(navigateur) != "saisie":
            echecs.append(f"session {numero}: the input line has not the focus at the start")
        vu, redemande = 0, False
        for groupe in groupes:
            prevision = groupe.startswith("^G")
            vu = attendre(navigateur, lambda: (len(t := texte(navigateur, "journal")) > vu or prevision and redemande) and (
                navigateur.js(DEVINETTE) if prevision else t.endswith((INVITE, QUESTION)) and navigateur.js(LIBRE)) and len(t))
            if prevision:
                genre, somme = groupe[2:].split()
                if "Debordement" in texte(navigateur, "journal") + texte(navigateur, "consigne") or not navigateur.js(
                        "return saisie.disabled && enregistrer.disabled && !etat.textContent;"):
                    echecs.append(f"session {numero}: the verdict shown before it is foreseen")
                if not redemande and (actif(navigateur) != "enonce" or genre == "=" and not navigateur.js(DESSUS_CLAVIER)):
                    echecs.append(f"session {numero}: the focus on {actif(navigateur)}, or the question under a phone's keyboard")
                navigateur.js("prevue.value = arguments[0];", somme)
                if genre == "=":
                    navigateur.touches(Keys.ENTER)
                else:
                    navigateur.js("document.querySelector(`#devinette [value=${arguments[0]}]`).click();", genre)
                # The question stays only with the reason why.
                if (redemande := navigateur.js("return !devinette.hidden;")) and navigateur.js("return lecture.hidden;"):
                    echecs.append(f"session {numero}, {groupe}: the question stays, and the page does not say why")
                continue
            redemande = False
            if groupe.startswith("^X"):
                navigateur.js("scrollTo(0, document.body.scrollHeight); if (!deviner.checked) deviner.click();"
                              "Array.from(document.querySelectorAll('[data-exemple]')).find((b) => b.textContent === arguments[0]).click();", groupe[2:])
                continue
            indice = groupe.startswith("^R")
            if indice:
                groupe = groupe[2:]
            if not attendre(navigateur, lambda: texte(navigateur, "consigne").endswith(
                    texte(navigateur, "journal").rsplit("\n", 1)[-1]) and navigateur.js(
                    "return !document.querySelector('#bref .indice');") != indice, 2, False):
                echecs.append(f"session {numero}, {groupe}: the prompt not described, or the hint {'not ' * indice}shown")
            if groupe.startswith("^C"):
                groupe = groupe[2:]
                if navigateur.js(SELECTION) != ["journal", False]:
                    echecs.append(f"session {numero}: a click that ends a selection in the transcript moved the focus")
                navigateur.cliquer("journal")
                if actif(navigateur) != "saisie":
                    echecs.append(f"session {numero}: a click on the transcript leaves the focus on {actif(navigateur)}")
            if vue := navigateur.js("return (() => {%s})().then((vu) => { window.retablir?.(); return vu; });" % VUE):
                echecs.append(f"session {numero}, {taille}: {vue}")
            if groupe.startswith("^V"):
                groupe = navigateur.js(CLAVIER) or groupe[2:]
            groupe, bouton = (groupe[:-2], True) if groupe.endswith("^F") else (groupe, False)
            if re.search("[\r\n]", groupe):
                navigateur.js(COLLER, groupe)
                groupe = ""
            if groupe.startswith("^W"):
                navigateur.touches(groupe[2:], Keys.ENTER)
                if navigateur.js("return new Promise((r) => requestAnimationFrame(() => r(journal.textContent.length"
                                 " === arguments[0] && aide.textContent.includes(saisie.value))));", vu) is not True:
                    echecs.append(f"session {numero}: {groupe[2:]} at the question sent at once, or without a warning")
                groupe = ""
            morceaux = groupe.split("^D")
            for i, morceau in enumerate(morceaux):
                fin = [Keys.CONTROL, "d"] if i < len(morceaux) - 1 else [] if bouton or groupe.endswith("^D") else [Keys.ENTER]
                if morceau or fin:
                    navigateur.touches(morceau, *fin)
            if bouton:
                attendre(navigateur, lambda: navigateur.js(LIBRE))
                navigateur.cliquer("fin")
        etat = attendre(navigateur, lambda: "statut" in (t := texte(navigateur, "etat")) and t)
        if numero == 0:
            marques = navigateur.js("return Array.from(document.querySelectorAll('#journal .verdict'), (e) => [e.className, e.textContent]);")
            explique = texte(navigateur, "bref")
            if marques != VERDICTS or "30000 + 30000 = 60000, au-delà de 32767" not in explique:
                echecs.append(f"session 0: verdicts marked {marques}, explained {explique}")
            if papier := navigateur.js(PAPIER):
                echecs.append(f"session 0, printed: {papier}")
            if "−" in (copie := navigateur.js(COPIE)) or "-5536" not in copie:
                echecs.append(f"session 0: copied {copie!r}")
        vu, cache = texte(navigateur, "journal"), texte(navigateur, "horsVue") * navigateur.js(
            "return !document.getElementById('horsVue').hidden;")
        if etat != FINS[statut] or not attendu.endswith(vu) or not cache.startswith(
                f"{quantite(len(attendu.encode()) - len(vu.encode()))} plus haut" if vu != attendu else ""):
            echecs.append(f"session {numero}: {etat!r}, {cache!r}, ...{vu[-1000:]!r}, expected {attendu[-1000:]!r}")
        if actif(navigateur) != "recommencer" or not navigateur.js(FIN_EN_VUE):
            echecs.append(f"session {numero}: the focus not on « Recommencer », or the end out of view")
        if numero == 0:  # its first verdict explained again when tapped, the second from the keyboard
            navigateur.js("document.querySelector('#journal [data-verdict]').click();")
            premier = texte(navigateur, "bref")
            navigateur.js("document.querySelectorAll('#journal [data-verdict]')[1].focus();")
            navigateur.touches(Keys.ENTER)
            if "100 + \u2212200" not in premier or "30000 + 30000" not in texte(navigateur, "bref"):
                echecs.append(f"session 0: past verdicts explained {premier!r}, then {texte(navigateur, 'bref')!r}")
        verifier_enregistrement(navigateur, "verifier-somme", attendu.encode(), echecs, numero == len(SESSIONS) - 1)
    # A link followed in the page: its series typed, foreseen and scored; the page's own link of it the same.
    navigateur.js("location.hash = arguments[0];", lien := "#deviner,32767+1,-1+1,30000+30000")
    prevoir_serie(navigateur, lien, "y\n".join(TAPEE), lien, echecs)
    # « Recommencer » while its first verdict waits again, and the same link followed again.
    navigateur.js("recommencer.click(); location.hash = arguments[0];", lien)
    attendre(navigateur, lambda: navigateur.js(DEVINETTE) and not navigateur.js("return recommencer.hidden;"))
    navigateur.js("recommencer.click(); location.hash = arguments[0];", lien)
    prevoir_serie(navigateur, lien, "y\n".join(TAPEE), lien, echecs)


def grand(navigateur, tests, echecs):
    """A large generated file, chosen: 40,000 refused lines, then 40,000 checks of the
    three kinds; around it, a file of 128 MiB that is slow to start (a line of NUL bytes), one that is long to
    run, and two dropped at once."""
    def transcript(nom):
        return [(tests / f"transcripts/{nom}.{quoi}").read_bytes() for quoi in ("in", "out")]
    (entree, sortie), (quatre, quatre_sortie) = transcript("somme_valide"), transcript("debordements")
    dossier, checks, arretes = pathlib.Path(tempfile.mkdtemp()), 40000, 500000  # debordements: 4 checks
    fichier, long, lent = dossier / "grand.txt", dossier / "long.txt", dossier / "lent.txt"
    fichier.write_bytes(b"\n" * checks + quatre.replace(b"n\n", b"y\n") * (checks // 4 - 1) + quatre)
    long.write_bytes(entree.replace(b"n\n", b"y\n") * arretes + entree)
    lent.write_bytes(bytes(1 << 27) + entree)
    attendu = quatre_sortie.replace(INVITE.encode(), INVITE.encode() * (checks + 1), 1) + quatre_sortie * (checks // 4 - 1)

    def fin(nom, quoi=FINS[0]):
        return attendre(navigateur, lambda: f"« {nom} » : {quoi}" in (t := texte(navigateur, "etat")) and t, 60)

    def enregistre(voulu, nom):  # voulu(n): the first n bytes the program wrote
        taille, empreinte = navigateur.js(ENREGISTRE + EMPREINTE)
        if taille == 0 or empreinte != hashlib.sha256(voulu(taille)).hexdigest():
            echecs.append(f"{nom}: {taille} bytes saved, not those the program wrote")
        return taille

    # A second file chosen while the first runs is the one that runs: the first never
    # ends, the status tells (checked once the large file has run).
    petit = tests / "transcripts/debordements.in"
    navigateur.js(ETATS)
    navigateur.choisir("fichier", lent)
    navigateur.choisir("fichier", petit)
    fin(petit.name)
    verifier_enregistrement(navigateur, "debordements", petit.with_suffix(".out").read_bytes(), echecs, False)
    # At its end, the last verdict and the question are in view, its end shown, and the focus
    # not on « Recommencer »; its bytes saved exactly.
    navigateur.taille(1280, 800)
    navigateur.choisir("fichier", fichier)
    fin(fichier.name)
    explique = attendre(navigateur, lambda: "32767 + −32768 = −1" in texte(navigateur, "bref"), 2, False)
    vu = texte(navigateur, "journal")
    if not (attendu.endswith(vu.encode()) and vu.count("\n") == 500 and navigateur.js(EN_VUE)):  # its 500 last lines
        echecs.append(f"grand.txt: the end is not in view, or not what the program wrote: ...{vu[-200:]!r}")
    cache = f"{quantite(len(attendu) - len(vu))} plus haut ne sont pas affichés"
    if actif(navigateur) == "recommencer" or not texte(navigateur, "horsVue").startswith(cache):
        echecs.append(f"grand.txt: focus on {actif(navigateur)}, {texte(navigateur, 'horsVue')!r}, expected {cache}")
    if (resume := texte(navigateur, "resume")) != RESUMES["grand"] or not explique:
        echecs.append(f"grand.txt: summary {resume!r}, expected {RESUMES['grand']!r}, or its last verdict not explained")
    enregistre(lambda n: memoryview(attendu)[:n], fichier.name)
    if (copies := navigateur.js(DEUX_CLICS)) != 1:
        echecs.append(f"grand.txt: two clicks on « Enregistrer » handed {copies} files to the download")
    for taille in ((390, 470), (780, 437), (390, 844)):  # a phone turned: the end stays in view
        navigateur.taille(*taille)
        if not attendre(navigateur, lambda: navigateur.js(FIN_EN_VUE), 2, False):
            echecs.append(f"grand.txt: the end out of view once the window is {taille}")
    # « Recommencer » while a file is read: a typed session, nothing said not shown, the file never run.
    navigateur.choisir("fichier", lent)
    navigateur.js("document.getElementById('recommencer').click();")
    attendre(navigateur, lambda: texte(navigateur, "journal").endswith(INVITE))
    if texte(navigateur, "etat") or navigateur.js("return saisie.disabled || !horsVue.hidden;"):
        echecs.append(f"« Recommencer » while a file is read: {texte(navigateur, 'etat')!r}, {texte(navigateur, 'horsVue')!r}")
    etats = navigateur.js("return etats.slice(etats.findIndex((t) => t.includes(arguments[1])))"
                          ".filter((t) => t.includes(arguments[0] + '\\u00a0»\\u00a0:'));", lent.name, petit.name)
    if etats:
        echecs.append(f"{lent.name}, chosen before another, was run to its end: {etats}")
    # « Arrêter » stops a run at once; what it wrote is kept.
    navigateur.choisir("fichier", long)
    navigateur.js(ARRETER, long.name)
    fin(long.name, "exécution arrêtée après ")
    if enregistre(lambda n: (sortie * (n // len(sortie) + 1))[:n], long.name) >= arretes * len(sortie):
        echecs.append("long.txt: not stopped")
    # Of several files dropped at once, the first runs, and the status says so.
    navigateur.js(DEPOSER, list(petit.read_bytes()), petit.name, [], "vide.txt")
    if not fin(petit.name).startswith(f"2 fichiers déposés, seul « {petit.name} » est exécuté."):
        echecs.append(f"two files dropped: {texte(navigateur, 'etat')!r}")


def copie_avec(page, script, copie=None):
    """A copy of `page` (at `copie`, or in a folder of its own) that runs `script` before its own."""
    copie = copie or pathlib.Path(tempfile.mkdtemp()) / page.name
    copie.write_bytes(page.read_bytes().replace(b'<meta charset="utf-8">',
                                                b'<meta charset="utf-8"><script>' + script.encode() + b'</script>', 1))
    return copie


# Where a browser will not compile the program at once (Chromium may not, above 4 KB), it is compiled in the
# background: the page works as before, and an example clicked while a session starts is typed at its
# prompts, not before them.
def en_arriere_plan(navigateur, page):
    copie = copie_avec(page, 'WebAssembly.Module = function () { throw new RangeError("4 KB"); };')
    navigateur.aller(copie.as_uri())
    attendre(navigateur, lambda: texte(navigateur, "journal").endswith(INVITE) and navigateur.js(LIBRE))
    navigateur.js("fin.click(); recommencer.click(); document.querySelector('[data-exemple]').click();")
    vu = attendre(navigateur, lambda: QUESTION in (t := texte(navigateur, "journal")) and t)
    return [] if vu == TAPEE[0] else [f"compiled in the background, an example as a session starts: {vu!r}"]


def principal(moteur, cas, page, tests):
    # Every temporary file, the test's, the browser's and its profile's, in one folder that goes with it.
    with tempfile.TemporaryDirectory() as temporaire:
        tempfile.tempdir = os.environ["TMPDIR"] = temporaire
        page, tests, telechargements = pathlib.Path(page).resolve(), pathlib.Path(tests).resolve(), tempfile.mkdtemp()
        adresse, demandes = page.as_uri(), []
        if cas == "session":
            class Journalise(http.server.SimpleHTTPRequestHandler):
                def log_message(self, *args):
                    demandes.append(self.path)
            httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Journalise, directory=page.parent))
            threading.Thread(target=httpd.serve_forever, daemon=True).start()
            adresse = f"http://127.0.0.1:{httpd.server_port}/{page.name}"
        navigateur, echecs = MOTEURS[moteur](telechargements), []
        try:
            navigateur.aller(adresse + "#32767%2B1" * (cas == "fichiers"))
            navigateur.js("window.erreurs = []; addEventListener('error', (e) => erreurs.push(e.message));")
            {"fichiers": fichiers, "session": session, "grand": grand}[cas](navigateur, tests, echecs)
            echecs += [f"the page threw: {e}" for e in navigateur.js("return erreurs;")]
            urls = navigateur.demandes(adresse)
            if urls is not None:
                echecs += [f"requested {u[:80]}" for u in urls if u != adresse and not u.startswith(("data:", "blob:"))]
                echecs += [] if urls else ["no request of the page was seen"]  # else the record itself failed
            echecs += [] if cas != "session" or demandes == [f"/{page.name}"] else [f"the server was asked {demandes}"]
            echecs += en_arriere_plan(navigateur, page) if cas == "session" else []
        finally:
            navigateur.fermer()
        print("\n".join(echecs + [f"{moteur} {cas}: {'failed' if echecs else 'passed'}"]))
        return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(principal(*sys.argv[1:]))
