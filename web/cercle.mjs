// Where the drawing of a verdict puts its lines, marks and labels, in px at LARGEUR wide: the range on
// a ring clockwise from 0 at the top (in radians), at its true scale, 32767 and −32768 side by side at
// the foot as they follow each other on a wrap, the exact sums one turn further on a ring outside.
// Text is TAILLE px, a character CHASSE × TAILLE wide (DejaVu Sans runs wider, whence the room around
// each label).
import { VALEURS } from './addition.mjs';
import { NBSP, avecMoins } from './balisage.mjs';
import { negatif, plusGrande, plusPetite, positif, valide } from './vocabulaire.mjs';

export const LARGEUR = 280, TAILLE = 12, LARGEUR_FORME = 16;
const CX = 140, CY = 94, DEDANS = 46, DEHORS = 66, HAUTEUR_TEXTE = 14, CHASSE = 0.6;
// Rings drawn a point every PAS_ARC; the path from n1 RETRAIT short of its marks, drawn when VISIBLE
// times longer, climbing to the outer ring over MONTEE; the jump SAUT short of the rings.
const PAS_ARC = 0.05, RETRAIT = 8, VISIBLE = 3, MONTEE = Math.PI / 9, SAUT = { dehors: 6, dedans: 4 };
// A label: clear by MARGE of the labels, of the lines and marks (MARQUE wide), and inside the edges;
// tried DECOLLE off its ring, every PAS along it up to PAS_MAX each way, in RANGEES rows INTERLIGNE
// apart; a try costs a point every COUT.pas steps and COUT.ecart px off its mark, and COUT.revers,
// COUT.rangee, COUT.autreCote the other way along, a row, the other side; a leader line from
// RENVOI.depuis off its mark when RENVOI.des or more from it. Marks PROCHES apart are near; an
// end with a mark PRES_DU_BOUT from it is not labelled. LEGENDE: the legend's spacing.
const MARGE = { etiquettes: 6, traits: 2, bords: 4 }, MARQUE = 12, DECOLLE = 9, PAS = 0.1, PAS_MAX = 31;
const RANGEES = 4, INTERLIGNE = 4, COUT = { pas: 2, ecart: 6, revers: 2, rangee: 3, autreCote: 6 };
const RENVOI = { des: 14, depuis: 7 }, PROCHES = 0.3, PRES_DU_BOUT = 0.2;
const LEGENDE = { dessousDesAnneaux: 3, avant: 12, entre: 12, autour: 4, interligne: 6 };

const largeurDe = (texte, forme) => (forme ? LARGEUR_FORME : 0) + CHASSE * TAILLE * [...texte].length;
// The angle of v, a turn for VALEURS values; the point at radius r and angle a.
export const angleDe = (v) => v * 2 * Math.PI / VALEURS;
export const polaire = (r, a) => [CX + r * Math.sin(a), CY - r * Math.cos(a)];
// The ring's points from angle a1 to a2, its radius going from r1 to r2.
const arc = (r1, r2, a1, a2) => {
  const n = Math.max(1, Math.ceil(Math.abs(a2 - a1) / PAS_ARC));
  return Array.from({ length: n + 1 }, (_, i) => polaire(r1 + (r2 - r1) * i / n, a1 + (a2 - a1) * i / n));
};
const boite = ([x, y], l, h) => ({ x0: x - l / 2, x1: x + l / 2, y0: y - h / 2, y1: y + h / 2 });
const chevauche = (p, q, m) => p.x0 < q.x1 + m && q.x0 < p.x1 + m && p.y0 < q.y1 + m && q.y0 < p.y1 + m;
// How far from the centre the nearest point of box q is, and its farthest corner.
const auPlusPres = (q) => Math.hypot(Math.max(q.x0 - CX, 0, CX - q.x1), Math.max(q.y0 - CY, 0, CY - q.y1));
const auPlusLoin = (q) => Math.hypot(Math.max(CX - q.x0, q.x1 - CX), Math.max(CY - q.y0, q.y1 - CY));
// Whether the segment from p to q enters the box b (Liang and Barsky's clipping).
const segmentDans = (b, [px, py], [qx, qy]) => {
  let debut = 0, fin = 1;
  const bords = [[px - qx, px - b.x0], [qx - px, b.x1 - px], [py - qy, py - b.y0], [qy - py, b.y1 - py]];
  for (const [d, e] of bords) {
    if (d === 0 && e < 0) return false;
    if (d < 0) debut = Math.max(debut, e / d);
    else if (d > 0) fin = Math.min(fin, e / d);
  }
  return debut <= fin;
};
const ligneDans = (b, points) => points.some((p, i) => i > 0 && segmentDans(b, points[i - 1], p));
// Whether the segments pq and rs cross.
const croisent = (p, q, r, s) => {
  const cote = (a, b, c) => Math.sign((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
  return cote(p, q, r) * cote(p, q, s) < 0 && cote(r, s, p) * cote(r, s, q) < 0;
};

// The rings, the marks, and the path from n1 along the ring to n1 + n2, on an overflow across the
// foot to the turn beyond (where the sums land), then the jump back to the sum shown. Every mark
// stays where its value is: a path too short to see is told by the legend (`confondus`).
function tracer(genre, n1, n2, somme) {
  const deborde = genre !== valide, sens = genre === negatif ? -1 : 1;
  const [aN1, aSomme] = [angleDe(n1), angleDe(somme)], [debut, fin] = [-Math.PI, Math.PI];
  const traits = [{ quoi: 'anneau', points: arc(DEDANS, DEDANS, debut, fin) }];
  const marques = [{ quoi: 'n1', forme: 'rond', valeur: n1, angle: aN1, rayon: DEDANS }];
  if (deborde) {
    const [de, a] = sens > 0 ? [debut, 0] : [0, fin];
    traits.push({ quoi: 'au-dela', points: arc(DEHORS, DEHORS, de, a) });
    marques.push({ quoi: 'exacte', forme: 'losange', valeur: n1 + n2, angle: aSomme, rayon: DEHORS });
  }
  marques.push({ quoi: 'affichee', forme: 'point', valeur: somme, angle: aSomme, rayon: DEDANS });
  for (const m of marques) [m.x, m.y] = polaire(m.rayon, m.angle);
  const bord = RETRAIT / DEDANS, confondus = !deborde && n2 !== 0 && Math.abs(aSomme - aN1) <= VISIBLE * bord;
  if (!deborde && !confondus && n2 !== 0) {
    traits.push({ quoi: 'ajout', points: arc(DEDANS, DEDANS, aN1 + Math.sign(n2) * bord,
      aSomme - Math.sign(n2) * bord) });
  } else if (deborde) {
    const bout = sens * Math.PI, depart = Math.abs(bout - aN1) > bord ? aN1 + sens * bord : bout;
    const arrivee = sens * Math.max(sens * (aSomme + sens * (2 * Math.PI - RETRAIT / DEHORS)), Math.PI);
    const passage = sens * Math.min(Math.PI + MONTEE, sens * arrivee);
    traits.push({ quoi: 'ajout', points: [...arc(DEDANS, DEDANS, depart, bout),
      ...arc(DEDANS, DEHORS, bout, passage).slice(1), ...arc(DEHORS, DEHORS, passage, arrivee).slice(1)] },
    { quoi: 'saut', points: [polaire(DEHORS - SAUT.dehors, aSomme), polaire(DEDANS + SAUT.dedans, aSomme)] });
  }
  return { genre, n2, deborde, sens, confondus, aSomme, traits, marques, etiquettes: [] };
}

// Whether a label in box b is clear, its leader line `renvoi` if any crossing no label nor line but rings.
function libre({ traits, marques, etiquettes }, b, renvoi) {
  const m = MARGE.traits, large = { x0: b.x0 - m, x1: b.x1 + m, y0: b.y0 - m, y1: b.y1 + m };
  return b.x0 >= MARGE.bords && b.x1 <= LARGEUR - MARGE.bords && b.y0 >= MARGE.bords
    && etiquettes.every((e) => !chevauche(b, e.boite, MARGE.etiquettes))
    && marques.every((o) => !chevauche(large, boite([o.x, o.y], MARQUE, MARQUE), 0))
    && traits.every((t) => !ligneDans(large, t.points))
    && (!renvoi || (etiquettes.every((e) => !segmentDans(e.boite, ...renvoi))
      && traits.every((t) => t.quoi === 'anneau' || t.quoi === 'au-dela'
        || !t.points.some((p, i) => i > 0 && croisent(t.points[i - 1], p, ...renvoi)))));
}

// The label `texte` of the mark at angle a on the ring of radius r, tried outside each ring and
// inside, on the side `cote` first unless it is null, along the ring `vers` first: the cheapest
// place that is clear, or else the cheapest rather than no label.
function poser(scene, quoi, texte, forme, a, r, cote, vers) {
  const largeur = largeurDe(texte, forme), ancre = polaire(r, a), essais = [];
  for (const contre of [DEDANS + DECOLLE, ...scene.deborde ? [DEHORS + DECOLLE] : [], -(DEDANS - DECOLLE)]) {
    const dehors = contre > 0, autreCote = cote && (cote === 'dehors') !== dehors;
    for (let pas = 0; pas <= PAS_MAX; ++pas) {
      for (const signe of pas ? [vers, -vers] : [1]) {
        const angle = a + signe * pas * PAS;
        let rho = Math.abs(contre);
        const boiteA = (rayon) => boite(polaire(rayon, angle), largeur, HAUTEUR_TEXTE);
        while (dehors ? auPlusPres(boiteA(rho)) < contre : auPlusLoin(boiteA(rho)) > -contre && rho > 0) {
          rho += dehors ? 1 : -1;
        }
        for (let rangee = 0; rangee < RANGEES && rho >= 0; ++rangee) {
          const centre = polaire(rho, angle), b = boite(centre, largeur, HAUTEUR_TEXTE);
          const proche = [Math.min(Math.max(ancre[0], b.x0), b.x1), Math.min(Math.max(ancre[1], b.y0), b.y1)];
          const ecart = Math.hypot(proche[0] - ancre[0], proche[1] - ancre[1]);
          const cout = pas / COUT.pas + COUT.revers * (signe !== vers) + COUT.rangee * rangee
            + COUT.autreCote * autreCote + ecart / COUT.ecart;
          essais.push({ cout, centre, b, proche, ecart });
          rho += (dehors ? 1 : -1) * (HAUTEUR_TEXTE + INTERLIGNE);
        }
      }
    }
  }
  const renvoiDe = ({ proche, ecart }) => (ecart < RENVOI.des ? null : [[ancre[0] + (proche[0] - ancre[0])
    * RENVOI.depuis / ecart, ancre[1] + (proche[1] - ancre[1]) * RENVOI.depuis / ecart], proche]);
  const place = essais.sort((p, q) => p.cout - q.cout).find((e) => libre(scene, e.b, renvoiDe(e)));
  const { centre, b } = place ?? essais[0], renvoi = place && renvoiDe(place);
  if (renvoi) scene.traits.push({ quoi: 'renvoi', points: renvoi });
  scene.etiquettes.push({ quoi, texte, forme, x: centre[0], y: centre[1], largeur, hauteur: HAUTEUR_TEXTE,
    taille: TAILLE, boite: b });
}

// The way along its ring that the label of mark m moves: away from the marks near it (n1 backwards
// from the sum when they meet), or else from the nearest end, 0 or the gap.
function ailleurs(marques, m) {
  const proches = marques.filter((o) => o.rayon === m.rayon && Math.abs(o.angle - m.angle) < PROCHES);
  const ecart = m.angle - proches.reduce((total, o) => total + o.angle, 0) / proches.length;
  return Math.sign(ecart) || (proches.length > 1 ? (m.quoi === 'n1' ? -1 : 1)
    : (Math.abs(m.angle) < Math.PI / 2 ? 1 : -1) * (Math.sign(m.angle) || 1));
}

// Each label by its mark: the range's ends that no mark tells, then the marks, nearest the ends
// first so that the labels keep their order, then the jump's.
function etiqueter(scene) {
  const { deborde, sens, aSomme, marques } = scene;
  for (const [v, vers] of [[0, 1], [plusGrande, -1], [plusPetite, 1]]) {
    if (marques.every((m) => Math.abs(Math.abs(m.angle - angleDe(v)) - Math.PI) < Math.PI - PRES_DU_BOUT)) {
      poser(scene, 'bout', avecMoins(v), null, angleDe(v), DEDANS, v ? 'dehors' : 'dedans', vers);
    }
  }
  const duBout = (m) => Math.min(Math.abs(m.angle), Math.PI - Math.abs(m.angle));
  for (const m of [...marques].sort((p, q) => duBout(p) - duBout(q))) {
    const cote = m.quoi === 'affichee' && deborde ? 'dedans' : 'dehors';
    poser(scene, m.quoi, avecMoins(m.valeur), m.forme, m.angle, m.rayon, cote, ailleurs(marques, m));
  }
  const saut = `${sens > 0 ? '\u2212' : '+'}${NBSP}${VALEURS}`;
  if (deborde) poser(scene, 'saut', saut, null, aSomme, (DEDANS + DEHORS) / 2, null, -sens);
}

// The legend's items, in a row while they fit, under everything else.
function legender({ genre, n2, deborde, confondus, traits, etiquettes }) {
  const items = [['rond', 'n1'], ...deborde ? [['losange', 'n1 + n2, exacte'], ['point', 'somme affichée']]
    : [['point', 'n1 + n2, la somme affichée']]];
  if (traits.some((t) => t.quoi === 'ajout') || confondus) {
    items.push(['ajout', `on ajoute n2${NBSP}= ${avecMoins(n2)}`]);
  }
  if (confondus) items.push([null, 'trop peu pour se voir à cette échelle']);
  const tour = {
    [positif]: [`au-delà de ${plusGrande}, un tour de plus`, `\u2212 ${VALEURS}, un tour en arrière`],
    [negatif]: [`en deçà de ${avecMoins(plusPetite)}, un tour de moins`, `+ ${VALEURS}, un tour en avant`],
  }[genre];
  if (tour) items.push(['tirets', tour[0]], ['saut', tour[1]]);
  const bas = Math.max(CY + (deborde ? DEHORS : DEDANS) + LEGENDE.dessousDesAnneaux,
    ...etiquettes.map((e) => e.y + e.hauteur / 2));
  let x = MARGE.bords, y = bas + LEGENDE.avant + HAUTEUR_TEXTE / 2;
  return items.map(([forme, texte]) => {
    const largeur = largeurDe(texte, forme) + LEGENDE.autour;
    if (x + largeur > LARGEUR - MARGE.bords) [x, y] = [MARGE.bords, y + HAUTEUR_TEXTE + LEGENDE.interligne];
    x += largeur + LEGENDE.entre;
    return { quoi: 'legende', texte, forme, x: x - LEGENDE.entre - largeur / 2, y, largeur,
      hauteur: HAUTEUR_TEXTE, taille: TAILLE };
  });
}

// The drawing of n1 + n2 that the program wrapped to `somme`, a verdict of kind `genre`: its size,
// its lines, its marks at x, y, its labels and legend (each a text's box centred at x, y).
export function placer(genre, n1, n2, somme) {
  const scene = tracer(genre, n1, n2, somme), { traits, marques, etiquettes } = scene;
  etiqueter(scene);
  for (const e of etiquettes) delete e.boite;
  etiquettes.push(...legender(scene));
  const hauteur = Math.max(...etiquettes.map((e) => e.y + e.hauteur / 2)) + MARGE.bords;
  return { largeur: LARGEUR, hauteur, traits, marques, etiquettes };
}
