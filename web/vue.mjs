// The transcript's view: draws the window of fenetre.mjs, the end of what a run wrote and
// what was typed, and says above it how much it leaves out.
import { creerFenetre, quantite } from './fenetre.mjs';

export { quantite };

// While a file runs, its end is drawn at most every this many milliseconds: more often
// would slow the run down.
const INTERVALLE_EN_COURS_MS = 100;

const elements = new Map();
let fenetre, journal, horsVue, dernierDessin = 0;

export function initialiser(lesElements) {
  ({ journal, horsVue } = lesElements);
}

// An empty view, for a new run.
export function vider() {
  fenetre = creerFenetre();
  elements.clear();
  journal.replaceChildren();
  horsVue.hidden = true;
}

export const longueur = () => fenetre.longueur();
export const ajouter = (octets, classe) => fenetre.ajouter(octets, classe);
export const marquerLigne = (fin, classe, numero) => fenetre.marquerLigne(fin, classe, numero);

// Draws what was added since the last drawing: `enCours` while a file runs, only its end,
// and not more often than every `INTERVALLE_EN_COURS_MS`; when `finDeFichier`, that end
// again from its start, the rest left to `completer`; otherwise the whole view. False when
// it waits for a later frame.
export function dessiner(enCours, finDeFichier) {
  const maintenant = performance.now();
  if (enCours && maintenant - dernierDessin < INTERVALLE_EN_COURS_MS) return false;
  dernierDessin = maintenant;
  faire(fenetre.dessiner(enCours || finDeFichier, finDeFichier));
  journal.scrollTop = journal.scrollHeight;
  return true;
}

// Draws, above the view, the block of lines before it: false once it is all drawn. Where
// the transcript was scrolled to stays in place.
export function completer() {
  const etapes = fenetre.completer();
  if (!etapes) return false;
  const depuisLeBas = journal.scrollHeight - journal.scrollTop;
  faire(etapes);
  journal.scrollTop = journal.scrollHeight - depuisLeBas;
  return true;
}

// Carries out the steps of a layout (see fenetre.mjs), then says what is left out above.
function faire(etapes) {
  for (const [quoi, id, texte, classe, numero] of etapes) {
    if (quoi === 'vider') {
      journal.replaceChildren();
      elements.clear();
    } else if (quoi === 'bloc') {
      const bloc = document.createElement('span');
      bloc.className = 'bloc';
      elements.set(id, bloc);
      journal.insertBefore(bloc, texte === null ? null : elements.get(texte));
    } else if (quoi === 'texte') {
      ecrireDans(elements.get(id), texte, classe, numero);
    } else {
      elements.get(id).remove();
      elements.delete(id);
    }
  }
  const cache = fenetre.horsVue();
  horsVue.hidden = cache === 0;
  if (cache) {
    horsVue.textContent = `${quantite(cache)} plus haut ne sont pas affichés\u00a0: `
      + '«\u00a0Enregistrer la transcription\u00a0» les garde.';
  }
}

// Appends `texte` to `element`, in a span of `classe` if it has one, its line ends outside it. A
// verdict numbered `numero` can be focused, and explained again (see page.mjs).
function ecrireDans(element, texte, classe, numero) {
  if (!classe) {
    const dernier = element.lastChild;
    if (dernier?.nodeType === Node.TEXT_NODE) dernier.appendData(texte); else element.append(texte);
    return;
  }
  const [, avant, dedans, apres] = /^(\n*)([^]*?)(\n*)$/.exec(texte);
  if (avant) ecrireDans(element, avant, '');
  if (dedans) {
    const marque = element.appendChild(document.createElement('span'));
    marque.append(dedans);
    marque.className = classe;
    if (numero !== undefined) {
      marque.dataset.verdict = numero;
      marque.tabIndex = 0;
      marque.setAttribute('role', 'button');
    }
  }
  if (apres) ecrireDans(element, apres, '');
}
