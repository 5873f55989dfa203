// The home page: the data folder and what the check finds in it, each
// problem linked to the page that mends it; the folder chooser while none is
// chosen.
import { api, demarrePage, el, elementDiagnostic, montreErreur, montreMessage, effaceMessages } from './commun.js';

const page = document.getElementById('page');

function chiffre(valeur, mot) {
  return el('div', { classe: 'chiffre' }, el('strong', { texte: String(valeur) }), mot);
}

async function montreDossier() {
  const a = await api('GET', '/api/accueil');
  const diagnostics = a.diagnostics || [];
  const erreurs = diagnostics.filter((d) => d.gravite !== 'avertissement');
  const avertissements = diagnostics.filter((d) => d.gravite === 'avertissement');
  const bilan = erreurs.length
    ? el('div', { classe: 'message erreur' }, el('span', { classe: 'sorte', texte: 'À corriger :' }),
      `${erreurs.length} problème${erreurs.length > 1 ? 's empêchent' : ' empêche'} le jeu de lire ce dossier comme il faut.`)
    : el('div', { classe: 'message bien' }, el('span', { classe: 'sorte', texte: 'Tout est prêt :' }),
      avertissements.length ? 'le jeu lira ce dossier ; quelques points sont à vérifier.' : 'le jeu lira ce dossier sans problème.');
  const liste = (titre, ds) => ds.length
    ? [el('h2', { texte: titre }), el('ul', { classe: 'diagnostics', id: titre === 'À corriger' ? 'a-corriger' : 'a-verifier' }, ds.map((d) => elementDiagnostic(d)))]
    : [];
  page.replaceChildren(
    el('p', {}, 'Dossier du jeu : ', el('span', { classe: 'chemin', texte: a.dossier || '' })),
    el('div', { classe: 'chiffres' },
      chiffre(a.eleves ?? 0, 'élèves dans la classe'),
      chiffre(a.questions ?? 0, 'questions dans le quiz'),
      chiffre(a.resultats ?? 0, 'élèves ont joué')),
    bilan,
    ...liste('À corriger', erreurs),
    ...liste('À vérifier', avertissements),
    el('h2', { texte: 'Que faire ensuite ?' }),
    el('ul', {},
      el('li', {}, el('a', { href: '/classe.html', texte: 'La classe' }), ' : la liste des élèves.'),
      el('li', {}, el('a', { href: '/quiz.html', texte: 'Le quiz' }), ' : les questions, avec l’aperçu de l’écran de l’élève.'),
      el('li', {}, el('a', { href: '/reglages.html', texte: 'Réglages' }), ' : le nombre de questions, le temps par réponse, la façon dont les élèves donnent leur nom.'),
      el('li', {}, el('a', { href: '/resultats.html', texte: 'Résultats' }), ' : ce que les élèves ont répondu.')));
}

function choixDossier() {
  const champ = el('input', { type: 'text', id: 'chemin', name: 'chemin', autocomplete: 'off', spellcheck: 'false' });
  const envoie = async (creer) => {
    effaceMessages();
    const chemin = champ.value.trim();
    if (!chemin) {
      champ.setAttribute('aria-invalid', 'true');
      montreMessage('erreur', 'Écrivez d’abord le chemin du dossier.');
      champ.focus();
      return;
    }
    champ.removeAttribute('aria-invalid');
    try {
      await api('POST', '/api/dossier', { chemin, creer });
      location.reload();
    } catch (e) {
      montreErreur(e);
    }
  };
  const formulaire = el('form', { onsubmit: (e) => { e.preventDefault(); envoie(false); } },
    el('fieldset', {},
      el('legend', { texte: 'Le dossier du jeu' }),
      el('label', { for: 'chemin', texte: 'Dossier' }),
      champ,
      el('p', { classe: 'aide', texte: 'Le chemin complet, par exemple /home/maitresse/quiz-cp ou C:\\Users\\Maitresse\\Documents\\quiz-cp. Un dossier de jeu contient un dossier InfosQuizz.' }),
      el('div', { classe: 'actions' },
        el('button', { type: 'submit', classe: 'principal', texte: 'Ouvrir ce dossier' }),
        el('button', { type: 'button', texte: 'Créer un nouveau dossier ici', onclick: () => envoie(true) }))));
  page.replaceChildren(
    el('p', { texte: 'Aucun dossier de jeu n’est encore choisi. Ouvrez un dossier qui contient déjà un jeu, ou créez-en un nouveau : l’atelier y prépare les réglages, une classe de trois élèves et un quiz d’exemple de trois questions, que vous modifierez ensuite.' }),
    formulaire);
  champ.focus();
}

async function demarre() {
  const s = await demarrePage('accueil');
  try {
    if (s.dossier) await montreDossier();
    else choixDossier();
  } catch (e) {
    montreErreur(e);
  }
}

demarre().catch(() => {});
