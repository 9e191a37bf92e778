// A run's life and its controls, as the README tells them.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { commandes, suivant, vivant } from './etats.mjs';

// Each state, and the controls that can be used or are shown in it: the input line and
// « Fin des données » while a session reads what is typed (typing, not ending, while its
// program starts); « Arrêter » while a file runs, its verdict held back or not; « Recommencer » once
// a run has ended, or while a verdict waits, but for a file whose program goes on; the progress once
// a file has run for a while; nothing that tells a verdict held back.
const TOUJOURS = 'exemples enregistrer statut', FIN = `${TOUJOURS} recommencer`;
const ARRET = `${TOUJOURS} arreter`;
const COMMANDES = {
  demarrage: `saisie ${TOUJOURS}`, saisie: `saisie fin ${TOUJOURS}`, saisieFermee: TOUJOURS,
  devinette: 'devinette recommencer', devinetteFermee: 'devinette recommencer',
  devinetteFinie: 'devinette recommencer', sessionFinie: FIN,
  ouverture: ARRET, lancement: ARRET, execution: ARRET, suivie: `${ARRET} avancement`,
  devinetteFichier: 'devinette arreter', devinetteFichierFinie: 'devinette recommencer',
  arretee: FIN, fichierFini: FIN, illisible: FIN, echec: FIN, remplacee: FIN,
};

test('each state of a run has its controls, and every one a way on', () => {
  for (const [etat, attendues] of Object.entries(COMMANDES)) {
    const vues = Object.entries(commandes(etat)).filter(([, oui]) => oui).map(([nom]) => nom);
    assert.deepEqual(vues.sort(), attendues.split(' ').sort(), etat);
  }
});

// From a state, events one after the other, and where they lead; nowhere (-) where the last
// is refused: « Fin des données » is not at hand while a verdict waits, nor while the program starts;
// nor « Arrêter » while a file's verdict waits.
const FINS = ['sessionFinie', 'fichierFini', 'arretee', 'illisible', 'echec', 'remplacee'];
const VIES = `demarrage demarre retient retient devoile finie sortie: sessionFinie
  saisie sortie: sessionFinie; saisie finie retient sortie devoile: sessionFinie
  devinette sortie devoile: sessionFinie
  devinetteFermee retient devoile sortie: sessionFinie; saisieFermee retient devoile panne: echec
  devinette remplace: remplacee; ouverture lu demarre lent sortie: fichierFini; ouverture arret: arretee
  ouverture illisible: illisible; lancement illisible: illisible; lancement arret: arretee
  execution arret: arretee; execution illisible: illisible; execution sortie: fichierFini
  suivie arret: arretee; suivie illisible: illisible; saisie retient finie: -; demarrage finie: -
  execution retient retient devoile sortie: fichierFini; suivie retient illisible: illisible
  lancement demarre retient devoile lent: suivie; lancement retient: -; devinetteFichier arret: -
  devinetteFichier sortie devoile: fichierFini; devinetteFichier remplace: remplacee
  devinetteFinie remplace: -; inconnu lu: -; suivie lent: -; ouverture retient: -
  ${FINS.map((e) => `${e} remplace: -; ${e} sortie: -`).join('; ')}`;

test('a run moves on only as its life allows, and once ended, never again', () => {
  for (const vie of VIES.split(/;|\n/)) {
    const [depart, ...suite] = vie.split(':')[0].trim().split(' '), arrivee = vie.split(': ')[1];
    const avant = suite.slice(0, -1).reduce(suivant, depart);
    if (arrivee !== '-') assert.equal(suivant(avant, suite.at(-1)), arrivee, vie);
    else assert.throws(() => suivant(avant, suite.at(-1)), /cannot take the event/, vie);
  }
  assert.deepEqual(Object.keys(COMMANDES).filter(vivant), ['demarrage', 'saisie', 'saisieFermee', 'devinette',
    'devinetteFermee', 'ouverture', 'lancement', 'execution', 'suivie', 'devinetteFichier']);
});
