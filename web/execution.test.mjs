// A run's input and output, its states and its replay for saving, on a stand-in for the
// program: one that writes back what it reads, a read at a time (and tells a verdict, a refusal
// and an answer of each), fails on the byte PANNE, and ends with input.
/* global globalThis, Buffer */
import assert from 'node:assert/strict';
import { test } from 'node:test';

globalThis.navigator = { vendor: '' };
globalThis.requestAnimationFrame = (f) => setTimeout(f, 16);
const lectures = [], PANNE = 255;
let refuser = null;  // why the program cannot start: its promise refused, or at once
globalThis.creerVerifierSomme = ({ systeme, onRuntimeInitialized, onExit, instantiateWasm }) => {
  // As emcc's, its source holds the program: data:application/wasm;base64,AGFzbQEAAAA= (an empty module).
  const lire = () => systeme.lire(1 << 20, (octets) => {
    lectures.push(octets.length);
    if (!octets.length) {
      onExit(0);
      throw Object.assign(new Error('exit'), { name: 'ExitStatus' });
    }
    if (octets[0] === PANNE) throw new Error('panne');
    systeme.ecrire(octets.subarray(0, 1));
    systeme.ecrire(octets.subarray(1));
    systeme.verdict('valide', octets[0], 0, 0, octets.length);
    systeme.refus('vide', null, 0, 0, 0, 1);
    systeme.reponse(true);
    lire();
  });
  if (refuser === 'aussitot') throw new Error('pile pleine');
  if (refuser) return Promise.reject(new Error('pas de mémoire'));
  // As emcc, a failure of instantiateWasm is only logged: the program never starts.
  return new Promise((pret) => {
    try {
      instantiateWasm({}, (instance) => {
        if (!(instance instanceof WebAssembly.Instance)) return;
        onRuntimeInitialized();
        pret(setTimeout(lire));
      });
    } catch {}  // eslint-disable-line no-empty
  });
};
const { creer, demarrer, donner, finirEntree, passer, relacher, retenir } = await import('./execution.mjs');
const { transcription } = await import('./transcription.mjs');

// A run on `fichier` (a Blob) or typed, until it reaches one of the states `fins`; what
// it wrote, told and the states it went through. `pendant(run)` is called at each write and wait.
// `execution` is the module that runs it: the one imported above, or a copy of its own.
const ICI = { creer, demarrer };
const executer = (fichier, fins, pendant = () => {}, execution = ICI) => new Promise((fini) => {
  const vu = { etats: [], sortie: [], verdicts: 0, refus: 0, reponses: 0 };
  const run = execution.creer(fichier && { blob: fichier }, {
    sortie: (r, octets) => vu.sortie.push(octets.slice()) && pendant(r),
    attend: pendant, refus: () => ++vu.refus, reponse: () => ++vu.reponses,
    verdict: () => ++vu.verdicts,
    etat: (r) => vu.etats.push(r.etat) && fins.includes(r.etat)
      && setTimeout(() => fini({ ...vu, sortie: new Uint8Array(Buffer.concat(vu.sortie)), run: r })),
  });
  execution.demarrer(run);
});
const fichier = new Blob([new Uint8Array(3 << 23).map((_, i) => i % 251)]);
// A file whose second piece comes only once the program has read the first, which waits for it.
const lent = { size: 9 << 20, slice: (a, b) => ({ arrayBuffer: () => new Promise((pret) => {
  const plusTard = () => (lectures.reduce((s, n) => s + n, 0) < a ? setTimeout(plusTard, 5)
    : pret(fichier.slice(a, b).arrayBuffer()));
  plusTard();
}) }) };

test('a file run reads its file to its end, in reads of 16 KiB at most, its output all there', async () => {
  for (const [blob, n] of [[fichier, 3 << 23], [lent, 9 << 20]]) {
    lectures.length = 0;  // started again meanwhile, it goes on as it was
    const { etats, sortie, run, verdicts } = await executer(blob, ['fichierFini', 'echec'], demarrer);
    assert.deepEqual(etats, ['lancement', 'execution', 'fichierFini']);
    assert.deepEqual([sortie.length, run.lu, run.ecrits, verdicts], [n, n, n, n / 16384]);
    assert.ok(sortie.every((o, i) => o === i % 251) && Math.max(...lectures) === 16384 && !lectures.at(-1));
  }
});

test('a typed session reads what is typed until its input ends, nothing after, nor while held', async () => {
  let tape = false, vus;
  const { etats, sortie, run } = await executer(null, ['sessionFinie'], (r) => {
    if (tape) return;
    tape = true;
    retenir(r);
    donner(r, new Uint8Array([1]));
    vus = [r.ecrits];
    relacher(r);
    vus.push(r.ecrits);
    donner(r, new Uint8Array([2]));
    retenir(r);
    finirEntree(r);
    donner(r, new Uint8Array([3]));
    relacher(r);
  });
  assert.deepEqual([etats, [...sortie], run.statut, vus],
    [['saisie', 'saisieFermee', 'sessionFinie'], [1, 2], 0, [0, 1]]);
});

test('a file stopped writes nothing more, and its transcript is replayed only as far', async () => {
  // Stopped within a write, after the first piece: four pieces read ahead, nothing told after.
  const arreter = (r) => r.ecrits === (9 << 20) + 1 && passer(r, 'arret');
  const { sortie, run, verdicts, refus, reponses } = await executer(new Blob([new Uint8Array(6 << 23)]),
    ['arretee'], arreter);
  assert.deepEqual([sortie.length, verdicts, refus, reponses, run.demande],
    [(9 << 20) + 1, 576, 576, 576, 5 << 23]);
  const relus = [], blob = await transcription(run, (lu) => relus.push(lu));
  assert.deepEqual(new Uint8Array(await blob.arrayBuffer()), sortie);
  assert.ok(Math.max(...relus) <= run.lu, `${Math.max(...relus)} read again, ${run.lu} read by the run`);
});

test('a file that cannot be read, or a program that cannot start, ends the run so', async () => {
  const illisible = { size: 10, slice: () => ({ arrayBuffer: () => Promise.reject(new Error('perdu')) }) };
  const { run } = await executer(illisible, ['illisible', 'echec']);
  assert.deepEqual([run.etat, run.erreur], ['illisible', 'perdu']);
  refuser = 'promesse';
  const { run: sans } = await executer(null, ['echec']);
  refuser = 'aussitot';
  const { run: pile } = await executer(null, ['echec']);
  refuser = null;
  const { Instance } = WebAssembly;
  WebAssembly.Instance = function refuse() {
    throw new RangeError('plus de mémoire');
  };
  const { run: instance } = await executer(null, ['echec']);
  Object.assign(WebAssembly, { Instance });
  const aucun = await import('./execution.mjs?sans'), { WebAssembly: wasm } = globalThis;
  delete globalThis.WebAssembly;
  const rien = executer(null, ['echec'], () => {}, aucun);
  Object.assign(globalThis, { WebAssembly: wasm });
  const { run: ancien } = await rien;
  // A program that fails, not by its exit: the run fails, and so does the call that gave it its input.
  const { run: panne } = await executer(null, ['echec'], (r) => r.lu === 0
    && assert.throws(() => donner(r, new Uint8Array([PANNE])), /panne/));
  assert.deepEqual([sans.erreur, pile.erreur, instance.erreur, ancien.erreur, panne.erreur],
    ['Error: pas de mémoire', 'Error: pile pleine', 'RangeError: plus de mémoire',
      'ReferenceError: WebAssembly is not defined', 'Error: panne']);
});

test('a program that the browser will not compile at once is compiled in the background', async () => {
  const repli = await import('./execution.mjs?repli'), { Module } = WebAssembly;
  WebAssembly.Module = function refuse() {
    throw new RangeError('trop grand pour le fil principal');
  };
  const attendu = executer(new Blob([new Uint8Array([7, 8, 9])]), ['fichierFini', 'echec'], () => {}, repli);
  Object.assign(WebAssembly, { Module });
  const { etats, sortie } = await attendu;
  assert.deepEqual([etats, [...sortie]], [['lancement', 'execution', 'fichierFini'], [7, 8, 9]]);
});
