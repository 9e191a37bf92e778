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
export const avecMoins = (n) => String(n).replace('-', '\u2212');

// n modulo 65536, from −32768 to 32767: what 16 bits hold of it.
const sur16Bits = (n) => ((n & 0xffff) ^ 0x8000) - 0x8000;

// The kind of n1 + n2, as the page understands it, to check its own reading against the
// program's verdict: the page explains a verdict, it never makes one.
const genreAttendu = (n1, n2, somme) =>
  n1 > 0 && n2 > 0 && somme < 0 ? 'positif' : n1 < 0 && n2 < 0 && somme >= 0 ? 'negatif' : 'valide';

// A formula kept on one line: its spaces do not break.
const formule = (texte) => texte.replaceAll(' ', NBSP);

// The verdict of kind `genre` on n1 + n2 that the program wrapped to `somme`, taken apart,
// as two pieces of markup: `court`, the kind and the sum's step to what is shown, from
// where the learner's `prediction` ({ genre, somme }, somme null when not given) went
// wrong if there is one; and `suite`, the 16 bits with their weights and carries, the rule
// of an overflow, and a drawing of the wrap.
export function expliquer({ genre, n1, n2, somme }, prediction = null) {
  const badge = `<span class="sorte ${classeDuGenre(genre)}">${SORTES[genre]}</span>`, exacte = n1 + n2;
  if (sur16Bits(exacte) !== somme || genreAttendu(n1, n2, somme) !== genre) {
    const selonLui = formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(somme)}`);
    return {
      court: `<p class="court">${badge} ${selonLui} selon le programme${NBSP}: `
        + 'cette page ne sait pas l\u2019expliquer.</p>',
      suite: '',
    };
  }
  return {
    court: `<p class="court">${badge} ${resumeDuCalcul(genre, n1, n2, somme, prediction)}</p>`,
    suite: `${colonnes(n1, n2, somme)}\n${dessin(genre, n1, n2, somme)}`,
  };
}

// The sum's step to what is shown, in a sentence, after the learner's guess if any.
function resumeDuCalcul(genre, n1, n2, somme, prediction) {
  const exacte = n1 + n2, calcul = formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(exacte)}`);
  const retour = genre === 'valide' ? 'la somme affichée est exacte'
    : formule(`${avecMoins(exacte)} ${genre === 'positif' ? '\u2212' : '+'} 65536 = ${avecMoins(somme)}`);
  const ou = { valide: `de \u221232768 à${NBSP}32767`, positif: `au-delà de${NBSP}32767`,
    negatif: `en deçà de${NBSP}\u221232768` };
  if (!prediction) return `${calcul}, ${ou[genre]}${NBSP}: ${retour}.`;
  const { genre: prevu, somme: sommePrevue } = prediction, donnee = typeof sommePrevue === 'number';
  const verbe = { valide: `reste de \u221232768 à${NBSP}32767`, positif: `dépasse${NBSP}32767`,
    negatif: `passe sous${NBSP}\u221232768` }[genre];
  if (prevu !== genre) {
    return `Vous aviez prévu${NBSP}: ${SORTES[prevu].toLowerCase()}${
      donnee ? `, ${avecMoins(sommePrevue)}` : ''}. Mais ${calcul} ${verbe}${NBSP}: ${retour}.`;
  }
  const affichee = genre === 'valide'
    ? formule(`${avecMoins(n1)} + ${avecMoins(n2)} = ${avecMoins(somme)}`) : retour;
  const bienVu = `Bien vu${NBSP}: ${SORTES[genre].toLowerCase()}`;
  if (!donnee) return `${bienVu}. ${calcul}, ${ou[genre]}${NBSP}: ${retour}.`;
  if (sommePrevue === somme) return `${bienVu}, et la somme affichée est bien ${affichee}.`;
  return `Bon genre, mais la somme affichée est ${avecMoins(somme)}, pas ${avecMoins(sommePrevue)}${NBSP}: `
    + (genre === 'valide' ? `${affichee}.` : `${avecMoins(exacte)} ${verbe}, d\u2019où ${retour}.`);
}

// The 16 bits of n, from the sign bit.
const bitsDe = (n) => [...(n & 0xffff).toString(2).padStart(16, '0')].map(Number);
// Bits as a voice reads them, four by four.
const lus = (bits) => bits.join(' ').replace(/(. . . .) /g, '$1, ');
// A pattern in the text: four groups of four that do not break, read out as bits.
const motif = (n) => `<span class="motif" role="img" aria-label="bits ${lus(bitsDe(n))}">`
  + `${bitsDe(n).join('').replace(/(....)(?!$)/g, `$1${NBSP}`)}</span>`;
// Each bit's weight, from the sign bit's to the last's.
const POIDS = Array.from({ length: 16 }, (_, i) => (i === 0 ? PLUS_PETITE : 2 ** (15 - i)));

// The column addition of the three patterns, each carry above its column and the one out
// of the sign bit apart, struck out when there is one; the weights under the bits; then
// the sum read with and without its sign, and the rule of the carries.
function colonnes(n1, n2, somme) {
  const [a, b, s] = [n1, n2, somme].map(bitsDe);
  // retenues[i]: the carry into bit i counted from the right; retenues[16], out of the sign bit.
  const retenues = [0];
  for (let i = 0; i < 16; ++i) retenues.push((a[15 - i] + b[15 - i] + retenues[i]) >> 1);
  const entrante = retenues[15], sortante = retenues[16];
  const ligne = (classe, titre, horsBits, cellules) => `<tr class="${classe}"><th>${titre}</th>`
    + `<td class="sortante">${horsBits}</td>${cellules.map((c, i) => `<td${
      i === 0 ? ' class="signe"' : i % 4 === 0 ? ' class="quartet"' : ''}>${c}</td>`).join('')}</tr>`;
  const auDessus = retenues.slice(0, 16).reverse();
  const enBits = (n, bits) => `${avecMoins(n)}, bits ${lus(bits)}`;
  const table = `<div class="addition" role="img" aria-label="Addition sur 16 bits${NBSP}: ${enBits(n1, a)}${
    NBSP}; plus ${enBits(n2, b)}${NBSP}; égale ${enBits(somme, s)}. Retenues, du bit de signe au dernier${
    NBSP}: ${lus(auDessus)}${NBSP}; retenue sortante ${sortante}${sortante ? ', perdue' : ''}.">
<table class="bits" aria-hidden="true">
${ligne('retenues', 'retenues', sortante ? '<s>1</s>' : '0',
    [`<span class="entrante">${entrante}</span>`, ...auDessus.slice(1)])}
${ligne('n1', avecMoins(n1), '', a)}
${ligne('n2', `+${NBSP}${avecMoins(n2)}`, '', b)}
${ligne('somme', `=${NBSP}${avecMoins(somme)}`, '', s)}
${ligne('poids', 'poids', '', POIDS.map((p) => `<span>${avecMoins(p)}</span>`))}
</table></div>`;
  const sansSigne = somme + VALEURS, lecture = somme < 0
    ? `${motif(somme)} = ${formule(`${sansSigne} sans signe`)} = `
      + `${formule(`${avecMoins(somme)} avec signe`)}, `
      + `car ${formule(`${sansSigne} \u2212 65536 = ${avecMoins(somme)}`)}.`
    : `${motif(somme)} = ${somme}.`;
  const [b1, b2, bs] = [a[0], b[0], s[0]];
  const signes = b1 !== b2 ? `Signes différents${NBSP}: pas de débordement possible.`
    : bs === b1 ? `Même signe (${b1}) pour les deux et pour la somme${NBSP}: pas de débordement.`
      : `Les deux ont le signe ${b1}, la somme le signe ${bs}${NBSP}: débordement.`;
  const pourquoi = {
    10: `La retenue vers le bit de signe vaut 32768, mais elle y compte pour \u221232768${NBSP}: `
      + '65536 de moins, qu\u2019aucune retenue sortante ne rend.',
    '01': `La retenue sortante, barrée, est perdue${NBSP}: c\u2019est le 65536. Elle vient des deux bits `
      + `de signe, ${formule('\u221232768 + \u221232768 = \u221265536')}${NBSP}: la perdre ajoute 65536.`,
    11: `La retenue sortante, barrée, est perdue sans dommage${NBSP}: c\u2019est le 65536 que la retenue `
      + 'vers le bit de signe avait retiré, en y comptant pour \u221232768 au lieu de 32768.',
  }[`${entrante}${sortante}`] ?? '';
  return `${table}
<p>Sous chaque bit, son poids${NBSP}: un bit à 1 ajoute son poids. Le premier, le bit de signe, pèse `
    + `\u221232768${NBSP}: 0 pour un nombre positif ou nul, 1 pour un négatif. 16 bits font `
    + `${formule('2<sup>16</sup> = 65536')} motifs, de 0 à 65535 sans signe, de \u221232768 à 32767 `
    + `avec signe.</p>
<p>Somme${NBSP}: ${lecture}</p>
<p>Au-dessus de chaque colonne, sa retenue${NBSP}; celle qui sort du bit de signe tombe hors des 16 bits. `
    + `Il y a débordement quand la retenue vers le bit de signe diffère de la retenue sortante${NBSP}: ici `
    + `${entrante} et ${sortante}, ${entrante === sortante ? 'égales, pas de débordement'
      : 'différentes, débordement'}. ${pourquoi && `${pourquoi} `}${signes}</p>`;
}

// The drawing, in px at 280 wide: the 65536 values of 16 bits on a ring, clockwise from 0
// at the top, 32767 and −32768 facing each other across a gap at the foot; the exact sums
// beyond them one turn further, on a dashed ring outside. Text is 12 px, its width taken
// as 0.6 × 12 px a character: DejaVu Sans runs wider (0.64 a digit, 0.84 the minus sign),
// whence the room left around each label below.
const LARGEUR = 280, CX = 140, CY = 94, DEDANS = 46, DEHORS = 66, BRECHE = Math.PI / 9;
const TAILLE = 12, HAUTEUR_TEXTE = 14, LARGEUR_FORME = 16, ECART_VISIBLE = 0.6;
const largeurDe = (texte, forme) => (forme ? LARGEUR_FORME : 0) + 0.6 * TAILLE * [...texte].length;
// The angle of v from −32768 to 32767, in radians clockwise from the top.
const angleDe = (v) => -Math.PI + BRECHE / 2 + (v - PLUS_PETITE) * (2 * Math.PI - BRECHE) / (VALEURS - 1);
const polaire = (r, a) => [CX + r * Math.sin(a), CY - r * Math.cos(a)];
// The ring's points from angle a1 to a2, its radius going from r1 to r2, every 3° or so.
const arc = (r1, r2, a1, a2) => {
  const n = Math.max(1, Math.ceil(Math.abs(a2 - a1) / 0.05));
  return Array.from({ length: n + 1 }, (_, i) => polaire(r1 + (r2 - r1) * i / n, a1 + (a2 - a1) * i / n));
};
const boite = ([x, y], largeur, hauteur) =>
  ({ x0: x - largeur / 2, x1: x + largeur / 2, y0: y - hauteur / 2, y1: y + hauteur / 2 });
const chevauche = (p, q, marge) =>
  p.x0 < q.x1 + marge && q.x0 < p.x1 + marge && p.y0 < q.y1 + marge && q.y0 < p.y1 + marge;
// Whether the segment from p to q enters the box b (Liang and Barsky's clipping).
const coupe = (b, [px, py], [qx, qy]) => {
  let debut = 0, fin = 1;
  const bords = [[px - qx, px - b.x0], [qx - px, b.x1 - px], [py - qy, py - b.y0], [qy - py, b.y1 - py]];
  for (const [d, e] of bords) {
    if (d === 0 && e < 0) return false;
    if (d < 0) debut = Math.max(debut, e / d);
    else if (d > 0) fin = Math.min(fin, e / d);
  }
  return debut <= fin;
};
const traverse = (b, points) => points.some((p, i) => i > 0 && coupe(b, points[i - 1], p));
// Whether the segments pq and rs cross.
const croisent = (p, q, r, s) => {
  const cote = (a, b, c) => Math.sign((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
  return cote(p, q, r) * cote(p, q, s) < 0 && cote(r, s, p) * cote(r, s, q) < 0;
};

// Where the drawing of n1 + n2 wrapped to `somme` puts its marks and its labels: the rings,
// the path from n1 to n1 + n2 and, on an overflow, the jump of one turn to the sum shown;
// each label placed by its mark, nearest first, clear of the other labels, the marks and
// every line, a leader line to its mark when it had to stand away; then the legend.
export function placer(genre, n1, n2, somme) {
  const exacte = n1 + n2, deborde = genre !== 'valide', sens = genre === 'negatif' ? -1 : 1;
  let [aN1, aSomme] = [angleDe(n1), angleDe(somme)];
  const [debut, fin] = [angleDe(PLUS_PETITE), angleDe(PLUS_GRANDE)];
  // A small n2 would put n1 and the sum on one spot: their gap is widened to be seen, the
  // sum's side kept, both within the range, and the legend says so.
  const agrandi = !deborde && n2 !== 0 && Math.abs(aSomme - aN1) < ECART_VISIBLE;
  if (agrandi) {
    const milieu = Math.min(Math.max((aN1 + aSomme) / 2, debut + ECART_VISIBLE / 2), fin - ECART_VISIBLE / 2);
    [aN1, aSomme] = [milieu - Math.sign(n2) * ECART_VISIBLE / 2, milieu + Math.sign(n2) * ECART_VISIBLE / 2];
  }
  const traits = [{ quoi: 'anneau', points: arc(DEDANS, DEDANS, debut, fin) }];
  const marques = [{ quoi: 'n1', forme: 'rond', valeur: n1, angle: aN1, rayon: DEDANS }];
  if (deborde) {
    // The turn beyond, on the side where the sums land: −32768 to 0 for those above 32767.
    const [de, a] = sens > 0 ? [debut, 0] : [0, fin];
    traits.push({ quoi: 'au-dela', points: arc(DEHORS, DEHORS, de, a) });
    marques.push({ quoi: 'exacte', forme: 'losange', valeur: exacte, angle: aSomme, rayon: DEHORS });
  }
  marques.push({ quoi: 'affichee', forme: 'point', valeur: somme, angle: aSomme, rayon: DEDANS });
  for (const m of marques) [m.x, m.y] = polaire(m.rayon, m.angle);
  // From n1 along the ring, and on an overflow across the gap out to the turn beyond, each
  // end short of its mark; none when it is too short to be seen.
  const bord = 8 / DEDANS;
  if (!deborde && Math.abs(aSomme - aN1) > 3 * bord) {
    traits.push({ quoi: 'ajout', points: arc(DEDANS, DEDANS, aN1 + Math.sign(n2) * bord,
      aSomme - Math.sign(n2) * bord) });
  } else if (deborde) {
    // Past the range's last value, across the gap, then on the turn beyond.
    const [bout, passage] = sens > 0 ? [fin, debut + 2 * Math.PI] : [debut, fin - 2 * Math.PI];
    const depart = Math.abs(bout - aN1) > bord ? aN1 + sens * bord : bout;
    const arrivee = aSomme + sens * (2 * Math.PI - 8 / DEHORS);
    traits.push({ quoi: 'ajout', points: [...arc(DEDANS, DEDANS, depart, bout),
      ...arc(DEDANS, DEHORS, bout, passage).slice(1), ...arc(DEHORS, DEHORS, passage, arrivee).slice(1)] });
    traits.push({ quoi: 'saut', points: [polaire(DEHORS - 6, aSomme), polaire(DEDANS + 4, aSomme)] });
  }

  const etiquettes = [];
  // Clear by 6 px of the other labels and 2 of every line and mark (a text may be a little
  // wider than its estimate), 4 px inside the edges, its leader crossing no label nor line
  // other than the rings.
  const libres = (b, renvoi) => {
    const large = { x0: b.x0 - 2, x1: b.x1 + 2, y0: b.y0 - 2, y1: b.y1 + 2 };
    return b.x0 >= 4 && b.x1 <= LARGEUR - 4 && b.y0 >= 4 && etiquettes.every((e) => !chevauche(b, e.boite, 6))
      && marques.every((m) => !chevauche(large, boite([m.x, m.y], 12, 12), 0))
      && traits.every((t) => !traverse(large, t.points))
      && (!renvoi || (etiquettes.every((e) => !coupe(e.boite, ...renvoi))
        && traits.every((t) => t.quoi === 'anneau' || t.quoi === 'au-dela'
          || !t.points.some((p, i) => i > 0 && croisent(t.points[i - 1], p, ...renvoi)))));
  };
  // The label `texte` of the mark at angle a on the ring of radius r: tried outside the
  // rings and inside, on the side `cote` first unless it is null, a row of text further
  // out or in, and along the ring `vers` first; the nearest to its mark that is clear.
  const poser = (quoi, texte, forme, a, r, cote, vers) => {
    const largeur = largeurDe(texte, forme), ancre = polaire(r, a), essais = [];
    const loin = (q) => Math.hypot(Math.max(q.x0 - CX, 0, CX - q.x1), Math.max(q.y0 - CY, 0, CY - q.y1));
    const pres = (q) => Math.hypot(Math.max(CX - q.x0, q.x1 - CX), Math.max(CY - q.y0, q.y1 - CY));
    // Outside, clear of the marks on the range's ring or of those on the turn beyond; inside,
    // clear of the marks on the range's ring.
    for (const contre of [DEDANS + 9, ...deborde ? [DEHORS + 9] : [], -(DEDANS - 9)]) {
      const dehors = contre > 0, autreCote = cote && (cote === 'dehors') !== dehors;
      for (let pas = 0; pas <= 31; ++pas) {
        for (const signe of pas ? [vers, -vers] : [1]) {
          const angle = a + signe * pas * 0.1;
          let rho = Math.abs(contre), b = boite(polaire(rho, angle), largeur, HAUTEUR_TEXTE);
          while (dehors ? loin(b) < contre : pres(b) > -contre && rho > 0) {
            rho += dehors ? 1 : -1;
            b = boite(polaire(rho, angle), largeur, HAUTEUR_TEXTE);
          }
          const pasDeRangee = (dehors ? 1 : -1) * (HAUTEUR_TEXTE + 4);
          for (let rangee = 0; rangee < 4 && rho >= 0; ++rangee, rho += pasDeRangee) {
            const centre = polaire(rho, angle);
            b = boite(centre, largeur, HAUTEUR_TEXTE);
            const proche = [Math.min(Math.max(ancre[0], b.x0), b.x1),
              Math.min(Math.max(ancre[1], b.y0), b.y1)];
            const ecart = Math.hypot(proche[0] - ancre[0], proche[1] - ancre[1]);
            const cout = pas / 2 + 2 * (signe !== vers) + 3 * rangee + 6 * autreCote + ecart / 6;
            essais.push({ cout, centre, b, proche, ecart });
          }
        }
      }
    }
    essais.sort((p, q) => p.cout - q.cout);
    for (const { centre, b, proche, ecart } of essais) {
      // A leader from the mark's edge to the label's nearest point, when that is 14 px away or more.
      const renvoi = ecart >= 14 ? [[ancre[0] + (proche[0] - ancre[0]) * 7 / ecart,
        ancre[1] + (proche[1] - ancre[1]) * 7 / ecart], proche] : null;
      if (!libres(b, renvoi)) continue;
      etiquettes.push({ quoi, texte, forme, x: centre[0], y: centre[1], largeur, hauteur: HAUTEUR_TEXTE,
        taille: TAILLE, boite: b });
      if (renvoi) traits.push({ quoi: 'renvoi', points: renvoi });
      return;
    }
    // Never seen: the nearest place, clear or not, rather than no label.
    const { centre } = essais[0];
    etiquettes.push({ quoi, texte, forme, x: centre[0], y: centre[1], largeur, hauteur: HAUTEUR_TEXTE,
      taille: TAILLE, boite: essais[0].b });
  };
  // Each label moves away from the marks near it on its ring (n1 backwards from the sum
  // when they meet), or else from the nearest end, the top's 0 or the foot's gap.
  const ailleurs = (m) => {
    const proches = marques.filter((o) => o.rayon === m.rayon && Math.abs(o.angle - m.angle) < 0.3);
    const ecart = m.angle - proches.reduce((total, o) => total + o.angle, 0) / proches.length;
    return Math.sign(ecart) || (proches.length > 1 ? (m.quoi === 'n1' ? -1 : 1)
      : (Math.abs(m.angle) < Math.PI / 2 ? 1 : -1) * (Math.sign(m.angle) || 1));
  };
  // The range's ends, where no mark is near enough to tell them.
  for (const [v, vers] of [[0, 1], [PLUS_GRANDE, -1], [PLUS_PETITE, 1]]) {
    if (marques.every((m) => Math.abs(Math.abs(m.angle - angleDe(v)) - Math.PI) < Math.PI - 0.2)) {
      poser('bout', avecMoins(v), null, angleDe(v), DEDANS, v ? 'dehors' : 'dedans', vers);
    }
  }
  // Nearest to the ends first, so that the labels keep the marks' order.
  const parBout = [...marques].sort((p, q) => Math.min(Math.abs(p.angle), Math.PI - Math.abs(p.angle))
    - Math.min(Math.abs(q.angle), Math.PI - Math.abs(q.angle)));
  for (const m of parBout) {
    const cote = m.quoi === 'affichee' && deborde ? 'dedans' : 'dehors';
    poser(m.quoi, avecMoins(m.valeur), m.forme, m.angle, m.rayon, cote, ailleurs(m));
  }
  if (deborde) {
    const saut = `${sens > 0 ? '\u2212' : '+'}${NBSP}65536`;
    poser('saut', saut, null, aSomme, (DEDANS + DEHORS) / 2, null, -sens);
  }
  for (const e of etiquettes) delete e.boite;
  etiquettes.push(...legender(genre, n2, traits, etiquettes, agrandi));
  const hauteur = Math.max(...etiquettes.map((e) => e.y + e.hauteur / 2)) + 4;
  return { largeur: LARGEUR, hauteur, traits, marques, etiquettes };
}

// The legend's items, in a row while they fit, under everything else.
function legender(genre, n2, traits, etiquettes, agrandi) {
  const deborde = genre !== 'valide', quoiDe = new Set(traits.map((t) => t.quoi));
  const items = [['rond', 'n1'], ...deborde ? [['losange', 'n1 + n2, exacte'], ['point', 'somme affichée']]
    : [['point', 'n1 + n2, la somme affichée']]];
  if (quoiDe.has('ajout')) {
    items.push(['ajout', `on ajoute n2${NBSP}= ${avecMoins(n2)}${agrandi ? ', écart agrandi' : ''}`]);
  }
  if (genre === 'positif') {
    items.push(['tirets', 'au-delà de 32767, un tour de plus'], ['saut', '\u2212 65536, un tour en arrière']);
  } else if (genre === 'negatif') {
    items.push(['tirets', 'en deçà de \u221232768, un tour de moins'], ['saut', '+ 65536, un tour en avant']);
  }
  const bas = Math.max(CY + (deborde ? DEHORS : DEDANS) + 3, ...etiquettes.map((e) => e.y + e.hauteur / 2));
  let x = 4, y = bas + 12 + HAUTEUR_TEXTE / 2;
  return items.map(([forme, texte]) => {
    const largeur = largeurDe(texte, true) + 4;
    if (x + largeur > LARGEUR - 4) [x, y] = [4, y + HAUTEUR_TEXTE + 6];
    x += largeur + 12;
    return { quoi: 'legende', texte, forme, x: x - 12 - largeur / 2, y, largeur, hauteur: HAUTEUR_TEXTE,
      taille: TAILLE };
  });
}

// The drawing of n1 + n2 as `placer` lays it out: the range in grey, the verdict's colour
// on the path and the jump only.
function dessin(genre, n1, n2, somme) {
  const { largeur, hauteur, traits, marques, etiquettes } = placer(genre, n1, n2, somme);
  const couleur = `var(--${genre})`, fleche = `fleche-${genre}`, f = (v) => +v.toFixed(1);
  const styles = {
    anneau: 'stroke:#a0a0a0;stroke-width:4',
    'au-dela': 'stroke:#a0a0a0;stroke-width:1.5;stroke-dasharray:4 3',
    ajout: `stroke:${couleur};stroke-width:3`, saut: `stroke:${couleur};stroke-width:2.5`,
    renvoi: 'stroke:#888',
  };
  const trait = (quoi, points) => `<path d="M${points.map(([x, y]) => `${f(x)} ${f(y)}`).join('L')}" `
    + `fill="none" style="${styles[quoi]}"${
      quoi === 'ajout' || quoi === 'saut' ? ` marker-end="url(#${fleche})"` : ''}/>`;
  const forme = (quoi, x, y) => ({
    rond: `<circle cx="${f(x)}" cy="${f(y)}" r="5" fill="#fff" stroke="#1c1c1c" stroke-width="2"/>`,
    point: `<circle cx="${f(x)}" cy="${f(y)}" r="3.5" fill="#1c1c1c"/>`,
    losange: `<path d="M${f(x)} ${f(y - 6)}l6 6-6 6-6-6z" fill="#fff" stroke="#1c1c1c" stroke-width="1.5"/>`,
  }[quoi] ?? trait(quoi === 'tirets' ? 'au-dela' : quoi, [[x - 6, y], [x + 7, y]]));
  const texte = (e) => {
    const gauche = e.x - e.largeur / 2, couleurTexte = e.quoi === 'saut' ? ` style="fill:${couleur}"`
      : e.quoi === 'bout' ? ' fill="#555"' : '';
    return (e.forme ? forme(e.forme, gauche + 6, e.y) : '')
      + `<text x="${f(e.forme ? gauche + LARGEUR_FORME : e.x)}" y="${f(e.y + 4)}" font-size="${e.taille}"${
        e.forme ? '' : ' text-anchor="middle"'}${couleurTexte}>${e.texte}</text>`;
  };
  const [sN1, sExacte, sSomme] = [n1, n1 + n2, somme].map(avecMoins);
  const description = `n1 = ${sN1}${NBSP}; on ajoute ${avecMoins(n2)}${{
    valide: ` sans passer par le bas${NBSP}: n1 + n2 = ${sExacte}, la somme affichée.`,
    positif: ` et on passe par le bas${NBSP}: n1 + n2 = ${sExacte}, au-delà de 32767, un tour de `
      + `plus${NBSP}; moins 65536 ramène à la somme affichée, ${sSomme}.`,
    negatif: ` et on passe par le bas${NBSP}: n1 + n2 = ${sExacte}, en deçà de \u221232768, un tour `
      + `de moins${NBSP}; plus 65536 ramène à la somme affichée, ${sSomme}.`,
  }[genre]}`;
  return `<svg class="dessin" viewBox="0 0 ${largeur} ${f(hauteur)}" role="img" aria-label="Les 65536 `
    + `valeurs de 16 bits en cercle, de 0 en haut à 32767 puis \u221232768 en bas, qui se suivent${NBSP}: `
    + `${description}">`
    + `<marker id="${fleche}" viewBox="0 0 6 6" refX="5" refY="3" markerWidth="7" markerHeight="7" `
    + 'markerUnits="userSpaceOnUse" orient="auto">'
    + `<path d="M0 0L6 3L0 6z" style="fill:${couleur}"/></marker>\n`
    + `${traits.map((t) => trait(t.quoi, t.points)).join('')}\n`
    + `${marques.map((m) => forme(m.forme, m.x, m.y)).join('')}\n${etiquettes.map(texte).join('\n')}</svg>`;
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
      + 'les vérifications ne seront sans doute pas celles prévues. '
      + `Enregistrez-le sans cette marque${NBSP}: ${blocNotes}, et non «${NBSP}UTF-8 avec BOM${NBSP}».`
    : bom16 || (Math.max(...nuls) > paires / 2 && Math.min(...nuls) < paires / 10)
      ? `est sans doute de l\u2019UTF-16${NBSP}: ses lignes seront refusées. `
        + `Enregistrez-le en UTF-8${NBSP}: ${blocNotes}.`
      : nuls[0] + nuls[1] + controles > 0
        ? `n\u2019est sans doute pas du texte (octets nuls ou de contrôle)${NBSP}: des lignes seront `
          + 'sans doute refusées. Enregistrez-le en texte brut, en UTF-8.'
        : '';
  return quoi && `Attention${NBSP}: ce fichier ${quoi}`;
}
// Tab, line ends, vertical tab, form feed and Ctrl-Z: control characters that texts hold.
const CONTROLES_DE_TEXTE = new Set([9, 10, 11, 12, 13, 26]);
// The names the page calls, until this module is split by concern.
export const explicationHtml = (...a) => expliquer(...a);
export const resume = resumer;
export const classeDuGenre = (g) => ({ valide: 'exact', positif: 'haut', negatif: 'bas' }[g]);
export const enonceHtml = (n1, n2) =>
  `<span class="formule">${avecMoins(n1)} + ${avecMoins(n2)}</span>${NBSP}: `
  + 'quel verdict, et quelle somme affichée\u00a0? Prévoyez-les avant de voir.';
