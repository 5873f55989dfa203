// The chart of one question's answers, drawn as SVG: one bar per answer and
// one for « sans réponse », each labelled in words with its count; the right
// answer's bar is hatched and says « bonne réponse », so that nothing rests
// on colour alone.

const NS = 'http://www.w3.org/2000/svg';
let graphiques = 0;

function svg(tag, attributs = {}, texte) {
  const e = document.createElementNS(NS, tag);
  for (const [k, v] of Object.entries(attributs)) e.setAttribute(k, String(v));
  if (texte !== undefined) e.textContent = texte;
  return e;
}

// Cuts a label to `n` characters, with an ellipsis.
function court(texte, n) {
  const t = [...(texte || '').split('|').join(' ')];
  return t.length > n ? `${t.slice(0, n - 1).join('')}…` : t.join('');
}

// `question`: {numero, texte, reponses: [4 texts], bonne: 1…4, vus, choix: [n1, n2, n3, n4, aucune]}.
export function graphiqueChoix(question) {
  const id = `hachures-${++graphiques}`;
  const lignes = [0, 1, 2, 3].map((k) => ({
    etiquette: `${k + 1}. ${court(question.reponses && question.reponses[k], 28)}`,
    nombre: (question.choix && question.choix[k]) || 0,
    bonne: question.bonne === k + 1,
  }));
  lignes.push({ etiquette: 'Sans réponse (temps écoulé)', nombre: (question.choix && question.choix[4]) || 0, bonne: false });
  const total = Math.max(1, question.vus || lignes.reduce((s, l) => s + l.nombre, 0));
  const largeur = 860, hauteurLigne = 32, gauche = 290, barreMax = 320;
  const hauteur = lignes.length * hauteurLigne + 12;
  const racine = svg('svg', {
    viewBox: `0 0 ${largeur} ${hauteur}`, width: largeur, height: hauteur, role: 'img',
    'aria-label': `Réponses choisies à la question ${question.numero} : ` +
      lignes.map((l) => `${l.etiquette}${l.bonne ? ' (bonne réponse)' : ''} : ${l.nombre}`).join(' ; '),
  });
  const defs = svg('defs');
  const motif = svg('pattern', { id, width: 8, height: 8, patternUnits: 'userSpaceOnUse', patternTransform: 'rotate(45)' });
  motif.append(svg('rect', { width: 8, height: 8, fill: '#d4e8d6' }), svg('line', { x1: 0, y1: 0, x2: 0, y2: 8, stroke: '#1d5e2a', 'stroke-width': 4 }));
  defs.append(motif);
  racine.append(defs);
  lignes.forEach((l, k) => {
    const y = 6 + k * hauteurLigne;
    const longueur = Math.round((l.nombre / total) * barreMax);
    racine.append(svg('text', { x: gauche - 10, y: y + 21, 'text-anchor': 'end', 'font-size': 16, fill: '#1a1a1a', 'font-weight': l.bonne ? 'bold' : 'normal' }, l.etiquette));
    racine.append(svg('rect', { x: gauche, y: y + 4, width: barreMax, height: hauteurLigne - 10, fill: '#f1efe9', stroke: '#b9b4a8' }));
    if (longueur > 0) {
      racine.append(svg('rect', {
        x: gauche, y: y + 4, width: longueur, height: hauteurLigne - 10,
        fill: l.bonne ? `url(#${id})` : '#8a8a8a', stroke: l.bonne ? '#1d5e2a' : '#4a4a4a', 'stroke-width': l.bonne ? 2 : 1,
      }));
    }
    const part = Math.round((100 * l.nombre) / total);
    racine.append(svg('text', { x: gauche + barreMax + 10, y: y + 21, 'font-size': 16, fill: '#1a1a1a' },
      `${l.nombre} (${part} %)${l.bonne ? ' ✓ bonne réponse' : ''}`));
  });
  return racine;
}
