// The page around the program: its controls, and what each run shows. The transcript is
// exactly what the program wrote and what was typed; beside it, what the page adds comes
// from what the program decided (see src/console/navigateur/systeme.js).
import {
  avecMoins, avertissement, classeDuGenre, enonceHtml, explicationHtml, indice, resume as resumer,
} from './explication.mjs';
import { commandes } from './etats.mjs';
import { creer, demarrer, donner, finirEntree, passer, relacher, retenir, vivante } from './execution.mjs';
import {
  AIDE_QUESTION, GENRE_A_CHOISIR, avantDeTerminer, lignesRefusees, lireNombre, pourCopier, sommeIllisible,
} from './mots.mjs';
import { bilan as bilanDe, creerScore, fragmentDe, lireLien, noter } from './serie.mjs';
import * as vocabulaire from './vocabulaire.mjs';
import { garder, telecharger, transcription } from './transcription.mjs';
import * as vue from './vue.mjs';

const element = (id) => document.getElementById(id);
const journal = element('journal'), saisie = element('saisie'), etat = element('etat');
const avancement = element('avancement'), barre = element('barre'), quantiteLue = element('quantiteLue');
const boutonFin = element('fin'), boutonRecommencer = element('recommencer'), issue = element('issue');
const boutonArreter = element('arreter');
const boutonEnregistrer = element('enregistrer'), choixFichier = element('fichier');
const detail = element('detail'), consigne = element('consigne'), bref = element('bref');
const resume = element('resume'), texteAvertissement = element('avertissement');
const devinette = element('devinette'), prevue = element('prevue'), deviner = element('deviner');
const enonce = element('enonce'), lecture = element('lecture'), aide = element('aide');
const annonce = element('annonce'), lien = element('lien'), bilan = element('bilan');
const score = element('score'), boutonCharger = element('charger');
const exemples = document.querySelectorAll('[data-exemple]'), choix = devinette.querySelectorAll('button');
// The choices of a verdict to be foreseen, one a kind, in the program's names.
choix.forEach((bouton, i) => {
  bouton.value = [vocabulaire.valide, vocabulaire.positif, vocabulaire.negatif][i];
});
vue.initialiser({ journal, horsVue: element('horsVue') });
const encodeur = new TextEncoder(), decodeur = new TextDecoder();

// What the page looks at of a file before it runs, for a warning.
const OCTETS_REGARDES = 1024;
// A file run shows how far it has read once it has run this long.
const DELAI_AVANCEMENT_MS = 500;
// The input line is described by what the program wrote since it last read: a prompt, or
// a verdict and the question; at most this many characters of its end.
const LONGUEUR_CONSIGNE = 300;
const SAUT = 10;  // the newline
// A file run names the first refused lines by their numbers, at most these many.
const LIGNES_CITEES = 10;

// A run keeps its last verdicts, as many as the view can show (one a line): a file run their
// places, to mark them when it ends (a million checks tell a million verdicts); a typed session
// each verdict, to explain it again.
const VERDICTS_GARDES = 512;

// The run shown: every other run has ended, or been replaced.
let courante = null, trame = 0, enregistrement = null;

// What a shown run does, as its program writes and decides: see execution.demarrer.
const observateur = {
  sortie(run, octets) {
    garder(run, octets);
    // A verdict held back is held from the line end before its text, once that text comes.
    const debut = run.ecrits - octets.length;
    for (const attente of run.aDeviner) {
      if (attente.debut === undefined && attente.fin <= run.ecrits) {
        attente.debut = debut + octets.lastIndexOf(SAUT, attente.fin - 2 - debut);
      }
    }
    recevoir(run, octets, debut);
    if (!run.fichier) {
      run.depuisLecture = (run.depuisLecture + decodeur.decode(octets)).slice(-LONGUEUR_CONSIGNE);
    }
  },
  // Its text, one line, ends where the program's output has come to, at `fin`.
  verdict(run, genre, n1, n2, somme, fin) {
    const numero = run.compte.verifications++, i = numero % VERDICTS_GARDES;
    ++run.compte[genre];
    const v = run.verdict;
    v.genre = genre;
    v.n1 = n1;
    v.n2 = n2;
    v.somme = somme;
    run.refuse = run.encore = null;  // a new question comes
    // Whether it is to be foreseen (for a file, as its run holds it: reading the box each time
    // slowed ten million checks by 0.2 s in Chromium), and what explains it then, or in a session.
    const tenu = run.fichier ? run.fichier.aPrevoir : deviner.checked;
    const explique = run.fichier && !tenu ? null : { numero, verdict: { ...v } };
    if (run.fichier) {
      run.finsVerdicts[i] = fin;
      run.genresVerdicts[i] = genre;
    } else {
      run.aMarquer.push({ fin, classe: `verdict ${classeDuGenre(genre)}`, numero });
      run.position = 'question';
      run.finVerdict = fin;
      run.sommes.push([n1, n2]);
      run.expliques[i] = explique;
    }
    if (!tenu) {
      run.aExpliquer = explique;  // a file's last verdict is explained at its end
      return;
    }
    // To be foreseen first: its text waits; a file's program at its next read, a session's goes on.
    if (run.fichier) retenir(run);
    run.aDeviner.push({ fin, explique });
    passer(run, 'retient');
  },
  // An example or a series stops at a line refused: the hint says why, the learner goes on from there.
  refus(run, regle, memoire, debut, taille, longueur, numero) {
    ++run.compte.refus;
    if (!run.fichier) {
      run.refuse = { regle, debut: memoire.slice(debut, debut + taille), longueur };
      run.aTaper = [];
    } else if (run.lignesRefusees.length < LIGNES_CITEES) run.lignesRefusees.push(numero);
  },
  reponse(run, encore) {
    run.encore = encore;
    run.refuse = run.finVerdict = null;
    if (encore) run.position = 'debut';
  },
  // The hint stays shown while the program waits after a refused line. The transcript is
  // busy while the program works through what was typed.
  attend(run) {
    if (run.fichier) return;
    if (run.entree.length === 0) {
      if (run.aTaper.length) taperLaSuite(run);
      else {
        journal.removeAttribute('aria-busy');
        // A series foreseen that stopped before its last verdict (a line refused, a sum cut short).
        if (run.score && !run.aDeviner.length) montrerScore(run, true);
      }
    }
    // What waits to be foreseen is described once it is shown; what the program wrote after
    // a verdict is said after it, in short.
    run.consigne = run.depuisLecture.trim();
    run.apresVerdict = run.finVerdict === null ? null
      : run.depuisLecture.slice(Math.max(0, run.depuisLecture.length - (run.ecrits - run.finVerdict))).trim();
    run.finVerdict = null;
    if (!run.aDeviner.length) decrire(run);
    run.depuisLecture = '';
    run.indice = run.refuse;
    run.refuse = null;
    run.aAnnoncer = true;
    demanderTrame();
  },
  etat(run) {
    if (run !== courante) return;
    // The focus, if it is on a control about to be idle, moves when the run ends.
    const focusLibre = [null, document.body, saisie, boutonFin, boutonArreter]
      .includes(document.activeElement) || devinette.contains(document.activeElement);
    appliquer(run);
    if (!vivante(run) && !commandes(run.etat).devinette) conclure(run, focusLibre);
  },
};

// A new run on `fichier` (see execution.creer), shown in place of the one shown until now.
function nouvelle(fichier) {
  const remplacee = courante, run = courante = creer(fichier, observateur);
  if (remplacee && vivante(remplacee)) passer(remplacee, 'remplace');
  Object.assign(run, {
    compte: { verifications: 0, [vocabulaire.valide]: 0, [vocabulaire.positif]: 0, [vocabulaire.negatif]: 0,
      refus: 0 }, aMarquer: [],
    finsVerdicts: new Float64Array(VERDICTS_GARDES),
    genresVerdicts: [], depuisLecture: '', verdict: {}, refuse: null, indice: null, encore: null,
    debut: performance.now(), aExpliquer: null, montre: null, aDeviner: [], retenus: [], aTaper: [],
    position: 'debut', finVerdict: null, apresVerdict: null, lignesRefusees: [],
    expliques: [], sommes: [], score: null, posee: null,
  });
  vue.vider();
  detail.textContent = 'Chaque résultat sera expliqué ici.';
  bref.replaceChildren();
  resume.hidden = aide.hidden = bilan.hidden = true;
  montrerLien(run);
  saisie.value = consigne.textContent = annonce.textContent = aide.textContent = '';
  appliquer(run);
  return run;
}

// A new session, which types `lignes` at the prompts that ask for them (see attend), scored as a
// series if `serie` is its score (see serie.mjs): its program starts at once.
function nouvelleSession(lignes = [], serie = null) {
  const run = nouvelle(null);
  Object.assign(run, { aTaper: lignes.map((ligne) => `${ligne}\n`), score: serie });
  demarrer(run);
  saisie.focus();
}

// Sets every control from the state of `run` (see etats.mjs), and says it in the status:
// the one writer of the controls.
function appliquer(run) {
  const c = commandes(run.etat);
  saisie.disabled = !c.saisie;
  boutonFin.disabled = !c.fin;
  for (const bouton of exemples) bouton.disabled = !c.exemples;
  boutonEnregistrer.disabled = !c.enregistrer;
  boutonArreter.hidden = !c.arreter;
  boutonRecommencer.hidden = !c.recommencer;
  avancement.hidden = !c.avancement;
  devinette.hidden = !c.devinette;
  etat.textContent = c.statut ? motsDEtat(run) : '';
  const note = run.fichier?.note ?? '';
  texteAvertissement.hidden = !note;
  texteAvertissement.textContent = note;
}

// The state of `run` in words; the end of a run by its status.
function motsDEtat(run) {
  const { fichier } = run, nom = fichier && `«\u00a0${fichier.nom}\u00a0»`, choisis = fichier?.choisis ?? '';
  switch (run.etat) {
    case 'ouverture': return `${choisis}Lecture du fichier ${nom}…`;
    case 'illisible': return `${choisis}Le fichier ${nom} n\u2019a pas pu être lu\u00a0: ${run.erreur}`;
    case 'echec': return `Le programme n\u2019a pas pu démarrer\u00a0: ${run.erreur}`;
    case 'arretee': return `${choisis}Fichier ${nom}\u00a0: exécution arrêtée après `
      + `${vue.quantite(run.lu)} lus sur ${vue.quantite(fichier.blob.size)}`;
    case 'sessionFinie':
    case 'fichierFini': return (fichier ? `${choisis}Fichier ${nom}\u00a0: ` : '') + (run.statut !== 0
      ? 'Vérification inachevée\u00a0: les données ont pris fin quand le programme attendait une valeur '
        + `(statut ${run.statut})`
      : run.encore === null ? 'Terminé\u00a0: fin des données à la question (statut 0, succès)'
        : `Terminé\u00a0: la réponse ne commençait pas par «\u00a0y\u00a0», la seule qui lance une `
          + 'autre vérification (statut 0, succès)');
    default: return fichier ? `${choisis}Fichier ${nom} (${fichier.blob.size}\u00a0octets)…` : '';
  }
}

function demanderTrame() {
  if (!trame) trame = requestAnimationFrame(dessinerTrame);
}

// Draws what the run wrote since the last frame; in a typed session, the last verdict
// explained, or the hint after a refused line, and the input line kept in view.
function dessinerTrame() {
  trame = 0;
  // A file running, or typed lines the program has still to take in (a paste): only the
  // end of the view is drawn, and nothing explained until the program waits. A file's verdict
  // to be foreseen is asked as a session's is.
  const run = courante, tenue = run.fichier && commandes(run.etat).devinette;
  const enCours = !tenue && (run.etat === 'execution' || run.etat === 'suivie' || run.entree.length > 0);
  if (!vue.dessiner(enCours, false)) {
    demanderTrame();
    return;
  }
  if (run.etat === 'execution' && performance.now() - run.debut > DELAI_AVANCEMENT_MS) passer(run, 'lent');
  if (run.etat === 'suivie') {
    barre.max = run.fichier.blob.size;
    barre.value = run.lu;
    quantiteLue.textContent = `${vue.quantite(run.lu)} lus sur ${vue.quantite(run.fichier.blob.size)}`;
  }
  if (run.fichier && !tenue) return;
  if (enCours) {
    demanderTrame();
    return;
  }
  dessinerBref(run);
  garderEnVue();
  annoncer(run);
  montrerLien(run);
}

// The address of the page with a fragment that types again the sums of `run` (none for a file), in
// « Deviner » if it is ticked.
function montrerLien(run) {
  lien.value = location.href.replace(/#.*/s, '') + fragmentDe(deviner.checked, run.sommes);
  // Its sums, the end that changes, in view: at the next frame, which lays the page out anyway (read
  // now, the field's width would lay it out while the page loads, 40 ms in WebKit).
  if (run.sommes.length && !lienADefiler) {
    lienADefiler = true;
    requestAnimationFrame(() => {
      lienADefiler = false;
      lien.scrollLeft = lien.scrollWidth;
    });
  }
}
let lienADefiler = false;

// What the program asks, beside the input line: its prompt or question, what the answers to
// the question do, and the hint after a refused line (see dessinerBref).
function decrire(run) {
  consigne.textContent = run.consigne;
  // Hidden, it would still be read as part of the description.
  aide.hidden = run.apresVerdict === null;
  aide.textContent = aide.hidden ? '' : AIDE_QUESTION;
  run.averti = null;
}

// Says once, in order, what the program asks now that it waits: the hint after a refused
// line or the verdict in short, then the prompt or the question. The transcript is not read
// out: its verdict would be heard twice.
function annoncer(run) {
  if (!run.aAnnoncer || run.aDeviner.length) return;
  run.aAnnoncer = false;
  const question = run.apresVerdict !== null, avant = run.indice || question ? `${bref.textContent} ` : '';
  annonce.textContent = avant + (question ? `${run.apresVerdict} ${AIDE_QUESTION}` : run.consigne);
}

// Under the terminal, what the learner reads first: the verdict to foresee, under the one foreseen
// before; the hint after a refused line in place of the explanation, or the last verdict in short
// (or one explained again), the rest of its explanation beside or below.
function dessinerBref(run) {
  const attente = run.aDeviner[0], montre = run.indice ?? run.aExpliquer;
  if (attente && attente !== run.posee) {
    run.posee = attente;
    const { n1, n2 } = attente.explique.verdict;
    enonce.innerHTML = enonceHtml(n1, n2);
    tenir(null);
    // On the question, not in a text field: a phone's keyboard goes, the choices stay in view.
    const actif = document.activeElement;
    const libre = [null, document.body, saisie, boutonCharger].includes(actif);
    if (libre || devinette.contains(actif)) enonce.focus({ preventScroll: true });
    journal.removeAttribute('aria-busy');  // nothing more is shown until the learner's choice
  }
  if (montre === run.montre) return;
  run.montre = montre;
  if (!montre) bref.replaceChildren();
  else if (run.indice) {
    const p = document.createElement('p');
    p.className = p.id = 'indice';
    p.textContent = indice(run.indice);
    bref.replaceChildren(p);
    detail.textContent = 'Ligne refusée\u00a0: l\u2019indice, sous le terminal, dit pourquoi. '
      + 'L\u2019explication revient avec le prochain résultat.';
  } else if (montre) {
    const { court, suite } = explicationHtml(montre.verdict, montre.prediction);
    bref.innerHTML = court;
    detail.innerHTML = suite;
  }
}

// What is kept in view stands this far from the window's edges.
const MARGE = 6;
// The height of what the window shows: above a phone's keyboard, when it is out.
const hauteurVue = () => window.visualViewport?.height ?? innerHeight;

// Scrolls the window as little as brings `cible` into view, or its foot when it is taller.
function amener(cible) {
  const { top, bottom } = cible.getBoundingClientRect(), hauteur = hauteurVue();
  if (bottom + MARGE > hauteur) scrollBy(0, Math.ceil(bottom + MARGE - hauteur));
  else if (top < MARGE) scrollBy(0, Math.floor(top - MARGE));
}

// The input line in view, even above a phone's keyboard, and if there is room the short
// explanation under it; or else the question of a verdict to be foreseen.
function garderEnVue() {
  // The question and its choices, above a phone's keyboard when it is out.
  if (!devinette.hidden) {
    amener(devinette);
    return;
  }
  amener(saisie);
  // The transcript's last lines above it, as far as it stays in view.
  const manqueAuDessus = finDuJournalEnHaut() - journal.getBoundingClientRect().bottom;
  const placeEnBas = Math.floor(hauteurVue() - MARGE - saisie.getBoundingClientRect().bottom);
  if (manqueAuDessus > 0 && placeEnBas > 0) scrollBy(0, -Math.min(Math.ceil(manqueAuDessus), placeEnBas));
  const dessous = (devinette.hidden ? bref : devinette).getBoundingClientRect();
  const manque = Math.ceil(dessous.bottom + MARGE - hauteurVue());
  if (dessous.height && manque > 0) {
    scrollBy(0, Math.min(manque, Math.floor(saisie.getBoundingClientRect().top - MARGE)));
  }
}

// Shows the end of `run` at once: the whole view, a file's summary and last verdict. The
// focus, if free, goes to « Recommencer » after a typed session, and to the transcript
// after a file, so that a stray Enter does not throw that transcript away.
function conclure(run, focusLibre) {
  journal.removeAttribute('aria-busy');
  aide.hidden = true;
  aide.textContent = '';
  cancelAnimationFrame(trame);
  trame = 0;
  // A file's last verdicts, in order, where the transcript is its output.
  const n = run.compte.verifications;
  for (let k = Math.max(0, n - VERDICTS_GARDES); run.fichier && k < n; ++k) {
    const i = k % VERDICTS_GARDES, fin = run.finsVerdicts[i];
    if (fin <= run.ecrits) vue.marquerLigne(fin, `verdict ${classeDuGenre(run.genresVerdicts[i])}`);
  }
  vue.dessiner(false, Boolean(run.fichier));
  run.indice = null;
  if (!run.fichier) dessinerBref(run);
  else {
    // After a file, the lines above its end, then its last verdict explained, each at a
    // frame of its own: laid out together, they held one frame up for 100 to 170 ms.
    if (n && !run.aExpliquer) run.aExpliquer = { verdict: run.verdict };
    const suite = () => {
      if (run !== courante) return;
      if (vue.completer()) {
        requestAnimationFrame(suite);
        return;
      }
      dessinerBref(run);
      amenerLaFin();
    };
    requestAnimationFrame(suite);
  }
  if (run.etat === 'fichierFini') {
    const refusees = lignesRefusees(run.lignesRefusees, run.compte.refus);
    resume.textContent = `${resumer(run.compte)}${refusees && ` ${refusees}`}`;
    resume.hidden = false;
  }
  if (run.score) montrerScore(run);
  montrerLien(run);
  if (focusLibre) (run.fichier ? journal : boutonRecommencer).focus({ preventScroll: true });
  amenerLaFin();
}

// Shows the score of the series foreseen in `run` (`interrompue` before its last verdict), then a
// button for each sum missed, which explains it again. A series is scored once.
function montrerScore(run, interrompue = false) {
  const fait = run.score;
  run.score = null;
  if (!fait.prevus) return;
  score.textContent = bilanDe(fait, interrompue);
  bilan.replaceChildren(score, ...fait.manques.map((explique) => {
    const bouton = document.createElement('button');
    bouton.textContent = `${avecMoins(explique.verdict.n1)} + ${avecMoins(explique.verdict.n2)}`;
    bouton.addEventListener('click', () => revoir(run, explique));
    return bouton;
  }));
  bilan.hidden = false;
  amener(bilan);
}

// Ends the foreseeing of `run` before its end (« Deviner » unticked, « Arrêter »): its series, if
// any, scored as it stands, then every verdict held back shown.
function interrompre(run) {
  if (run.score) montrerScore(run, true);
  while (run.aDeviner.length) devoiler(run, null);
}

// Explains again a verdict of `run` already shown, `explique`, as the last one is.
function revoir(run, explique) {
  if (run !== courante) return;
  run.indice = null;
  run.aExpliquer = explique;
  dessinerBref(run);
  amener(bref);
}

// The status and « Recommencer » in the window, and above all the end of the transcript: its
// last three lines.
function amenerLaFin() {
  journal.scrollTop = journal.scrollHeight;
  amener(issue);
  const bas = journal.getBoundingClientRect().bottom, haut = finDuJournalEnHaut();
  if (bas < haut) scrollBy(0, Math.floor(bas - haut));
  else if (bas + MARGE > innerHeight) scrollBy(0, Math.ceil(bas + MARGE - innerHeight));
}

// How far from the window's top the transcript's foot stands when its last three lines
// are in view.
function finDuJournalEnHaut() {
  const ligne = parseFloat(getComputedStyle(journal).lineHeight) || 20;
  return Math.min(3 * ligne, journal.clientHeight) + MARGE;
}

// When the window changes (a phone turned, its keyboard out), the end stays in view: the input
// line's, or the question's, while a session is typed, the status's once a run has ended.
const redimensionner = () => {
  if (!vivante(courante)) amenerLaFin();
  else if (!courante.fichier) demanderTrame();
};
addEventListener('resize', redimensionner);
window.visualViewport?.addEventListener('resize', redimensionner);

// Shows `octets`, which the program wrote from its offset `debut` on; from a verdict to be
// foreseen on, they wait for the learner's choice.
function recevoir(run, octets, debut) {
  const attente = run.aDeviner[0]?.debut ?? Infinity;
  const n = Math.min(octets.length, Math.max(0, attente - debut));
  if (n > 0) afficher(run, octets.subarray(0, n), debut);
  if (n < octets.length) run.retenus.push({ octets: octets.slice(n), debut: debut + n });
}

function afficher(run, octets, debut) {
  // The verdicts that these bytes end, from the program's offsets to the transcript's.
  const decalage = vue.longueur() - debut, fin = debut + octets.length;
  vue.ajouter(octets);
  let i = 0;
  for (; i < run.aMarquer.length && run.aMarquer[i].fin <= fin; ++i) {
    const { fin: finVerdict, classe, numero } = run.aMarquer[i];
    vue.marquerLigne(finVerdict + decalage, classe, numero);
  }
  run.aMarquer.splice(0, i);
  demanderTrame();
}

// The learner has foreseen the verdict waiting (`prediction`, or none when « Deviner » is
// turned off): it is shown, with what the program wrote after it up to the next one. Once none
// waits, a file's program goes on, and a series types its next sum, or shows its score.
function devoiler(run, prediction) {
  const attente = run.aDeviner.shift();
  if (!attente) return;
  run.aExpliquer = Object.assign(attente.explique, { prediction });
  if (run.score && prediction) noter(run.score, attente.explique);
  const retenus = run.retenus;
  run.retenus = [];
  for (const { octets, debut } of retenus) recevoir(run, octets, debut);
  demanderTrame();
  if (run.aDeviner.length) return;
  if (!run.fichier) decrire(run);
  passer(run, 'devoile');
  relacher(run);
  if (!vivante(run) || run.fichier) return;
  saisie.focus({ preventScroll: true });
  if (run.aTaper.length) taperLaSuite(run); else if (run.score) montrerScore(run);
}

// The learner foresees the verdict waiting as of kind `genre` (null for Enter in the field of
// the sum, which answers with the kind chosen before, if any), with the sum in that field if
// there is one. A sum that the program would not read, or no kind, is asked for again.
let genreTenu = null;
function prevoir(genre) {
  const texte = prevue.value, somme = texte ? lireNombre(texte) : null;
  tenir(genre ?? genreTenu);
  const manque = texte && somme === null ? sommeIllisible(texte) : genreTenu ? '' : GENRE_A_CHOISIR;
  if (manque) {
    lecture.textContent = manque;
    lecture.hidden = false;
    (manque === GENRE_A_CHOISIR ? choix[0] : prevue).focus();
    return;
  }
  const prediction = { genre: genreTenu, somme };
  tenir(null);
  prevue.value = '';
  devoiler(courante, prediction);
}

// Holds `genre` as the learner's choice, shown pressed, until the sum can be read; null: none.
function tenir(genre) {
  genreTenu = genre;
  for (const bouton of choix) {
    if (bouton.value !== genre) bouton.removeAttribute('aria-pressed');
    else bouton.setAttribute('aria-pressed', 'true');
  }
  lecture.hidden = true;
  lecture.textContent = '';
}

// Types the next line of an example or a series at the prompt that asks for it, once the program is
// out, unless a verdict waits to be foreseen: then once it is.
function taperLaSuite(run) {
  if (run.aDeviner.length) return;
  queueMicrotask(() => run === courante && run.aTaper.length && taper(run.aTaper.shift(), true));
}

// Types the sums of the address's fragment (see serie.mjs) in a new session, as the examples are,
// in « Deviner » if it asks for it, and scored then; with no sum, a new session only as the page opens.
function ouvrirLien(ouverture) {
  const { deviner: enDevinant, lignes } = lireLien(location.hash);
  if (enDevinant || lignes.length) deviner.checked = enDevinant;
  if (lignes.length || ouverture) nouvelleSession(lignes, enDevinant && lignes.length ? creerScore() : null);
}

// Types the values of an example as a learner would, each at the prompt that asks for it:
// where a check starts, after « y » at the question, or else in a new session.
function exemple(valeurs) {
  if (!commandes(courante.etat).exemples) return;
  const run = courante, ici = commandes(run.etat).saisie && !run.entree.length && run.position !== 'ailleurs';
  if (!ici) nouvelleSession(valeurs);
  else {
    run.aTaper = valeurs.map((v) => `${v}\n`);
    // A program still starting (compiled in the background) types them at its first prompt.
    if (run.etat !== 'demarrage') taper(run.position === 'question' ? 'y\n' : run.aTaper.shift(), true);
  }
  saisie.focus({ preventScroll: true });
}

// Echoes `texte` where a terminal would, then hands it to the program in UTF-8. What the
// learner types ends an example being typed.
function taper(texte, parExemple = false) {
  const run = courante;
  if (!commandes(run.etat).saisie) return;
  if (!parExemple) {
    run.aTaper = [];
    run.position = 'ailleurs';
  }
  const octets = encodeur.encode(texte);
  journal.setAttribute('aria-busy', 'true');
  garder(run, octets);
  vue.ajouter(octets, 'saisie');
  demanderTrame();
  donner(run, octets);
}

// Hands over the input line followed by `fin`: '\n' for Enter, '' for Ctrl-D.
// A value typed at the question (after an example, most likely) would end the program, as any
// answer but « y » does: the page says so first, and sends it if Enter comes again.
function envoyerLigne(fin) {
  const run = courante, texte = saisie.value;
  const aLaQuestion = fin && run.apresVerdict !== null && !run.entree.length;
  if (aLaQuestion && lireNombre(texte) !== null && run.averti !== texte) {
    run.averti = texte;
    annonce.textContent = aide.textContent = avantDeTerminer(texte);
    return;
  }
  saisie.value = '';
  if (texte + fin) taper(texte + fin);
}

// Runs the first of `fichiers` in place of the run shown, once its start is read for the
// warning; the program reads the rest as it goes.
function executerFichier(fichiers) {
  const fichier = fichiers[0];
  const choisis = fichiers.length > 1
    ? `${fichiers.length}\u00a0fichiers déposés, seul «\u00a0${fichier.name}\u00a0» est exécuté. ` : '';
  const run = nouvelle({ nom: fichier.name, choisis, note: '', blob: fichier, aPrevoir: deviner.checked });
  if (deviner.checked) run.score = creerScore();
  fichier.slice(0, OCTETS_REGARDES).arrayBuffer().then((debut) => {
    if (run.etat !== 'ouverture') return;
    run.fichier.note = avertissement(new Uint8Array(debut));
    demarrer(run);
  }, (erreur) => {
    run.erreur = erreur.message;
    if (run.etat === 'ouverture') passer(run, 'illisible');
  });
}

// Saves the transcript of the run shown; a click while it is being made is ignored.
function enregistrer() {
  if (enregistrement) return;
  const run = courante, libelle = boutonEnregistrer.textContent;
  const nom = `${run.fichier ? run.fichier.nom.replace(/\.[^.]*$/, '') : 'verifier-somme'}-transcription.txt`;
  boutonEnregistrer.setAttribute('aria-busy', 'true');
  const avancer = (relus) => {
    boutonEnregistrer.textContent = `Enregistrement… ${Math.floor(100 * relus / run.fichier.blob.size)} %`;
  };
  enregistrement = transcription(run, avancer).then((blob) => telecharger(blob, nom), (erreur) => {
    etat.textContent = `La transcription n\u2019a pas pu être enregistrée\u00a0: ${erreur.message}`;
  }).finally(() => {
    enregistrement = null;
    boutonEnregistrer.textContent = libelle;
    boutonEnregistrer.removeAttribute('aria-busy');
  });
}

element('ligne').addEventListener('submit', (e) => {
  e.preventDefault();
  envoyerLigne('\n');
});
saisie.addEventListener('keydown', (e) => {
  if (e.key.toLowerCase() !== 'd' || !e.ctrlKey || e.altKey || e.metaKey || e.shiftKey) return;
  e.preventDefault();
  // As at a terminal: a partly typed line is handed over as it stands, without a newline.
  if (saisie.value) envoyerLigne(''); else if (commandes(courante.etat).fin) finirEntree(courante);
});
// Pasted lines are sent in order, as if each were typed and then Enter; a last line
// without a newline stays in the input line.
saisie.addEventListener('paste', (e) => {
  const colle = e.clipboardData.getData('text/plain');
  if (!/[\r\n]/.test(colle)) return;
  e.preventDefault();
  const { value, selectionStart, selectionEnd } = saisie;
  const texte = (value.slice(0, selectionStart) + colle + value.slice(selectionEnd)).replace(/\r\n?/g, '\n');
  const fin = texte.lastIndexOf('\n') + 1;
  saisie.value = texte.slice(fin);
  taper(texte.slice(0, fin));
});
boutonFin.addEventListener('click', () => {
  envoyerLigne('');
  finirEntree(courante);
});
// The fragment goes, so that the same link opened again types its series again.
boutonRecommencer.addEventListener('click', () => {
  if (location.hash) location.hash = '';
  nouvelleSession();
});
// Enter in the field of the sum answers with the kind chosen, or asks for one.
devinette.addEventListener('submit', (e) => {
  e.preventDefault();
  prevoir(null);
});
for (const bouton of choix) bouton.addEventListener('click', () => prevoir(bouton.value));
deviner.addEventListener('change', () => {
  if (courante.fichier) courante.fichier.aPrevoir = deviner.checked;
  if (!deviner.checked) interrompre(courante);
  montrerLien(courante);
});
element('copier').addEventListener('click', () => {
  lien.select();
  if (!document.execCommand('copy')) navigator.clipboard?.writeText(lien.value);
});
addEventListener('hashchange', () => ouvrirLien(false));
for (const bouton of exemples) {
  bouton.addEventListener('click', () => exemple(bouton.dataset.exemple.split(' ')));
}
boutonArreter.addEventListener('click', () => {
  if (!commandes(courante.etat).arreter) return;
  interrompre(courante);
  passer(courante, 'arret');
});
// A click or a tap in the terminal goes to the input line, unless it selects text; on a verdict of a
// typed session, it explains that verdict again, as Enter or Space on it do.
document.querySelector('.terminal').addEventListener('click', (e) => {
  const marque = e.target.closest('[data-verdict]'), numero = Number(marque?.dataset.verdict);
  const explique = courante.expliques[numero % VERDICTS_GARDES];
  if (explique?.numero === numero) revoir(courante, explique);
  else if (!marque && getSelection().isCollapsed && !saisie.disabled) saisie.focus();
});
journal.addEventListener('keydown', (e) => {
  if ((e.key !== 'Enter' && e.key !== ' ') || !e.target.dataset.verdict) return;
  e.preventDefault();
  e.target.click();
});
boutonCharger.addEventListener('click', () => choixFichier.click());
choixFichier.addEventListener('change', () => {
  if (choixFichier.files.length) executerFichier(Array.from(choixFichier.files));
  choixFichier.value = '';
});
boutonEnregistrer.addEventListener('click', enregistrer);
// Copied from the page, a number keeps the « - » that the program reads; from the transcript,
// what it holds.
document.addEventListener('copy', (e) => {
  const selection = getSelection(), texte = selection.toString();
  if (!texte.includes('\u2212') || journal.contains(selection.anchorNode)) return;
  e.clipboardData.setData('text/plain', pourCopier(texte));
  e.preventDefault();
});
document.addEventListener('dragover', (e) => {
  e.preventDefault();
  document.body.classList.add('depot');
});
document.addEventListener('dragleave', (e) => {
  if (!e.relatedTarget) document.body.classList.remove('depot');
});
document.addEventListener('drop', (e) => {
  e.preventDefault();
  document.body.classList.remove('depot');
  if (e.dataTransfer.files.length) executerFichier(Array.from(e.dataTransfer.files));
});

ouvrirLien(true);
