// The browser side of the console's system, linked into the program by emcc
// (--js-library). The page that starts the program passes `systeme` among the module's
// settings, an object with:
//   lire(taille, rendre): calls rendre(octets) with 1 to `taille` bytes of input, or with
//     no bytes once input has ended; at once if it can, or later, the program suspended
//     until then;
//   ecrire(octets): bytes for standard output, a view of the program's memory that holds
//     them only until the call returns;
//   verdict(genre, n1, n2, somme, fin), refus(regle, memoire, debut, taille, longueur, numero),
//     reponse(encore): what the program decided (see annoncerVerdict and the others in
//     console/systeme.hpp), the names as strings; `fin`, where the verdict's text ends,
//     counts every byte written since the start, those that ecrire has not yet been given
//     included; the refused line's first bytes are the `taille` at `debut` in `memoire`,
//     the program's memory, only until the call returns.
// emcc's, where this file goes:
/* global mergeInto, LibraryManager, Asyncify, HEAPU8, Module, nomNavigateur */
mergeInto(LibraryManager.library, {
  // The name of `taille` ASCII bytes at `adresse`, decoded once: names are constants.
  $nomNavigateur: function(adresse, taille) {
    const noms = nomNavigateur.noms || (nomNavigateur.noms = new Map());
    let nom = noms.get(adresse);
    if (nom === undefined) {
      nom = String.fromCharCode.apply(null, HEAPU8.subarray(adresse, adresse + taille));
      noms.set(adresse, nom);
    }
    return nom;
  },
  lireNavigateur: function(tampon, taille) {
    return Asyncify.handleSleep(function(reveiller) {
      Module['systeme']['lire'](taille, function(octets) {
        HEAPU8.set(octets, tampon);
        reveiller(octets.length);
      });
    });
  },
  ecrireNavigateur: function(donnees, taille) {
    Module['systeme']['ecrire'](HEAPU8.subarray(donnees, donnees + taille));
  },
  annoncerVerdictNavigateur__deps: ['$nomNavigateur'],
  annoncerVerdictNavigateur: function(genre, tailleGenre, n1, n2, somme, fin) {
    Module['systeme']['verdict'](nomNavigateur(genre, tailleGenre), n1, n2, somme, fin);
  },
  annoncerRefusNavigateur__deps: ['$nomNavigateur'],
  annoncerRefusNavigateur: function(regle, tailleRegle, debut, tailleDebut, longueur, numero) {
    Module['systeme']['refus'](nomNavigateur(regle, tailleRegle), HEAPU8, debut, tailleDebut, longueur,
      numero);
  },
  annoncerReponseNavigateur: function(encore) {
    Module['systeme']['reponse'](encore !== 0);
  },
});
