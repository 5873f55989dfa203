// The live « Aperçu » beside the quiz's cards: the pupil's screen for the
// question being edited, drawn by the game's renderer on the server,
// redrawn ~150 ms after the teacher stops typing, with the fit warnings.
import { api, differe, el, elementDiagnostic } from './commun.js';

const ATTENTE_MS = 150;

export class Apercu {
  constructor() {
    this.image = el('img', { id: 'apercu-image', alt: 'Aperçu : aucune question choisie', width: 1024, height: 768 });
    this.titre = el('h2', { id: 'apercu-titre', texte: 'Aperçu' });
    this.etat = el('p', { classe: 'etat', role: 'status', 'aria-live': 'polite' });
    this.avertissements = el('ul', { classe: 'diagnostics', id: 'apercu-avertissements' });
    this.element = el('aside', { classe: 'apercu', 'aria-labelledby': 'apercu-titre' },
      this.titre, this.image, this.etat, this.avertissements);
    this.numero = 0;   // the last request sent; older answers are dropped
    this.url = null;
    this.redessineBientot = differe((q, i) => this.dessine(q, i), ATTENTE_MS);
  }

  async dessine(question, index) {
    const numero = ++this.numero;
    this.titre.textContent = `Aperçu de la question ${index + 1}`;
    this.etat.textContent = 'Dessin en cours…';
    try {
      const r = await api('POST', '/api/apercu', { question, largeur: 1024, hauteur: 768 });
      if (numero !== this.numero) return;
      const octets = Uint8Array.from(atob(r.png), (c) => c.charCodeAt(0));
      const url = URL.createObjectURL(new Blob([octets], { type: 'image/png' }));
      if (this.url) URL.revokeObjectURL(this.url);
      this.url = url;
      this.image.src = url;
      const avertissements = r.avertissements || [];
      this.image.alt = `Aperçu de l’écran de l’élève pour la question ${index + 1}` +
        (avertissements.length ? ` ; ${avertissements.length} avertissement${avertissements.length > 1 ? 's' : ''} ci-dessous` : '');
      this.etat.textContent = avertissements.length ? 'Le texte ne tient pas bien :' : 'Tout tient à l’écran.';
      this.avertissements.replaceChildren(...avertissements.map((d) => elementDiagnostic(d, true)));
    } catch (e) {
      if (numero !== this.numero) return;
      this.etat.textContent = `L’aperçu n’a pas pu être dessiné : ${e.message}`;
      const diagnostics = (e.donnees && e.donnees.diagnostics) || [];
      this.avertissements.replaceChildren(...diagnostics.map((d) => elementDiagnostic(d, true)));
    }
  }
}
