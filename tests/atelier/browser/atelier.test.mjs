// The teacher's workshop in a real browser: the new teacher's whole way once,
// then the refusals (a foreign Host, no token, a page from elsewhere, a `../`
// upload name, an oversize upload, a name that is HTML, two tabs saving the
// same file). One workshop for the whole file: its token is good once.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  RACINE, capture, champsSansEtiquette, demarreAtelier, execute, jetons, lanceNavigateur, nouvellePage, requete, serveurEtranger,
} from './outils.mjs';

const IMAGE = path.join(RACINE, 'demo/InfosQuizz/questions/images/banane.png');
const QUESTIONS = [
  { question: 'Quel fruit est jaune ?', reponses: ['La fraise', 'La banane', 'La cerise', 'Le raisin'], bonne: '2' },
  { question: 'Quel fruit pousse\nsur un palmier ?', reponses: ['La pomme', 'La datte', 'La poire', 'La prune'], bonne: '2' },
  { question: 'Combien de pattes\na une araignée ?', reponses: ['Six', 'Huit', 'Dix', 'Quatre'], bonne: '2' },
];

let atelier;
let navigateur;
let contexte;   // the teacher's browser, holding the session's cookie
let page;

function eleves(dossier) {
  return fs.readFileSync(path.join(dossier, 'InfosQuizz/infos/infos_quizz_DEMO'), 'latin1');
}

// Each page's fields are named for assistive technology, and nothing went
// wrong in its scripts or was refused by the content policy.
async function pageSaine(p, nom) {
  assert.deepEqual(await champsSansEtiquette(p), [], `fields without a label on ${nom}`);
  assert.deepEqual(p.incidents, [], `errors on ${nom}`);
  await capture(p, nom);
}

before(async () => {
  atelier = await demarreAtelier();
  navigateur = await lanceNavigateur();
  contexte = await navigateur.newContext({ viewport: { width: 1366, height: 768 }, locale: 'fr-FR', acceptDownloads: true });
  contexte.setDefaultTimeout(Number(process.env.ATELIER_ATTENTE_MS || 10000));
  await contexte.grantPermissions(['microphone'], { origin: atelier.base });
  page = await nouvellePage(contexte);
});

after(async () => {
  await navigateur?.close();
  await atelier?.arrete();
});

describe('the new teacher\'s way', () => {
  test('the token opens the workshop and the teacher makes a new folder', async () => {
    const reponse = await page.goto(atelier.url);
    assert.equal(new URL(page.url()).search, '', 'the token stays in the address bar');
    assert.equal(reponse.status(), 200);
    const cookie = (await contexte.cookies(atelier.base)).find((c) => c.name === 'atelier');
    assert.ok(cookie && cookie.httpOnly && cookie.sameSite === 'Strict', 'an HttpOnly, SameSite=Strict session cookie');
    const session = await (await contexte.request.get(`${atelier.base}/api/session`)).json();
    if (!session.dossier) {
      await page.getByLabel('Dossier').fill(atelier.dossier);
      await page.getByRole('button', { name: 'Créer un nouveau dossier ici' }).click();
    }
    await page.locator('.chemin').waitFor();   // the home, once the folder is open
    assert.ok(fs.existsSync(path.join(atelier.dossier, 'InfosQuizz')), 'the folder holds InfosQuizz');
    await pageSaine(page, 'accueil');
  });

  test('La classe: pasted rows, a duplicate flagged before saving, then saved', async () => {
    await page.getByRole('navigation').getByRole('link', { name: 'La classe' }).click();
    await page.getByRole('button', { name: 'Ajouter un élève' }).waitFor();
    for (let n = await page.getByRole('button', { name: /^Retirer l’élève/ }).count(); n > 0; --n) {
      await page.getByRole('button', { name: /^Retirer l’élève/ }).first().click();
    }
    await page.getByText('Coller des élèves depuis un tableur').click();
    await page.getByLabel('Lignes copiées d’un tableur').fill('MARTIN\tLuc\tCM1\nDUPONT\tMarie\tCM1\nMartin\tluc\tCM1\n');
    await page.getByRole('button', { name: 'Ajouter ces lignes' }).click();
    await page.getByText('Même nom que l’élève 3').waitFor();
    const avant = eleves(atelier.dossier);
    await page.getByRole('button', { name: 'Enregistrer' }).click();
    await page.getByText('Deux élèves portent le même nom').waitFor();
    assert.equal(eleves(atelier.dossier), avant, 'nothing written while two pupils share a name');
    await page.getByRole('button', { name: 'Retirer l’élève 3' }).click();
    await page.getByRole('button', { name: 'Ajouter un élève' }).click();
    await page.getByLabel('Nom de l’élève 3', { exact: true }).fill('PETIT');
    await page.getByLabel('Prénom de l’élève 3', { exact: true }).fill('Zoé');
    await page.getByLabel('Classe de l’élève 3', { exact: true }).fill('CM1');
    await page.getByRole('button', { name: 'Enregistrer' }).click();
    await page.getByText('La classe est enregistrée : 3 élèves.').waitFor();
    assert.match(eleves(atelier.dossier), /^3\r?\nMARTIN\r?\nLuc\r?\nCM1\r?\nDUPONT\r?\nMarie\r?\nCM1\r?\nPETIT\r?\nZo\xe9\r?\nCM1/);
    await pageSaine(page, 'classe');
  });

  test('Réglages: a wrong value is shown, a right one saved', async () => {
    await page.getByRole('navigation').getByRole('link', { name: 'Réglages' }).click();
    const groupe = page.locator('form#DEMO');
    await groupe.getByLabel('Secondes pour chaque réponse').fill('0');
    await groupe.getByRole('button', { name: 'Enregistrer' }).click();
    await groupe.getByText('À corriger : Un nombre de 1 à 360.').waitFor();
    await groupe.getByLabel('Secondes pour chaque réponse').fill('20');
    await groupe.getByLabel('Nombre de questions').fill('3');
    await groupe.getByLabel('Il le tape au clavier').check();
    await groupe.getByRole('button', { name: 'Enregistrer' }).click();
    await page.getByText('sont enregistrés').waitFor();
    const fichier = fs.readFileSync(path.join(atelier.dossier, 'InfosQuizz/infos/infos_jeu_DEMO'), 'latin1').split(/\r?\n/);
    assert.deepEqual([fichier[3], fichier[4], fichier[7]], ['1', '3', '20']);
    await pageSaine(page, 'reglages');
  });

  test('Le quiz: three questions with a picture, the preview redrawn as the teacher types, saved', async () => {
    await page.getByRole('navigation').getByRole('link', { name: 'Le quiz' }).click();
    await page.getByRole('button', { name: 'Ajouter une question' }).waitFor();
    while (await page.locator('.carte').count() < QUESTIONS.length) await page.getByRole('button', { name: 'Ajouter une question' }).click();
    while (await page.locator('.carte').count() > QUESTIONS.length) await page.getByRole('button', { name: /^Supprimer la question/ }).last().click();
    for (const [i, q] of QUESTIONS.entries()) {
      const carte = page.locator(`#q${i}`);
      await carte.getByLabel('Question', { exact: true }).fill(q.question);
      for (const [k, r] of q.reponses.entries()) await carte.getByLabel(`Réponse ${k + 1}`, { exact: true }).fill(r);
      await carte.getByLabel('Bonne réponse').selectOption(q.bonne);
    }
    const premiere = page.locator('#q0');
    await premiere.locator('input[type="file"]#q0-envoi').setInputFiles(IMAGE);
    await premiere.getByText('est dans le dossier du jeu').waitFor();
    assert.equal(await premiere.getByLabel('Média de la question').inputValue(), 'image:banane.png');
    assert.ok(fs.existsSync(path.join(atelier.dossier, 'InfosQuizz/questions/images/banane.png')));

    // The preview follows the card being edited, and is redrawn on typing.
    const apercu = page.getByRole('img', { name: /^Aperçu/ });
    await premiere.getByLabel('Question', { exact: true }).focus();
    await page.waitForFunction(() => document.querySelector('#apercu-image').src.startsWith('blob:'));
    const avant = await apercu.getAttribute('src');
    await premiere.getByLabel('Question', { exact: true }).press('End');
    await premiere.getByLabel('Question', { exact: true }).pressSequentially(' Regarde !');
    await page.waitForFunction((a) => document.querySelector('#apercu-image').src !== a, avant);
    assert.match(await apercu.getAttribute('alt'), /^Aperçu.*question 1/);
    assert.ok(await apercu.evaluate((img) => img.complete && img.naturalWidth === 1024), 'the preview is a 1024 × 768 picture');

    // « Enregistrer ma voix » with the browser's fake microphone.
    const deuxieme = page.locator('#q1');
    await deuxieme.getByRole('button', { name: 'Enregistrer ma voix' }).click();
    await deuxieme.getByText('Enregistrement en cours').waitFor();
    await page.waitForTimeout(1200);
    await deuxieme.getByRole('button', { name: 'Arrêter l’enregistrement' }).click();
    await deuxieme.getByText('Votre voix est enregistrée').waitFor();
    const son = await deuxieme.getByLabel('Média de la question').inputValue();
    assert.match(son, /^son:voix-question-2.*\.wav$/);
    const wav = fs.readFileSync(path.join(atelier.dossier, 'InfosQuizz/questions/sons', son.slice(4)));
    assert.equal(wav.toString('latin1', 0, 4) + wav.toString('latin1', 8, 12), 'RIFFWAVE');
    assert.deepEqual([wav.readUInt16LE(22), wav.readUInt16LE(34)], [1, 16], 'mono, 16 bits');
    assert.ok(wav.length > 44 + 8000, 'a second of sound, not an empty file');
    await capture(page, 'quiz-avant-enregistrement');

    await page.getByRole('button', { name: 'Enregistrer', exact: true }).click();
    await page.getByText('Le quiz est enregistré').waitFor();
    const quiz = await page.evaluate(async () => (await fetch('/api/quiz')).json());
    assert.deepEqual(quiz.questions.map((q) => q.question),
      ['Quel fruit est jaune ? Regarde !', 'Quel fruit pousse|sur un palmier ?', 'Combien de pattes|a une araignée ?']);
    assert.deepEqual(quiz.questions[0].media, { type: 'image', nom: 'banane.png' });
    await pageSaine(page, 'quiz');
  });

  test('one run of the game, then the pupil in Résultats with the chart, and « Rejouer »', async () => {
    for (const son of ['correct.mp3', 'incorrect.mp3']) fs.copyFileSync(path.join(RACINE, 'demo', son), path.join(atelier.dossier, son));
    const joue = process.env.GRELINOR_JOUE || path.join(RACINE, 'build/grelinor_joue');
    const partie = await execute(joue, [atelier.dossier, '4', 'MARTIN', 'Luc'], { env: { ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' } });
    assert.equal(partie.code, 0, partie.sortie);
    const resultat = path.join(atelier.dossier, 'InfosQuizz/joueurs/DEMO/MARTIN_Luc.txt');
    assert.ok(fs.existsSync(resultat), partie.sortie);

    await page.getByRole('navigation').getByRole('link', { name: 'Résultats' }).click();
    const ligne = page.locator('#table-classe tbody tr', { hasText: 'MARTIN' });
    await ligne.waitFor();
    assert.match(await ligne.innerText(), /Luc/);
    const graphiques = page.locator('#par-question svg[role="img"]');
    assert.equal(await graphiques.count(), 3, 'one chart per question');
    assert.match(await graphiques.first().getAttribute('aria-label'), /bonne réponse/);
    assert.equal(await page.locator('#grille tbody tr').count(), 1);
    await pageSaine(page, 'resultats');

    await page.getByRole('button', { name: 'Rejouer : Luc MARTIN' }).click();
    const dialogue = page.getByRole('dialog');
    await dialogue.getByText('Faire rejouer Luc MARTIN ?').waitFor();
    await capture(page, 'resultats-rejouer');
    await dialogue.getByRole('button', { name: 'Rejouer' }).click();
    await page.getByText('Luc MARTIN peut rejouer').waitFor();
    assert.equal(await page.locator('#table-classe tbody tr', { hasText: 'MARTIN' }).count(), 0);
    assert.ok(!fs.existsSync(resultat), 'the results file left the pupils\' folder');
    const archives = path.join(atelier.dossier, 'InfosQuizz/joueurs/DEMO/archives');
    const gardes = fs.readdirSync(archives).flatMap((d) => fs.readdirSync(path.join(archives, d)).map((f) => path.join(d, f)));
    assert.ok(gardes.some((f) => f.endsWith('MARTIN_Luc.txt')), `kept in a dated folder: ${gardes}`);
  });
});

describe('what the workshop refuses', () => {
  test('a foreign Host, even with the session\'s cookie', async () => {
    const { cookie } = await jetons(contexte, page, atelier.base);
    for (const host of [`evil.example:${atelier.port}`, `127.0.0.1.evil.example:${atelier.port}`, '127.0.0.1']) {
      const r = await requete(atelier.base, { chemin: '/api/session', entetes: { Host: host, Cookie: cookie } });
      assert.equal(r.statut, 403, `Host ${host}`);
    }
    const bon = await requete(atelier.base, { chemin: '/api/session', entetes: { Host: `localhost:${atelier.port}`, Cookie: cookie } });
    assert.equal(bon.statut, 200);
  });

  test('no token, or a spent one: no way in', async () => {
    const autre = await navigateur.newContext();
    const p = await nouvellePage(autre);
    const page401 = await p.goto(`${atelier.base}/classe.html`);
    assert.equal(page401.status(), 401);
    const api = await p.goto(`${atelier.base}/api/classe`);
    assert.equal(api.status(), 401);
    assert.doesNotMatch(await p.content(), /MARTIN/);
    const usage = await p.goto(atelier.url);
    assert.equal(usage.status(), 403, 'the token is good once');
    assert.equal((await autre.cookies(atelier.base)).length, 0);
    await autre.close();
  });

  test('a page from another port posts, fetches and submits: nothing changes', async () => {
    const classe = eleves(atelier.dossier);
    const cible = atelier.base;
    const etranger = await serveurEtranger(`<!doctype html><meta charset="utf-8"><body>
      <form id="f" method="POST" action="${cible}/api/fermer" enctype="text/plain"><input name='{"a":"' value='"}'></form>
      <script>
        window.essais = Promise.allSettled([
          fetch('${cible}/api/classe', { method: 'PUT', credentials: 'include', headers: { 'Content-Type': 'application/json' }, body: '{"version":"absent","eleves":[]}' }),
          fetch('${cible}/api/classe', { method: 'PUT', credentials: 'include', mode: 'no-cors', body: '{"version":"absent","eleves":[]}' }),
          fetch('${cible}/api/dossier', { method: 'POST', credentials: 'include', mode: 'no-cors', body: '{"chemin":"/tmp","creer":true}' }),
          fetch('${cible}/api/rejouer', { method: 'POST', credentials: 'include', mode: 'no-cors', headers: { 'X-Atelier-CSRF': 'devine' }, body: '{"cle":"DUPONT_Marie"}' }),
        ]).then(() => document.getElementById('f').submit());
      </script></body>`);
    try {
      const p = await nouvellePage(contexte);   // same browser: the cookie would go along
      await p.goto(`http://127.0.0.1:${etranger.address().port}/`);
      await p.waitForURL(/\/api\/fermer/, { timeout: 10000 }).catch(() => {});
      await p.close();
      assert.equal(eleves(atelier.dossier), classe, 'the class file is unchanged');
      const session = await page.evaluate(async () => (await fetch('/api/session')).json());
      assert.equal(path.resolve(session.dossier), path.resolve(atelier.dossier), 'the folder is unchanged, the workshop still up');
    } finally {
      etranger.close();
    }
  });

  test('an upload named ../ stays in its folder; an oversize one is refused from its length', async () => {
    const { cookie, csrf } = await jetons(contexte, page, atelier.base);
    const entetes = { Cookie: cookie, 'X-Atelier-CSRF': csrf, Origin: atelier.base, 'Content-Type': 'image/png' };
    const png = fs.readFileSync(IMAGE);
    const r = await requete(atelier.base, { methode: 'POST', chemin: `/api/medias/images?nom=${encodeURIComponent('../../../evasion.png')}`, entetes, corps: png, longueur: png.length });
    assert.ok([201, 400, 422].includes(r.statut), `answer ${r.statut}: ${r.corps}`);
    if (r.statut === 201) assert.doesNotMatch(JSON.parse(r.corps).nom, /[\\/]|\.\./);
    for (const lieu of ['evasion.png', 'InfosQuizz/evasion.png', 'InfosQuizz/questions/evasion.png', '../evasion.png']) {
      assert.ok(!fs.existsSync(path.join(atelier.dossier, lieu)), `written to ${lieu}`);
    }
    const trop = await requete(atelier.base, { methode: 'POST', chemin: '/api/medias/images?nom=grande.png', entetes, corps: png, longueur: 17 * 1024 * 1024 });
    assert.equal(trop.statut, 413);
    assert.ok(!fs.existsSync(path.join(atelier.dossier, 'InfosQuizz/questions/images/grande.png')));
  });

  test('a pupil whose name is HTML shows as text, and no script runs', async () => {
    const nom = '<img src=x onerror=alert(1)>';
    await page.getByRole('navigation').getByRole('link', { name: 'La classe' }).click();
    await page.getByRole('button', { name: 'Ajouter un élève' }).click();
    await page.getByLabel('Nom de l’élève 4', { exact: true }).fill(nom);
    await page.getByLabel('Prénom de l’élève 4', { exact: true }).fill('Léa');
    await page.getByRole('button', { name: 'Enregistrer' }).click();
    await page.getByText('La classe est enregistrée : 4 élèves.').waitFor();
    await page.reload();
    assert.equal(await page.getByLabel('Nom de l’élève 4', { exact: true }).inputValue(), nom);
    for (const adresse of ['/', '/resultats.html', '/classe.html']) {
      await page.goto(atelier.base + adresse);
      await page.waitForLoadState('networkidle');
      assert.equal(await page.locator('img[src="x"]').count(), 0, `an <img> made from the name on ${adresse}`);
    }
    assert.deepEqual(page.dialogues, [], 'a dialog opened');
  });

  test('two tabs save the same quiz: the second is told, the file keeps the first', async () => {
    const a = await nouvellePage(contexte);
    const b = await nouvellePage(contexte);
    for (const p of [a, b]) {
      await p.goto(`${atelier.base}/quiz.html`);
      await p.getByLabel('Titre', { exact: true }).waitFor();
    }
    await a.getByLabel('Titre', { exact: true }).fill('Le titre du premier onglet');
    await a.getByRole('button', { name: 'Enregistrer', exact: true }).click();
    await a.getByText('Le quiz est enregistré').waitFor();
    await b.getByLabel('Titre', { exact: true }).fill('Le titre du second onglet');
    await b.getByRole('button', { name: 'Enregistrer', exact: true }).click();
    await b.getByText('Ce fichier a changé depuis que la page l’a ouvert').waitFor();
    await b.getByRole('button', { name: 'Recharger la page' }).waitFor();
    await capture(b, 'quiz-conflit');
    const quiz = await a.evaluate(async () => (await fetch('/api/quiz')).json());
    assert.equal(quiz.titre, 'Le titre du premier onglet');
    assert.deepEqual([...a.incidents, ...b.incidents], []);
    await a.close();
    await b.close();
  });
});

describe('closing', () => {
  test('« Fermer l\'atelier » ends the workshop', async () => {
    await page.goto(`${atelier.base}/`);
    await page.getByRole('button', { name: 'Fermer l\'atelier' }).click();
    await page.getByText('L’atelier est fermé.').waitFor();
    if (atelier.enfant) {
      const code = atelier.enfant.exitCode ?? await new Promise((r) => atelier.enfant.once('exit', r));
      assert.equal(code, 0, atelier.erreurs());
    }
  });
});
