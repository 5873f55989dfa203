// « Réglages »: the eight lines of each group's settings file as a labelled
// form, each value checked as the game reads it before it is sent.
import { api, demarrePage, el, elementDiagnostic, marqueModifie, montreErreur, montreMessage, effaceMessages, vaAuLieu } from './commun.js';

const page = document.getElementById('page');

// The fields, with the game's limits (the two reserved numbers last).
const CHAMPS = [
  { cle: 'questionnaire', titre: 'Titre du quiz', ligne: 1, texte: 48 },
  { cle: 'theme', titre: 'Thème', ligne: 2, texte: 48 },
  { cle: 'entete', titre: 'En-tête de la classe', ligne: 3, texte: 48 },
  { cle: 'saisie', titre: 'Le nom de l’élève', ligne: 4, choix: ['Il le choisit dans la liste de la classe', 'Il le tape au clavier'] },
  { cle: 'questions', titre: 'Nombre de questions', ligne: 5, min: 1, max: 60 },
  { cle: 'temps', titre: 'Secondes pour chaque réponse', ligne: 8, min: 1, max: 360 },
  { cle: 'attente1', titre: 'Nombre réservé (ligne 6)', ligne: 6, min: 0, max: 9999 },
  { cle: 'attente2', titre: 'Nombre réservé (ligne 7)', ligne: 7, min: 0, max: 9999 },
];

// What is wrong with a value, in words; '' when the game takes it.
function probleme(champ, valeur) {
  if (champ.texte) {
    if (!valeur.trim()) return 'Ce texte ne peut pas être vide.';
    if ([...valeur].length > champ.texte) return `Au plus ${champ.texte} caractères (il y en a ${[...valeur].length}).`;
    if (/[\r\n]/.test(valeur)) return 'Une seule ligne.';
    return '';
  }
  if (champ.choix) return '';
  if (!/^\d+$/.test(valeur.trim())) return 'Un nombre entier, sans lettres.';
  const n = Number(valeur);
  if (n < champ.min || n > champ.max) return `Un nombre de ${champ.min} à ${champ.max}.`;
  return '';
}

function champTexteOuNombre(groupe, champ, valeur) {
  const id = `${groupe}-${champ.cle}`;
  const entree = el('input', {
    id, name: champ.cle, type: 'text', value: valeur ?? '',
    inputmode: champ.texte ? null : 'numeric', 'aria-describedby': `${id}-aide`,
  });
  const aide = el('p', { classe: 'aide', id: `${id}-aide` },
    champ.texte ? `Ligne ${champ.ligne}, au plus ${champ.texte} caractères.` : `Ligne ${champ.ligne}, de ${champ.min} à ${champ.max}.`);
  const verifie = () => {
    const p = probleme(champ, entree.value);
    entree.setAttribute('aria-invalid', p ? 'true' : 'false');
    aide.textContent = p ? `À corriger : ${p}` : (champ.texte ? `Ligne ${champ.ligne}, au plus ${champ.texte} caractères.` : `Ligne ${champ.ligne}, de ${champ.min} à ${champ.max}.`);
    return !p;
  };
  entree.addEventListener('input', () => { verifie(); marqueModifie(); });
  return { element: el('div', {}, el('label', { for: id, texte: champ.titre }), entree, aide), verifie, valeur: () => entree.value.trim() };
}

function champChoix(groupe, champ, valeur) {
  const nom = `${groupe}-${champ.cle}`;
  const boutons = champ.choix.map((mots, i) => {
    const id = `${nom}-${i}`;
    const radio = el('input', { type: 'radio', name: nom, id: i === 0 ? nom : id, value: String(i), checked: Number(valeur) === i, onchange: () => marqueModifie() });
    return el('div', {}, radio, ' ', el('label', { classe: 'en-ligne', for: radio.id, texte: mots }));
  });
  const element = el('fieldset', { classe: 'choix' }, el('legend', { texte: champ.titre }), boutons);
  return {
    element,
    verifie: () => true,
    valeur: () => Number((element.querySelector('input:checked') || { value: '0' }).value),
  };
}

function formulaireGroupe(g) {
  let version = g.version;
  const champs = {};
  const grille = el('div', { classe: 'champs' });
  for (const champ of CHAMPS) {
    const valeur = g.reglages ? g.reglages[champ.cle] : '';
    const c = champ.choix ? champChoix(g.cle, champ, valeur) : champTexteOuNombre(g.cle, champ, valeur);
    champs[champ.cle] = c;
    grille.append(c.element);
  }
  const diagnostics = el('ul', { classe: 'diagnostics' }, (g.diagnostics || []).map((d) => elementDiagnostic(d, true)));
  const enregistre = async () => {
    effaceMessages();
    const bons = Object.values(champs).map((c) => c.verifie());
    if (bons.includes(false)) {
      montreMessage('erreur', `Les réglages « ${g.niveaux} » ont des valeurs à corriger : elles sont marquées « À corriger ».`);
      formulaire.querySelector('[aria-invalid="true"]')?.focus();
      return;
    }
    const reglages = {};
    for (const champ of CHAMPS) {
      const v = champs[champ.cle].valeur();
      reglages[champ.cle] = champ.texte || champ.choix ? v : Number(v);
    }
    try {
      const r = await api('PUT', `/api/reglages/${encodeURIComponent(g.cle)}`, { version, reglages });
      version = r.version;
      marqueModifie(false);
      diagnostics.replaceChildren(...(r.diagnostics || []).map((d) => elementDiagnostic(d, true)));
      montreMessage('bien', `Les réglages « ${g.niveaux} » sont enregistrés.`);
    } catch (e) {
      montreErreur(e);
    }
  };
  const formulaire = el('form', { id: g.cle, 'aria-label': `Réglages ${g.niveaux}`, onsubmit: (e) => { e.preventDefault(); enregistre(); } },
    el('fieldset', {},
      el('legend', { texte: `Niveaux ${g.niveaux}` }),
      diagnostics,
      grille,
      el('div', { classe: 'actions' }, el('button', { type: 'submit', classe: 'principal', texte: 'Enregistrer' }))));
  return formulaire;
}

async function demarre() {
  await demarrePage('reglages');
  try {
    const r = await api('GET', '/api/reglages');
    page.classList.add('groupes');
    page.replaceChildren(...(r.groupes || []).map(formulaireGroupe));
    vaAuLieu();
  } catch (e) {
    montreErreur(e);
  }
}

demarre().catch(() => {});
