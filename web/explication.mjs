// What the page says beside the transcript, from what the program decided and told it:
// a verdict taken apart, the hint after a refused line, the summary of a file run, and a
// warning on a file. Pure functions of their arguments, which return text or markup.

const SORTES = {
  valide: 'Résultat valide', positif: 'Débordement positif', negatif: 'Débordement négatif',
};
// 16-bit values: 65536 of them, from −32768 to 32767.
const VALEURS = 65536, PLUS_PETITE = -32768, PLUS_GRANDE = 32767;
const NBSP = '\u00a0';

// `n` as the page writes numbers of its own: with a minus sign, not a hyphen.
const avecMoins = (n) => String(n).replace('-', '\u2212');

// n modulo 65536, from −32768 to 32767: what 16 bits hold of it.
const sur16Bits = (n) => ((n & 0xffff) ^ 0x8000) - 0x8000;

// The kind of n1 + n2, as the page understands it, to check its own reading against the
// program's verdict: the page explains a verdict, it never makes one.
const genreAttendu = (n1, n2, somme) =>
  n1 > 0 && n2 > 0 && somme < 0 ? 'positif' : n1 < 0 && n2 < 0 && somme >= 0 ? 'negatif' : 'valide';

// The explanation of the verdict of kind `genre` on n1 + n2 that the program wrapped to
// `somme`, as markup: the exact sum and the step to the sum shown; the three 16-bit
// patterns as a column addition, sign bit underlined, with the carries into and out of
// the sign bit; then a drawing of where the sum lands.
export function expliquer({ genre, n1, n2, somme }) {
  const badge = `<p><span class="sorte ${genre}">${SORTES[genre]}</span></p>`, exacte = n1 + n2;
  if (sur16Bits(exacte) !== somme || genreAttendu(n1, n2, somme) !== genre) {
    return `${badge}<p>${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(somme)} selon le programme\u00a0: `
      + 'cette page ne sait pas l\u2019expliquer.</p>';
  }
  const motif = (n) => (n & 0xffff).toString(2).padStart(16, '0')
    .replace(/(.)(...)(....)(....)/, '<b>$1</b>$2 $3 $4 ');
  const ligne = (signe, n) => `${signe} ${avecMoins(n).padStart(6)} ${motif(n)}`;
  // The carry into the sign bit, from the 15 bits below it; the carry out of it, past 16 bits.
  const entrante = ((n1 & 0x7fff) + (n2 & 0x7fff)) >> 15, sortante = ((n1 & 0xffff) + (n2 & 0xffff)) >> 16;
  const [b1, b2, bs] = [n1, n2, somme].map((n) => +(n < 0));
  const etape = {
    valide: `, de \u221232768 à 32767${NBSP}: la somme affichée est exacte.`,
    positif: `, au-delà de 32767${NBSP}: ${avecMoins(exacte)} \u2212 65536 = ${avecMoins(somme)}`,
    negatif: `, en deçà de \u221232768${NBSP}: ${avecMoins(exacte)} + 65536 = ${avecMoins(somme)}`,
  }[genre];
  const signes = b1 !== b2 ? `Signes différents${NBSP}: pas de débordement possible.`
    : bs === b1 ? `Même signe (${b1}) pour les deux et pour la somme${NBSP}: pas de débordement.`
      : `Les deux ont le signe ${b1}, la somme le signe ${bs}${NBSP}: débordement.`;
  return `${badge}
<p>${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(exacte)}${etape}</p>
<pre class="colonne">retenue ${sortante}${entrante}
${ligne(' ', n1)}
${ligne('+', n2)}
${ligne('=', somme)}</pre>
<p>Bit de signe souligné. ${signes}
Retenue vers le bit de signe ${entrante}, retenue sortante ${sortante}${NBSP}: ${
  entrante === sortante ? 'égales' : 'différentes, le signe du résultat est faux'}.</p>
${dessin(genre, n1, somme, exacte)}`;
}

// The 65536 values from −32768 to 32767 (solid) among the exact sums (dashed), from
// −65536 to 65534: n1, the exact sum, and where the sum lands after wrapping.
function dessin(genre, n1, somme, exacte) {
  // The drawing is 400 wide and 100 high: the exact sums span 380 of it, 10 from each
  // edge, on a line at 45; n1 + n2 above it, n1 and the sum below, the range's ends at the foot.
  const x = (v) => Math.round(10 + (v - 2 * PLUS_PETITE) * 380 / (2 * (VALEURS - 1)));
  const point = (v, y, nom) => `<circle cx="${x(v)}" cy="45" r="4"/><text x="${x(v)}" y="${y}">${nom}</text>`;
  const arc = (a, b, y) => `<path d="M${x(a)} 45Q${(x(a) + x(b)) / 2} ${y} ${x(b)} 45"`
    + ' fill="none" stroke="#000" marker-end="url(#bout)"/>';
  const ailleurs = genre !== 'valide';
  const ramene = ailleurs ? `, hors de l\u2019intervalle, ramené à ${avecMoins(somme)}` : '';
  return '<svg viewBox="0 0 400 100" role="img" text-anchor="middle" aria-label="Droite des valeurs de '
    + `\u221232768 à 32767${NBSP}: n1 = ${avecMoins(n1)}, n1 + n2 = ${avecMoins(exacte)}${ramene}.">`
    + '<marker id="bout" viewBox="0 0 6 6" refX="5" refY="3" markerWidth="6" markerHeight="6" orient="auto">'
    + '<path d="M0 0L6 3L0 6z"/></marker>\n'
    + '<line x1="10" x2="390" y1="45" y2="45" stroke="#888" stroke-dasharray="3"/>'
    + `<line x1="${x(PLUS_PETITE)}" x2="${x(PLUS_GRANDE)}" y1="45" y2="45" stroke="var(--${genre})"`
    + ' stroke-width="6"/>\n'
    + [PLUS_PETITE, 0, PLUS_GRANDE].map((v) => `<text x="${x(v)}" y="95">${avecMoins(v)}</text>`).join('')
    + '\n'

    + `${arc(n1, exacte, 5)}${ailleurs ? arc(exacte, somme, 85) + point(somme, 65, 'somme') : ''}`
    + `${point(n1, 65, 'n1')}${point(exacte, 25, 'n1 + n2')}</svg>`;
}

// The hint after a line refused by the rule `regle` (saisie/jugement.hpp), of `longueur`
// bytes, `debut` its first ones: what is wrong with it, then what a value is.
export function indice({ regle, debut, longueur }) {
  // eslint-disable-next-line no-control-regex
  const texte = new TextDecoder().decode(debut).replace(/[\0-\x1f\x7f]/g, (c) => (c === '\x7f' ? '\u2421'
    : String.fromCharCode(0x2400 + c.charCodeAt(0))));
  // The program counts bytes: a character that is not ASCII is several.
  const unites = debut.some((o) => o >= 0x80) ? 'octets' : 'caractères';
  const cite = `«${NBSP}${texte}${longueur > debut.length ? '…' : ''}${NBSP}»`, espace = texte.indexOf(' ');
  const ou = espace === 0 ? 'avant le nombre' : /^[+-] /.test(texte) ? 'après le signe'
    : espace === texte.length - 1 ? 'après le nombre' : 'dans le nombre';
  const premierAutre = texte.match(/^[+-]?\d*(.)/u)?.[1];
  const pourquoi = {
    vide: 'Ligne vide',
    ligneTropLongue: `Ligne de ${longueur}${NBSP}${unites}, au plus 6`,
    tropDeCaracteres: `${cite}${NBSP}: ${longueur}${NBSP}${unites}, au plus 6`,
    signeSeul: `${cite}${NBSP}: un signe sans chiffre`,
    espace: `${cite}${NBSP}: un espace ${ou}`,
    octetNul: `${cite}${NBSP}: un octet nul, invisible`,
    autreCaractere: `${cite}${NBSP}: «${NBSP}${premierAutre}${NBSP}» n\u2019est pas un chiffre`,
    tropGrande: `${cite} dépasse 32767`,
    tropPetite: `${cite} est en deçà de \u221232768`,
  }[regle] ?? 'Ligne refusée';
  return `${pourquoi}. Une valeur est un entier de \u221232768 à 32767, en chiffres, `
    + `avec au plus six caractères, signe compris${NBSP}: 42, -42, +42.`;
}

// The counts of a file run in words: its verdicts by kind, and the lines it refused.
export function resumer({ verifications, valide, positif, negatif, refus }) {
  const n = (k, mots) => `${k}${NBSP}${k > 1 ? mots.replace(/(?= |$)/g, 's') : mots}`;
  return `${n(verifications, 'vérification')}${NBSP}: ${n(valide, 'somme valide')}, `
    + `${n(positif, 'débordement positif')}, ${n(negatif, 'débordement négatif')}${NBSP}; `
    + `${n(refus, 'ligne refusée')}.`;
}

// A warning for a file that the program will not read as its author meant, from its first
// bytes: a UTF-8 byte order mark; UTF-16 (a byte order mark, or NUL bytes in every other
// place); or no text at all (NUL bytes or control characters anywhere else); '' for none.
// The file still runs as it is.
export function avertissement(octets) {
  const nuls = [0, 0];  // at even places, at odd places
  let controles = 0;
  octets.forEach((o, i) => {
    if (o === 0) ++nuls[i % 2];
    else if (o < 32 && !CONTROLES_DE_TEXTE.has(o)) ++controles;
  });
  const paires = octets.length / 2, [a, b] = octets;
  const bom16 = (a === 0xff && b === 0xfe) || (a === 0xfe && b === 0xff);
  // Notepad's « Enregistrer sous » names its encodings so.
  const blocNotes = `dans le Bloc-notes, «${NBSP}Enregistrer sous${NBSP}», encodage «${NBSP}UTF-8${NBSP}»`;
  const quoi = octets[0] === 0xef && octets[1] === 0xbb && octets[2] === 0xbf
    ? `commence par une marque d\u2019ordre des octets (BOM)${NBSP}: sa première ligne sera refusée, `
      + 'et chaque ligne suivante répondra à la question d\u2019avant la sienne, si bien que '
      + 'l\u2019exécution échouera sans doute. '
      + `Enregistrez-le sans cette marque${NBSP}: ${blocNotes}, et non «${NBSP}UTF-8 avec BOM${NBSP}».`
    : bom16 || (Math.max(...nuls) > paires / 2 && Math.min(...nuls) < paires / 10)
      ? `est sans doute de l\u2019UTF-16${NBSP}: ses lignes seront refusées. `
        + `Enregistrez-le en UTF-8${NBSP}: ${blocNotes}.`
      : nuls[0] + nuls[1] + controles > 0
        ? `n\u2019est sans doute pas du texte (octets nuls ou de contrôle)${NBSP}: ses lignes seront `
          + 'refusées. Enregistrez-le en texte brut, en UTF-8.'
        : '';
  return quoi && `Attention${NBSP}: ce fichier ${quoi}`;
}
// Tab, line ends, vertical tab, form feed and Ctrl-Z: control characters that texts hold.
const CONTROLES_DE_TEXTE = new Set([9, 10, 11, 12, 13, 26]);
