// The transcript as saved by « Enregistrer la transcription »: exactly the bytes the program
// wrote and, in a typed session, what was typed. A typed session is small, and its bytes
// are kept as they come. A file run keeps none: the program is deterministic, so saving
// runs it again on the same file, into the saved file, cut where the run was stopped.
import { creer, demarrer, passer, relacher, retenir, vivante } from './execution.mjs';

// Keeps a copy of `octets` for saving, in a typed session.
export function garder(run, octets) {
  if (!run.fichier) (run.gardes ??= []).push(octets.slice());
}

// The run again hands its output on in pieces of this many bytes, and is held at its next
// read while this many wait to be taken: the transcript is never whole in the page.
const OCTETS_PAR_PIECE = 1 << 20;
const OCTETS_EN_ATTENTE = 1 << 24;
// Chromium and Firefox make a Blob of a stream as it comes, and keep it on disk once it is
// large (3.2 GB saved, the browser 200 MiB above the page at rest). WebKit gathers it in
// memory, then copies it whole, the page frozen meanwhile (1.4 GB and 1.5 s for 316 MB):
// there each piece becomes a Blob as it comes, then one of them all, which WebKit keeps in
// memory (400 MiB for 316 MB). Pieces gathered into Blobs of 16 MiB held a frame up for
// 67 ms each.
const SUR_DISQUE = !/^Apple/.test(navigator.vendor);

// The transcript of `run` as a Blob, once it is made. `avancer(lus)` hears how far the
// file has been read again.
export function transcription(run, avancer = () => {}) {
  if (!run.fichier) return Promise.resolve(new Blob(run.gardes ?? [], { type: 'text/plain' }));
  const flux = sortie(run, avancer);
  if (SUR_DISQUE) return new Response(flux, { headers: { 'Content-Type': 'text/plain' } }).blob();
  return rassembler(flux.getReader());
}

// The Blob of all that `lecteur` reads, in WebKit.
async function rassembler(lecteur) {
  const blobs = [];
  for (;;) {
    const { done, value } = await lecteur.read();
    if (done) return new Blob(blobs, { type: 'text/plain' });
    blobs.push(new Blob([value]));
  }
}

// The output of `run` again, to the length it had, as a stream that runs the program only
// while the stream is read.
function sortie(run, avancer) {
  const limite = run.ecrits;
  let rejoue, piece = new Uint8Array(OCTETS_PAR_PIECE), remplie = 0, ecrits = 0;
  return new ReadableStream({
    start(flux) {
      const livrer = () => {
        flux.enqueue(piece.subarray(0, remplie));
        piece = new Uint8Array(OCTETS_PAR_PIECE);
        remplie = 0;
      };
      rejoue = creer(run.fichier, {
        sortie(_, octets) {
          let reste = octets.subarray(0, limite - ecrits);
          ecrits += reste.length;
          while (reste.length > 0) {
            const n = Math.min(reste.length, piece.length - remplie);
            piece.set(reste.subarray(0, n), remplie);
            remplie += n;
            reste = reste.subarray(n);
            if (remplie === piece.length) livrer();
          }
          if (flux.desiredSize <= 0) retenir(rejoue);
          // What a stopped run wrote is all there: no further.
          if (ecrits === limite && vivante(rejoue)) passer(rejoue, 'arret');
        },
        attend: () => avancer(rejoue.lu),
        verdict() {}, refus() {}, reponse() {},
        etat() {
          if (rejoue.etat === 'echec' || rejoue.etat === 'illisible') flux.error(new Error(rejoue.erreur));
          if (rejoue.etat !== 'arretee' && rejoue.etat !== 'fichierFini') return;
          if (remplie > 0) livrer();
          flux.close();
        },
      });
      if (limite === 0) passer(rejoue, 'arret'); else demarrer(rejoue);
    },
    pull() {
      relacher(rejoue);
    },
    cancel() {
      if (vivante(rejoue)) passer(rejoue, 'remplace');
    },
  }, new ByteLengthQueuingStrategy({ highWaterMark: OCTETS_EN_ATTENTE }));
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
