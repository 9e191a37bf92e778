// The page's own words: a sum foreseen read as the program reads a value, the lines a file
// run refused, and copied numbers.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { lignesRefusees, lireNombre, pourCopier } from './mots.mjs';

// What the program would make of each line typed as a value: its value, or null.
const NOMBRES = [
  ['42', 42], ['-42', -42], ['+42', 42], ['32767', 32767], ['-32768', -32768], ['-0', 0], ['000001', 1],
  ['32768', null], ['-32769', null],    // beyond 16 bits
  ['0000001', null], ['-000001', null], // seven characters
  [' 5', null], ['5 ', null], ['-32 767', null],  // a space
  ['\u22125', null], ['\u20135', null], // a minus sign or a dash, not the « - » key
  ['', null], ['+', null], ['--5', null], ['5-', null], ['1e3', null], ['0x1F', null], ['abc', null],
];

test('a sum foreseen is read as the program reads a value, or not at all', () => {
  for (const [texte, valeur] of NOMBRES) assert.equal(lireNombre(texte), valeur, texte);
});

test('a file run names its first refused lines, and how many more there were', () => {
  const dix = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10];
  for (const [numeros, total, attendu] of [
    [[], 0, ''],
    [[4], 1, 'Ligne refusée\u00a0: 4.'],
    [[1, 2, 4], 3, 'Lignes refusées\u00a0: 1, 2 et 4.'],
    [dix, 11, 'Lignes refusées\u00a0: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 1\u00a0autre.'],
    [dix, 40000, 'Lignes refusées\u00a0: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 39990\u00a0autres.'],
  ]) assert.equal(lignesRefusees(numeros, total), attendu, `${total}`);
});

test('numbers copied from the page have the minus sign that the program reads', () => {
  assert.equal(pourCopier('de \u221232768 à 32767, \u22121 + 1 = 0'), 'de -32768 à 32767, -1 + 1 = 0');
});
