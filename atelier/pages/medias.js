// The folder's pictures, sounds and videos: the lists the quiz's selectors
// show, and the upload of a new file with the server's reasons when it is
// refused.
import { api, ErreurApi, placeEnMots } from './commun.js';

export const SORTES = {
  image: { dossier: 'images', titre: 'Images', mot: 'image' },
  son: { dossier: 'sons', titre: 'Sons', mot: 'son' },
  video: { dossier: 'videos', titre: 'Vidéos', mot: 'vidéo' },
};

let listes = { image: [], son: [], video: [] };
const abonnes = new Set();

export async function chargeMedias() {
  const m = await api('GET', '/api/medias');
  listes = { image: m.images || [], son: m.sons || [], video: m.videos || [] };
  return listes;
}

export function medias(sorte) { return listes[sorte] || []; }

// `f` is called whenever a file joins the lists (to add it to the selectors).
export function quandNouveau(f) { abonnes.add(f); }

// The kind of a file from its type or name; null when the game plays none.
export function sorteDuFichier(fichier) {
  const t = fichier.type || '';
  const n = fichier.name.toLowerCase();
  if (t.startsWith('image/') || /\.(png|jpe?g|gif|bmp)$/.test(n)) return 'image';
  if (t.startsWith('audio/') || /\.(mp3|wav|ogg)$/.test(n)) return 'son';
  if (t.startsWith('video/') || /\.(mp4|m4v|webm|avi|mpe?g)$/.test(n)) return 'video';
  return null;
}

// Sends a file to the folder of its kind. Returns the name it was stored
// under; throws an Error whose message says why in words.
export async function televerse(sorte, fichier, nom = fichier.name) {
  const s = SORTES[sorte];
  try {
    const r = await api('POST', `/api/medias/${s.dossier}?nom=${encodeURIComponent(nom)}`, fichier, fichier.type || 'application/octet-stream');
    if (!listes[sorte].includes(r.nom)) {
      listes[sorte] = [...listes[sorte], r.nom].sort();
      for (const f of abonnes) f(sorte, r.nom);
    }
    return r.nom;
  } catch (e) {
    throw new Error(raisonDuRefus(e, s.mot));
  }
}

function raisonDuRefus(e, mot) {
  if (!(e instanceof ErreurApi)) return String(e.message || e);
  const morceaux = [e.message];
  for (const d of e.donnees.diagnostics || []) {
    const place = placeEnMots(d);
    morceaux.push(d.message + (place ? ` (${place})` : ''));
  }
  if (e.statut === 413) morceaux.unshift(`Ce fichier est trop gros pour une ${mot}.`);
  return [...new Set(morceaux.filter(Boolean))].join(' ');
}
