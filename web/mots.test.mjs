// A sum foreseen read as the program reads a value; the page's words around the program (the rest in
// test_page.py).
import assert from 'node:assert/strict';
import { test } from 'node:test';

import {
  AIDE_QUESTION, GENRE_A_CHOISIR, avantDeTerminer, lignesRefusees, lireNombre, pourCopier, sommeIllisible,
} from './mots.mjs';

// What the program would make of each line typed as a value: its value, or null (refused: beyond
// 16 bits, seven characters, a space, a minus sign or a dash not the « - » key, not a number).
const NOMBRES = [['42', 42], ['-42', -42], ['+42', 42], ['32767', 32767], ['-32768', -32768], ['-0', 0],
  ['000001', 1], ['32768', null], ['-32769', null], ['0000001', null], ['-000001', null],
  [' 5', null], ['5 ', null], ['-32 767', null], ['\u22125', null], ['\u20135', null], ['', null],
  ['+', null], ['--5', null], ['5-', null], ['1e3', null], ['0x1F', null], ['abc', null]];

test('a sum foreseen is read as the program reads a value, or not at all', () => {
  for (const [texte, valeur] of NOMBRES) assert.equal(lireNombre(texte), valeur, texte);
  // Each as the learner reads it: the question's answers, a sum or an answer the program would not
  // take, the lines refused, one or more, all cited or not, and a copy's minus signs.
  const MOTS = [
    [AIDE_QUESTION, '« y » puis Entrée : une autre vérification. Toute autre réponse termine le programme.'],
    [avantDeTerminer('n'), '« n » n’est pas « y » : il terminerait le programme. Entrée de nouveau pour '
      + 'l’envoyer quand même.'],
    [sommeIllisible('1e3'), '« 1e3 » : le programme ne lirait pas cette somme. Écrivez-la en chiffres, de '
      + '-32768 à 32767.'],
    [GENRE_A_CHOISIR, 'Choisissez aussi le verdict.'], [lignesRefusees([], 0), ''],
    [lignesRefusees([7], 1), 'Ligne refusée : 7.'],
    [lignesRefusees([2, 10, 11], 3), 'Lignes refusées : 2, 10 et 11.'],
    [lignesRefusees([1, 2], 4), 'Lignes refusées : 1, 2 et 2 autres.'],
    [lignesRefusees([1, 2, 3, 4, 5, 6, 7, 8, 9, 10], 11),
      'Lignes refusées : 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 et 1 autre.'],
    [pourCopier('\u22125 + \u221232768'), '-5 + -32768']];
  for (const [vu, attendu] of MOTS) assert.equal(vu.replaceAll('\u00a0', ' '), attendu);
});
