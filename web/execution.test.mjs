// A run's input and output, its states and its replay for saving, on a stand-in for the
// program: one that writes back what it reads, a read at a time, and ends with input.
/* global globalThis, Buffer */
import assert from 'node:assert/strict';
import { test } from 'node:test';

globalThis.navigator = { vendor: '' };
globalThis.requestAnimationFrame = (f) => setTimeout(f, 16);
const lectures = [];
globalThis.creerVerifierSomme = ({ systeme, onExit }) => {
  const lire = () => systeme.lire(1 << 20, (octets) => {
    lectures.push(octets.length);
    if (!octets.length) {
      onExit(0);
      throw Object.assign(new Error('exit'), { name: 'ExitStatus' });
    }
    systeme.ecrire(octets);
    systeme.verdict('valide', octets[0], 0, 0, octets.length);
    lire();
  });
  setTimeout(lire);
  return Promise.resolve();
};
const { creer, demarrer, donner, finirEntree, passer } = await import('./execution.mjs');
const { transcription } = await import('./transcription.mjs');

// A run on `fichier` (a Blob) or typed, until it reaches one of the states `fins`; what
// it wrote and the states it went through. `pendant(run)` is called at each write.
const executer = (fichier, fins, pendant = () => {}) => new Promise((fini) => {
  const vu = { etats: [], sortie: [], verdicts: 0 };
  const run = creer(fichier && { blob: fichier }, {
    sortie: (r, octets) => vu.sortie.push(octets.slice()) && pendant(r),
    attend() {}, refus() {}, reponse() {},
    verdict: () => ++vu.verdicts,
    etat: (r) => vu.etats.push(r.etat) && fins.includes(r.etat)
      && setTimeout(() => fini({ ...vu, sortie: new Uint8Array(Buffer.concat(vu.sortie)), run: r })),
  });
  demarrer(run);
  if (!fichier) setTimeout(() => pendant(run));
});
const fichier = new Blob([new Uint8Array(3 << 23).map((_, i) => i % 251)]);

test('a file run reads its file to its end, in reads of 16 KiB at most, its output all there', async () => {
  lectures.length = 0;
  const { etats, sortie, run, verdicts } = await executer(fichier, ['fichierFini']);
  assert.deepEqual(etats, ['lancement', 'execution', 'fichierFini']);
  const n = 3 << 23;
  assert.deepEqual([sortie.length, run.lu, run.ecrits, verdicts], [n, n, n, n / 16384]);
  assert.ok(sortie.every((o, i) => o === i % 251) && Math.max(...lectures) === 16384 && !lectures.at(-1));
});

test('a typed session reads what is typed until its input ends, and nothing after', async () => {
  let tape = false;
  const { etats, sortie, run } = await executer(null, ['sessionFinie'], (r) => {
    if (tape) return;
    tape = true;
    donner(r, new Uint8Array([1, 2]));
    finirEntree(r);
    donner(r, new Uint8Array([3]));
  });
  assert.deepEqual([etats, [...sortie], run.statut], [['saisie', 'saisieFermee', 'sessionFinie'], [1, 2], 0]);
});

test('a file stopped writes nothing more, and its transcript is replayed only as far', async () => {
  const arreter = (r) => r.ecrits >= 1 << 20 && passer(r, 'arret');
  const { sortie, run } = await executer(fichier, ['arretee'], arreter);
  assert.equal(sortie.length, 1 << 20);
  const relus = [], blob = await transcription(run, (lu) => relus.push(lu));
  assert.deepEqual(new Uint8Array(await blob.arrayBuffer()), sortie);
  assert.ok(Math.max(...relus) <= run.lu, `${Math.max(...relus)} read again, ${run.lu} read by the run`);
});

test('a file that cannot be read, or a program that cannot start, ends the run so', async () => {
  const illisible = { size: 10, slice: () => ({ arrayBuffer: () => Promise.reject(new Error('perdu')) }) };
  const { run } = await executer(illisible, ['illisible', 'echec']);
  assert.deepEqual([run.etat, run.erreur], ['illisible', 'perdu']);
});
