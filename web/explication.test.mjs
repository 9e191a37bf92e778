// What the page says, without a browser: each verdict's explanation and drawing, the hints,
// a file's summary and warnings.
// Usage: node --test build/web/web/modules (the modules as the page is built from them)
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { test } from 'node:test';

import { bitsNecessaires, deuxLectures } from './addition.mjs';
import { angleDe, placer, polaire } from './cercle.mjs';
import { avertissement, classeDuGenre, echapper, enonceHtml, explicationHtml, indice, resume }
  from './explication.mjs';
import * as vocabulaire from './vocabulaire.mjs';

const lu = (texte) => texte.replaceAll('\u00a0', ' ');

// n1, n2, the sum the program wrote and its kind, the learner's guess if any; then what the
// explanation shows of it: the sum's step, the carries from the sign bit's down and the one
// out, the sum's pattern read, a negative pattern read both ways, the bits an overflow needs, the rule.
const EXPLICATIONS = [
  [30000, 30000, -5536, 'positif', 'sorte haut">Débordement positif', '<marker id="fleche-haut"',
    'style="stroke:var(--haut);stroke-width:2.5" marker-end="url(#fleche-haut)"/>', '(--haut)">− 65536</',
    '30000 + 30000 = 60000, au-delà de 32767 : 60000 − 65536 = −5536.</p>',
    'dernier : 1 1 1 0, 1 0 1 0, 0 1 1 0, 0 0 0 0 ; retenue sortante 0.',
    '<td class="sortante">0</td><td class="signe"><span class="entrante">1</span>',
    '1110 1010 0110 0000</span> = 60000 sans signe = −5536 avec signe, car 60000 − 65536 = −5536.',
    'ici 1 et 0, différentes, débordement. La retenue vers le bit de signe vaut 32768, mais elle y compte',
    'Les deux ont le signe 0, la somme le signe 1 : débordement.', '−32768 + 27232 = −5536 ; en inversant',
    '0001 0101 1010 0000</span> = 5536 : le motif vaut l’opposé, −5536.</li></ul>', 'La somme exacte, 60000, '
    + 'demande 17 bits en complément à deux : sur 17 bits, les valeurs vont de −65536 à 65535, sur 16 de '
    + '−32768 à 32767 seulement. 16 bits ne peuvent donc pas la contenir.</p>'],
  [32767, 1, -32768, 'positif', '32767 + 1 = 32768, au-delà de 32767 : 32768 − 65536 = −32768.',
    'dernier : 1 1 1 1, 1 1 1 1, 1 1 1 1, 1 1 1 0 ; retenue sortante 0.', '= 32768 sans signe = −32768 avec',
    '1000 0000 0000 0000</span> = 32768 sans signe : le motif vaut l’opposé, −32768.'],
  [-32768, -1, 32767, 'negatif', 'sorte bas">Débordement négatif', 'style="fill:var(--bas)"/></marker>',
    '−32768 + −1 = −32769, en deçà de −32768 : −32769 + 65536 = 32767.</p>',
    'dernier : 0 0 0 0, 0 0 0 0, 0 0 0 0, 0 0 0 0 ; retenue sortante 1, perdue.',
    '<td class="sortante"><s>1</s></td>', '0111 1111 1111 1111</span> = 32767.</p>',
    'La somme exacte, −32769, demande 17 bits', '0000</span>, puis en ajoutant 1,', '+ 32767 = −1',
    'ici 0 et 1, différentes, débordement. La retenue sortante, barrée, est perdue : elle naît de deux 1 '
    + 'dans la colonne du bit de signe, où chacun compte pour −32768, et vaut donc −65536 ; la perdre ajoute '
    + '65536. Aucune retenue vers le bit de signe ne les retire : la somme affichée a 65536 de plus que '
    + 'la vraie.'],
  [-32768, -32768, 0, 'negatif', '−65536 + 65536 = 0.', 'perdue : elle naît de deux 1', '−65536, demande 17',
    '0000 0000 0000 0000</span> = 0.'],
  [-1, 1, 0, 'valide', 'sorte exact">Résultat valide', 'stroke-width:3" marker-end="url(#fleche-exact)"',
    '−1 + 1 = 0, de −32768 à 32767 : la somme affichée est exacte.',
    'dernier : 1 1 1 1, 1 1 1 1, 1 1 1 1, 1 1 1 0 ; retenue sortante 1, perdue.',
    '<td class="sortante"><s>1</s>', 'Signes différents : pas de',
    'ici 1 et 1, égales, pas de débordement. La retenue vers le bit de signe vaut 32768, mais elle y compte '
    + 'pour −32768 : 65536 de moins. La retenue sortante, barrée, est perdue : elle naît de deux 1 dans la '
    + 'colonne du bit de signe, où chacun compte pour −32768, et vaut donc −65536 ; la perdre ajoute 65536. '
    + 'L’un compense l’autre : la somme affichée est exacte.'],
  [0, 0, 0, 'valide', 'ici 0 et 0, égales', 'retenue sortante 0.', 'Même signe (0) pour les deux et pour'],
  [-1, -1, -2, 'valide', 'retenue sortante 1, perdue.', 'L’un compense l’autre',
    'Même signe (1) pour les deux',
    '= 65534 sans signe = −2 avec signe, car 65534 − 65536 = −2.'],
  [32767, -32768, -1, 'valide', '32767 + −32768 = −1, de',
    'dernier : 0 0 0 0, 0 0 0 0, 0 0 0 0, 0 0 0 0 ; retenue sortante 0.'],
  [16383, 16384, 32767, 'valide', '16383 + 16384 = 32767, de −32768 à 32767 : la somme affichée est exacte.'],
  [-16384, -16384, -32768, 'valide', '−16384 + −16384 = −32768, de −32768 à 32767 : la somme affichée est'],
  [100, -200, -100, 'valide', 'dernier : 0 0 0 0, 0 0 0 0, 1 1 0 0, 0 0 0 0 ;', '= 65436 sans signe = −100',
    '100, bits 0 0 0 0, 0 0 0 0, 0 1 1 0, 0 1 0 0 ; plus −200, bits 1 1 1 1, 1 1 1 1, 0 0 1 1, 1 0 0 0 ;',
    '0000 0000 0110 0100</span> = 100 : le motif vaut l’opposé, −100.</li></ul>\n<p>Au-dessus'],
  [32767, 32767, -2, 'positif', '32767 + 32767 = 65534, au-delà de 32767 : 65534 − 65536 = −2.',
    'dernier : 1 1 1 1, 1 1 1 1, 1 1 1 1, 1 1 1 0 ; retenue sortante 0.', 'exacte, 65534, demande 17 bits'],
  [30000, 30000, -5536, 'positif', { genre: 'valide', somme: null },
    '</span> Vous aviez prévu : résultat valide. Mais 30000 + 30000 = 60000 dépasse 32767 : 60000 − 65536'],
  [30000, 30000, -5536, 'positif', { genre: 'positif', somme: null },
    '</span> Bien vu : débordement positif. 30000 + 30000 = 60000, au-delà de 32767 : 60000 − 65536 = '],
  [30000, 30000, -5536, 'positif', { genre: 'positif', somme: -5536 },
    'Bien vu : débordement positif, et la somme affichée est bien 60000 − 65536 = −5536.</p>'],
  [30000, 30000, -5536, 'positif', { genre: 'positif', somme: 60000 },
    'Bien vu pour le verdict, débordement positif ; mais la somme affichée est −5536, pas 60000 : 60000 '
    + 'dépasse 32767, d’où 60000 − 65536'],
  [-32768, -1, 32767, 'negatif', { genre: 'valide', somme: 32767 },
    'Vous aviez prévu : résultat valide, 32767. La somme affichée est bien 32767, mais pas le verdict : '
    + '−32768 + −1 = −32769 passe sous −32768 : '],
  [100, -200, -100, 'valide', { genre: 'negatif', somme: 65436 },
    'Vous aviez prévu : débordement négatif, 65436. Mais 100 + −200 = −100 reste de −32768 à 32767 : la'],
  [-1, 1, 0, 'valide', { genre: 'valide', somme: 1 }, 'mais la somme affichée est 0, pas 1 : −1 + 1 = 0.'],
];

// Each explanation's markup as the browser scenarios and the README's pictures show it, byte for
// byte: a digest of it. A change to what the page says or draws, seen to be right, is written here.
const EMPREINTES = ['8544b3c7', 'bc0b20ee', '7bc220d2', '625af47a', 'a87bc0ae', 'f8be43d1', '42bbf5e8',
  '5978ade0', 'd343a418', '4ed93f00', '25a69eaa', '75126893', 'eede6130', '481c64a4', '555f55bc', '4a988a93',
  '5c60c33d', 'aa350b79', '967919e1'];

test('each verdict is explained from its operands and sum, and from the learner\'s guess', () => {
  const empreintes = [];
  for (const [n1, n2, somme, genre, ...attendus] of EXPLICATIONS) {
    const prediction = typeof attendus[0] === 'object' ? attendus.shift() : undefined;
    const { court, suite } = explicationHtml({ genre, n1, n2, somme }, prediction), vu = lu(court + suite);
    empreintes.push(createHash('sha256').update(court + suite).digest('hex').slice(0, 8));
    for (const attendu of attendus) assert.ok(vu.includes(attendu), `${n1} + ${n2}: no ${attendu} in ${vu}`);
    const texte = vu.replace(/<[^>]*>/g, ' ');
    assert.ok(!/(^|[^\w])-\d|'/.test(texte), `${n1} + ${n2}: a hyphen for a minus or a straight apostrophe`);
    assert.ok(vu.includes('>−32768</span></td><td><span>16384<') && vu.includes('>1</span></td></tr>'));
  }
  assert.deepEqual(empreintes, EMPREINTES);
  // A value's bits in two's complement; when negative, its bits but the sign bit's by their weights,
  // its bits inverted, and those plus 1.
  for (const [n, bits, ...lectures] of [[0, 1, null], [-1, 1, [32767, 0, 1]], [-32768, 16, [0, 32767, 32768]],
    [32767, 16, null], [-5, 4, [32763, 4, 5]], [60000, 17], [-65536, 17], [-32769, 17], [65534, 17]]) {
    assert.deepEqual([bitsNecessaires(n), ...lectures.map(() => deuxLectures(n))], [bits, ...lectures], n);
  }
  // A verdict that the page does not read as the program did, its sum or its kind: said, not explained.
  for (const [genre, n2, somme, vu] of [['valide', -1, 1, '1 + −1 = 1'], ['positif', 1, 2, '1 + 1 = 2']]) {
    const { court, suite } = explicationHtml({ genre, n1: 1, n2, somme });
    assert.equal(lu(court + suite).split('</span> ')[1], `${vu} selon le programme : cette page ne sait pas `
      + 'l’expliquer.</p>');
  }
  assert.equal(lu(enonceHtml(-5, 7)), '<span class="formule">−5 + 7</span> : quel verdict, et quelle somme '
    + 'affichée ? Prévoyez-les avant de voir.');
  assert.deepEqual([echapper('<a href="&">\'</a>'), ['valide', 'positif', 'negatif'].map(classeDuGenre)],
    ['&lt;a href=&quot;&amp;&quot;&gt;&#39;&lt;/a&gt;', ['exact', 'haut', 'bas']]);
});

test('the ring runs clockwise from 0 at the top, between −1 and 0, to 32767 and −32768 at the foot', () => {
  const [cx, cy] = polaire(0, 0);
  const ou = ([x, y]) => `${y < cy ? 'haut' : 'bas'} ${x < cx ? 'gauche' : 'droite'}`;
  const tour = [[-32767, 'bas gauche'], [-20000, 'bas gauche'], [-10000, 'haut gauche'], [-1, 'haut gauche'],
    [0, 'haut droite'], [10000, 'haut droite'], [20000, 'bas droite'], [32767, 'bas droite']];
  assert.deepEqual(tour.map(([v]) => [v, ou(polaire(1, angleDe(v)))]), tour);
  assert.ok(tour.every(([v], i) => i === 0 || angleDe(v) > angleDe(tour[i - 1][0])));
  // At its true scale: a quarter of the values, a quarter of a turn.
  assert.deepEqual([0, 16384, -32768].map(angleDe), [0, Math.PI / 2, -Math.PI]);
});

// Whether the box of label `e`, but for a 1 px border where a line may graze it, holds a point of pq.
const touche = (e, [px, py], [qx, qy]) => {
  const n = Math.ceil(Math.hypot(qx - px, qy - py)) + 1;
  return Array.from({ length: n + 1 }, (_, i) => [px + (qx - px) * i / n, py + (qy - py) * i / n])
    .some(([x, y]) => Math.abs(x - e.x) < e.largeur / 2 - 1 && Math.abs(y - e.y) < e.hauteur / 2 - 1);
};

test('the drawing puts each label inside, apart from the others and from every line, with its number', () => {
  const proches = [[1, 2, 3, 'valide'], [0, 1, 1, 'valide'], [-3, 1, -2, 'valide'], [-1, -5, -6, 'valide']];
  for (const [n1, n2, somme, genre] of [...EXPLICATIONS, ...proches]) {
    const { largeur, hauteur, etiquettes, traits, marques } = placer(genre, n1, n2, somme);
    const cas = `${n1} + ${n2}`, [cx] = polaire(0, 0);
    // Each mark where its value is, on its side of 0; a path too short to see said in the legend.
    for (const m of marques) {
      assert.deepEqual([m.x, m.y].map((v) => v.toFixed(6)), polaire(m.rayon, angleDe(m.valeur))
        .map((v) => v.toFixed(6)), `${cas}: ${m.quoi}`);
    }
    for (const m of marques.filter((o) => o.quoi !== 'exacte' && o.valeur > -32768)) {
      assert.equal(Math.sign(m.x - cx), Math.sign(m.valeur), `${cas}: ${m.quoi} on the wrong side`);
    }
    const dit = etiquettes.some((e) => e.texte === 'trop peu pour se voir à cette échelle');
    assert.equal(n2 === 0 || traits.some((t) => t.quoi === 'ajout'), !dit, `${cas}: no path from n1`);
    etiquettes.forEach((e, i) => {
      assert.ok(e.taille >= 12 && e.x - e.largeur / 2 >= 0 && e.x + e.largeur / 2 <= largeur
        && e.y - e.hauteur / 2 >= 0 && e.y + e.hauteur / 2 <= hauteur, `${cas}: ${e.texte} out`);
      for (const f of etiquettes.slice(i + 1)) {
        assert.ok(Math.abs(e.x - f.x) >= (e.largeur + f.largeur) / 2
          || Math.abs(e.y - f.y) >= (e.hauteur + f.hauteur) / 2, `${cas}: ${e.texte} on ${f.texte}`);
      }
      for (const { points } of traits) {
        assert.ok(!points.some((p, j) => j && touche(e, points[j - 1], p)), `${cas}: a line on ${e.texte}`);
      }
    });
    const nombres = etiquettes.filter((e) => !['bout', 'legende'].includes(e.quoi)).map((e) => lu(e.texte));
    const saut = genre === 'valide' ? [] : [n1 + n2, `${genre === 'positif' ? '−' : '+'} 65536`];
    assert.deepEqual(nombres.sort(), [n1, ...saut, somme].map((v) => `${v}`.replace('-', '−')).sort(), cas);
    assert.ok(!/font-size="(\d|1[01])\D/.test(explicationHtml({ genre, n1, n2, somme }).suite), cas);
  }
});

test('the hint names the rule the line broke, and the line, for every rule', () => {
  const moins = 'n’est pas le signe moins que lit le programme : tapez-le avec la touche « - »';
  const indices = [['vide', '', 0, 'Ligne vide'],
    ['ligneTropLongue', '1234567890123456', 250, 'Ligne de 250 caractères, au plus 6'],
    ['ligneTropLongue', 'é1234567', 200, 'Ligne de 200 octets, au plus 6'],
    ['tropDeCaracteres', '0000001', 7, '« 0000001 » : 7 caractères, au plus 6'],
    ['tropDeCaracteres', '\x7f\x01234', 9, '« ␡␁234… » : 9 caractères, au plus 6'],
    ['signeSeul', '-', 1, '« - » : un signe sans chiffre'],
    ['espace', ' 42', 3, '«  42 » : un espace avant le nombre'],
    ['espace', '4 2', 3, '« 4 2 » : un espace dans le nombre'],
    ['espace', '42 ', 3, '« 42  » : un espace après le nombre'],
    ['espace', '- 5', 3, '« - 5 » : un espace après le signe'],
    ['espace', '5 - 3', 5, '« 5 - 3 » : un espace dans le nombre'],
    ['octetNul', '4\0', 2, '« 4␀ » : un octet nul, invisible'],
    ['autreCaractere', '+-4', 3, '« +-4 » : « - » n’est pas un chiffre'],
    ['autreCaractere', '4x', 2, '« 4x » : « x » n’est pas un chiffre'],
    ['autreCaractere', '4\u20285', 5, '« 4\u20285 » : « \u2028 » n’est pas un chiffre'],
    ['autreCaractere', '\u22125', 4, `« −5 » : « − » n’est pas un chiffre. « − » ${moins}`],
    ['autreCaractere', '\u20135', 4, `« –5 » : « – » n’est pas un chiffre. « – » ${moins}`],
    ['tropDeCaracteres', '\uff0d32768', 8, `« －32768 » : 8 octets, au plus 6. « － » ${moins}`],
    ['tropGrande', '40000', 5, '« 40000 » dépasse 32767'],
    ['tropPetite', '-32769', 6, '« -32769 » est en deçà de −32768'],
    ['inconnue', '1', 1, 'Ligne refusée']];
  for (const [regle, ligne, longueur, attendu] of indices) {
    const vu = lu(indice({ regle, debut: new TextEncoder().encode(ligne), longueur }));
    assert.equal(vu, `${attendu}. Une valeur est un entier de −32768 à 32767, en chiffres, avec au plus 6 `
      + 'caractères, signe compris : 42, -42, +42.', regle);
  }
  // Every rule the program names has its row.
  const regles = Object.values(vocabulaire).filter((v) => typeof v === 'string');
  assert.deepEqual([...new Set(indices.map(([r]) => r)), 'aucun', 'valide', 'positif', 'negatif'].sort(),
    [...regles, 'inconnue'].sort());
});

test('a file run is summed up in words, and a file the program will misread is warned about', () => {
  assert.equal(lu(resume({ verifications: 4, valide: 1, positif: 1, negatif: 2, refus: 3 })),
    '4 vérifications : 1 somme valide, 1 débordement positif, 2 débordements négatifs ; 3 lignes refusées.');
  assert.match(lu(avertissement(new Uint8Array([0xef, 0xbb, 0xbf, 0x31, 10]))), new RegExp('\\(BOM\\) : '
    + 'sa première ligne sera refusée, et chaque ligne suivante répondra à la question d’avant la '
    + 'sienne, si bien que les vérifications ne seront sans doute pas celles prévues\\. Enregistrez-le '
    + 'sans cette marque : dans le Bloc-notes, « Enregistrer sous », encodage « UTF-8 », et non « UTF-8 '
    + 'avec BOM »\\.$'));
  const utf16 = 'Attention : ce fichier est sans doute de l’UTF-16 : ses lignes seront refusées. '
    + 'Enregistrez-le en UTF-8 : dans le Bloc-notes, « Enregistrer sous », encodage « UTF-8 » ; depuis '
    + 'Windows PowerShell, dont « > » écrit de l’UTF-16, par « | Out-File -Encoding ascii fichier.txt » (et '
    + 'non « utf8 », qui y met une BOM) ; PowerShell 7, lui, écrit déjà de l’UTF-8 sans BOM.';
  const binaire = 'Attention : ce fichier n’est sans doute pas du texte (octets nuls ou de contrôle) : des '
    + 'lignes seront sans doute refusées. Enregistrez-le en texte brut, en UTF-8.';
  for (const [octets, attendu] of [[[0x31, 0, 10, 0], utf16], [[0, 0x31, 0, 10], utf16],
    [[0xff, 0xfe, 0x31], utf16], [[0xfe, 0xff], utf16], [[0x31, 0x1b], binaire], [[0, 0], binaire],
    [[0x31, 0, 0x32, 0x33], binaire], [[0x31, 0, 0x32, 0, 0, 0x33], binaire],
    [[0x7f, 0x45, 0x4c, 0x46, 2, 1, 1, 0, 0, 0, 0, 0], binaire],
    [[0xef, 0xbb, 0x31], ''], [[...'1\t2\r\n\v\f\x1a100 \n200\nn\n'].map((c) => c.charCodeAt(0)), '']]) {
    assert.equal(lu(avertissement(new Uint8Array(octets))), attendu, `${octets}`);
  }
});
