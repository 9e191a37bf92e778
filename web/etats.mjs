// A run's life as the page shows it: its states, the events that move it from one to the
// next, and what every control does in each. A run is a typed session or a file run from
// its start to its end; which, it never changes.
//
// A typed session:
//   demarrage        its program starting;
//   saisie           its program running, reading what is typed;
//   saisieFermee     input ended by « Fin des données », the program still taking in what was typed;
//   devinette        a verdict held back until the learner foresees it, the program going on;
//   devinetteFermee  the same, after « Fin des données »;
//   devinetteFinie   the same, the program having ended meanwhile;
//   sessionFinie     ended by its program, with its status.
// A file run:
//   ouverture        the start of its file being read, for a warning, before its program starts;
//   lancement        its program starting;
//   execution        its program reading the file;
//   suivie           the same, after long enough for its progress to be shown;
//   devinetteFichier a verdict held back until the learner foresees it, its program held at its next read;
//   devinetteFichierFinie  the same, its program having ended meanwhile (without reading again);
//   arretee          stopped by « Arrêter », what it wrote kept;
//   fichierFini      ended by its program, with its status;
//   illisible        its file could not be read.
// Either:
//   echec            its program could not start, or failed;
//   remplacee        replaced by another run: never shown again, nothing of it kept.

// The events: demarre (the program has started), lu (a file's start has been read), finie
// (« Fin des données »), retient (a verdict to be foreseen), devoile (the last one held back
// has been foreseen), lent (a file run has gone on long enough to show its progress), sortie
// (the program has ended), arret (« Arrêter »), illisible (its file could not be read), panne
// (its program could not start or failed), remplace (another run takes its place).
const VIE = { panne: 'echec', remplace: 'remplacee' };
const TRANSITIONS = {
  demarrage: { demarre: 'saisie', ...VIE },
  saisie: { finie: 'saisieFermee', retient: 'devinette', sortie: 'sessionFinie', ...VIE },
  saisieFermee: { retient: 'devinetteFermee', sortie: 'sessionFinie', ...VIE },
  devinette: { retient: 'devinette', devoile: 'saisie', sortie: 'devinetteFinie', ...VIE },
  devinetteFermee: { retient: 'devinetteFermee', devoile: 'saisieFermee', sortie: 'devinetteFinie', ...VIE },
  devinetteFinie: { devoile: 'sessionFinie' },
  sessionFinie: {},
  ouverture: { lu: 'lancement', arret: 'arretee', illisible: 'illisible', ...VIE },
  lancement: { demarre: 'execution', arret: 'arretee', illisible: 'illisible', ...VIE },
  execution: { lent: 'suivie', retient: 'devinetteFichier', sortie: 'fichierFini', arret: 'arretee',
    illisible: 'illisible', ...VIE },
  suivie: { retient: 'devinetteFichier', sortie: 'fichierFini', arret: 'arretee', illisible: 'illisible',
    ...VIE },
  devinetteFichier: { retient: 'devinetteFichier', devoile: 'execution', sortie: 'devinetteFichierFinie',
    illisible: 'illisible', ...VIE },
  devinetteFichierFinie: { devoile: 'fichierFini' },
  arretee: {},
  fichierFini: {},
  illisible: {},
  echec: {},
  remplacee: {},
};

// The state that `evenement` takes `etat` to; an error for an event that cannot come there.
export function suivant(etat, evenement) {
  const vers = TRANSITIONS[etat]?.[evenement];
  if (!vers) throw new Error(`a run that is ${etat} cannot take the event ${evenement}`);
  return vers;
}

// Whether a run in `etat` may still run its program: it has not ended, nor been replaced.
export const vivant = (etat) => 'remplace' in TRANSITIONS[etat];

const FICHIER_EN_COURS = new Set(['ouverture', 'lancement', 'execution', 'suivie']);

// What every control does in `etat`: the input line and « Fin des données » (usables), the
// examples and « Enregistrer » (usables), « Arrêter », « Recommencer », the progress, the
// question of a verdict to be foreseen, and the status's words (shown). While a verdict waits
// to be foreseen, nothing tells it: neither the transcript saved, nor the run's end; a session
// can be started again, a file stopped (its verdicts then shown).
export function commandes(etat) {
  const enDevinette = etat.startsWith('devinette');
  return {
    saisie: etat === 'saisie' || etat === 'demarrage',  // typed while it starts, read once it has
    fin: etat === 'saisie',
    exemples: !enDevinette,
    enregistrer: !enDevinette,
    arreter: FICHIER_EN_COURS.has(etat) || etat === 'devinetteFichier',
    recommencer: enDevinette ? etat !== 'devinetteFichier' : !vivant(etat),
    avancement: etat === 'suivie',
    devinette: enDevinette,
    statut: !enDevinette,
  };
}
