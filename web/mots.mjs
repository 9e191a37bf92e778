// The page's own words around the program, pure functions of what they are told: the lines
// a file run refused.
const NBSP = '\u00a0';

// The first lines that a file run refused, by their numbers in the file, out of `total`.
export function lignesRefusees(numeros, total) {
  if (!total) return '';
  const autres = total - numeros.length, s = total > 1 ? 's' : '';
  const liste = autres ? `${numeros.join(', ')} et ${autres}${NBSP}autre${autres > 1 ? 's' : ''}`
    : numeros.join(', ').replace(/, (?=\d+$)/, ' et ');
  return `Ligne${s} refusée${s}${NBSP}: ${liste}.`;
}
