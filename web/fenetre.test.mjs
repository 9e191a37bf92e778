// The window on the transcript: which bytes and lines are laid out, how much is left out
// above, where the marks fall, whatever pieces the transcript comes in.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { creerFenetre, quantite } from './fenetre.mjs';

// A window fed `pieces` and laid out after each as `mode` says ('vue': the whole view; 'bout':
// a file running, then its end, then the lines above block by block), its blocks as vue.mjs
// builds them: what it shows, each marked stretch, and how many bytes it says are left out.
function montrer(pieces, mode, marquer = () => {}) {
  const fenetre = creerFenetre();
  let blocs = new Map();
  const faire = (etapes) => {
    for (const [quoi, id, texte, classe, numero] of etapes ?? []) {
      if (quoi === 'vider') blocs.clear();
      else if (quoi === 'retirer') blocs.delete(id);
      else if (quoi === 'texte') blocs.get(id).push([texte, classe, numero]);
      else if (quoi !== 'bloc') throw new Error(`a step ${quoi}`);
      else if (texte === null) blocs.set(id, []);
      else blocs = new Map([...blocs].flatMap(([c, b]) => (c === texte ? [[id, []], [c, b]] : [[c, b]])));
    }
    return etapes;
  };
  const encodeur = new TextEncoder();
  for (const piece of pieces) {
    const [texte, classe] = Array.isArray(piece) ? piece : [piece];
    fenetre.ajouter(encodeur.encode(texte), classe);
    marquer(fenetre);
    faire(fenetre.dessiner(mode === 'bout', false));
  }
  const texte = () => [...blocs.values()].flat().map(([t]) => t).join('');
  const bout = mode === 'bout' && faire(fenetre.dessiner(true, true)) && texte();
  while (mode === 'bout' && faire(fenetre.completer()));
  const morceaux = [...blocs.values()].flat();
  const marques = morceaux.filter(([, c]) => c).map(([t, c, n]) => [t.replace(/^\n+|\n+$/g, ''), c, n]);
  return { vu: texte(), bout, marques, cache: fenetre.horsVue() };
}

const ligne = (i, l) => `ligne ${`${i}`.padStart(l, '0')}\n`;
const lignes = (n, de = 0, l = 4) => Array.from({ length: n }, (_, i) => ligne(de + i, l)).join('');
const couper = (texte, taille) => texte.match(new RegExp(`[^]{1,${taille}}`, 'gu'));
const TOUT = `${lignes(700)}invite:`, CINQ_CENTS = `${lignes(500, 200)}invite:`, SIX_MILLE = lignes(6000);
const LONGUES = lignes(200, 0, 294), CHAMP = 'é'.repeat(30000) + 'abc', PLUS_LONGUES = lignes(400, 0, 294);

// As a file runs, its end is laid out first, its 50 last lines or 4,000 bytes, then the rest.
test('the window lays out the last 500 lines, or 50,000 bytes, whatever the pieces', () => {
  for (const [cas, pieces, mode, attendu, enPremier] of [
    ['a line a piece', [...lignes(700).split(/(?<=\n)/), 'invite:'], 'vue', CINQ_CENTS],
    ['pieces of 7 bytes', couper(TOUT, 7), 'vue', CINQ_CENTS],
    ['a paste of 700 lines at once', [TOUT], 'vue', CINQ_CENTS],
    ['a file run, then its end', couper(TOUT, 4096), 'bout', CINQ_CENTS, `${lignes(50, 650)}invite:`],
    ['6,000 lines, more than the bytes kept', couper(SIX_MILLE, 4096), 'vue', lignes(500, 5500)],
    ['the same as a file runs', couper(SIX_MILLE, 4096), 'bout', lignes(500, 5500), lignes(50, 5950)],
    // Whole blocks of lines go while those after them hold enough: 60,000 bytes here.
    ['200 lines of 300 bytes', couper(LONGUES, 1000), 'vue', LONGUES],
    ['400 lines of 300 bytes', couper(PLUS_LONGUES, 1000), 'vue', PLUS_LONGUES.slice(-60200)],
    ['the same as a file runs', couper(LONGUES, 1000), 'bout', LONGUES.slice(-50000), LONGUES.slice(-4000)],
    ['a piece longer than the bytes kept', [`${'x'.repeat(12e4)}\nfin`], 'vue', `${'x'.repeat(49996)}\nfin`],
    // The last half of what the view holds, or more, until it holds too much again.
    ['a line longer than the view', couper('x'.repeat(120000), 999), 'vue', 'x'.repeat(42103)],
    ['characters of two bytes cut in two', couper(CHAMP, 3), 'vue', CHAMP.slice(-17501)],
    ['the same as a file runs', couper(CHAMP, 3), 'bout', CHAMP.slice(-25001), CHAMP.slice(-2001)],
    ['control characters', ['a\0b\r', '\nc\x7f'], 'vue', 'a␀b␍\nc␡'],
  ]) {
    const { vu, cache, bout } = montrer(pieces, mode);
    assert.ok(vu === attendu, `${cas}: ${vu.length} characters shown, ${JSON.stringify(vu.slice(0, 40))}…`);
    assert.ok(bout === (enPremier ?? false), `${cas}: ${bout.length} characters laid out first`);
    const octets = (texte) => new TextEncoder().encode(texte.replace(/[\u2400-\u2421]/g, '.')).length;
    assert.equal(cache + octets(vu), octets(pieces.join('')), cas);
  }
  const quantites = [0, 999, 1000, 12345, 999949, 1e6, 3.16e9, 1.2345e12].map(quantite);
  assert.deepEqual(quantites.map((q) => q.replace(/\s/g, ' ')),
    ['0 octets', '999 octets', '1 ko', '12,3 ko', '999,9 ko', '1 Mo', '3 160 Mo', '1 234 500 Mo']);
});

test('each line marked keeps its mark, its line end left out, across blocks and pieces', () => {
  // What is typed marked as it comes; each verdict's line marked as its last byte comes, some
  // pieces ending inside one, as a file runs: its end laid out again with its marks, then the
  // lines above.
  const verdict = (i) => ` Resultat valide : ${i} + 0 = ${i}`;
  const texte = Array.from({ length: 600 }, (_, i) => `n${i}\n${verdict(i)}\n`).join('');
  const pieces = Array.from({ length: 600 },
    (_, i) => [[`n${i}\n`, 'saisie'], ...couper(`${verdict(i)}\n`, 9)])
    .flat();
  let vus = 0;
  const { vu, marques } = montrer(pieces, 'bout', (f) => {
    for (let egal; (egal = texte.indexOf(' = ', vus)) !== -1 && texte.indexOf('\n', egal) <= f.longueur();) {
      vus = texte.indexOf('\n', egal);
      f.marquerLigne(vus, 'verdict', Number(texte.slice(egal + 3, vus)));
    }
  });
  const attendues = vu.split('\n').filter(Boolean)
    .map((l) => (l.startsWith('n') ? [l, 'saisie', undefined] : [l, 'verdict', Number(l.split(' = ')[1])]));
  assert.deepEqual(marques, attendues);
  assert.equal(marques.length, 500);
});
