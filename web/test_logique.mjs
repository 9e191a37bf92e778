// What the page says and which controls it leaves, without a browser: each verdict's
// explanation, the hints, a file's summary and warnings, and the controls of each state.
// Usage: node test_logique.mjs
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { ETATS, commandes } from './execution.mjs';
import { avertissement, expliquer, indice, resumer } from './explication.mjs';

const lu = (texte) => texte.replaceAll('\u00a0', ' ');

// n1, n2, the sum the program wrote and its kind; then what the explanation shows of it.
const EXPLICATIONS = [
  [30000, 30000, -5536, 'positif', 'sorte positif">Débordement positif', 'ramené à −5536.',
    '60000, au-delà de 32767 : 60000 − 65536 = −5536', 'retenue 01\n   30000 <b>0</b>111 0101 0011 0000',
    '=  −5536 <b>1</b>110 1010 0110 0000', 'Les deux ont le signe 0, la somme le signe 1 : débordement',
    'signe 1, retenue sortante 0 : différentes'],
  [32767, 1, -32768, 'positif', '32767 + 1 = 32768, au-delà de 32767 : 32768 − 65536 = −32768', 'retenue 01',
    'n1 + n2 = 32768, hors de l’intervalle, ramené à −32768.'],
  [-32768, -1, 32767, 'negatif', 'sorte negatif">Débordement négatif', 'retenue 10', 'ramené à 32767.',
    '−32769, en deçà de −32768 : −32769 + 65536 = 32767', 'Les deux ont le signe 1, la somme le signe 0',
    'signe 0, retenue sortante 1 : différentes'],
  [-32768, -32768, 0, 'negatif', '−65536, en deçà de −32768 : −65536 + 65536 = 0', '     0 <b>0</b>000 0000'],
  [-1, 1, 0, 'valide', 'sorte valide">Résultat valide', 'retenue 11', 'signe 1, retenue sortante 1 : égales',
    '−1 + 1 = 0, de −32768 à 32767 : la somme affichée est exacte.', 'Signes différents : pas de'],
  [0, 0, 0, 'valide', 'retenue 00', 'Même signe (0) pour les deux et pour la somme', 'n1 + n2 = 0.'],
  [-1, -1, -2, 'valide', 'retenue 11', '−2 <b>1</b>111 1111 1111 1110', 'Même signe (1) pour les deux'],
  [32767, -32768, -1, 'valide', '32767 + −32768 = −1, de', 'retenue 00', 'Signes différents', 'n2 = −1.'],
];

test('each verdict is explained from its operands and sum', () => {
  for (const [n1, n2, somme, genre, ...attendus] of EXPLICATIONS) {
    const vu = lu(expliquer({ genre, n1, n2, somme }));
    for (const attendu of attendus) assert.ok(vu.includes(attendu), `${n1} + ${n2}: no ${attendu} in ${vu}`);
    // The exact sum's arc, and for an overflow the wrap's, out of the range and back.
    assert.equal(vu.match(/<path d="M/g).length, genre === 'valide' ? 2 : 3, `${n1} + ${n2}: its arcs`);
  }
  assert.match(expliquer({ genre: 'valide', n1: 1, n2: 1, somme: 3 }), /selon le programme.*ne sait pas/);
});

test('the hint names the rule the line broke, and the line', () => {
  for (const [regle, ligne, longueur, attendu] of [['vide', '', 0, 'Ligne vide.'],
    ['ligneTropLongue', '1234567890123456', 250, 'Ligne de 250 caractères, au plus 6.'],
    ['tropDeCaracteres', '0000001', 7, '« 0000001 » : 7 caractères, au plus 6.'],
    ['signeSeul', '-', 1, '« - » : un signe sans'], ['espace', ' 42', 3, 'un espace avant le nombre'],
    ['espace', '4 2', 3, 'un espace dans le nombre'], ['espace', '42 ', 3, 'un espace après le nombre'],
    ['octetNul', '4\0', 2, '« 4␀ » : un octet nul'], ['autreCaractere', '+-4', 3, '« - » n’est pas'],
    ['tropGrande', '40000', 5, '« 40000 » dépasse 32767.'], ['tropPetite', '-32769', 6, 'en deçà de −32768.'],
  ]) {
    const vu = lu(indice({ regle, debut: new TextEncoder().encode(ligne), longueur }));
    assert.ok(vu.includes(attendu) && vu.endsWith('signe compris : 42, -42, +42.'), `${regle}: ${vu}`);
  }
});

test('a file run is summed up in words, and a file the program will misread is warned about', () => {
  assert.equal(lu(resumer({ verifications: 4, valide: 1, positif: 1, negatif: 2, refus: 3 })),
    '4 vérifications : 1 somme valide, 1 débordement positif, 2 débordements négatifs ; 3 lignes refusées.');
  assert.match(lu(avertissement(new Uint8Array([0xef, 0xbb, 0xbf, 0x31, 10]))), new RegExp('\\(BOM\\) : sa '
    + 'première ligne sera refusée, et chaque ligne suivante répondra à la question d’avant.*'
    + '« UTF-8 », et non « UTF-8 avec BOM »\\.$'));
  for (const [octets, attendu] of [[[0x31, 0, 10, 0], /UTF-16/], [[0, 0x31, 0, 10], /UTF-16/],
    [[0xff, 0xfe, 0x31], /UTF-16/], [[0x7f, 0x45, 0x4c, 0x46, 2, 1, 1, 0, 0, 0, 0, 0], /pas du texte/]]) {
    assert.match(avertissement(new Uint8Array(octets)), attendu);
  }
  assert.equal(avertissement(new TextEncoder().encode('100\n200\nn\n')), '');
});

test('every state of a run leaves a way out, and only a living run its controls', () => {
  for (const [etat, fichier] of Object.keys(ETATS).flatMap((e) => [[e, null], [e, { nom: 'f' }]])) {
    const c = commandes({ etat, fichier, finEntree: Boolean(fichier), avancementMontre: true });
    const vivante = ['demarrage', 'attente', 'execution'].includes(etat);
    assert.deepEqual([c.recommencer, c.arreter, c.saisie && c.fin, c.avancement],
      [!vivante, vivante && !!fichier, vivante && !fichier, etat === 'execution' && !!fichier], etat);
  }
});
