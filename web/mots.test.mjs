// A sum foreseen read as the program reads a value; the lines a file run refused (the rest in test_page.py).
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { lignesRefusees, lireNombre } from './mots.mjs';

// What the program would make of each line typed as a value: its value, or null (refused: beyond
// 16 bits, seven characters, a space, a minus sign or a dash not the « - » key, not a number).
const NOMBRES = [['42', 42], ['-42', -42], ['+42', 42], ['32767', 32767], ['-32768', -32768], ['-0', 0],
  ['000001', 1], ['32768', null], ['-32769', null], ['0000001', null], ['-000001', null],
  [' 5', null], ['5 ', null], ['-32 767', null], ['\u22125', null], ['\u20135', null], ['', null],
  ['+', null], ['--5', null], ['5-', null], ['1e3', null], ['0x1F', null], ['abc', null]];

test('a sum foreseen is read as the program reads a value, or not at all', () => {
  for (const [texte, valeur] of NOMBRES) assert.equal(lireNombre(texte), valeur, texte);
  assert.equal(lignesRefusees([1, 2, 3, 4, 5, 6, 7, 8, 9, 10], 11),
    'Lignes refusées\u00a0: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 1\u00a0autre.');
});
