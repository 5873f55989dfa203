// « Le quiz »: the quiz's header lines, one card per question, the live
// preview, « Importer » and « Enregistrer ».
import { api, demarrePage, el, elementDiagnostic, marqueModifie, montreErreur, montreMessage, effaceMessages, vaAuLieu } from './commun.js';
import { Apercu } from './apercu.js';
import { carte, ajouteAuxSelecteurs } from './quiz-carte.js';
import { chargeMedias, quandNouveau } from './medias.js';
import { zoneImport } from './quiz-import.js';

const page = document.getElementById('page');

const etat = { version: 'absent', versionTexte: 'absent', titre: '', theme: '', note: '', questions: [] };
let liste = null;
let apercu = null;
let active = 0;

export function questionVide() {
  return { question: '', media: null, reponses: [1, 2, 3, 4].map(() => ({ texte: '', image: '' })), bonne: 1 };
}

const copie = (q) => JSON.parse(JSON.stringify(q));

// The record as the server reads it: four answers, a right answer 1 to 4.
function normale(q) {
  const r = copie(q);
  r.reponses = [0, 1, 2, 3].map((k) => ({ texte: (q.reponses[k] && q.reponses[k].texte) || '', image: (q.reponses[k] && q.reponses[k].image) || '' }));
  r.bonne = Number(q.bonne) >= 1 && Number(q.bonne) <= 4 ? Number(q.bonne) : 0;  // 0: none valid, said on the card
  r.media = q.media && q.media.nom ? q.media : null;
  return r;
}

const actions = {
  change(i) {
    marqueModifie();
    if (i !== active) activeCarte(i, false);
    apercu.redessineBientot(etat.questions[i], i);
  },
  deplace(i, pas) {
    const j = i + pas;
    if (j < 0 || j >= etat.questions.length) return;
    [etat.questions[i], etat.questions[j]] = [etat.questions[j], etat.questions[i]];
    marqueModifie();
    dessine();
    activeCarte(j, true);
    document.querySelector(`#q${j} button[aria-label^="${pas < 0 ? 'Monter' : 'Descendre'}"]`)?.focus();
  },
  duplique(i) {
    etat.questions.splice(i + 1, 0, copie(etat.questions[i]));
    marqueModifie();
    dessine();
    activeCarte(i + 1, true);
    document.getElementById(`q${i + 1}-question`)?.focus();
  },
  supprime(i) {
    const partie = etat.questions.splice(i, 1)[0];
    marqueModifie();
    dessine();
    if (etat.questions.length) activeCarte(Math.min(i, etat.questions.length - 1), true);
    const premiere = (partie.question || '').split('|')[0] || `la question ${i + 1}`;
    const annule = el('button', {
      type: 'button', texte: 'Annuler la suppression',
      onclick: () => {
        etat.questions.splice(i, 0, partie);
        dessine();
        activeCarte(i, true);
        effaceMessages();
        document.getElementById(`q${i}-question`)?.focus();
      },
    });
    montreMessage('avertissement', `La question ${i + 1} (« ${premiere} ») est supprimée (pas encore enregistré).`, [annule]);
    annule.focus();
  },
};

function activeCarte(i, redessine) {
  active = i;
  for (const c of liste.children) c.classList.toggle('active', Number(c.dataset.index) === i);
  if (redessine && etat.questions[i]) apercu.dessine(etat.questions[i], i);
}

function dessine() {
  liste.replaceChildren(...etat.questions.map((q, i) => carte(q, i, etat.questions.length, actions)));
  document.getElementById('compte-questions').textContent =
    `${etat.questions.length} question${etat.questions.length > 1 ? 's' : ''}`;
  for (const c of liste.children) c.classList.toggle('active', Number(c.dataset.index) === active);
}

function ajouteQuestion() {
  etat.questions.push(questionVide());
  marqueModifie();
  dessine();
  const i = etat.questions.length - 1;
  activeCarte(i, true);
  document.getElementById(`q${i}-question`).focus();
}

export function ajouteQuestions(questions) {
  const debut = etat.questions.length;
  etat.questions.push(...questions.map(normale));
  marqueModifie();
  dessine();
  activeCarte(debut, true);
  document.getElementById(`q${debut}`)?.scrollIntoView({ block: 'start' });
}

// The diagnostics of a refused save, beside the fields they name.
function placeDiagnostics(diagnostics) {
  for (const champ of page.querySelectorAll('[data-diagnostic]')) {
    champ.setAttribute('aria-invalid', 'false');
    champ.removeAttribute('data-diagnostic');
  }
  for (const d of diagnostics) {
    const l = d.lieu || {};
    const champ = Number.isInteger(l.question)
      ? document.getElementById(`q${l.question}-${l.champ || 'question'}`)
      : l.champ && document.getElementById(`quiz-${l.champ}`);
    if (champ) {
      champ.setAttribute('aria-invalid', 'true');
      champ.setAttribute('data-diagnostic', '');
    }
  }
}

async function enregistre() {
  effaceMessages();
  const trop = etat.questions.findIndex((q) => (q.question || '').split('|').length > 3);
  if (trop >= 0) {
    montreMessage('erreur', `La question ${trop + 1} a plus de trois lignes.`);
    document.getElementById(`q${trop}-question`)?.focus();
    return;
  }
  const corps = {
    version: etat.version, version_texte: etat.versionTexte,
    titre: etat.titre, theme: etat.theme, note: etat.note,
    questions: etat.questions.map(normale),
  };
  try {
    const r = await api('PUT', '/api/quiz', corps);
    etat.version = r.version;
    if (r.version_texte) etat.versionTexte = r.version_texte;
    marqueModifie(false);
    placeDiagnostics([]);
    const avertissements = r.diagnostics || [];
    montreMessage('bien', el('span', {}, `Le quiz est enregistré : ${etat.questions.length} questions, prêtes pour le jeu.`,
      avertissements.length ? el('ul', {}, avertissements.map((d) => elementDiagnostic(d))) : null));
  } catch (e) {
    if (e.donnees && e.donnees.diagnostics) placeDiagnostics(e.donnees.diagnostics);
    montreErreur(e);
  }
}

function champEntete(cle, titre, aide) {
  const entree = el('input', { type: 'text', id: `quiz-${cle}`, value: etat[cle] || '', autocomplete: 'off' });
  entree.addEventListener('input', () => { etat[cle] = entree.value; marqueModifie(); });
  return el('div', {}, el('label', { for: entree.id, texte: titre }), entree, aide ? el('p', { classe: 'aide', texte: aide }) : null);
}

async function demarre() {
  await demarrePage('quiz');
  let diagnosticsDuFichier = [];
  try {
    const [q] = await Promise.all([api('GET', '/api/quiz'), chargeMedias()]);
    etat.version = q.version;
    etat.versionTexte = q.version_texte || 'absent';
    etat.titre = q.titre || '';
    etat.theme = q.theme || '';
    etat.note = q.note || '';
    etat.questions = (q.questions || []).map(normale);
    diagnosticsDuFichier = q.diagnostics || [];
  } catch (e) {
    montreErreur(e);
    return;
  }
  quandNouveau(ajouteAuxSelecteurs);
  apercu = new Apercu();
  liste = el('ol', { classe: 'cartes', 'aria-label': 'Les questions' });
  liste.addEventListener('focusin', (e) => {
    const c = e.target.closest('.carte');
    if (c && Number(c.dataset.index) !== active) activeCarte(Number(c.dataset.index), true);
  });
  page.replaceChildren(
    el('fieldset', { classe: 'entete-quiz' }, el('legend', { texte: 'Titre, thème et note du quiz' }),
      el('div', { classe: 'champs' },
        champEntete('titre', 'Titre', 'La première ligne du quiz.'),
        champEntete('theme', 'Thème', null),
        champEntete('note', 'Note pour vous', 'Le jeu ne la montre pas.'))),
    el('div', { classe: 'barre-quiz' }, el('strong', { id: 'compte-questions' }), zoneImport(ajouteQuestions)),
    el('div', { classe: 'quiz' },
      el('div', {}, liste,
        el('div', { classe: 'actions' }, el('button', { type: 'button', texte: 'Ajouter une question', onclick: ajouteQuestion }))),
      apercu.element),
    el('div', { classe: 'pied-fixe' },
      el('button', { type: 'button', classe: 'principal', id: 'enregistrer', texte: 'Enregistrer', onclick: enregistre }),
      el('span', { id: 'etat-enregistrement', 'aria-live': 'polite', texte: 'Tout est enregistré.' })));
  dessine();
  if (etat.questions.length) activeCarte(0, true);
  if (diagnosticsDuFichier.length) {
    placeDiagnostics(diagnosticsDuFichier);
    montreMessage('avertissement', el('span', {}, 'Dans le quiz tel qu’il est enregistré :',
      el('ul', {}, diagnosticsDuFichier.map((d) => elementDiagnostic(d)))));
  }
  vaAuLieu();
  window.addEventListener('hashchange', vaAuLieu);
}

demarre().catch(() => {});
