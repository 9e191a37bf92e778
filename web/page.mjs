// The page around the program: its controls, and what each run shows. The transcript is
// exactly what the program wrote and what was typed; beside it, what the page adds comes
// from what the program decided (see src/console/navigateur/systeme.js).
import { avertissement, expliquer, indice, resumer } from './explication.mjs';
import { commandes, creer, demarrer, donner, finirEntree, passer, vivante } from './execution.mjs';
import { garder, telecharger, transcription } from './transcription.mjs';
import * as vue from './vue.mjs';

const element = (id) => document.getElementById(id);
const journal = element('journal'), saisie = element('saisie'), etat = element('etat');
const avancement = element('avancement'), barre = element('barre'), lus = element('lus');
const boutonFin = element('fin'), boutonRecommencer = element('recommencer');
const boutonArreter = element('arreter');
const boutonEnregistrer = element('enregistrer'), choixFichier = element('fichier');
const explication = element('explication'), detail = element('detail'), consigne = element('consigne');
const texteIndice = element('indice'), resume = element('resume');
vue.initialiser({ journal, coupe: element('coupe') });
const encodeur = new TextEncoder(), decodeur = new TextDecoder();

// What the page looks at of a file before it runs, for a warning.
const OCTETS_REGARDES = 1024;
// A file run shows how far it has read once it has run this long.
const DELAI_AVANCEMENT_MS = 500;
// The input line is described by what the program wrote since it last read: a prompt, or
// a verdict and the question; at most this many characters of its end.
const LONGUEUR_CONSIGNE = 300;

// A file run keeps the places of its last verdicts, as many as the view can show (one a
// line), to mark them when it ends: a million checks tell a million verdicts.
const VERDICTS_GARDES = 512;

// The run shown: every other run has ended, or been replaced.
let courante = null, trame = 0, enregistrement = null;

// What a shown run does, as its program writes and decides: see execution.demarrer.
const observateur = {
  sortie(run, octets) {
    garder(run, octets);
    // The verdicts that this write holds, from the program's offsets to the transcript's.
    const decalage = vue.longueur() - (run.ecrits - octets.length);
    let i = 0;
    for (; i < run.aMarquer.length && run.aMarquer[i].debut < run.ecrits; ++i) {
      const { debut, fin, classe } = run.aMarquer[i];
      vue.marquer(debut + decalage, fin + decalage, classe);
    }
    run.aMarquer.splice(0, i);
    vue.ajouter(octets);
    if (!run.fichier) {
      run.depuisLecture = (run.depuisLecture + decodeur.decode(octets)).slice(-LONGUEUR_CONSIGNE);
    }
    demanderTrame();
  },
  // Its text is the last `taille` bytes of the first `ecrits + enAttente` that it writes.
  verdict(run, genre, n1, n2, somme, taille, enAttente) {
    const fin = run.ecrits + enAttente, i = run.compte.verifications++ % VERDICTS_GARDES;
    ++run.compte[genre];
    const v = run.verdict;
    v.genre = genre;
    v.n1 = n1;
    v.n2 = n2;
    v.somme = somme;
    run.refuse = run.encore = null;  // a new question comes
    if (!run.fichier) {
      run.aMarquer.push({ debut: fin - taille, fin, classe: `verdict ${genre}` });
      return;
    }
    run.finsVerdicts[i] = fin;
    run.taillesVerdicts[i] = taille;
    run.genresVerdicts[i] = genre;
  },
  refus(run, regle, memoire, debut, taille, longueur) {
    ++run.compte.refus;
    if (!run.fichier) run.refuse = { regle, debut: memoire.slice(debut, debut + taille), longueur };
  },
  reponse(run, encore) {
    run.encore = encore;
    run.refuse = null;
  },
  // The hint stays shown while the program waits after a refused line. The transcript is
  // busy while the program works through what was typed.
  lecture(run) {
    if (run.fichier) return;
    if (run.entree.length === 0) journal.removeAttribute('aria-busy');
    consigne.textContent = run.depuisLecture.replace(/\s+/g, ' ').trim();
    run.depuisLecture = '';
    run.indice = run.refuse;
    run.refuse = null;
    demanderTrame();
  },
  etat(run) {
    if (run !== courante) return;
    // The focus, if it is on a control about to be idle, moves when the run ends.
    const focusLibre = [null, document.body, saisie, boutonFin, boutonArreter]
      .includes(document.activeElement);
    montrer(run);
    if (!vivante(run) && run.etat !== 'lecture') conclure(run, focusLibre);
  },
};

// A new run on `fichier` (see execution.creer), shown in place of the one shown until now.
function nouvelle(fichier) {
  const remplacee = courante, run = courante = creer(fichier, observateur);
  if (remplacee) passer(remplacee, 'remplacee');
  Object.assign(run, {
    compte: { verifications: 0, valide: 0, positif: 0, negatif: 0, refus: 0 }, aMarquer: [],
    finsVerdicts: new Float64Array(VERDICTS_GARDES), taillesVerdicts: new Uint8Array(VERDICTS_GARDES),
    genresVerdicts: [], depuisLecture: '', verdict: {}, explique: 0, refuse: null, indice: null, encore: null,
    debut: performance.now(),
  });
  vue.vider();
  detail.replaceChildren();
  texteIndice.hidden = resume.hidden = true;
  saisie.value = '';
  montrer(run);
  return run;
}

function nouvelleSession() {
  demarrer(nouvelle(null));
  saisie.focus();
}

// Sets every control from the state of `run`, and says it in the status.
function montrer(run) {
  const c = commandes(run);
  saisie.disabled = !c.saisie;
  boutonFin.disabled = !c.fin;
  boutonArreter.hidden = !c.arreter;
  boutonRecommencer.hidden = !c.recommencer;
  avancement.hidden = !c.avancement;
  // A file's whole output at once is not read aloud; its outcome, in the status, is.
  for (const region of [journal, explication]) {
    region.setAttribute('aria-live', run.fichier ? 'off' : 'polite');
  }
  etat.textContent = motsDEtat(run);
}

// The state of `run` in words; the end of a run by its status.
function motsDEtat(run) {
  const { fichier } = run, nom = fichier && `«\u00a0${fichier.nom}\u00a0»`, note = fichier?.note ?? '';
  switch (run.etat) {
    case 'lecture': return `${note}Lecture du fichier ${nom}…`;
    case 'echec': return run.illisible
      ? `${note}Le fichier ${nom} n\u2019a pas pu être lu\u00a0: ${run.erreur}`
      : `Le programme n\u2019a pas pu démarrer\u00a0: ${run.erreur}`;
    case 'arretee': return `${note}Fichier ${nom}\u00a0: exécution arrêtée après ${vue.quantite(run.lu)} lus `
      + `sur ${vue.quantite(fichier.blob.size)}`;
    case 'terminee': return (fichier ? `${note}Fichier ${nom}\u00a0: ` : '') + (run.statut !== 0
      ? `Arrêté\u00a0: fin des données au milieu d\u2019une vérification (statut ${run.statut})`
      : run.encore === null ? 'Terminé\u00a0: fin des données à la question (statut 0)'
        : 'Terminé normalement (statut 0)');
    default: return fichier ? `${note}Fichier ${nom} (${fichier.blob.size}\u00a0octets)…` : '';
  }
}

function demanderTrame() {
  if (!trame) trame = requestAnimationFrame(dessinerTrame);
}

// Draws what the run wrote since the last frame; in a typed session, the last verdict
// explained, or the hint after a refused line, and the input line kept in view.
function dessinerTrame() {
  trame = 0;
  const run = courante, enCours = run.etat === 'execution';
  if (!vue.dessiner(enCours, false)) {
    demanderTrame();
    return;
  }
  if (enCours && performance.now() - run.debut > DELAI_AVANCEMENT_MS) {
    if (!run.avancementMontre) {
      run.avancementMontre = true;
      montrer(run);
    }
    barre.max = run.fichier.blob.size;
    barre.value = run.lu;
    lus.textContent = `${vue.quantite(run.lu)} lus sur ${vue.quantite(run.fichier.blob.size)}`;
  }
  if (run.fichier) return;
  montrerExplication(run);
  texteIndice.hidden = !run.indice;
  if (run.indice) texteIndice.textContent = indice(run.indice);
  const { top, bottom } = saisie.getBoundingClientRect();
  if (top < 0 || bottom > (window.visualViewport?.height ?? innerHeight)) {
    saisie.scrollIntoView({ block: 'nearest' });
  }
}

function montrerExplication(run) {
  if (run.compte.verifications === run.explique) return;
  run.explique = run.compte.verifications;
  detail.innerHTML = expliquer(run.verdict);
}

// Shows the end of `run` at once: the whole view, a file's summary and last verdict. The
// focus, if free, goes to « Recommencer » after a typed session, and to the transcript
// after a file, so that a stray Enter does not throw that transcript away.
function conclure(run, focusLibre) {
  journal.removeAttribute('aria-busy');
  cancelAnimationFrame(trame);
  trame = 0;
  // A file's last verdicts, in order, where the transcript is its output.
  const n = run.compte.verifications;
  for (let k = Math.max(0, n - VERDICTS_GARDES); run.fichier && k < n; ++k) {
    const i = k % VERDICTS_GARDES, fin = run.finsVerdicts[i];
    if (fin <= run.ecrits) vue.marquer(fin - run.taillesVerdicts[i], fin, `verdict ${run.genresVerdicts[i]}`);
  }
  vue.dessiner(false, Boolean(run.fichier));
  montrerExplication(run);
  texteIndice.hidden = true;
  if (run.fichier && run.etat === 'terminee') {
    resume.textContent = resumer(run.compte);
    resume.hidden = false;
  }
  if (focusLibre) (run.fichier ? journal : boutonRecommencer).focus({ preventScroll: true });
  montrerLaFin();
}

// The status in the window, and above all the end of the transcript: its last three lines.
function montrerLaFin() {
  journal.scrollTop = journal.scrollHeight;
  etat.scrollIntoView({ block: 'nearest' });
  const bas = journal.getBoundingClientRect().bottom;
  const ligne = parseFloat(getComputedStyle(journal).lineHeight) || 20;
  if (bas < 3 * ligne || bas > innerHeight) journal.scrollIntoView({ block: 'end' });
}

// When the window changes (a phone turned), the end stays in view: the input line's while a
// session is typed, the status's once a run has ended.
addEventListener('resize', () => {
  if (!vivante(courante)) montrerLaFin();
  else if (!courante.fichier) demanderTrame();
});

// Echoes `texte` where a terminal would, then hands it to the program in UTF-8.
function taper(texte) {
  const run = courante;
  if (!commandes(run).saisie) return;
  const octets = encodeur.encode(texte);
  journal.setAttribute('aria-busy', 'true');
  garder(run, octets);
  vue.ajouter(octets, 'saisie');
  demanderTrame();
  donner(run, octets);
}

// Hands over the input line followed by `fin`: '\n' for Enter, '' for Ctrl-D.
function envoyerLigne(fin) {
  const texte = saisie.value + fin;
  saisie.value = '';
  if (texte) taper(texte);
}

// Runs the first of `fichiers` in place of the run shown, once its start is read for the
// warning; the program reads the rest as it goes.
function executerFichier(fichiers) {
  const fichier = fichiers[0];
  const note = fichiers.length > 1
    ? `${fichiers.length}\u00a0fichiers déposés, seul «\u00a0${fichier.name}\u00a0» est exécuté. ` : '';
  const run = nouvelle({ nom: fichier.name, note, blob: fichier });
  fichier.slice(0, OCTETS_REGARDES).arrayBuffer().then((debut) => {
    if (run.etat !== 'lecture') return;
    run.fichier.note += avertissement(new Uint8Array(debut));
    demarrer(run);
  }, (erreur) => {
    run.erreur = erreur.message;
    run.illisible = true;
    passer(run, 'echec');
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
  if (saisie.value) envoyerLigne(''); else finirEntree(courante);
});
// Pasted lines are sent in order, as if each were typed and then Enter; a last line
// without a newline stays in the input line.
saisie.addEventListener('paste', (e) => {
  const colle = e.clipboardData.getData('text/plain');
  if (!/[\r\n]/.test(colle)) return;
  e.preventDefault();
  const { value, selectionStart, selectionEnd } = saisie;
  const lignes = (value.slice(0, selectionStart) + colle + value.slice(selectionEnd)).split(/\r\n|\r|\n/);
  saisie.value = lignes.pop();
  taper(`${lignes.join('\n')}\n`);
});
boutonFin.addEventListener('click', () => {
  envoyerLigne('');
  finirEntree(courante);
});
boutonRecommencer.addEventListener('click', nouvelleSession);
boutonArreter.addEventListener('click', () => {
  if (courante.fichier) passer(courante, 'arretee');
});
// A click or a tap in the terminal goes to the input line, unless it selects text.
document.querySelector('.terminal').addEventListener('click', () => {
  if (getSelection().isCollapsed && !saisie.disabled) saisie.focus();
});
element('charger').addEventListener('click', () => choixFichier.click());
choixFichier.addEventListener('change', () => {
  if (choixFichier.files.length) executerFichier(Array.from(choixFichier.files));
  choixFichier.value = '';
});
boutonEnregistrer.addEventListener('click', enregistrer);
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

nouvelleSession();
