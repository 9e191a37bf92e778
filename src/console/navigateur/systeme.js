// The browser side of the console's system, linked into the program by emcc
// (--js-library). The page that starts the program passes `systeme` among the module's
// settings, an object with:
//   lire(taille, rendre): calls rendre(octets) with 1 to `taille` bytes of input, or with
//     no bytes once input has ended; at once if it can, or later, the program suspended
//     until then;
//   ecrire(octets), signaler(octets): bytes for standard output and standard error, a
//     view of the program's memory that holds them only until the call returns.
/* global mergeInto, LibraryManager, Asyncify, HEAPU8, Module */  // emcc's, where this file goes
mergeInto(LibraryManager.library, {
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
  signalerNavigateur: function(ligne, taille) {
    Module['systeme']['signaler'](HEAPU8.subarray(ligne, ligne + taille));
  },
});
