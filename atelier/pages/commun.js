// What every page of the workshop does alike: the bar with the pages and
// « Fermer l'atelier », the requests (the CSRF header on every write), the
// version conflicts, the display of the server's diagnostics, and the
// heartbeat that keeps the workshop alive while a page is open.
//
// Every text that comes from the files or the server is put in the page
// with textContent (through el()), never as HTML.

const PAGES = [
  { cle: 'accueil', titre: 'Accueil', href: '/' },
  { cle: 'reglages', titre: 'Réglages', href: '/reglages.html' },
  { cle: 'classe', titre: 'La classe', href: '/classe.html' },
  { cle: 'quiz', titre: 'Le quiz', href: '/quiz.html' },
  { cle: 'resultats', titre: 'Résultats', href: '/resultats.html' },
];

const PRESENCE_MS = 20000;

let jetonCsrf = null;
let modifie = false;

// An element with attributes and children; strings become text nodes.
export function el(tag, attributs = {}, ...enfants) {
  const e = document.createElement(tag);
  for (const [cle, valeur] of Object.entries(attributs)) {
    if (valeur === undefined || valeur === null || valeur === false) continue;
    if (cle === 'texte') e.textContent = valeur;
    else if (cle.startsWith('on')) e.addEventListener(cle.slice(2), valeur);
    else if (cle === 'classe') e.className = valeur;
    else e.setAttribute(cle, valeur === true ? '' : String(valeur));
  }
  for (const enfant of enfants.flat()) {
    if (enfant === null || enfant === undefined || enfant === false) continue;
    e.append(typeof enfant === 'string' || typeof enfant === 'number' ? document.createTextNode(String(enfant)) : enfant);
  }
  return e;
}

// A refusal of the server: its status, its sentence and its diagnostics.
export class ErreurApi extends Error {
  constructor(statut, donnees) {
    super((donnees && donnees.erreur) || `Le serveur a répondu ${statut}.`);
    this.statut = statut;
    this.donnees = donnees || {};
  }
}

async function lisReponse(reponse) {
  const type = reponse.headers.get('Content-Type') || '';
  if (type.includes('json')) {
    try { return await reponse.json(); } catch { return null; }
  }
  return null;
}

// One request to the workshop's API. `corps` is sent as JSON, or as it is
// when it is a Blob, a File or an ArrayBuffer. Returns the JSON answer;
// throws ErreurApi for any refusal.
export async function api(methode, chemin, corps, typeCorps) {
  const options = { method: methode, headers: {}, credentials: 'same-origin', cache: 'no-store' };
  if (methode !== 'GET' && methode !== 'HEAD') {
    if (!jetonCsrf) await session();
    options.headers['X-Atelier-CSRF'] = jetonCsrf;
  }
  if (corps !== undefined) {
    if (corps instanceof Blob || corps instanceof ArrayBuffer) {
      options.body = corps;
      options.headers['Content-Type'] = typeCorps || (corps.type) || 'application/octet-stream';
    } else {
      options.body = JSON.stringify(corps);
      options.headers['Content-Type'] = 'application/json';
    }
  }
  let reponse;
  try {
    reponse = await fetch(chemin, options);
  } catch {
    throw new ErreurApi(0, { erreur: "L'atelier ne répond plus : il a peut-être été fermé. Relancez-le, puis rechargez cette page." });
  }
  const donnees = await lisReponse(reponse);
  if (!reponse.ok) throw new ErreurApi(reponse.status, donnees);
  return donnees;
}

let sessionEnCours = null;
// The session: the CSRF token, the data folder (null when none is chosen yet).
export function session() {
  if (!sessionEnCours) {
    sessionEnCours = api('GET', '/api/session').then((s) => {
      jetonCsrf = s.csrf;
      return s;
    });
  }
  return sessionEnCours;
}

// --- Where a diagnostic is mended ---------------------------------------------

// The page (and the field on it) that mends what a diagnostic's `lieu` names.
export function lienDuLieu(lieu) {
  if (!lieu || !lieu.page) return null;
  const page = PAGES.find((p) => p.cle === lieu.page);
  if (!page) return null;
  let ancre = '';
  if (lieu.page === 'quiz' && Number.isInteger(lieu.question)) ancre = `#q${lieu.question}` + (lieu.champ ? `-${lieu.champ}` : '');
  else if (lieu.page === 'quiz' && lieu.champ) ancre = `#quiz-${lieu.champ}`;
  else if (lieu.page === 'classe' && Number.isInteger(lieu.eleve)) ancre = `#e${lieu.eleve}` + (lieu.champ ? `-${lieu.champ}` : '');
  else if (lieu.page === 'reglages' && lieu.groupe) ancre = `#${lieu.groupe}` + (lieu.champ ? `-${lieu.champ}` : '');
  return { href: page.href + ancre, titre: page.titre };
}

// Where the diagnostic is, in words: « infos/infos_quizz_DEMO, ligne 4 ».
export function placeEnMots(d) {
  const morceaux = [];
  if (d.fichier) morceaux.push(d.fichier);
  if (d.ligne) morceaux.push(`ligne ${d.ligne}` + (d.colonne ? `, colonne ${d.colonne}` : ''));
  const l = d.lieu || {};
  if (Number.isInteger(l.question)) morceaux.push(`question ${l.question + 1}`);
  if (Number.isInteger(l.eleve)) morceaux.push(`élève ${l.eleve + 1}`);
  return morceaux.join(', ');
}

// One diagnostic as a list item: its kind in words, its message, where it is,
// and a link to the page that mends it (unless `sansLien`).
export function elementDiagnostic(d, sansLien = false) {
  const sorte = d.gravite === 'avertissement' ? 'À vérifier :' : 'À corriger :';
  let lien = sansLien ? null : lienDuLieu(d.lieu);
  if (lien && lien.href === location.pathname) lien = null;  // already here
  const place = placeEnMots(d);
  return el('li', { classe: d.gravite === 'avertissement' ? 'avertissement' : 'erreur' },
    el('strong', { texte: sorte }), ' ', d.message || '',
    place ? el('span', { classe: 'lieu' }, ' (', place, ')') : null,
    lien ? el('span', {}, ' — ', el('a', { href: lien.href, texte: `corriger dans « ${lien.titre} »` })) : null);
}

// --- Messages ----------------------------------------------------------------------

function zoneMessages() {
  let zone = document.getElementById('messages');
  if (!zone) {
    zone = el('div', { id: 'messages', classe: 'messages', role: 'status', 'aria-live': 'polite' });
    const titre = document.querySelector('main h1');
    if (titre) titre.after(zone);
    else document.querySelector('main').prepend(zone);
  }
  return zone;
}

export function effaceMessages() { zoneMessages().replaceChildren(); }

// A message at the top of the page: `sorte` 'erreur', 'avertissement' or
// 'bien'; `contenu` a text or elements; `actions` buttons after it.
export function montreMessage(sorte, contenu, actions = []) {
  const mots = { erreur: 'Problème :', avertissement: 'Attention :', bien: 'C’est fait :' };
  const boite = el('div', { classe: `message ${sorte}`, role: sorte === 'erreur' ? 'alert' : null },
    el('span', { classe: 'sorte', texte: mots[sorte] || '' }), contenu,
    actions.length ? el('div', { classe: 'actions' }, actions) : null);
  const zone = zoneMessages();
  zone.replaceChildren(boite);
  boite.scrollIntoView({ block: 'nearest' });
  return boite;
}

// A refusal shown in words: the server's sentence, its diagnostics with their
// places, and for a conflict (409) the offer to reload, never to overwrite.
export function montreErreur(erreur, { surConflit } = {}) {
  if (!(erreur instanceof ErreurApi)) {
    montreMessage('erreur', String(erreur && erreur.message ? erreur.message : erreur));
    return;
  }
  if (erreur.statut === 409) {
    montreConflit(surConflit);
    return;
  }
  if (erreur.statut === 401) {
    montreMessage('erreur', "Cette page n'a plus accès à l'atelier. Fermez-la et rouvrez l'atelier depuis son icône ou sa commande : il donne une nouvelle adresse.");
    return;
  }
  const diagnostics = erreur.donnees.diagnostics || [];
  montreMessage('erreur', el('span', {}, erreur.message,
    diagnostics.length ? el('ul', {}, diagnostics.map((d) => elementDiagnostic(d))) : null));
}

export function montreConflit(surConflit) {
  const recharger = el('button', { classe: 'principal', type: 'button', texte: 'Recharger la page', onclick: () => { modifie = false; location.reload(); } });
  const boutons = [recharger];
  if (surConflit) boutons.push(el('button', { type: 'button', texte: 'Garder mes changements à l’écran', onclick: surConflit }));
  montreMessage('erreur',
    'Ce fichier a changé depuis que la page l’a ouvert (dans un autre onglet, à la main ou par le jeu). Rien n’a été enregistré et rien n’a été écrasé. Rechargez la page pour voir la version actuelle ; notez d’abord ce que vous voulez garder.',
    boutons);
  recharger.focus();
}

// --- Unsaved changes ---------------------------------------------------------------

export function marqueModifie(oui = true) {
  modifie = oui;
  const etat = document.getElementById('etat-enregistrement');
  if (etat) etat.textContent = oui ? 'Des changements ne sont pas encore enregistrés.' : 'Tout est enregistré.';
}

window.addEventListener('beforeunload', (e) => {
  if (modifie) { e.preventDefault(); e.returnValue = ''; }
});

// --- The bar, the heartbeat, the close -------------------------------------------

function barre(pageCourante) {
  const liens = PAGES.map((p) => el('li', {},
    el('a', { href: p.href, 'aria-current': p.cle === pageCourante ? 'page' : null, texte: p.titre })));
  const fermer = el('button', { type: 'button', texte: 'Fermer l\'atelier', onclick: fermeAtelier });
  return el('header', { classe: 'barre' },
    el('span', { classe: 'marque', texte: 'Pivolette · atelier' }),
    el('nav', { 'aria-label': 'Pages de l’atelier' }, el('ul', {}, liens)),
    fermer);
}

async function fermeAtelier() {
  if (modifie && !window.confirm('Des changements ne sont pas enregistrés. Fermer l’atelier quand même ?')) return;
  try {
    await api('POST', '/api/fermer', {});
  } catch (e) {
    if (!(e instanceof ErreurApi) || e.statut !== 0) { montreErreur(e); return; }
  }
  modifie = false;
  clearInterval(minuteurPresence);
  document.querySelector('main').replaceChildren(el('div', { classe: 'fin' },
    el('h1', { texte: 'L’atelier est fermé.' }),
    el('p', { texte: 'Vous pouvez fermer cet onglet. Pour y revenir, relancez l’atelier.' })));
}

let minuteurPresence = null;
function presence() {
  api('POST', '/api/present', {}).catch(() => {});
}

// Starts a page: its bar, the session, the heartbeat. Returns the session.
// Pages other than the home go back to it while no folder is chosen.
export async function demarrePage(cle) {
  document.body.prepend(barre(cle));
  zoneMessages();
  let s;
  try {
    s = await session();
  } catch (e) {
    montreErreur(e);
    throw e;
  }
  presence();
  minuteurPresence = setInterval(presence, PRESENCE_MS);
  if (!s.dossier && cle !== 'accueil') {
    montreMessage('avertissement', el('span', {}, 'Aucun dossier de jeu n’est encore choisi. ',
      el('a', { href: '/', texte: 'Choisir ou créer le dossier sur la page d’accueil' })));
    throw new Error('pas de dossier');
  }
  return s;
}

// After a page has drawn its fields: brings the field named by the address's
// anchor (#q2-reponse3, #e4-nom, #DEMO-temps) into view and focus.
export function vaAuLieu() {
  if (!location.hash) return;
  const id = decodeURIComponent(location.hash.slice(1));
  // A field the page does not show (the quiz's separator line): its card.
  const cible = document.getElementById(id) || document.getElementById(id.split('-')[0]);
  if (!cible) return;
  cible.scrollIntoView({ block: 'center' });
  const champ = cible.matches('input, textarea, select, button') ? cible : cible.querySelector('input, textarea, select');
  if (champ) champ.focus();
}

// Calls `f` once `ms` milliseconds have passed without another call.
export function differe(f, ms) {
  let minuteur = null;
  return (...args) => {
    clearTimeout(minuteur);
    minuteur = setTimeout(() => f(...args), ms);
  };
}
