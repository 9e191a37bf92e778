// A value's bits and their column addition: the three patterns, each column's carry, the
// bits' weights, the sum read with and without its sign, each negative pattern read the two ways
// taught, the bits an overflowing sum needs, and the rule of the carries.
import { NBSP, avecMoins, echapper, formule } from './balisage.mjs';
import { plusGrande, plusPetite } from './vocabulaire.mjs';

// The range's VALEURS values, patterns of BITS bits, which a reader takes by QUARTET.
export const VALEURS = plusGrande - plusPetite + 1, BITS = Math.log2(VALEURS);
const QUARTET = 4;
// The pattern of n read without a sign, from 0; n brought into the range: what its bits hold.
const sansSigne = (n) => ((n % VALEURS) + VALEURS) % VALEURS;
export const ramener = (n) => sansSigne(n - plusPetite) + plusPetite;
// The bits of n, from the sign bit; by quartets, `dans` inside one and `entre` between them.
const bitsDe = (n) => [...sansSigne(n).toString(2).padStart(BITS, '0')].map(Number);
const parQuartets = (bits, dans, entre) => Array.from({ length: bits.length / QUARTET },
  (_, i) => bits.slice(i * QUARTET, (i + 1) * QUARTET).join(dans)).join(entre);
// Bits as a voice reads them; a pattern in the text, quartets that do not break, read out as bits.
const aVoix = (bits) => parQuartets(bits, ' ', ', ');
const motifHtml = (n) => `<span class="motif" role="img" aria-label="${echapper(`bits ${aVoix(bitsDe(n))}`)
}">${parQuartets(bitsDe(n), '', NBSP)}</span>`;
// Each bit's weight, from the sign bit's to the last's.
const POIDS = Array.from({ length: BITS }, (_, i) => (i === 0 ? plusPetite : 2 ** (BITS - 1 - i)));
// What the carries into and out of the sign bit, when not both 0, do to the sum: each told one way
// whatever the other does.
const PETITE = avecMoins(plusPetite), ENTRE = `La retenue vers le bit de signe vaut ${-plusPetite}, mais `
  + `elle y compte pour ${PETITE}${NBSP}: ${VALEURS} de moins.`;
const PERDUE = `La retenue sortante, barrée, est perdue${NBSP}: elle naît de deux 1 dans la colonne du `
  + `bit de signe, où chacun compte pour ${PETITE}, et vaut donc ${avecMoins(-VALEURS)}${NBSP}; la perdre `
  + `ajoute ${VALEURS}.`;
const REGLES = {
  10: `${ENTRE} Aucune retenue sortante ne les rend${NBSP}: la somme affichée a ${VALEURS} de moins que `
    + 'la vraie.',
  '01': `${PERDUE} Aucune retenue vers le bit de signe ne les retire${NBSP}: la somme affichée a ${VALEURS} `
    + 'de plus que la vraie.',
  11: `${ENTRE} ${PERDUE} L\u2019un compense l\u2019autre${NBSP}: la somme affichée est exacte.`,
};

// How a negative n reads in two's complement, [the weight of its bits but the sign bit's, its bits
// inverted, those plus 1: -n]; null for n >= 0.
export const deuxLectures = (n) => (n < 0 ? [n - plusPetite, -n - 1, -n] : null);
// The fewest bits that hold s in two's complement: the least k with -2^(k-1) <= s <= 2^(k-1) - 1.
export function bitsNecessaires(s) {
  let k = 1;
  while (s < -(2 ** (k - 1)) || s > 2 ** (k - 1) - 1) ++k;
  return k;
}
// The negative patterns among `valeurs`, each read both ways, as a list; '' when there is none.
function lecturesHtml(valeurs) {
  const items = [...new Set(valeurs)].filter((n) => n < 0).map((n) => {
    const [reste, inverse, plusUn] = deuxLectures(n);
    return `<li>${motifHtml(n)}${NBSP}: par les poids, celui du bit de signe et ceux des autres, `
      + `${formule(`${PETITE} + ${reste} = ${avecMoins(n)}`)}${NBSP}; en inversant chaque bit, ${
        motifHtml(inverse)}, puis en ajoutant 1, ${motifHtml(plusUn)} = ${plusUn}${
        plusUn > plusGrande ? ' sans signe' : ''}${NBSP}: le motif vaut l\u2019opposé, ${avecMoins(n)}.</li>`;
  });
  return items.length ? `<p>Un motif dont le bit de signe vaut 1 est négatif. Il se lit de deux façons, `
    + `qui donnent le même nombre${NBSP}:</p>\n<ul class="lectures">${items.join('\n')}</ul>\n` : '';
}
// Why an overflowing sum, exacte, cannot be held in BITS bits: the bits it needs, and their range.
function tropDeBits(exacte) {
  const k = bitsNecessaires(exacte), borne = 2 ** (k - 1);
  return `<p>${echapper(`La somme exacte, ${avecMoins(exacte)}, demande ${k}${NBSP}bits en complément à `
    + `deux${NBSP}: sur ${k}${NBSP}bits, les valeurs vont de ${avecMoins(-borne)} à ${borne - 1}, `
    + `sur ${BITS} de ${PETITE} à ${plusGrande} seulement. ${BITS}${NBSP}bits ne peuvent donc pas la `
    + 'contenir.')}</p>\n`;
}

// The column addition of n1 and n2 to `somme`, each carry above its column, the one out of the sign
// bit apart and struck out; the weights under the bits; the sum read; its negative patterns read
// both ways; for an overflow (`debordement`, the program's verdict), the bits the exact sum needs;
// the rule of the carries.
export function additionHtml(n1, n2, somme, debordement) {
  const [a, b, s] = [n1, n2, somme].map(bitsDe);
  // retenues[i]: the carry into bit i counted from the right; the last, out of the sign bit.
  const retenues = [0];
  for (let i = 0; i < BITS; ++i) retenues.push((a[BITS - 1 - i] + b[BITS - 1 - i] + retenues[i]) >> 1);
  const [entrante, sortante] = retenues.slice(BITS - 1), auDessus = retenues.slice(0, BITS).reverse();
  const ligneHtml = (classe, titre, horsBits, cellules) => `<tr class="${classe}"><th>${echapper(titre)}</th>`
    + `<td class="sortante">${horsBits}</td>${cellules.map((c, i) => `<td${
      i === 0 ? ' class="signe"' : i % QUARTET === 0 ? ' class="quartet"' : ''}>${c}</td>`).join('')}</tr>`;
  const enBits = (n, bits) => `${avecMoins(n)}, bits ${aVoix(bits)}`;
  const description = `Addition sur ${BITS} bits${NBSP}: ${enBits(n1, a)}${NBSP}; plus ${enBits(n2, b)}${
    NBSP}; égale ${enBits(somme, s)}. Retenues, du bit de signe au dernier${NBSP}: ${aVoix(auDessus)}${
    NBSP}; retenue sortante ${sortante}${sortante ? ', perdue' : ''}.`;
  const lecture = somme < 0 ? `${formule(`${sansSigne(somme)} sans signe`)} = `
    + `${formule(`${avecMoins(somme)} avec signe`)}, `
    + `car ${formule(`${sansSigne(somme)} \u2212 ${VALEURS} = ${avecMoins(somme)}`)}.` : `${somme}.`;
  const [b1, b2, bs] = [a[0], b[0], s[0]];
  const signes = b1 !== b2 ? `Signes différents${NBSP}: pas de débordement possible.`
    : bs === b1 ? `Même signe (${b1}) pour les deux et pour la somme${NBSP}: pas de débordement.`
      : `Les deux ont le signe ${b1}, la somme le signe ${bs}${NBSP}: débordement.`;
  const regle = REGLES[`${entrante}${sortante}`] ?? '';
  return `<div class="addition" role="img" aria-label="${echapper(description)}">
<table class="bits" aria-hidden="true">
${ligneHtml('retenues', 'retenues', sortante ? '<s>1</s>' : '0',
    [`<span class="entrante">${entrante}</span>`, ...auDessus.slice(1)])}
${ligneHtml('n1', avecMoins(n1), '', a)}
${ligneHtml('n2', `+${NBSP}${avecMoins(n2)}`, '', b)}
${ligneHtml('somme', `=${NBSP}${avecMoins(somme)}`, '', s)}
${ligneHtml('poids', 'poids', '', POIDS.map((p) => `<span>${avecMoins(p)}</span>`))}
</table></div>
<p>Sous chaque bit, son poids${NBSP}: un bit à 1 ajoute son poids. Le premier, le bit de signe, pèse `
    + `${PETITE}${NBSP}: 0 pour un nombre positif ou nul, 1 pour un négatif. ${BITS} bits font `
    + `${formule(`2<sup>${BITS}</sup> = ${VALEURS}`)} motifs, de 0 à ${VALEURS - 1} sans signe, `
    + `de ${PETITE} à ${plusGrande} avec signe.</p>
<p>Somme${NBSP}: ${motifHtml(somme)} = ${echapper(lecture)}</p>
${lecturesHtml([n1, n2, somme])}${debordement ? tropDeBits(n1 + n2) : ''}<p>${echapper(`Au-dessus de `
    + `chaque colonne, sa retenue${NBSP}; celle qui sort du bit de signe tombe hors des ${BITS} bits. Il y a `
    + `débordement quand la retenue vers le bit de signe diffère de la retenue sortante${NBSP}: ici ${
      entrante} et ${sortante}, ${entrante === sortante ? 'égales, pas de débordement'
      : 'différentes, débordement'}. ${regle && `${regle} `}${signes}`)}</p>`;
}
