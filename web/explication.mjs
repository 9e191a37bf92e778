// What the page says beside the transcript: the question before a verdict is shown, the verdict
// taken apart; and, from their modules, the hint, the summary, the warning, and how they are written.
import { additionHtml, ramener } from './addition.mjs';
import { NBSP, avecMoins, classeDuGenre, echapper, formule } from './balisage.mjs';
import { dessinHtml } from './dessin.mjs';
import { SORTES, phraseDuCalcul } from './phrases.mjs';
import { negatif, plusGrande, plusPetite, positif, valide } from './vocabulaire.mjs';

export { avecMoins, classeDuGenre, echapper } from './balisage.mjs';
export { avertissement, indice, resume } from './phrases.mjs';

// The question on n1 + n2, before its verdict is shown.
export const enonceHtml = (n1, n2) => `<span class="formule">${echapper(`${avecMoins(n1)} + ${avecMoins(n2)}`)
}</span>${NBSP}: quel verdict, et quelle somme affichée${NBSP}? Prévoyez-les avant de voir.`;

// The kind of a sum as the page reads it, checked against the program's: it explains, never decides.
const genreAttendu = (exacte) => (exacte > plusGrande ? positif : exacte < plusPetite ? negatif : valide);

// The program's verdict { genre, n1, n2, somme } taken apart: `court`, its kind and the sum's step
// to what is shown, after the learner's `prediction` if any; `suite`, the column addition and drawing.
export function explicationHtml(verdict, prediction = null) {
  const { genre, n1, n2, somme } = verdict;
  const badge = `<span class="sorte ${classeDuGenre(genre)}">${echapper(SORTES[genre])}</span>`;
  const compris = ramener(n1 + n2) === somme && genreAttendu(n1 + n2) === genre;
  const selonLui = formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(somme)}`);
  const phrase = compris ? phraseDuCalcul(verdict, prediction)
    : `${selonLui} selon le programme${NBSP}: cette page ne sait pas l\u2019expliquer.`;
  return { court: `<p class="court">${badge} ${echapper(phrase)}</p>`, suite: compris
    ? `${additionHtml(n1, n2, somme, genre !== valide)}\n${dessinHtml(genre, n1, n2, somme)}` : '' };
}
