// The transcript as saved by « Enregistrer la transcription »: exactly the bytes the program
// wrote and, in a typed session, what was typed. A typed session is small, and its bytes
// are kept as they come. A file run keeps none: the program is deterministic, so saving
// runs it again on the same file, into the saved file, cut where the run was stopped.
import { creer, demarrer, passer } from './execution.mjs';

// Keeps a copy of `octets` for saving, in a typed session.
export function garder(run, octets) {
  if (!run.fichier) (run.gardes ??= []).push(octets.slice());
}

// Bytes gathered into a Blob of this many at a time: the pieces of a long run are let go
// as it goes, not all held until its end.
const OCTETS_PAR_BLOB = 1 << 24;

// The transcript of `run` as a Blob, once it is made. `avancer(lus)` hears how far the
// file has been read again.
export function transcription(run, avancer = () => {}) {
  if (!run.fichier) return Promise.resolve(new Blob(run.gardes ?? [], { type: 'text/plain' }));
  const limite = run.ecrits, blobs = [];
  let pieces = [], enPieces = 0, ecrits = 0;
  const rassembler = () => {
    blobs.push(new Blob(pieces));
    pieces = [];
    enPieces = 0;
  };
  return new Promise((fini, echoue) => {
    const rejoue = creer(run.fichier, {
      sortie(_, octets) {
        const garde = octets.slice(0, limite - ecrits);
        ecrits += garde.length;
        pieces.push(garde);
        if ((enPieces += garde.length) >= OCTETS_PAR_BLOB) rassembler();
        if (ecrits === limite) passer(rejoue, 'arretee');
      },
      lecture: () => avancer(rejoue.lu),
      verdict() {}, refus() {}, reponse() {},
      etat() {
        if (rejoue.etat === 'echec') echoue(new Error(rejoue.erreur));
        if (rejoue.etat !== 'arretee' && rejoue.etat !== 'terminee') return;
        rassembler();
        fini(new Blob(blobs, { type: 'text/plain' }));
      },
    });
    if (limite === 0) passer(rejoue, 'arretee'); else demarrer(rejoue);
  });
}

// Saves `blob` as `nom` through the browser's download, its address let go once the
// download has started.
export function telecharger(blob, nom) {
  const lien = document.createElement('a');
  lien.href = URL.createObjectURL(blob);
  lien.download = nom;
  lien.click();
  setTimeout(() => URL.revokeObjectURL(lien.href));
}
