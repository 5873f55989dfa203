// « Résultats »: the class table (sortable), each question's share right,
// the hardest first, with the chart of the answers chosen, the pupil ×
// question grid, the exports, and « Rejouer ».
import { api, demarrePage, el, elementDiagnostic, montreErreur, montreMessage } from './commun.js';
import { graphiqueChoix } from './graphique.js';

const page = document.getElementById('page');

const COLONNES = [
  { cle: 'nom', titre: 'Nom' },
  { cle: 'prenom', titre: 'Prénom' },
  { cle: 'justes', titre: 'Justes', nombre: true },
  { cle: 'fausses', titre: 'Fausses', nombre: true },
  { cle: 'secondes', titre: 'Secondes', nombre: true },
  { cle: 'score', titre: 'Score', nombre: true, montre: (v) => (v === null || v === undefined ? '' : `${Math.round(Number(v))} %`) },
  { cle: 'note', titre: 'Note' },
];

let donnees = null;
let tri = { cle: 'nom', sens: 1 };

const nomComplet = (e) => `${e.prenom || ''} ${e.nom || ''}`.trim();

function compare(a, b) {
  const c = COLONNES.find((x) => x.cle === tri.cle);
  const va = a[tri.cle], vb = b[tri.cle];
  const r = c.nombre ? (Number(va) || 0) - (Number(vb) || 0) : String(va || '').localeCompare(String(vb || ''), 'fr', { sensitivity: 'base' });
  return r * tri.sens || String(a.nom).localeCompare(String(b.nom), 'fr');
}

function tableClasse() {
  const eleves = [...donnees.eleves].sort(compare);
  const tete = el('tr', {}, COLONNES.map((c) => {
    const courant = tri.cle === c.cle;
    const th = el('th', { scope: 'col', classe: c.nombre ? 'nombre' : null, 'aria-sort': courant ? (tri.sens > 0 ? 'ascending' : 'descending') : 'none' },
      el('button', {
        type: 'button', classe: 'tri', id: `tri-${c.cle}`,
        texte: `${c.titre}${courant ? (tri.sens > 0 ? ' ▲' : ' ▼') : ''}`,
        'aria-label': `Trier par ${c.titre.toLowerCase()}`,
        onclick: () => { tri = { cle: c.cle, sens: courant ? -tri.sens : (c.nombre ? -1 : 1) }; dessine(`tri-${c.cle}`); },
      }));
    return th;
  }), el('th', { scope: 'col', texte: 'Rejouer' }));
  const lignes = eleves.map((e) => el('tr', {},
    COLONNES.map((c) => el('td', { classe: c.nombre ? 'nombre' : null, texte: c.montre ? c.montre(e[c.cle]) : (e[c.cle] === undefined || e[c.cle] === null ? '' : String(e[c.cle])) })),
    el('td', {}, el('button', { type: 'button', classe: 'petit', texte: 'Rejouer', 'aria-label': `Rejouer : ${nomComplet(e)}`, onclick: () => demandeRejouer(e) }))));
  return el('table', { id: 'table-classe', 'aria-label': 'Les résultats de la classe' }, el('thead', {}, tete), el('tbody', {}, lignes));
}

const part = (q) => (q.vus ? q.justes / q.vus : 1);

function parQuestion() {
  const questions = [...donnees.questions].sort((a, b) => part(a) - part(b) || a.numero - b.numero);
  return el('ol', { classe: 'questions-resultats', id: 'par-question' }, questions.map((q) => el('li', { id: `resultat-q${q.numero}` },
    el('h3', { texte: `Question ${q.numero} : ${(q.texte || '').split('|').join(' ')}` }),
    el('p', {}, q.vus
      ? `${q.justes} élève${q.justes > 1 ? 's' : ''} sur ${q.vus} ${q.justes > 1 ? 'ont' : 'a'} bien répondu (${Math.round(100 * part(q))} %)` +
        (q.mediane !== undefined && q.mediane !== null ? `, en ${q.mediane} s (médiane).` : '.')
      : 'Aucun élève n’a encore vu cette question.'),
    el('div', { classe: 'graphique' }, graphiqueChoix(q)))));
}

// One cell of the grid: ✓ right, ✗ and the answer chosen, — time ran out,
// · not asked to this pupil.
function cellule(reponse) {
  const c = (classe, signe, mots) => el('td', { classe: `symbole ${classe}` },
    el('span', { 'aria-hidden': 'true', texte: signe }), el('span', { classe: 'cache', texte: mots }));
  if (!reponse) return c('', '·', 'pas posée');
  if (reponse.juste) return c('juste', '✓', `juste (réponse ${reponse.reponse})`);
  if (!reponse.reponse) return c('fausse', '—', 'sans réponse, temps écoulé');
  return c('fausse', `✗${reponse.reponse}`, `fausse (réponse ${reponse.reponse})`);
}

function grille() {
  const questions = [...donnees.questions].sort((a, b) => a.numero - b.numero);
  const eleves = [...donnees.eleves].sort(compare);
  const tete = el('tr', {}, el('th', { scope: 'col', texte: 'Élève' }),
    questions.map((q) => el('th', { scope: 'col', classe: 'nombre', title: (q.texte || '').split('|').join(' '), texte: `Q${q.numero}` })));
  const lignes = eleves.map((e) => {
    const parNumero = new Map((e.reponses || []).map((r) => [r.question, r]));
    return el('tr', {}, el('th', { scope: 'row', texte: nomComplet(e) }), questions.map((q) => cellule(parNumero.get(q.numero))));
  });
  return el('div', { classe: 'defile' },
    el('table', { classe: 'grille', id: 'grille', 'aria-label': 'Les réponses de chaque élève à chaque question' }, el('thead', {}, tete), el('tbody', {}, lignes)),
    el('p', { classe: 'legende', texte: '✓ juste · ✗3 fausse (la réponse 3 choisie) · — temps écoulé sans réponse · « · » question pas posée à cet élève' }));
}

function dessine(focus) {
  const diagnostics = donnees.diagnostics || [];
  const vide = !donnees.eleves.length;
  page.replaceChildren(
    diagnostics.length ? el('div', { classe: 'message avertissement' }, el('span', { classe: 'sorte', texte: 'Dans les fichiers :' }),
      el('ul', {}, diagnostics.map((d) => elementDiagnostic(d)))) : '',
    el('div', { classe: 'actions' },
      el('a', { classe: 'bouton', href: '/api/resultats.csv', download: 'resultats.csv', texte: 'Télécharger le tableau (CSV)' }),
      el('a', { classe: 'bouton', href: '/api/resultats.html', target: '_blank', rel: 'noopener', texte: 'Ouvrir la page des résultats (HTML)' })),
    el('h2', { texte: 'La classe' }),
    vide ? el('p', { texte: 'Aucun élève n’a encore joué.' }) : tableClasse(),
    el('h2', { texte: 'Question par question, la plus difficile d’abord' }),
    donnees.questions.length ? parQuestion() : el('p', { texte: 'Pas encore de réponses.' }),
    el('h2', { texte: 'Élève par question' }),
    vide ? el('p', { texte: 'Pas encore de réponses.' }) : grille(),
    dialogue);
  if (focus) document.getElementById(focus)?.focus();
}

// « Rejouer », once the teacher has confirmed it for this pupil by name.
const dialogue = el('dialog', { id: 'dialogue-rejouer', 'aria-labelledby': 'rejouer-titre' });
function demandeRejouer(eleve) {
  const nom = nomComplet(eleve);
  const confirmer = el('button', { type: 'button', classe: 'principal', texte: 'Rejouer', onclick: () => { dialogue.close(); rejoue(eleve); } });
  dialogue.replaceChildren(
    el('h2', { id: 'rejouer-titre', texte: `Faire rejouer ${nom} ?` }),
    el('p', { texte: `Les résultats de ${nom} seront rangés dans un dossier d’archives daté (jamais effacés), et ${nom} pourra jouer de nouveau.` }),
    el('div', { classe: 'actions' }, confirmer, el('button', { type: 'button', texte: 'Annuler', onclick: () => dialogue.close() })));
  dialogue.showModal();
  confirmer.focus();
}

async function rejoue(eleve) {
  try {
    const r = await api('POST', '/api/rejouer', { cle: eleve.cle, version: eleve.version });
    await charge();
    montreMessage('bien', `${nomComplet(eleve)} peut rejouer. Ses résultats sont rangés dans ${r.archive || 'les archives'}.`);
  } catch (e) {
    montreErreur(e);
  }
}

async function charge() {
  donnees = await api('GET', '/api/resultats');
  donnees.eleves = donnees.eleves || [];
  donnees.questions = donnees.questions || [];
  dessine(null);
}

async function demarre() {
  await demarrePage('resultats');
  try {
    await charge();
  } catch (e) {
    montreErreur(e);
  }
}

demarre().catch(() => {});
