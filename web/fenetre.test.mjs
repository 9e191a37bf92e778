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
    for (const [quoi, id, texte, classe] of etapes ?? []) {
      if (quoi === 'vider') blocs.clear();
      else if (quoi === 'retirer') blocs.delete(id);
      else if (quoi === 'texte') blocs.get(id).push([texte, classe]);
      else if (texte === null) blocs.set(id, []);
      else blocs = new Map([...blocs].flatMap(([cle, b]) => (cle === texte ? [[id, []], [cle, b]] : [[cle, b]])));
    }
    return etapes;
  };
  const encodeur = new TextEncoder();
  for (const piece of pieces) {
    fenetre.ajouter(encodeur.encode(piece));
    marquer(fenetre);
    faire(fenetre.dessiner(mode === 'bout', false));
  }
  if (mode === 'bout') for (faire(fenetre.dessiner(true, true)); faire(fenetre.completer()););
  const morceaux = [...blocs.values()].flat();
  return { vu: morceaux.map(([t]) => t).join(''), marques: morceaux.filter(([, c]) => c), cache: fenetre.horsVue() };
}

const lignes = (n, de = 0) => Array.from({ length: n }, (_, i) => `ligne ${String(de + i).padStart(4, '0')}\n`);
const couper = (texte, taille) => texte.match(new RegExp(`[^]{1,${taille}}`, 'gu'));
const TOUT = `${lignes(700).join('')}invite:`;
const CINQ_CENTS = `${lignes(500, 200).join('')}invite:`;
const CHAMP = 'é'.repeat(30000) + 'ab';

test('the window lays out the last 500 lines, or 50,000 bytes, whatever the pieces', () => {
  for (const [cas, pieces, mode, attendu] of [
    ['a line a piece', [...lignes(700), 'invite:'], 'vue', CINQ_CENTS],
    ['pieces of 7 bytes', couper(TOUT, 7), 'vue', CINQ_CENTS],
    ['a paste of 700 lines at once', [TOUT], 'vue', CINQ_CENTS],
    ['a file run, then its end', couper(TOUT, 4096), 'bout', CINQ_CENTS],
    // The last half of what the view holds, or more, until it holds too much again.
    ['a line longer than the view', couper('x'.repeat(120000), 999), 'vue', 'x'.repeat(42103)],
    ['characters of two bytes cut in two', couper(CHAMP, 3), 'vue', CHAMP.slice(-17500)],
    ['control characters', ['a\0b\r', '\nc\x7f'], 'vue', 'a␀b␍\nc␡'],
  ]) {
    const { vu, cache } = montrer(pieces, mode);
    assert.ok(vu === attendu, `${cas}: ${vu.length} characters shown, ${JSON.stringify(vu.slice(0, 40))}…`);
    const octets = (texte) => new TextEncoder().encode(texte.replace(/[\u2400-\u2421]/g, '.')).length;
    assert.equal(cache + octets(vu), octets(pieces.join('')), cas);
  }
  assert.deepEqual([0, 999, 1000, 12345, 1.5e6, 3.16e9].map(quantite).map((q) => q.replace(/\s/g, ' ')),
    ['0 octets', '999 octets', '1 ko', '12,3 ko', '1,5 Mo', '3 160 Mo']);
});

test('each line marked keeps its mark, its line end left out, across blocks and pieces', () => {
  // Every verdict's line marked as its last byte comes, some pieces ending inside one, as
  // a file runs: its end laid out again with its marks, then the lines above.
  const texte = Array.from({ length: 260 }, (_, i) => `n${i}\n Resultat valide : ${i} + 0 = ${i}`).join('\n');
  let vus = 0;
  const { vu, marques } = montrer(couper(texte, 13), 'bout', (f) => {
    for (let fin; (fin = texte.indexOf('\n', texte.indexOf(' = ', vus) + 1)) !== -1 && fin <= f.longueur(); vus = fin) {
      f.marquerLigne(fin, 'verdict');
    }
  });
  const attendues = vu.split('\n').filter((l) => l.startsWith(' Resultat')).slice(0, -1);
  assert.deepEqual(marques.map(([t]) => t), attendues);
  assert.equal(marques.length, 250);
});
