// A run of the program: a fresh instance of the module, which the page compiles once, its
// standard streams held here (see src/console/navigateur/systeme.js), its life one state
// of etats.mjs.
/* global creerVerifierSomme */  // the module's factory, in emcc's script before the page's
import { suivant, vivant } from './etats.mjs';

// Whether `run` may still run its program (see etats.mjs).
export const vivante = (run) => vivant(run.etat);

// A run hands the page its turn (a frame, a click on « Arrêter », a key) once it has run
// this long, which leaves the rest of a 60 Hz frame (16.7 ms) to drawing.
const TRANCHE_MS = 12;
// A file is read in pieces of this many bytes, the next ones while the program takes in
// the first: a file of any size costs the page no more than these many pieces. The
// browsers read a file faster several pieces at once: 1 GB in 2.2 to 3.1 s, not 3.2 to 5
// s, in Chromium, Firefox and WebKit.
const OCTETS_PAR_MORCEAU = 1 << 23, MORCEAUX_EN_AVANCE = 4;
// The program is handed at most this many bytes a read, as a pipe may: it yields only when
// it reads, and what it writes for 16 KiB of answers takes it a few milliseconds.
const OCTETS_PAR_LECTURE = 1 << 14;

// The program, compiled once for the page; each run is a fresh instance of it. emcc
// inlines it into the module's factory as a base64 data: URL (-sSINGLE_FILE); if that is
// not found there, each run compiles its own. Its 7 KB are compiled at once, so that a
// run started as the page loads writes its prompt before the first frame (WebKit drew it
// 100 ms later otherwise); or else, where a browser refuses that on its main thread (Chromium
// may, above 4 KB), in the background: then a promise of it.
let programme;
function compiler() {
  if (programme !== undefined) return programme;
  const url = /data:[\w/.+-]*;base64,([A-Za-z0-9+/=]+)/.exec(creerVerifierSomme.toString());
  if (!url) return (programme = null);
  const binaire = atob(url[1]), octets = new Uint8Array(binaire.length);
  for (let i = 0; i < binaire.length; ++i) octets[i] = binaire.charCodeAt(i);
  try {
    programme = new WebAssembly.Module(octets);
  } catch {
    programme = WebAssembly.compile(octets);
  }
  return programme;
}

// A run, not started: on `fichier` ({nom, note, blob}, a File or a Blob), read to its end
// as standard input is from a redirected file; or else on what is typed. `observateur`
// hears everything the run does (see `demarrer`) and each change of state.
export function creer(fichier, observateur) {
  return {
    etat: fichier ? 'ouverture' : 'demarrage', fichier, observateur,
    entree: [],          // the bytes for the program, in pieces, in order
    entreeFinie: false,  // no more bytes will come: once `entree` is empty, input has ended
    demande: 0, enLecture: [],  // how far the file is asked for, and the pieces still being read
    rendre: null, taille: 0,    // how the waiting program takes at most `taille` bytes
    lu: 0, ecrits: 0,           // the bytes the program has read and written
    statut: null, erreur: null,
    reprise: 0, canal: null, tourCede: false,  // when it last got its turn; how it gets it back
    retenue: false,  // held at its next read, until `relacher`
  };
}

// Moves `run` on by `evenement` (see etats.mjs) and tells its observer. A run that has
// ended lets go of its input and of its way back to its turn.
export function passer(run, evenement) {
  run.etat = suivant(run.etat, evenement);
  if (!vivante(run)) {
    run.rendre = null;
    run.entree = [];
    run.canal?.port1.close();
    run.canal = null;
  }
  run.observateur.etat(run);
}

// Starts the program of `run`, its file's bytes read if it has one. The observer's
// sortie(run, octets), verdict(run, ...), refus(run, ...) and reponse(run, encore) are
// called as the program writes and decides (their arguments as systeme.js gives them),
// attend(run) when it waits for input.
export function demarrer(run) {
  if (run.fichier) {
    if (run.etat !== 'ouverture') return;
    passer(run, 'lu');
    alimenter(run);
  }
  // What the program does reaches the page only while the run is alive. The calls that
  // come once for each check take their arguments as they are, not gathered in an array.
  const o = run.observateur, pourElle = (traiter) => (...valeurs) => {
    if (vivante(run)) traiter(run, ...valeurs);
  };
  const echec = (erreur) => {
    run.erreur = String(erreur);
    if (vivante(run)) passer(run, 'panne');
  };
  const reglages = {
    systeme: {
      lire: pourElle(lire),
      ecrire: (octets) => {
        if (!vivante(run)) return;
        run.ecrits += octets.length;
        o.sortie(run, octets);
      },
      verdict: (genre, n1, n2, somme, fin) => {
        if (vivante(run)) o.verdict(run, genre, n1, n2, somme, fin);
      },
      refus: (regle, memoire, debut, taille, longueur, numero) => {
        if (vivante(run)) o.refus(run, regle, memoire, debut, taille, longueur, numero);
      },
      reponse: (encore) => {
        if (vivante(run)) o.reponse(run, encore);
      },
    },
    // Its runtime ready, the program is about to run main: before anything it tells.
    onRuntimeInitialized: () => {
      if (run.etat === (run.fichier ? 'lancement' : 'demarrage')) passer(run, 'demarre');
    },
    // exit leaves the program's stack by an exception: the page goes on once it is out.
    onExit: pourElle((_, statut) => {
      run.statut = statut;
      queueMicrotask(() => vivante(run) && passer(run, 'sortie'));
    }),
  };
  try {
    // Compiled, the program starts within this call and runs to its first read: its first
    // slice counts from then, not from before the page compiled it.
    const compile = compiler();
    run.reprise = performance.now();
    if (compile instanceof WebAssembly.Module) {
      reglages.instantiateWasm = (importations, recevoir) => {
        try {
          const instance = new WebAssembly.Instance(compile, importations);
          recevoir(instance, compile);
          return instance.exports;
        } catch (erreur) {
          echec(erreur);
          return {};
        }
      };
    } else if (compile) {
      reglages.instantiateWasm = (importations, recevoir) => {
        compile.then((module) => WebAssembly.instantiate(module, importations)
          .then((instance) => recevoir(instance, module))).catch(echec);
        return {};
      };
    }
    creerVerifierSomme(reglages).catch(echec);
  } catch (erreur) {
    echec(erreur);  // a browser without WebAssembly, or a program that failed within the call
  }
}

// Reads the next pieces of the file of `run`, several at once, while it has fewer than
// `MORCEAUX_EN_AVANCE` ahead: each in order once it and those before it are read. Its end
// is the end of input.
function alimenter(run) {
  const { blob } = run.fichier;
  while (run.entree.length + run.enLecture.length < MORCEAUX_EN_AVANCE && run.demande < blob.size) {
    const debut = run.demande, place = { octets: null };
    run.demande = Math.min(debut + OCTETS_PAR_MORCEAU, blob.size);
    run.enLecture.push(place);
    blob.slice(debut, run.demande).arrayBuffer().then((morceau) => {
      if (!vivante(run)) return;
      place.octets = new Uint8Array(morceau);
      while (run.enLecture[0]?.octets) run.entree.push(run.enLecture.shift().octets);
      alimenter(run);
      reprendre(run);
    }, (erreur) => {
      run.erreur = erreur.message;
      if (vivante(run)) passer(run, 'illisible');
    });
  }
  if (run.demande === blob.size && run.enLecture.length === 0 && !run.entreeFinie) {
    run.entreeFinie = true;
    reprendre(run);
  }
}

// The program waits for at most `taille` bytes of input, handed to `rendre`. A run that
// has run for a slice hands the page its turn first.
function lire(run, taille, rendre) {
  run.rendre = rendre;
  run.taille = taille;
  run.observateur.attend(run);
  if (performance.now() - run.reprise <= TRANCHE_MS) {
    reprendre(run);
    return;
  }
  if (!run.canal) {
    run.canal = new MessageChannel();
    run.canal.port1.onmessage = () => {
      run.reprise = performance.now();
      run.tourCede = false;
      reprendre(run);
    };
  }
  // Until then, nothing else resumes it: neither a piece of the file read meanwhile, nor typing.
  run.tourCede = true;
  // A browser may run the messages that follow one another before it draws a frame: once
  // none has been drawn for a while, the run goes on after the next one (or a timer's
  // end, as a hidden page draws none).
  const canal = run.canal;
  if (!suivi) suivi = requestAnimationFrame(noterImage);
  if (performance.now() - derniereImage <= SANS_IMAGE_MS) {
    canal.port2.postMessage(null);
    return;
  }
  let une = () => {
    une = () => {};
    canal.port2.postMessage(null);
  };
  requestAnimationFrame(() => une());
  setTimeout(() => une(), SANS_IMAGE_MS);
}

// When the browser last drew a frame, as far as the runs that yield have seen; after this
// long without one, a run waits for it.
const SANS_IMAGE_MS = 50;
let derniereImage = 0, suivi = 0;
function noterImage() {
  derniereImage = performance.now();
  suivi = 0;
}

// Hands the waiting program at most `taille` bytes of input, or the end of input, once
// there is either.
function reprendre(run) {
  const rendre = run.rendre;
  const rien = run.entree.length === 0 && !run.entreeFinie;
  if (!rendre || run.retenue || run.tourCede || !vivante(run) || rien) return;
  run.rendre = null;
  const tete = run.entree[0] ?? new Uint8Array(0), taille = Math.min(run.taille, OCTETS_PAR_LECTURE);
  if (tete.length <= taille) run.entree.shift(); else run.entree[0] = tete.subarray(taille);
  run.lu += Math.min(tete.length, taille);
  if (run.fichier) alimenter(run);
  try {
    rendre(tete.subarray(0, taille));
  } catch (e) {
    if (e?.name === 'ExitStatus') return;  // how exit leaves the program, handled by onExit
    run.erreur = String(e);
    passer(run, 'panne');
    throw e;
  }
}

// Holds `run` at its next read, until `relacher`: what it wrote waits to be taken.
export function retenir(run) {
  run.retenue = true;
}

export function relacher(run) {
  if (!run.retenue) return;
  run.retenue = false;
  run.reprise = performance.now();
  reprendre(run);
}

// Hands `octets` to the program as typed input.
export function donner(run, octets) {
  if (!vivante(run) || run.entreeFinie) return;
  run.entree.push(octets);
  run.reprise = performance.now();
  reprendre(run);
}

// Ends the input of a typed session.
export function finirEntree(run) {
  run.entreeFinie = true;
  passer(run, 'finie');
  reprendre(run);
}
