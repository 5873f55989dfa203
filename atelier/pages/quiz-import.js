// « Importer »: a GIFT or Aiken file read by the server; the page shows what
// came in and what did not (with its line and reason), and adds the
// questions to the quiz only when the teacher says so.
import { api, el, montreErreur, effaceMessages } from './commun.js';

// Aiken files end each question with « ANSWER: X »; anything else is GIFT.
function formatProbable(nom, texte) {
  if (/\.gift$/i.test(nom)) return 'gift';
  return /^\s*ANSWER\s*:/im.test(texte) ? 'aiken' : 'gift';
}

function compte(n, un, plusieurs) { return `${n} ${n > 1 ? plusieurs : un}`; }

export function zoneImport(ajoute) {
  const resultat = el('div', { classe: 'import', id: 'import-resultat', 'aria-live': 'polite' });
  const choixFormat = el('select', { id: 'import-format' },
    el('option', { value: '', texte: 'Reconnu tout seul' }),
    el('option', { value: 'gift', texte: 'GIFT (Moodle)' }),
    el('option', { value: 'aiken', texte: 'Aiken' }));
  const fichier = el('input', { type: 'file', id: 'import-fichier', accept: '.gift,.txt,.aiken,text/plain' });
  const importer = el('button', { type: 'button', texte: 'Importer' });

  const montre = (r, nom) => {
    const questions = r.questions || [];
    const refus = r.refus || [];
    const ajouter = el('button', {
      type: 'button', classe: 'principal', texte: `Ajouter ${compte(questions.length, 'question', 'questions')} au quiz`, disabled: questions.length === 0,
      onclick: () => { ajoute(questions); resultat.replaceChildren(el('p', { classe: 'message bien', texte: `${compte(questions.length, 'question ajoutée', 'questions ajoutées')} à la fin du quiz (pas encore enregistré).` })); },
    });
    const annuler = el('button', { type: 'button', texte: 'Annuler', onclick: () => resultat.replaceChildren() });
    resultat.replaceChildren(
      el('h3', { texte: `Dans « ${nom} » : ${compte(questions.length, 'question reprise', 'questions reprises')}, ${compte(refus.length, 'refusée', 'refusées')}` }),
      questions.length ? el('ol', {}, questions.map((q) => el('li', { texte: (q.question || '').split('|').join(' ') }))) : null,
      refus.length ? el('div', { classe: 'message avertissement' },
        el('span', { classe: 'sorte', texte: 'Non reprises :' }),
        el('ul', { id: 'import-refus' }, refus.map((x) => el('li', {}, el('strong', { texte: `ligne ${x.ligne}` }), ' : ', x.raison || '')))) : null,
      el('div', { classe: 'actions' }, ajouter, annuler));
    (questions.length ? ajouter : annuler).focus();
  };

  const lance = async () => {
    effaceMessages();
    const f = fichier.files[0];
    if (!f) {
      resultat.replaceChildren(el('p', { classe: 'message avertissement', texte: 'Choisissez d’abord le fichier à importer.' }));
      fichier.focus();
      return;
    }
    const octets = await f.arrayBuffer();
    const format = choixFormat.value || formatProbable(f.name, new TextDecoder('latin1').decode(octets.slice(0, 65536)));
    try {
      const r = await api('POST', `/api/import?format=${format}`, octets, 'text/plain');
      montre(r, f.name);
    } catch (e) {
      montreErreur(e);
    }
  };
  importer.addEventListener('click', lance);

  return el('details', { classe: 'bloc-import' },
    el('summary', { texte: 'Importer des questions (GIFT ou Aiken)' }),
    el('div', { classe: 'champs' },
      el('div', {}, el('label', { for: 'import-fichier', texte: 'Fichier GIFT ou Aiken' }), fichier),
      el('div', {}, el('label', { for: 'import-format', texte: 'Format' }), choixFormat)),
    el('div', { classe: 'actions' }, importer),
    resultat);
}
