// One question's card on « Le quiz »: « Question » (up to three lines),
// « Réponse 1 » to « Réponse 4 », « Bonne réponse », the question's picture,
// sound or video and a picture per answer, with the card's own buttons.
// The card edits its question record in place and tells the page through
// `actions.change(i)`.
import { el } from './commun.js';
import { Enregistreur } from './micro.js';
import { SORTES, medias, sorteDuFichier, televerse } from './medias.js';

export const LIGNES_MAX = 3;

// The question's text as the teacher sees it: « | » starts a new line.
export const versEcran = (texte) => (texte || '').split('|').join('\n');
export const versFichier = (texte) => texte.replace(/\r\n?/g, '\n').split('\n').join('|');

function bouton(texte, etiquette, action, classe = 'petit') {
  return el('button', { type: 'button', classe, texte, 'aria-label': etiquette, title: etiquette, onclick: action });
}

// A selector of the folder's files of some kinds, « Aucune » first.
function selecteur(id, etiquette, sortes, valeur, aucune) {
  const s = el('select', { id, 'aria-label': etiquette, 'data-sortes': sortes.join(' ') });
  s.append(el('option', { value: '', texte: aucune }));
  for (const sorte of sortes) {
    const noms = medias(sorte);
    const groupe = sortes.length > 1 ? el('optgroup', { label: SORTES[sorte].titre }) : s;
    for (const nom of noms) groupe.append(el('option', { value: `${sorte}:${nom}`, texte: nom }));
    if (groupe !== s && noms.length) s.append(groupe);
  }
  if (valeur && !s.querySelector(`option[value="${CSS.escape(valeur)}"]`)) {
    // A file the quiz names but the folder lacks: kept, and said so.
    s.append(el('option', { value: valeur, texte: `${valeur.split(':')[1]} (absent du dossier)` }));
  }
  s.value = valeur || '';
  return s;
}

// Adds a newly stored file to every selector of its kind on the page.
export function ajouteAuxSelecteurs(sorte, nom) {
  for (const s of document.querySelectorAll('select[data-sortes]')) {
    if (!s.dataset.sortes.split(' ').includes(sorte)) continue;
    const valeur = `${sorte}:${nom}`;
    if (s.querySelector(`option[value="${CSS.escape(valeur)}"]`)) continue;
    const parent = s.dataset.sortes.includes(' ')
      ? (s.querySelector(`optgroup[label="${SORTES[sorte].titre}"]`) || s.appendChild(el('optgroup', { label: SORTES[sorte].titre })))
      : s;
    parent.append(el('option', { value: valeur, texte: nom }));
  }
}

function etat(id) { return el('p', { classe: 'aide etat-media', id, role: 'status', 'aria-live': 'polite' }); }

// A file picker that stores the chosen file and then calls `choisi(sorte, nom)`.
function envoi(id, etiquette, accepte, sortesPermises, zoneEtat, choisi) {
  const entree = el('input', { type: 'file', id, accept: accepte, 'aria-label': etiquette, classe: 'cache', tabindex: '-1' });
  const declencheur = el('button', { type: 'button', classe: 'petit', texte: sortesPermises.length > 1 ? 'Envoyer un fichier…' : 'Envoyer une image…', 'aria-label': etiquette, onclick: () => entree.click() });
  entree.addEventListener('change', async () => {
    const fichier = entree.files[0];
    if (!fichier) return;
    const sorte = sorteDuFichier(fichier);
    if (!sorte || !sortesPermises.includes(sorte)) {
      zoneEtat.textContent = `Refusé : « ${fichier.name} » n’est pas ${sortesPermises.length > 1 ? 'une image, un son ou une vidéo' : 'une image'} que le jeu sait ouvrir.`;
      entree.value = '';
      return;
    }
    zoneEtat.textContent = `Envoi de « ${fichier.name} »…`;
    try {
      const nom = await televerse(sorte, fichier);
      zoneEtat.textContent = `« ${nom} » est dans le dossier du jeu.`;
      choisi(sorte, nom);
    } catch (e) {
      zoneEtat.textContent = `Refusé : ${e.message}`;
    }
    entree.value = '';
  });
  return el('span', { classe: 'envoi' }, declencheur, entree);
}

function blocVoix(i, zoneEtat, choisi) {
  let enregistreur = null;
  let minuteur = null;
  const ecoute = el('div', { classe: 'enregistrement' });
  const b = el('button', { type: 'button', classe: 'petit', id: `q${i}-voix`, texte: 'Enregistrer ma voix' });
  b.addEventListener('click', async () => {
    if (!enregistreur) {
      try {
        enregistreur = new Enregistreur();
        await enregistreur.start();
      } catch (e) {
        enregistreur = null;
        zoneEtat.textContent = `Le micro n’a pas pu être ouvert : ${e.message || e}. Vérifiez qu’il est branché et que le navigateur a le droit de l’utiliser.`;
        return;
      }
      b.textContent = 'Arrêter l’enregistrement';
      b.setAttribute('aria-pressed', 'true');
      zoneEtat.textContent = 'Enregistrement en cours : lisez la question, puis cliquez sur « Arrêter l’enregistrement ».';
      minuteur = setInterval(() => { zoneEtat.textContent = `Enregistrement en cours : ${Math.floor(enregistreur.secondes())} s.`; }, 1000);
      return;
    }
    clearInterval(minuteur);
    const wav = await enregistreur.stop();
    enregistreur = null;
    b.textContent = 'Enregistrer ma voix';
    b.removeAttribute('aria-pressed');
    zoneEtat.textContent = 'Envoi de l’enregistrement…';
    try {
      const nom = await televerse('son', new File([wav], `voix-question-${i + 1}.wav`, { type: 'audio/wav' }));
      zoneEtat.textContent = `Votre voix est enregistrée dans « ${nom} ». Écoutez-la :`;
      ecoute.replaceChildren(el('audio', { controls: true, src: `/medias/sons/${encodeURIComponent(nom)}`, 'aria-label': `Écouter ${nom}` }));
      choisi('son', nom);
    } catch (e) {
      zoneEtat.textContent = `Refusé : ${e.message}`;
    }
  });
  return el('span', {}, b, ' ', ecoute);
}

function champReponse(q, i, n, actions) {
  const r = q.reponses[n - 1];
  const id = `q${i}-reponse${n}`;
  const texte = el('input', { type: 'text', id, value: r.texte || '', autocomplete: 'off' });
  texte.addEventListener('input', () => { r.texte = texte.value; actions.change(i); });
  const zoneEtat = etat(`${id}-etat`);
  const image = selecteur(`q${i}-image${n}`, `Image de la réponse ${n}`, ['image'], r.image ? `image:${r.image}` : '', 'Sans image');
  image.addEventListener('change', () => { r.image = image.value ? image.value.slice('image:'.length) : ''; actions.change(i); });
  const fichier = envoi(`q${i}-envoi${n}`, `Envoyer une image pour la réponse ${n}`, 'image/png,image/jpeg,image/gif,image/bmp', ['image'], zoneEtat,
    (sorte, nom) => { image.value = `image:${nom}`; r.image = nom; actions.change(i); });
  return el('div', { classe: 'reponse' },
    el('label', { for: id, texte: `Réponse ${n}` }),
    texte,
    el('div', { classe: 'ligne' }, image, fichier),
    zoneEtat);
}

// The card of question `i` (from 0) of `total`.
export function carte(q, i, total, actions) {
  const idQuestion = `q${i}-question`;
  const enonce = el('textarea', { id: idQuestion, rows: LIGNES_MAX, 'aria-describedby': `${idQuestion}-aide` });
  enonce.value = versEcran(q.question);
  const aideEnonce = el('p', { classe: 'aide', id: `${idQuestion}-aide` });
  const verifieLignes = () => {
    const lignes = enonce.value.split('\n').length;
    const trop = lignes > LIGNES_MAX;
    enonce.setAttribute('aria-invalid', trop ? 'true' : 'false');
    aideEnonce.textContent = trop
      ? `À corriger : au plus ${LIGNES_MAX} lignes (il y en a ${lignes}).`
      : 'Au plus trois lignes, courtes (environ 35 lettres). #b…# met en gras.';
  };
  verifieLignes();
  enonce.addEventListener('input', () => { q.question = versFichier(enonce.value); verifieLignes(); actions.change(i); });

  const bonne = el('select', { id: `q${i}-bonne`, classe: 'bonne' },
    [1, 2, 3, 4].map((n) => el('option', { value: String(n), texte: `Réponse ${n}` })));
  if (!(q.bonne >= 1 && q.bonne <= 4)) {
    // The file names no valid right answer: the game would count every answer wrong.
    bonne.prepend(el('option', { value: '0', texte: 'À choisir' }));
    bonne.setAttribute('aria-invalid', 'true');
  }
  bonne.value = String(q.bonne >= 1 && q.bonne <= 4 ? q.bonne : 0);
  bonne.addEventListener('change', () => {
    q.bonne = Number(bonne.value);
    bonne.setAttribute('aria-invalid', q.bonne >= 1 ? 'false' : 'true');
    actions.change(i);
  });

  const zoneEtat = etat(`q${i}-media-etat`);
  const valeurMedia = q.media && q.media.nom ? `${q.media.type}:${q.media.nom}` : '';
  const media = selecteur(`q${i}-media`, null, ['image', 'son', 'video'], valeurMedia, 'Aucun');
  const choisiMedia = (sorte, nom) => {
    media.value = `${sorte}:${nom}`;
    q.media = { type: sorte, nom };
    actions.change(i);
  };
  media.addEventListener('change', () => {
    const [sorte, ...reste] = media.value.split(':');
    q.media = media.value ? { type: sorte, nom: reste.join(':') } : null;
    actions.change(i);
  });
  const fichier = envoi(`q${i}-envoi`, 'Envoyer une image, un son ou une vidéo pour la question',
    'image/*,audio/*,video/*,.mp3,.mp4', ['image', 'son', 'video'], zoneEtat, choisiMedia);

  const premiereLigne = () => (q.question || '').split('|')[0].trim();
  const titre = el('span', { classe: 'aide', texte: premiereLigne() ? ` — ${premiereLigne()}` : '' });
  enonce.addEventListener('input', () => { titre.textContent = premiereLigne() ? ` — ${premiereLigne()}` : ''; });
  return el('li', { classe: 'carte', id: `q${i}`, 'data-index': String(i), 'aria-label': `Question ${i + 1}` },
    el('div', { classe: 'entete' },
      el('h2', {}, `Question ${i + 1}`, titre),
      bouton('↑', `Monter la question ${i + 1}`, () => actions.deplace(i, -1)),
      bouton('↓', `Descendre la question ${i + 1}`, () => actions.deplace(i, 1)),
      bouton('Dupliquer', `Dupliquer la question ${i + 1}`, () => actions.duplique(i)),
      bouton('Supprimer', `Supprimer la question ${i + 1}`, () => actions.supprime(i), 'petit danger')),
    el('label', { for: idQuestion, texte: 'Question' }), enonce, aideEnonce,
    el('div', { classe: 'ligne-media' },
      el('div', {}, el('label', { for: `q${i}-bonne`, texte: 'Bonne réponse' }), bonne),
      el('div', {}, el('label', { for: `q${i}-media`, texte: 'Média de la question' }), media),
      el('div', { classe: 'boutons-media' }, fichier, blocVoix(i, zoneEtat, choisiMedia))),
    zoneEtat,
    el('div', { classe: 'reponses' }, [1, 2, 3, 4].map((n) => champReponse(q, i, n, actions))));
}
