// A series of sums: the link that types it (#deviner,32767+1,-1+1), and the score of a series
// foreseen. Whatever a link holds is typed: the program judges it, as it judges what is typed.
const DEVINER = 'deviner';

// `texte` with its escapes decoded, each run of them on its own: a malformed one stays as it is.
const decoder = (texte) => texte.replace(/(?:%[\da-f]{2})+/gi, (suite) => {
  try {
    return decodeURIComponent(suite);
  } catch {
    return suite;
  }
});

// What the fragment of a link (location.hash) types: `lignes`, each sum's two operands in turn, cut
// at its first « + » that is not a sign, and « y » at the question between two sums; `deviner`
// when its first item asks for « Deviner avant de voir », in any case. Items are cut at commas,
// spaces around a comma or a « + » go, an empty item is skipped; an item without a « + » is typed
// alone, and ends the series: nothing is typed that the link does not hold.
export function lireLien(fragment) {
  const elements = decoder(fragment.replace(/^#/, '')).split(',').map((e) => e.trim()).filter(Boolean);
  const deviner = elements[0]?.toLowerCase() === DEVINER, sommes = elements.slice(deviner ? 1 : 0);
  const seule = sommes.findIndex((somme) => somme.indexOf('+', 1) < 0);
  const lignes = sommes.slice(0, seule < 0 ? sommes.length : seule + 1).flatMap((somme, i) => {
    const plus = somme.indexOf('+', 1);
    const operandes = plus < 0 ? [somme] : [somme.slice(0, plus).trim(), somme.slice(plus + 1).trim()];
    return i ? ['y', ...operandes] : operandes;
  });
  return { deviner, lignes };
}

// The fragment of a link that types the sums `sommes` ([n1, n2], as the program read them) again, in
// « Deviner » if `deviner`: '' for no sum.
export function fragmentDe(deviner, sommes) {
  const elements = [...(deviner ? [DEVINER] : []), ...sommes.map(([n1, n2]) => `${n1}+${n2}`)];
  return sommes.length ? `#${elements.join(',')}` : '';
}

// The score of a series foreseen: how many verdicts were foreseen, and those missed ({ verdict,
// prediction }, as the page explains them). A verdict is foreseen right when the kind foreseen is the
// program's, and the sum, if one was given, the sum it showed.
export const creerScore = () => ({ prevus: 0, manques: [] });

export function noter(score, explique) {
  const { verdict: { genre, somme }, prediction } = explique;
  ++score.prevus;
  if (prediction.genre !== genre || (prediction.somme ?? somme) !== somme) score.manques.push(explique);
}

// The score in words, before the buttons of the sums missed, if any; of a series `interrompue` before
// its last verdict was foreseen, so said.
export function bilan({ prevus, manques }, interrompue = false) {
  const justes = prevus - manques.length;
  return `Série ${interrompue ? 'interrompue' : 'finie'}\u00a0: ${justes} sur ${prevus} bien prévu${
    justes > 1 ? 's' : ''}${manques.length ? '. À revoir\u00a0:' : '.'}`;
}
