// The page's own words around the program, pure functions of what they are told: what the
// input line is for at the question, a sum foreseen read as the program reads a value, and
// the lines a file run refused.
import { NBSP } from './balisage.mjs';
import * as vocabulaire from './vocabulaire.mjs';

const cite = (texte) => `«${NBSP}${texte}${NBSP}»`;

// Beside the input line at the repeat question: what its answers do.
export const AIDE_QUESTION = `${cite('y')} puis Entrée${NBSP}: une autre vérification. `
  + 'Toute autre réponse termine le programme.';

// What a value typed at the question would do, said before it is sent.
export const avantDeTerminer = (texte) => `${cite(texte)} n\u2019est pas ${cite('y')}${NBSP}: `
  + 'il terminerait le programme. Entrée de nouveau pour l\u2019envoyer quand même.';

// A number as the program reads a value: an optional sign, then digits, at most `longueurMax`
// characters in all, within the range of 16 bits.
const NOMBRE = new RegExp(`^(?=.{1,${vocabulaire.longueurMax}}$)[+-]?\\d+$`);

// The value of `texte` as the program would read it (-0 as 0), or null when it would refuse it.
export function lireNombre(texte) {
  const n = NOMBRE.test(texte) ? Number(texte) + 0 : NaN;
  return n >= vocabulaire.plusPetite && n <= vocabulaire.plusGrande ? n : null;
}

// When the sum foreseen cannot be read, or no kind has been chosen for it.
export const sommeIllisible = (texte) => `${cite(texte)}${NBSP}: le programme ne lirait pas cette somme. `
  + `Écrivez-la en chiffres, de ${vocabulaire.plusPetite} à ${vocabulaire.plusGrande}.`;
export const GENRE_A_CHOISIR = 'Choisissez aussi le verdict.';

// The first lines that a file run refused, by their numbers in the file, out of `total`.
export function lignesRefusees(numeros, total) {
  if (!total) return '';
  const autres = total - numeros.length, s = total > 1 ? 's' : '';
  const liste = autres ? `${numeros.join(', ')} et ${autres}${NBSP}autre${autres > 1 ? 's' : ''}`
    : numeros.join(', ').replace(/, (?=\d+$)/, ' et ');
  return `Ligne${s} refusée${s}${NBSP}: ${liste}.`;
}

// Text copied from the page: its minus signs as the « - » that the program reads.
export const pourCopier = (texte) => texte.replaceAll('\u2212', '-');
