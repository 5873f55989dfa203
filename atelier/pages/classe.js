// « La classe »: the pupil list as a table; add, remove, reorder, rows
// pasted from a spreadsheet, and two pupils of the same names flagged before
// anything is saved.
import { api, demarrePage, el, elementDiagnostic, marqueModifie, montreErreur, montreMessage, effaceMessages, vaAuLieu } from './commun.js';

const page = document.getElementById('page');
const COLONNES = [['nom', 'Nom'], ['prenom', 'Prénom'], ['classe', 'Classe']];

let version = 'absent';
let eleves = [];
let corps = null;

// The key under which the game files a pupil: names without case, accents
// or spaces around them, so that « Dupont Marie » and « DUPONT marie » meet.
function cle(e) {
  const plie = (s) => (s || '').trim().normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase();
  return `${plie(e.nom)}\u0000${plie(e.prenom)}`;
}

// For each pupil, the numbers (from 1) of the others with the same names.
function doublons() {
  const parCle = new Map();
  eleves.forEach((e, i) => {
    if (!e.nom.trim() && !e.prenom.trim()) return;
    const k = cle(e);
    parCle.set(k, [...(parCle.get(k) || []), i]);
  });
  const autres = eleves.map(() => []);
  for (const indices of parCle.values()) {
    if (indices.length < 2) continue;
    for (const i of indices) autres[i] = indices.filter((j) => j !== i).map((j) => j + 1);
  }
  return autres;
}

function marqueDoublons() {
  const autres = doublons();
  corps.querySelectorAll('tr').forEach((tr, i) => {
    const marque = tr.querySelector('.marque-doublon');
    const memes = autres[i] || [];
    tr.classList.toggle('doublon', memes.length > 0);
    marque.textContent = memes.length ? `⚠ Même nom que l’élève ${memes.join(', ')}` : '';
  });
  return autres.some((a) => a.length);
}

function bouton(texte, etiquette, action, classe = 'petit') {
  return el('button', { type: 'button', classe, 'aria-label': etiquette, title: etiquette, texte, onclick: action });
}

function ligne(e, i) {
  const cellules = COLONNES.map(([champ, titre]) => {
    const entree = el('input', {
      type: 'text', id: `e${i}-${champ}`, value: e[champ] || '', 'aria-label': `${titre} de l’élève ${i + 1}`, autocomplete: 'off',
      oninput: (ev) => { eleves[i][champ] = ev.target.value; marqueModifie(); marqueDoublons(); },
      onpaste: (ev) => collageDansCellule(ev, i, champ),
    });
    return el('td', {}, entree);
  });
  return el('tr', { id: `e${i}` },
    el('td', { classe: 'nombre', texte: String(i + 1) }),
    ...cellules,
    el('td', {}, el('span', { classe: 'marque-doublon' })),
    el('td', {},
      bouton('↑', `Monter l’élève ${i + 1}`, () => deplace(i, -1)),
      ' ', bouton('↓', `Descendre l’élève ${i + 1}`, () => deplace(i, 1)),
      ' ', bouton('Retirer', `Retirer l’élève ${i + 1}`, () => retire(i), 'petit danger')));
}

function dessine(focus) {
  corps.replaceChildren(...eleves.map(ligne));
  marqueDoublons();
  document.getElementById('compte').textContent = `${eleves.length} élève${eleves.length > 1 ? 's' : ''}`;
  if (focus) document.getElementById(focus)?.focus();
}

function deplace(i, pas) {
  const j = i + pas;
  if (j < 0 || j >= eleves.length) return;
  [eleves[i], eleves[j]] = [eleves[j], eleves[i]];
  marqueModifie();
  dessine(null);
  corps.rows[j].querySelector(`button[aria-label^="${pas < 0 ? 'Monter' : 'Descendre'}"]`)?.focus();
}

function retire(i) {
  const parti = eleves.splice(i, 1)[0];
  marqueModifie();
  dessine(null);
  const nom = `${parti.prenom} ${parti.nom}`.trim() || `l’élève ${i + 1}`;
  montreMessage('avertissement', `${nom} a été retiré de la liste (pas encore enregistré).`, [
    el('button', { type: 'button', texte: 'Annuler', onclick: () => { eleves.splice(i, 0, parti); dessine(`e${i}-nom`); effaceMessages(); } }),
  ]);
}

function ajoute() {
  eleves.push({ nom: '', prenom: '', classe: eleves.length ? eleves[eleves.length - 1].classe : '' });
  marqueModifie();
  dessine(`e${eleves.length - 1}-nom`);
}

// Rows copied from a spreadsheet: one pupil a line, cells separated by tabs
// (or by semicolons, as a CSV file opened in a text editor shows them).
function lignesDuTableur(texte) {
  return texte.replace(/\r\n?/g, '\n').split('\n')
    .filter((l) => l.trim())
    .map((l) => {
      const cellules = l.split(l.includes('\t') ? '\t' : ';').map((c) => c.trim());
      return { nom: cellules[0] || '', prenom: cellules[1] || '', classe: cellules[2] || '' };
    });
}

// A paste of several cells or lines into a cell fills the table from there.
function collageDansCellule(ev, i, champ) {
  const texte = ev.clipboardData ? ev.clipboardData.getData('text/plain') : '';
  if (!/[\t\n]/.test(texte.trim())) return;
  ev.preventDefault();
  const nouveaux = lignesDuTableur(texte);
  const debut = COLONNES.findIndex(([c]) => c === champ);
  nouveaux.forEach((n, k) => {
    const cible = eleves[i + k] || (eleves[i + k] = { nom: '', prenom: '', classe: '' });
    const valeurs = [n.nom, n.prenom, n.classe];
    for (let c = debut; c < COLONNES.length; ++c) if (valeurs[c - debut]) cible[COLONNES[c][0]] = valeurs[c - debut];
  });
  marqueModifie();
  dessine(`e${i}-${champ}`);
  montreMessage('bien', `${nouveaux.length} ligne${nouveaux.length > 1 ? 's collées' : ' collée'} dans le tableau (pas encore enregistré).`);
}

function zoneCollage() {
  const zone = el('textarea', { id: 'collage', rows: 4, placeholder: 'DUPONT\tMarie\tCP A' });
  const ajouteLignes = () => {
    const nouveaux = lignesDuTableur(zone.value);
    if (!nouveaux.length) { montreMessage('avertissement', 'Rien à ajouter : la zone est vide.'); return; }
    eleves.push(...nouveaux);
    zone.value = '';
    marqueModifie();
    dessine(null);
    montreMessage('bien', `${nouveaux.length} élève${nouveaux.length > 1 ? 's ajoutés' : ' ajouté'} à la fin de la liste (pas encore enregistré).`);
  };
  return el('details', {},
    el('summary', { texte: 'Coller des élèves depuis un tableur' }),
    el('label', { for: 'collage', texte: 'Lignes copiées d’un tableur (Nom, Prénom, Classe)' }),
    zone,
    el('p', { classe: 'aide', texte: 'Sélectionnez les trois colonnes dans le tableur, copiez, collez ici. On peut aussi coller directement dans une case du tableau.' }),
    el('div', { classe: 'actions' }, el('button', { type: 'button', texte: 'Ajouter ces lignes', onclick: ajouteLignes })));
}

async function enregistre() {
  effaceMessages();
  eleves = eleves.filter((e) => e.nom.trim() || e.prenom.trim() || e.classe.trim());
  dessine(null);
  if (marqueDoublons()) {
    montreMessage('erreur', 'Deux élèves portent le même nom : le jeu ne saurait pas les distinguer. Ajoutez une initiale au prénom de l’un d’eux, puis enregistrez.');
    corps.querySelector('tr.doublon input')?.focus();
    return;
  }
  const vide = eleves.findIndex((e) => !e.nom.trim() || !e.prenom.trim());
  if (vide >= 0) {
    montreMessage('erreur', `Il manque le nom ou le prénom de l’élève ${vide + 1}.`);
    document.getElementById(`e${vide}-${eleves[vide].nom.trim() ? 'prenom' : 'nom'}`)?.focus();
    return;
  }
  try {
    const r = await api('PUT', '/api/classe', { version, eleves: eleves.map((e) => ({ nom: e.nom.trim(), prenom: e.prenom.trim(), classe: e.classe.trim() })) });
    version = r.version;
    marqueModifie(false);
    montreMessage('bien', `La classe est enregistrée : ${eleves.length} élève${eleves.length > 1 ? 's' : ''}.`);
  } catch (e) {
    montreErreur(e);
  }
}

async function demarre() {
  await demarrePage('classe');
  try {
    const c = await api('GET', '/api/classe');
    version = c.version;
    eleves = (c.eleves || []).map((e) => ({ nom: e.nom || '', prenom: e.prenom || '', classe: e.classe || '' }));
    corps = el('tbody');
    const tete = el('thead', {}, el('tr', {},
      el('th', { scope: 'col', classe: 'nombre', texte: 'N°' }),
      ...COLONNES.map(([, titre]) => el('th', { scope: 'col', texte: titre })),
      el('th', { scope: 'col', texte: 'Remarque' }),
      el('th', { scope: 'col', texte: 'Ordre' })));
    const diagnostics = (c.diagnostics || []).length
      ? el('div', { classe: 'message avertissement' }, el('span', { classe: 'sorte', texte: 'Dans le fichier :' }),
        el('ul', {}, c.diagnostics.map((d) => elementDiagnostic(d, true))))
      : null;
    page.replaceChildren(
      diagnostics || '',
      el('p', { id: 'compte' }),
      el('table', { classe: 'classe', 'aria-label': 'Les élèves de la classe' }, tete, corps),
      el('div', { classe: 'actions' }, el('button', { type: 'button', texte: 'Ajouter un élève', onclick: ajoute })),
      zoneCollage(),
      el('div', { classe: 'pied-fixe' },
        el('button', { type: 'button', classe: 'principal', texte: 'Enregistrer', onclick: enregistre }),
        el('span', { id: 'etat-enregistrement', 'aria-live': 'polite', texte: 'Tout est enregistré.' })));
    dessine(null);
    vaAuLieu();
  } catch (e) {
    montreErreur(e);
  }
}

demarre().catch(() => {});
