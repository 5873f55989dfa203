// What the browser suite of the workshop shares: the workshop started on a
// scratch folder (or one already running, named by the environment), Debian's
// chromium driven by playwright-core, and plain HTTP requests for the checks
// a browser cannot make (a foreign Host, an announced length).
//
// Environment:
//   ATELIER_URL, ATELIER_DOSSIER  a workshop already running (its first
//       line, token included, and the data folder it uses or will create),
//       e.g. the Windows build under Wine; the suite then starts none.
//   PIVOLETTE    the program (default: build/pivolette of this tree).
//   GRELINOR_JOUE  the headless run of the game (default: build/grelinor_joue).
//   CHROMIUM     the browser (default: /usr/bin/chromium).
//   ATELIER_CAPTURES  a folder where the walk leaves its screenshots.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const RACINE = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../..');

// The workshop: its address with the token, its base, its data folder.
export async function demarreAtelier() {
  if (process.env.ATELIER_URL) {
    const url = new URL(process.env.ATELIER_URL);
    return { url: url.href, base: url.origin, port: Number(url.port), dossier: process.env.ATELIER_DOSSIER, arrete: async () => {} };
  }
  const travail = fs.mkdtempSync(path.join(os.tmpdir(), 'atelier-navigateur-'));
  const programme = process.env.PIVOLETTE || path.join(RACINE, 'build/pivolette');
  const enfant = spawn(programme, ['atelier', '--no-browser', '--port', '0'], { cwd: travail, stdio: ['ignore', 'pipe', 'pipe'] });
  let erreurs = '';
  enfant.stderr.on('data', (d) => { erreurs += d; });
  const premiere = await new Promise((resolve, reject) => {
    const lignes = readline.createInterface({ input: enfant.stdout });
    const minuteur = setTimeout(() => reject(new Error(`no address from the workshop within 20 s: ${erreurs}`)), 20000);
    lignes.once('line', (l) => { clearTimeout(minuteur); resolve(l); });
    enfant.once('exit', (code) => { clearTimeout(minuteur); reject(new Error(`the workshop ended (${code}) before its first line: ${erreurs}`)); });
  });
  const url = new URL(premiere.trim());
  const arrete = async () => {
    if (enfant.exitCode === null) {
      enfant.kill('SIGTERM');
      await new Promise((r) => enfant.once('exit', r));
    }
    fs.rmSync(travail, { recursive: true, force: true });
  };
  return { url: url.href, base: url.origin, port: Number(url.port), dossier: path.join(travail, 'classe'), arrete, enfant, erreurs: () => erreurs };
}

export async function lanceNavigateur() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--lang=fr-FR',
      // « Enregistrer ma voix »: a generated tone stands for the microphone.
      '--use-fake-device-for-media-stream', '--use-fake-ui-for-media-stream'],
  });
}

// A page whose script errors, refused resources (CSP) and dialogs are kept,
// so that a test can say that none happened.
export async function nouvellePage(contexte) {
  const page = await contexte.newPage();
  page.incidents = [];
  page.dialogues = [];
  page.on('pageerror', (e) => page.incidents.push(`script: ${e.message}`));
  page.on('console', (m) => { if (m.type() === 'error' && !/status of (4|5)\d\d/.test(m.text())) page.incidents.push(`console: ${m.text()}`); });
  // A page left with unsaved changes asks first: the tests leave it (one
  // failed step must not hold the next ones on its page).
  page.on('dialog', (d) => {
    if (d.type() === 'beforeunload') { d.accept().catch(() => {}); return; }
    page.dialogues.push(d.message());
    d.dismiss().catch(() => {});
  });
  return page;
}

export async function capture(page, nom) {
  const dossier = process.env.ATELIER_CAPTURES;
  if (!dossier) return;
  fs.mkdirSync(dossier, { recursive: true });
  await page.screenshot({ path: path.join(dossier, `${nom}.png`) });
}

// The fields of the page that no label names (an empty list is right).
export function champsSansEtiquette(page) {
  return page.evaluate(() => [...document.querySelectorAll('input, select, textarea')]
    .filter((e) => !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.getAttribute('aria-labelledby'))
    .map((e) => e.id || e.name || e.outerHTML.slice(0, 60)));
}

// A plain HTTP request with the headers as given (Host included).
export function requete(base, { methode = 'GET', chemin = '/', entetes = {}, corps = null, longueur } = {}) {
  const u = new URL(base);
  return new Promise((resolve, reject) => {
    const r = http.request({ host: u.hostname, port: u.port, method: methode, path: chemin, headers: entetes, setHost: !('Host' in entetes) }, (res) => {
      const morceaux = [];
      res.on('data', (d) => morceaux.push(d));
      res.on('end', () => resolve({ statut: res.statusCode, entetes: res.headers, corps: Buffer.concat(morceaux).toString('utf8') }));
    });
    r.on('error', reject);
    if (longueur !== undefined) r.setHeader('Content-Length', String(longueur));
    if (corps) r.write(corps);
    r.end();
  });
}

// The session's cookie and CSRF token, as a page of the workshop holds them.
export async function jetons(contexte, page, base) {
  const cookies = await contexte.cookies(base);
  const csrf = await page.evaluate(async () => (await (await fetch('/api/session')).json()).csrf);
  return { cookie: cookies.map((c) => `${c.name}=${c.value}`).join('; '), csrf };
}

// Runs a program to its end; resolves with its exit code and output.
export function execute(programme, args, options = {}) {
  return new Promise((resolve) => {
    const enfant = spawn(programme, args, { ...options, stdio: ['ignore', 'pipe', 'pipe'] });
    let sortie = '';
    enfant.stdout.on('data', (d) => { sortie += d; });
    enfant.stderr.on('data', (d) => { sortie += d; });
    enfant.on('error', (e) => resolve({ code: -1, sortie: String(e) }));
    enfant.on('exit', (code) => resolve({ code, sortie }));
  });
}

// A server on another port: the page from elsewhere of the cross-origin test.
export function serveurEtranger(html) {
  const serveur = http.createServer((req, res) => {
    res.setHeader('Content-Type', 'text/html; charset=utf-8');
    res.end(html);
  });
  return new Promise((resolve) => serveur.listen(0, '127.0.0.1', () => resolve(serveur)));
}
