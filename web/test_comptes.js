// The page's reading of what the program writes (its summary's counts and the last verdict
// explained), taken from page.html as it stands, on real outputs cut into writes at every
// place, with a write of up to 24 bytes there, at every alignment in memory: each cut gives
// what a plain search of the whole output gives, in a file run and in a typed session.
// Usage: node test_comptes.js PAGE TESTS
/* eslint-env node */
'use strict';
const fs = require('fs');
const [page, tests] = process.argv.slice(2), source = fs.readFileSync(page, 'utf8');
const code = source.slice(source.indexOf('// What the page explains beside'), source.indexOf('// Shows the last verdict explained'));
const element = () => ({ setAttribute() {}, replaceChildren() {} });
const { oublier, comprendre, INVITE } = new Function('element', 'encodeur', 'requestAnimationFrame',
  `${code}; return { oublier, comprendre, INVITE };`)(element, new TextEncoder(), () => 0);

const nombre = (texte, motif) => texte.split(motif).length - 1;
let echecs = 0;
for (const nom of ['debordements', 'refus', 'somme_valide']) {
  const sortie = fs.readFileSync(`${tests}/transcripts/${nom}.out`), texte = sortie.toString('latin1');
  const attendu = JSON.stringify([{ verifications: nombre(texte, ' Resultat '), positif: nombre(texte, 'Debordement positif :  Resultat '),
    negatif: nombre(texte, 'Debordement negatif :  Resultat '), refus: nombre(texte, INVITE) - nombre(texte, `\n${INVITE}`) },
  texte.split('\n').slice(0, -1).filter((ligne) => ligne.includes(' Resultat ')).at(-1) ?? '']);
  for (let i = 0; i <= sortie.length; ++i) {
    for (let k = 0; k <= 24 && i + k <= sortie.length; ++k) {
      for (const fichier of [true, false]) {
        const s = { fichier };
        oublier(s);
        for (const [a, b] of [[0, i], [i, i + k], [i + k, sortie.length]]) {
          const memoire = new Uint8Array(b - a + 4 + (i % 4));  // the write at an offset of 0 to 3 bytes
          memoire.set(sortie.subarray(a, b), i % 4);
          comprendre(s, memoire.subarray(i % 4, i % 4 + b - a));
        }
        const obtenu = JSON.stringify([s.compte, s.verdict]);
        if (obtenu !== attendu && echecs++ < 5) console.log(`${nom}, cut at ${i} and ${i + k}, ${fichier ? 'file' : 'typed'}: ${obtenu}, expected ${attendu}`);
      }
    }
  }
}
process.exit(echecs > 0 ? 1 : 0);
