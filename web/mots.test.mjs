// The page's own words: the lines a file run refused.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { lignesRefusees } from './mots.mjs';

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
