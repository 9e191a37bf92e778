// What the page says in words, as text: the sum's step to what is shown after the learner's guess,
// the hint after a refused line, a file run's summary, and the warning on a file.
import { VALEURS } from './addition.mjs';
import { NBSP, avecMoins, formule } from './balisage.mjs';
import * as vocabulaire from './vocabulaire.mjs';
import { longueurMax, negatif, plusGrande, plusPetite, positif, valide } from './vocabulaire.mjs';

export const SORTES = { [valide]: 'Résultat valide', [positif]: 'Débordement positif',
  [negatif]: 'Débordement négatif' };
const [PETITE, GRANDE] = [avecMoins(plusPetite), plusGrande];

// The sum's step to what is shown in the program's verdict, after the learner's `prediction`
// ({ genre, somme }, somme null when not given) if any, saying where it went wrong.
export function phraseDuCalcul({ genre, n1, n2, somme }, prediction) {
  const exacte = n1 + n2, calcul = formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(exacte)}`);
  const retour = genre === valide ? 'la somme affichée est exacte'
    : formule(`${avecMoins(exacte)} ${genre === positif ? '\u2212' : '+'} ${VALEURS} = ${avecMoins(somme)}`);
  const ou = { [valide]: `de ${PETITE} à${NBSP}${GRANDE}`, [positif]: `au-delà de${NBSP}${GRANDE}`,
    [negatif]: `en deçà de${NBSP}${PETITE}` }[genre];
  if (!prediction) return `${calcul}, ${ou}${NBSP}: ${retour}.`;
  const { genre: prevu, somme: sommePrevue } = prediction, donnee = typeof sommePrevue === 'number';
  const verbe = { [valide]: `reste de ${PETITE} à${NBSP}${GRANDE}`, [positif]: `dépasse${NBSP}${GRANDE}`,
    [negatif]: `passe sous${NBSP}${PETITE}` }[genre];
  if (prevu !== genre) {
    const mais = sommePrevue === somme ? `La somme affichée est bien ${avecMoins(somme)}, mais pas le verdict`
      + `${NBSP}: ` : 'Mais ';
    return `Vous aviez prévu${NBSP}: ${SORTES[prevu].toLowerCase()}${
      donnee ? `, ${avecMoins(sommePrevue)}` : ''}. ${mais}${calcul} ${verbe}${NBSP}: ${retour}.`;
  }
  const affichee = genre === valide
    ? formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(somme)}`) : retour;
  const bienVu = `Bien vu${NBSP}: ${SORTES[genre].toLowerCase()}`;
  if (!donnee) return `${bienVu}. ${calcul}, ${ou}${NBSP}: ${retour}.`;
  if (sommePrevue === somme) return `${bienVu}, et la somme affichée est bien ${affichee}.`;
  return `Bien vu pour le verdict, ${SORTES[genre].toLowerCase()}${NBSP}; mais la somme affichée est ${
    avecMoins(somme)}, pas ${avecMoins(sommePrevue)}${NBSP}: `
    + (genre === valide ? `${affichee}.` : `${avecMoins(exacte)} ${verbe}, d\u2019où ${retour}.`);
}

// Each control character as its picture, from U+2400 (U+2421 for DEL, the last of ASCII).
const [DEL, IMAGES, IMAGE_DEL] = [0x7f, 0x2400, 0x2421];

// The hint after a line refused by the rule `regle` (one of the vocabulary's), of `longueur`
// bytes, `debut` its first ones: what is wrong with it, the key for a minus sign if it holds a dash
// the program does not read as one, then what a value is.
export function indice({ regle, debut, longueur }) {
  // eslint-disable-next-line no-control-regex
  const texte = new TextDecoder().decode(debut).replace(/[\0-\x1f\x7f]/g, (c) => String.fromCharCode(
    c.charCodeAt(0) === DEL ? IMAGE_DEL : IMAGES + c.charCodeAt(0)));
  const unites = debut.some((o) => o > DEL) ? 'octets' : 'caractères';  // as the program counts
  const cite = `«${NBSP}${texte}${longueur > debut.length ? '…' : ''}${NBSP}»`, espace = texte.indexOf(' ');
  const ou = espace === 0 ? 'avant le nombre' : /^[+-] /.test(texte) ? 'après le signe'
    : espace === texte.length - 1 ? 'après le nombre' : 'dans le nombre';
  const pourquoi = {
    [vocabulaire.vide]: 'Ligne vide',
    [vocabulaire.ligneTropLongue]: `Ligne de ${longueur}${NBSP}${unites}, au plus ${longueurMax}`,
    [vocabulaire.tropDeCaracteres]: `${cite}${NBSP}: ${longueur}${NBSP}${unites}, au plus ${longueurMax}`,
    [vocabulaire.signeSeul]: `${cite}${NBSP}: un signe sans chiffre`,
    [vocabulaire.espace]: `${cite}${NBSP}: un espace ${ou}`,
    [vocabulaire.octetNul]: `${cite}${NBSP}: un octet nul, invisible`,
    [vocabulaire.autreCaractere]: `${cite}${NBSP}: «${NBSP}${texte.match(/^[+-]?\d*(.)/su)?.[1]}${NBSP}» `
      + 'n\u2019est pas un chiffre',
    [vocabulaire.tropGrande]: `${cite} dépasse ${GRANDE}`,
    [vocabulaire.tropPetite]: `${cite} est en deçà de ${PETITE}`,
  }[regle] ?? 'Ligne refusée';
  const tiret = texte.match(/[\u2010-\u2015\u2212\ufe63\uff0d]/u)?.[0];
  const touche = tiret ? `. «${NBSP}${tiret}${NBSP}» n\u2019est pas le signe moins que lit le `
    + `programme${NBSP}: tapez-le avec la touche «${NBSP}-${NBSP}»` : '';
  return `${pourquoi}${touche}. Une valeur est un entier de ${PETITE} à ${GRANDE}, en chiffres, `
    + `avec au plus ${longueurMax} caractères, signe compris${NBSP}: 42, -42, +42.`;
}

// The counts of a file run in words: its verdicts, by kind, and the lines it refused.
export function resume({ verifications, refus, ...parGenre }) {
  const n = (k, mots) => `${k}${NBSP}${k > 1 ? mots.replace(/(?= |$)/g, 's') : mots}`;
  return `${n(verifications, 'vérification')}${NBSP}: ${n(parGenre[valide], 'somme valide')}, `
    + `${n(parGenre[positif], 'débordement positif')}, ${n(parGenre[negatif], 'débordement négatif')}`
    + `${NBSP}; ${n(refus, 'ligne refusée')}.`;
}

// The control characters that texts hold (tab, line ends, vertical tab, form feed, Ctrl-Z),
// below the first that is not one; a file's first bytes that say UTF-8, or UTF-16.
const TEXTE = new Set([9, 10, 11, 12, 13, 26]), ESPACE = 32;
const BOM = '\xef\xbb\xbf', BOMS16 = ['\xff\xfe', '\xfe\xff'];

// A warning, from its first bytes, on a file that the program will not read as its author meant
// (it still runs as it is): a UTF-8 byte order mark; UTF-16 (a byte order mark, or NUL bytes in over
// half the even or odd places and under a tenth of the others); no text at all; '' for none.
export function avertissement(octets) {
  const nuls = [0, 0];  // at even places, at odd places
  let controles = 0;
  octets.forEach((o, i) => {
    if (o === 0) ++nuls[i % 2];
    else if (o < ESPACE && !TEXTE.has(o)) ++controles;
  });
  const paires = octets.length / 2, debut = String.fromCharCode(...octets.subarray(0, BOM.length));
  // Notepad's « Enregistrer sous » names its encodings so.
  const blocNotes = `dans le Bloc-notes, «${NBSP}Enregistrer sous${NBSP}», encodage «${NBSP}UTF-8${NBSP}»`;
  const quoi = debut === BOM
    ? `commence par une marque d\u2019ordre des octets (BOM)${NBSP}: sa première ligne sera refusée, `
      + 'et chaque ligne suivante répondra à la question d\u2019avant la sienne, si bien que '
      + 'les vérifications ne seront sans doute pas celles prévues. '
      + `Enregistrez-le sans cette marque${NBSP}: ${blocNotes}, et non «${NBSP}UTF-8 avec BOM${NBSP}».`
    : BOMS16.some((bom) => debut.startsWith(bom))
      || (Math.max(...nuls) > paires / 2 && Math.min(...nuls) < paires / 10)
      ? `est sans doute de l\u2019UTF-16${NBSP}: ses lignes seront refusées. `
        + `Enregistrez-le en UTF-8${NBSP}: ${blocNotes}${NBSP}; depuis Windows PowerShell, dont `
        + `«${NBSP}>${NBSP}» écrit de l\u2019UTF-16, par «${NBSP}| Out-File -Encoding ascii `
        + `fichier.txt${NBSP}» (et non «${NBSP}utf8${NBSP}», qui y met une BOM)${NBSP}; PowerShell${NBSP}7, `
        + 'lui, écrit déjà de l\u2019UTF-8 sans BOM.'
      : nuls[0] + nuls[1] + controles > 0
        ? `n\u2019est sans doute pas du texte (octets nuls ou de contrôle)${NBSP}: des lignes seront `
          + 'sans doute refusées. Enregistrez-le en texte brut, en UTF-8.'
        : '';
  return quoi && `Attention${NBSP}: ce fichier ${quoi}`;
}
