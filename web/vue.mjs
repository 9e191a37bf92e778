// The transcript's view: the end of what a run wrote, and what was typed, laid out in
// blocks of lines. Only the end of a run is kept here, at most `OCTETS_VUS` bytes and
// `LIGNES_VUES` lines, so that what is drawn, and the memory it takes, stay the same
// whatever the length of the run. Some stretches are marked with a class: what was typed, and
// the program's verdicts by kind.
const LIGNES_VUES = 500, OCTETS_VUS = 50000, LIGNES_PAR_BLOC = 100;
// While a file runs, only the end that fits on screen is drawn, these many lines, at most
// `OCTETS_PAR_LIGNE` bytes each on average, at most every `INTERVALLE_EN_COURS_MS`: laying
// out more, or more often, would slow the run down. When it ends, its end is drawn again
// with its marks, and the lines above are laid out a block at a time (`completer`): the
// whole view at once held a frame up for 50 to 120 ms in WebKit.
const LIGNES_EN_COURS = 50, OCTETS_PAR_LIGNE = 80, INTERVALLE_EN_COURS_MS = 100;
const SAUT = 10;  // the newline

let journal, coupe;
// The end of the transcript: `queue` holds its bytes from offset `debutQueue` to `fin`.
const queue = new Uint8Array(OCTETS_VUS);
let debutQueue = 0, fin = 0;
// The marked stretches [debut, fin) of the transcript, in order, from `premiereMarque` on.
let marques = [], premiereMarque = 0;
// The layout: its blocks ({element, lignes, octets}, the last one open), which hold the
// transcript from `debutVu` to `dessine`.
let blocs = [], debutVu = 0, dessine = 0, dernierDessin = 0;

export function initialiser(elements) {
  ({ journal, coupe } = elements);
}

// An empty view, for a new run.
export function vider() {
  debutQueue = fin = debutVu = dessine = 0;
  marques = [];
  premiereMarque = 0;
  blocs = [];
  journal.replaceChildren();
  coupe.hidden = true;
}

// How many bytes the transcript holds so far.
export const longueur = () => fin;

// Adds `octets` to the transcript, marked with `classe` if it is given.
export function ajouter(octets, classe) {
  if (classe) marquer(fin, fin + octets.length, classe);
  const n = Math.min(octets.length, queue.length);
  const garde = Math.min(fin - debutQueue, queue.length - n);
  queue.copyWithin(0, fin - debutQueue - garde, fin - debutQueue);
  queue.set(octets.subarray(octets.length - n), garde);
  fin += octets.length;
  debutQueue = fin - garde - n;
}

// Marks the stretch [debut, fin) of the transcript with `classe`, its line ends left out.
// Stretches come in order; those that have left the end kept are let go.
export function marquer(debut, finMarque, classe) {
  marques.push({ debut, fin: finMarque, classe });
  while (premiereMarque < marques.length && marques[premiereMarque].fin <= debutQueue) ++premiereMarque;
  if (premiereMarque > LIGNES_VUES) {
    marques = marques.slice(premiereMarque);
    premiereMarque = 0;
  }
}

// Draws what was added since the last drawing: `enCours` while a file runs, only its end,
// and not more often than every `INTERVALLE_EN_COURS_MS`; when `finDeFichier`, that end
// again from its start, the rest left to `completer`; otherwise the whole view. False when
// it waits for a later frame.
export function dessiner(enCours, finDeFichier) {
  const maintenant = performance.now();
  if (enCours && maintenant - dernierDessin < INTERVALLE_EN_COURS_MS) return false;
  dernierDessin = maintenant;
  const bout = enCours || finDeFichier;  // only the end that fits on screen
  const lignesMax = bout ? LIGNES_EN_COURS : LIGNES_VUES;
  const octetsMax = bout ? OCTETS_PAR_LIGNE * LIGNES_EN_COURS : OCTETS_VUS;
  const debut = debutDeLaFin(lignesMax, octetsMax);
  if (finDeFichier || debut > dessine) {  // the new end fills the view on its own
    journal.replaceChildren();
    blocs = [];
    debutVu = dessine = debut;
  }
  poserLaSuite(fin);
  borner(lignesMax, octetsMax);
  montrerCoupe();
  journal.scrollTop = journal.scrollHeight;
  return true;
}

// Lays out, above the view, the block of lines before it, as far as the end kept reaches:
// false once it is all laid out. Where the transcript was scrolled to stays in place.
export function completer() {
  const debut = debutDeLaFin(LIGNES_VUES, OCTETS_VUS);
  if (debutVu <= debut) return false;
  let de = debutVu;
  for (let n = 0; n < LIGNES_PAR_BLOC && de > debut; ++n) {
    const j = de - 2 >= debutQueue ? queue.lastIndexOf(SAUT, de - 2 - debutQueue) : -1;
    de = Math.max(debut, j + debutQueue + 1);
  }
  const suite = blocs, posee = dessine, depuisLeBas = journal.scrollHeight - journal.scrollTop;
  blocs = [];
  dessine = de;
  poserLaSuite(debutVu);
  journal.prepend(...blocs.map((bloc) => bloc.element));
  blocs = blocs.concat(suite);
  dessine = posee;
  debutVu = de;
  montrerCoupe();
  journal.scrollTop = journal.scrollHeight - depuisLeBas;
  return true;
}

// Above the view, what it leaves out, if anything.
function montrerCoupe() {
  coupe.hidden = debutVu === 0;
  if (debutVu) {
    coupe.textContent = `${quantite(debutVu)} plus haut ne sont pas affichés\u00a0: `
      + '«\u00a0Enregistrer la transcription\u00a0» les garde.';
  }
}

// Lays out the transcript from `dessine` to `limite`, each marked stretch with its class.
function poserLaSuite(limite) {
  for (let m = premiereMarque; dessine < limite; ++m) {
    const marque = marques[m], jusquA = marque ? Math.min(Math.max(marque.debut, dessine), limite) : limite;
    if (jusquA > dessine) poser(dessine, jusquA, '');
    if (marque?.fin > dessine) {
      poser(Math.max(marque.debut, dessine), Math.min(marque.fin, limite), marque.classe);
    }
  }
}

// The first character that starts at `position` or after it.
function caractere(position) {
  while (position < fin && (queue[position - debutQueue] & 0xc0) === 0x80) ++position;
  return position;
}

// The start of the end of the transcript that holds at most `lignes` line ends and
// `taille` bytes, at the start of a character.
function debutDeLaFin(lignes, taille) {
  const debut = Math.max(debutQueue, fin - taille);
  for (let i = fin, n = 0; i > debut; ++n) {
    const j = queue.lastIndexOf(SAUT, i - 1 - debutQueue) + debutQueue;
    if (j < debut) break;
    if (n === lignes) return j + 1;
    i = j;
  }
  return caractere(debut);
}

// Appends the transcript from `debut` to `jusquA` to the view, marked with `classe`, each
// control character but the newline and the tab as its visible symbol (␀, ␍), a block
// closing after its last line. What is typed may be any text, in UTF-8; the program writes ASCII.
function poser(debut, jusquA, classe) {
  for (let de = debut; de < jusquA;) {
    let bloc = blocs[blocs.length - 1];
    if (!bloc || bloc.lignes === LIGNES_PAR_BLOC) {
      bloc = { element: journal.appendChild(document.createElement('span')), lignes: 0, octets: 0 };
      bloc.element.className = 'bloc';
      blocs.push(bloc);
    }
    let a = de;
    while (bloc.lignes < LIGNES_PAR_BLOC && a < jusquA) {
      const j = queue.indexOf(SAUT, a - debutQueue) + debutQueue;
      a = j < debutQueue || j >= jusquA ? jusquA : j + 1;
      if (a === j + 1) ++bloc.lignes;
    }
    const texte = decodeur.decode(queue.subarray(de - debutQueue, a - debutQueue))
      // eslint-disable-next-line no-control-regex
      .replace(/[\0-\x08\x0b-\x1f\x7f]/g, (c) => String.fromCharCode(
        c === '\x7f' ? 0x2421 : 0x2400 + c.charCodeAt()));
    ecrireDans(bloc.element, texte, classe);
    bloc.octets += a - de;
    dessine = de = a;
  }
}
const decodeur = new TextDecoder();

// Appends `texte` to `element`, in a span of `classe` if it has one, its line ends outside it.
function ecrireDans(element, texte, classe) {
  if (!classe) {
    const dernier = element.lastChild;
    if (dernier?.nodeType === Node.TEXT_NODE) dernier.appendData(texte); else element.append(texte);
    return;
  }
  const [, avant, dedans, apres] = /^(\n*)([^]*?)(\n*)$/.exec(texte);
  if (avant) ecrireDans(element, avant, '');
  if (dedans) element.appendChild(document.createElement('span')).append(dedans);
  if (dedans) element.lastChild.className = classe;
  if (apres) ecrireDans(element, apres, '');
}

// Drops the first blocks while the others hold enough, and the start of a line longer
// than the view (a run of refused prompts has no newline).
function borner(lignesMax, octetsMax) {
  let lignes = 0, taille = 0;
  for (const bloc of blocs) {
    lignes += bloc.lignes;
    taille += bloc.octets;
  }
  const enTrop = () => lignes - blocs[0].lignes >= lignesMax || taille - blocs[0].octets >= octetsMax;
  while (blocs.length > 1 && enTrop()) {
    const bloc = blocs.shift();
    bloc.element.remove();
    lignes -= bloc.lignes;
    taille -= bloc.octets;
    debutVu += bloc.octets;
  }
  const dernier = blocs[blocs.length - 1];
  if (dernier && dernier.octets > octetsMax) {  // its last half laid out again, to be cut again later
    blocs.pop().element.remove();
    debutVu = dessine = caractere(fin - octetsMax / 2);
    poserLaSuite(fin);
  }
}

// A number of bytes as a reader takes it in: 1,5 Mo, 12 ko, 800 octets, 3\u202f160 Mo; in
// French by hand, as Chromium takes tens of milliseconds to make its first number formatter.
export function quantite(octets) {
  const [unite, valeur] = octets >= 1e6 ? ['Mo', octets / 1e6]
    : octets >= 1e3 ? ['ko', octets / 1e3] : ['octets', octets];
  const [entiers, dixiemes] = String(Math.round(valeur * 10) / 10).split('.');
  return `${entiers.replace(/\B(?=(\d{3})+$)/g, '\u202f')}${dixiemes ? `,${dixiemes}` : ''}\u00a0${unite}`;
}
