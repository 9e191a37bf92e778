// A series: what a link types, the link of the sums typed, and the score of a series foreseen.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { bilan, creerScore, fragmentDe, lireLien, noter } from './serie.mjs';

// Each fragment, whether it asks for « Deviner », and the lines it types (| between two): all that it
// holds, the program judging it (a sign, a space inside, a character not a digit, a malformed escape).
const LIENS = [['#32767+1', false, '32767|1'], ['#32767%2B1', false, '32767|1'], ['#-1%2b+1', false, '-1|+1'],
  ['#deviner,32767+1,-1+1,30000+30000', true, '32767|1|y|-1|1|y|30000|30000'], ['#deviner', true, ''],
  ['#%20-1%20+%201%20,%202+3', false, '-1|1|y|2|3'], ['#1+2,,%20,3+4,', false, '1|2|y|3|4'],
  ['#+5++3', false, '+5|+3'], ['#4%202+a%3Cb', false, '4 2|a<b'], ['#%E9+%C3%A9,%+5', false, '%E9|é|y|%|5'],
  ['#1+2,deviner', false, '1|2|y|deviner'], ['#5+', false, '5|'], ['#1%2C2+3', false, '1'],
  ['#7', false, '7'], ['#1,2', false, '1'], ['#1+2,3,4+5', false, '1|2|y|3'], ['#DEVINER,1+2', true, '1|2'],
  ['#', false, ''], ['', false, '']];

test('a link types each sum of its fragment, whatever it holds', () => {
  for (const [fragment, deviner, lignes] of LIENS) {
    const attendu = { deviner, lignes: lignes ? lignes.split('|') : [] };
    assert.deepEqual(lireLien(fragment), attendu, fragment);
  }
  const lien = fragmentDe(true, [[32767, 1], [-1, 1], [-32768, -32768]]);
  assert.deepEqual([lien, fragmentDe(false, []), fragmentDe(true, [])],
    ['#deviner,32767+1,-1+1,-32768+-32768', '', '']);
  assert.deepEqual(lireLien(lien).lignes, '32767 1 y -1 1 y -32768 -32768'.split(' '));
});

// Right: the kind, and the sum when one is given; missed: another kind, or another sum.
test('a series foreseen counts the verdicts foreseen right, and keeps those missed', () => {
  const score = creerScore(), verdict = { genre: 'positif', somme: -32768 };
  for (const [genre, somme] of [['positif', null], ['valide', null], ['positif', -32768], ['positif', 0],
    ['negatif', -32768]]) noter(score, { verdict, prediction: { genre, somme } });
  assert.deepEqual(score.manques.map((m) => m.prediction.genre), ['valide', 'positif', 'negatif']);
  assert.equal(bilan(score), 'Série finie\u00a0: 2 sur 5 bien prévus. À revoir\u00a0:');
  assert.equal(bilan({ prevus: 1, manques: [] }, true), 'Série interrompue\u00a0: 1 sur 1 bien prévu.');
  assert.equal(bilan({ prevus: 2, manques: [1] }), 'Série finie\u00a0: 1 sur 2 bien prévu. À revoir\u00a0:');
});
