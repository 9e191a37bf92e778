// The window on the transcript that the page lays out: the end of what a run wrote, and
// what was typed, in blocks of lines. Only the end of a run is kept here, at most
// `OCTETS_VUS` bytes and `LIGNES_VUES` lines, so that what is laid out, and the memory it
// takes, stay the same whatever the length of the run. Some stretches are marked with a
// class: what was typed, and the program's verdicts by kind. No DOM here: each layout says
// what changed as a list of steps, which vue.mjs carries out:
//   ['vider']                    every block goes;
//   ['bloc', id, avant]          a new empty block, before block `avant`, or last if null;
//   ['texte', id, texte, classe, numero]  text appended to block `id`, marked with `classe` ('' for
//                                none), and the number of the verdict it tells, if it tells one;
//   ['retirer', id]              block `id` goes.
export const LIGNES_VUES = 500, OCTETS_VUS = 50000, LIGNES_PAR_BLOC = 100;
// While a file runs, only the end that fits on screen is laid out, these many lines, at most
// `OCTETS_PAR_LIGNE` bytes each on average: laying out more would slow the run down. When it
// ends, its end is laid out again with its marks, and the lines above are laid out a block
// at a time (`completer`): the whole view at once held a frame up for 50 to 120 ms in WebKit.
export const LIGNES_EN_COURS = 50, OCTETS_PAR_LIGNE = 80;
const SAUT = 10;  // the newline
const decodeur = new TextDecoder();

// An empty window, for a new run.
export function creerFenetre() {
  // The end of the transcript: `queue` holds its bytes from offset `debutQueue` to `fin`.
  const queue = new Uint8Array(OCTETS_VUS);
  let debutQueue = 0, fin = 0;
  // The marked stretches [debut, fin) of the transcript, in order, from `premiereMarque` on.
  let marques = [], premiereMarque = 0;
  // The layout: its blocks ({id, lignes, octets}, the last one open), which hold the
  // transcript from `debutVu` to `pose`; the steps of the layout under way.
  let blocs = [], debutVu = 0, pose = 0, prochainBloc = 0, etapes = [];

  // The first character that starts at `position` or after it.
  const caractere = (position) => {
    while (position < fin && (queue[position - debutQueue] & 0xc0) === 0x80) ++position;
    return position;
  };
  // Where the last line end at or before `position` is in the transcript, or just before
  // the bytes kept when none of them is one.
  const sautAvant = (position) => (position < debutQueue ? debutQueue - 1
    : queue.lastIndexOf(SAUT, position - debutQueue) + debutQueue);

  // The start of the end of the transcript that holds at most `lignes` line ends and
  // `taille` bytes, at the start of a character.
  const debutDeLaFin = (lignes, taille) => {
    const debut = Math.max(debutQueue, fin - taille);
    for (let i = fin, n = 0; i > debut; ++n) {
      const j = sautAvant(i - 1);
      if (j < debut) break;
      if (n === lignes) return j + 1;
      i = j;
    }
    return caractere(debut);
  };

  // Lays out the transcript from `pose` to `limite`, before block `avant` (null: at the end),
  // each marked stretch with its class, each control character but the newline and the tab as
  // its visible symbol (␀, ␍), a block closing after its last line. What is typed may be any
  // text, in UTF-8; the program writes ASCII.
  const poserLaSuite = (limite, avant = null) => {
    for (let m = premiereMarque; pose < limite; ++m) {
      const marque = marques[m], jusquA = marque ? Math.min(Math.max(marque.debut, pose), limite) : limite;
      if (jusquA > pose) poser(pose, jusquA, '', avant);
      if (marque?.fin > pose) {
        poser(Math.max(marque.debut, pose), Math.min(marque.fin, limite), marque.classe, avant,
          marque.numero);
      }
    }
  };
  const poser = (debut, jusquA, classe, avant, numero) => {
    for (let de = debut; de < jusquA;) {
      let bloc = blocs.findLast((b) => b.avant === avant);
      if (!bloc || bloc.lignes === LIGNES_PAR_BLOC) {
        bloc = { id: prochainBloc++, lignes: 0, octets: 0, avant };
        blocs.push(bloc);
        etapes.push(['bloc', bloc.id, avant]);
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
      etapes.push(['texte', bloc.id, texte, classe, numero]);
      bloc.octets += a - de;
      pose = de = a;
    }
  };

  // Drops the first blocks while the others hold enough, and the start of a line longer
  // than the view (a run of refused prompts has no newline).
  const borner = (lignesMax, octetsMax) => {
    let lignes = 0, taille = 0;
    for (const bloc of blocs) {
      lignes += bloc.lignes;
      taille += bloc.octets;
    }
    const enTrop = () => lignes - blocs[0].lignes >= lignesMax || taille - blocs[0].octets >= octetsMax;
    while (blocs.length > 1 && enTrop()) {
      const bloc = blocs.shift();
      etapes.push(['retirer', bloc.id]);
      lignes -= bloc.lignes;
      taille -= bloc.octets;
      debutVu += bloc.octets;
    }
    const dernier = blocs.at(-1);
    if (dernier && dernier.octets > octetsMax) {  // its last half laid out again, to be cut again later
      etapes.push(['retirer', blocs.pop().id]);
      debutVu = pose = caractere(fin - octetsMax / 2);
      poserLaSuite(fin);
    }
  };

  const rendre = () => {
    const faites = etapes;
    etapes = [];
    return faites;
  };

  return {
    // How many bytes the transcript holds so far, and how many at its start are not laid out.
    longueur: () => fin,
    horsVue: () => debutVu,

    // Adds `octets` to the transcript, marked with `classe` if it is given.
    ajouter(octets, classe) {
      if (classe) this.marquer(fin, fin + octets.length, classe);
      const n = Math.min(octets.length, queue.length);
      const garde = Math.min(fin - debutQueue, queue.length - n);
      queue.copyWithin(0, fin - debutQueue - garde, fin - debutQueue);
      queue.set(octets.subarray(octets.length - n), garde);
      fin += octets.length;
      debutQueue = fin - garde - n;
    },

    // Marks the stretch [debut, fin) of the transcript with `classe`, and the verdict `numero` if it
    // tells one, its line ends left out. Stretches come in order; those that have left the end kept
    // are let go.
    marquer(debut, finMarque, classe, numero) {
      marques.push({ debut, fin: finMarque, classe, numero });
      while (premiereMarque < marques.length && marques[premiereMarque].fin <= debutQueue) ++premiereMarque;
      if (premiereMarque > LIGNES_VUES) {
        marques = marques.slice(premiereMarque);
        premiereMarque = 0;
      }
    },

    // Marks the line that ends at `finMarque` (a line end there left out), as far as it is kept.
    marquerLigne(finMarque, classe, numero) {
      this.marquer(sautAvant(finMarque - 2) + 1, finMarque, classe, numero);
    },

    // Lays out what was added since the last layout: when `bout`, only the end that fits on
    // screen, and when `finDeFichier` too, that end again from its start, the rest left to
    // `completer`; otherwise the whole view. Returns its steps.
    dessiner(bout, finDeFichier) {
      const lignesMax = bout ? LIGNES_EN_COURS : LIGNES_VUES;
      const octetsMax = bout ? OCTETS_PAR_LIGNE * LIGNES_EN_COURS : OCTETS_VUS;
      const debut = debutDeLaFin(lignesMax, octetsMax);
      if (finDeFichier || debut > pose) {  // the new end fills the view on its own
        etapes.push(['vider']);
        blocs = [];
        debutVu = pose = debut;
      }
      poserLaSuite(fin);
      borner(lignesMax, octetsMax);
      return rendre();
    },

    // Lays out, above the view, the block of lines before it, as far as the end kept reaches:
    // its steps, or null once it is all laid out.
    completer() {
      const debut = debutDeLaFin(LIGNES_VUES, OCTETS_VUS);
      if (debutVu <= debut || !blocs.length) return null;
      let de = debutVu;
      for (let n = 0; n < LIGNES_PAR_BLOC && de > debut; ++n) de = Math.max(debut, sautAvant(de - 2) + 1);
      const dejaPose = pose, premier = blocs[0].id, suite = blocs;
      blocs = [];
      pose = de;
      poserLaSuite(debutVu, premier);
      blocs = blocs.concat(suite);
      for (const bloc of blocs) bloc.avant = null;
      pose = dejaPose;
      debutVu = de;
      return rendre();
    },
  };
}

// A number of bytes as a reader takes it in: 1,5 Mo, 12 ko, 800 octets, 3\u202f160 Mo; in
// French by hand, as Chromium takes tens of milliseconds to make its first number formatter.
export function quantite(octets) {
  const [unite, valeur] = octets >= 1e6 ? ['Mo', octets / 1e6]
    : octets >= 1e3 ? ['ko', octets / 1e3] : ['octets', octets];
  const [entiers, dixiemes] = String(Math.round(valeur * 10) / 10).split('.');
  return `${entiers.replace(/\B(?=(\d{3})+$)/g, '\u202f')}${dixiemes ? `,${dixiemes}` : ''}\u00a0${unite}`;
}
