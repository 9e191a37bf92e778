// How the page writes what it adds: numbers and formulas as text, a verdict's kind as a class,
// and text as markup. A function that returns markup says so by its name (…Html).
import { negatif, positif, valide } from './vocabulaire.mjs';

export const NBSP = '\u00a0';
// `n` as the page writes numbers of its own: with a minus sign, not a hyphen.
export const avecMoins = (n) => String(n).replace('-', '\u2212');
// A formula kept on one line: its spaces do not break.
export const formule = (texte) => texte.replaceAll(' ', NBSP);
// `texte` as markup that shows it as it is, between tags or in an attribute's quotes: the one
// way from text to markup.
const ENTITES = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;', '\'': '&#39;' };
export const echapper = (texte) => String(texte).replace(/[&<>"']/g, (c) => ENTITES[c]);
// The style sheet's class for a verdict of kind `genre`: the page's own word for it.
const CLASSES = { [valide]: 'exact', [positif]: 'haut', [negatif]: 'bas' };
export const classeDuGenre = (genre) => CLASSES[genre];
