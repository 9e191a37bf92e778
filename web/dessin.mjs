// The drawing of a verdict as SVG markup, as `placer` lays it out: the range in grey, the verdict's
// colour on the path and the jump only; text and marks in the page's text colour (`currentColor`),
// the marks' inside in class `fond`, so that forced colours show them on any background.
import { BITS, VALEURS } from './addition.mjs';
import { NBSP, avecMoins, classeDuGenre, echapper } from './balisage.mjs';
import { LARGEUR_FORME, placer } from './cercle.mjs';
import { negatif, plusGrande, plusPetite, positif, valide } from './vocabulaire.mjs';

// A coordinate to a tenth of a px. A label's text stands BASE under its centre; a legend's
// shape, FORME.centre into its room, its line from FORME.avant before it to FORME.apres after.
const f = (v) => +v.toFixed(1), BASE = 4, FORME = { centre: 6, avant: 6, apres: 7 };
const STYLES = { anneau: 'stroke:#a0a0a0;stroke-width:4', 'au-dela': 'stroke:#a0a0a0;stroke-width:1.5;'
  + 'stroke-dasharray:4 3', ajout: 'stroke-width:3', saut: 'stroke-width:2.5', renvoi: 'stroke:#888' };
const FOND = 'class="fond" fill="#fff" stroke="currentColor"';

// The drawing of n1 + n2 that the program wrapped to `somme`, a verdict of kind `genre`.
export function dessinHtml(genre, n1, n2, somme) {
  const { largeur, hauteur, traits, marques, etiquettes } = placer(genre, n1, n2, somme);
  const classe = classeDuGenre(genre), couleur = `var(--${classe})`, fleche = `fleche-${classe}`;
  const enCouleur = (quoi) => (quoi === 'ajout' || quoi === 'saut' ? `stroke:${couleur};` : '');
  const traitHtml = (quoi, points) => `<path d="M${points.map(([x, y]) => `${f(x)} ${f(y)}`).join('L')}" `
    + `fill="none" style="${enCouleur(quoi)}${STYLES[quoi]}"${
      enCouleur(quoi) && ` marker-end="url(#${fleche})"`}/>`;
  const formeHtml = (quoi, x, y) => ({
    rond: `<circle ${FOND} cx="${f(x)}" cy="${f(y)}" r="5" stroke-width="2"/>`,
    point: `<circle cx="${f(x)}" cy="${f(y)}" r="3.5"/>`,
    losange: `<path ${FOND} d="M${f(x)} ${f(y - 6)}l6 6-6 6-6-6z" stroke-width="1.5"/>`,
  }[quoi] ?? traitHtml(quoi === 'tirets' ? 'au-dela' : quoi, [[x - FORME.avant, y], [x + FORME.apres, y]]));
  const texteHtml = (e) => {
    const gauche = e.x - e.largeur / 2, couleurTexte = e.quoi === 'saut' ? ` style="fill:${couleur}"`
      : e.quoi === 'bout' ? ' opacity=".75"' : '';
    return (e.forme ? formeHtml(e.forme, gauche + FORME.centre, e.y) : '')
      + `<text x="${f(e.forme ? gauche + LARGEUR_FORME : e.x)}" y="${f(e.y + BASE)}" font-size="${e.taille}"${
        e.forme ? '' : ' text-anchor="middle"'}${couleurTexte}>${echapper(e.texte)}</text>`;
  };
  const [sN1, sExacte, sSomme] = [n1, n1 + n2, somme].map(avecMoins);
  const titre = `Les ${VALEURS} valeurs de ${BITS} bits en cercle, de 0 en haut à ${plusGrande} puis `
    + `${avecMoins(plusPetite)} en bas, qui se suivent${NBSP}: n1 = ${sN1}${NBSP}; on ajoute ${
      avecMoins(n2)}${{
      [valide]: ` sans passer par le bas${NBSP}: n1 + n2 = ${sExacte}, la somme affichée.`,
      [positif]: ` et on passe par le bas${NBSP}: n1 + n2 = ${sExacte}, au-delà de ${plusGrande}, un tour de `
        + `plus${NBSP}; moins ${VALEURS} ramène à la somme affichée, ${sSomme}.`,
      [negatif]: ` et on passe par le bas${NBSP}: n1 + n2 = ${sExacte}, en deçà de ${avecMoins(plusPetite)}, `
        + `un tour de moins${NBSP}; plus ${VALEURS} ramène à la somme affichée, ${sSomme}.`,
    }[genre]}`;
  return `<svg class="dessin" fill="currentColor" viewBox="0 0 ${largeur} ${f(hauteur)}" role="img" `
    + `aria-label="${echapper(titre)}"><marker id="${fleche}" viewBox="0 0 6 6" refX="5" refY="3" `
    + 'markerWidth="7" markerHeight="7" markerUnits="userSpaceOnUse" orient="auto">'
    + `<path d="M0 0L6 3L0 6z" style="fill:${couleur}"/></marker>\n`
    + `${traits.map((t) => traitHtml(t.quoi, t.points)).join('')}\n`
    + `${marques.map((m) => formeHtml(m.forme, m.x, m.y)).join('')}\n`
    + `${etiquettes.map(texteHtml).join('\n')}</svg>`;
}
