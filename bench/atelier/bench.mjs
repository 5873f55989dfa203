// The teacher's workshop timed as a teacher uses it: the real program
// (`pivolette atelier COPY --no-browser --port 0`) on a copy of the demo,
// its pages in Debian's chromium through playwright-core, its API over HTTP
// from here. It prints each figure beside its aim and asserts nothing.
//
//   node bench/atelier/bench.mjs PIVOLETTE DEMO_COPY SCHOOL
//
// SCHOOL: the 30 class folders of pivolette_bench_atelier_arbre.
// bench/atelier/run.sh builds and prepares all three.
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { readFileSync, readdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { createInterface } from 'node:readline';

const ROOT = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const require = createRequire(join(ROOT, 'tests/atelier/browser/package.json'));
const { chromium } = require('playwright-core');

const [PIVOLETTE, DEMO, SCHOOL] = process.argv.slice(2);
if (!SCHOOL) {
  console.error('usage : node bench/atelier/bench.mjs PIVOLETTE COPIE_DEMO ECOLE');
  process.exit(2);
}
const TICKS = 100; // clock ticks per second of /proc/PID/stat (USER_HZ)

const now = () => performance.now();
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const max = (xs) => Math.max(...xs);

// One line: what, the figure, the aim, and whether the figure meets it.
function line(what, figure, unit, aim) {
  const ok = figure <= aim ? 'tenu' : 'MANQUÉ';
  console.log(`${what.padEnd(52)} ${figure.toFixed(1).padStart(8)} ${unit.padEnd(4)} objectif ≤ ${aim} ${unit}  ${ok}`);
}

// The workshop started on FOLDER; resolves once its first line, the
// address, is printed.
function start(folder) {
  const child = spawn(PIVOLETTE, ['atelier', folder, '--no-browser', '--port', '0'], {
    stdio: ['ignore', 'pipe', 'inherit'],
  });
  return new Promise((resolve, reject) => {
    const lines = createInterface({ input: child.stdout });
    const timer = setTimeout(() => reject(new Error("l'atelier n'a pas donné son adresse en 20 s")), 20000);
    lines.once('line', (address) => {
      clearTimeout(timer);
      lines.on('line', () => {}); // the rest of what it prints, read and left
      resolve({ child, address: address.trim(), origin: new URL(address.trim()).origin });
    });
    child.once('exit', (code) => reject(new Error(`l'atelier s'est arrêté (code ${code}) avant son adresse`)));
  });
}

// The API as the page calls it, with the session's cookie and CSRF token.
function client(origin, cookie, csrf) {
  return async (method, path, body) => {
    const headers = { Cookie: cookie, Origin: origin };
    if (method !== 'GET') headers['X-Atelier-CSRF'] = csrf;
    if (body !== undefined) headers['Content-Type'] = 'application/json';
    const answer = await fetch(origin + path, {
      method, headers, body: body === undefined ? undefined : JSON.stringify(body),
    });
    const text = await answer.text();
    if (!answer.ok) throw new Error(`${method} ${path} : ${answer.status} ${text.slice(0, 300)}`);
    return text.startsWith('{') ? JSON.parse(text) : text;
  };
}

// Milliseconds from a navigation to its load event and the answers of every
// API request the page made meanwhile and until it fell quiet (50 ms).
async function pageReady(page, url) {
  const pending = new Set();
  let lastAnswer = 0;
  const onRequest = (r) => { if (new URL(r.url()).pathname.startsWith('/api/')) pending.add(r); };
  const onDone = (r) => { if (pending.delete(r)) lastAnswer = now(); };
  page.on('request', onRequest);
  page.on('requestfinished', onDone);
  page.on('requestfailed', onDone);
  const t0 = now();
  await page.goto(url, { waitUntil: 'load' });
  const loaded = now();
  for (let quiet = 0; quiet < 50;) {
    await new Promise((r) => setTimeout(r, 5));
    quiet = pending.size === 0 ? quiet + 5 : 0;
  }
  page.off('request', onRequest);
  page.off('requestfinished', onDone);
  page.off('requestfailed', onDone);
  return Math.max(loaded, lastAnswer) - t0;
}

function processorMs(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  return ((Number(fields[11]) + Number(fields[12])) * 1000) / TICKS; // utime, stime
}

// The processor time of every thread, to the nanosecond, and how many times
// they were put on a processor (each wake-up counts one).
function schedule(pid) {
  let ns = 0;
  let runs = 0;
  for (const task of readdirSync(`/proc/${pid}/task`)) {
    try {
      const [run, , slices] = readFileSync(`/proc/${pid}/task/${task}/schedstat`, 'utf8').trim().split(' ');
      ns += Number(run);
      runs += Number(slices);
    } catch { /* a thread that ended meanwhile */ }
  }
  return { ms: ns / 1e6, runs };
}

function peakMemoryMiB(pid) {
  const m = readFileSync(`/proc/${pid}/status`, 'utf8').match(/VmHWM:\s+(\d+) kB/);
  return Number(m[1]) / 1024;
}

// A quiz of n questions made from the demo's, each text its own.
function quizOf(quiz, n) {
  const questions = [];
  for (let k = 0; k < n; ++k) {
    const q = structuredClone(quiz.questions[k % quiz.questions.length]);
    q.question = `Question ${k + 1}|${q.question.split('|')[0]}`.slice(0, 60);
    questions.push(q);
  }
  return { version: quiz.version, version_texte: quiz.version_texte, titre: quiz.titre, theme: quiz.theme,
           note: quiz.note, questions };
}

// section(what, fn): runs one measure; a measure the workshop cannot answer
// (a resource missing, a refusal) is said, and the others still run.
async function section(what, fn) {
  try {
    await fn();
  } catch (e) {
    console.log(`${what.padEnd(52)} impossible : ${e.message.split('\n')[0]}`);
  }
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--headless'] });
const { child, address, origin } = await start(DEMO);
const pid = child.pid;
try {
  console.log(`L'atelier (${PIVOLETTE}) ; chromium ${browser.version()}`);
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  const page = await context.newPage();
  line('page prête, première ouverture (jeton compris)', await pageReady(page, address), 'ms', 300);
  const again = [];
  for (let k = 0; k < 10; ++k) again.push(await pageReady(page, origin + '/'));
  line('page prête, rechargée (médiane de 10)', median(again), 'ms', 300);
  const cookie = (await context.cookies(origin)).map((c) => `${c.name}=${c.value}`).join('; ');
  const session = await (await fetch(origin + '/api/session', { headers: { Cookie: cookie } })).json();
  const api = client(origin, cookie, session.csrf);

  // Idle: the page open, its heartbeats running, nothing else.
  const before = processorMs(pid);
  const sched = schedule(pid);
  await new Promise((r) => setTimeout(r, 10000));
  line('processeur en 10 s au repos, une page ouverte', processorMs(pid) - before, 'ms', 10); // one clock tick
  const after = schedule(pid);
  console.log(`  (ses fils : ${(after.ms - sched.ms).toFixed(2)} ms de processeur, ${after.runs - sched.runs} réveils)`);

  // The preview redrawn after each keystroke of a question typed anew.
  let quiz;
  await section('aperçu après une frappe', async () => {
    quiz = await api('GET', '/api/quiz');
    const question = structuredClone(quiz.questions[0]);
    const typed = 'Combien de pattes a une araignée ?';
    const preview = [];
    for (let k = 1; k <= typed.length; ++k) {
      question.question = typed.slice(0, k);
      const t0 = now();
      await api('POST', '/api/apercu', { question, largeur: 1024, hauteur: 768 });
      preview.push(now() - t0);
    }
    line(`aperçu après une frappe (médiane de ${preview.length})`, median(preview), 'ms', 100);
    line(`aperçu après une frappe (pire de ${preview.length})`, max(preview), 'ms', 100);
  });

  // Saving a quiz of 60 questions, ten times, each against the last version.
  await section('enregistrer un quiz de 60 questions', async () => {
    quiz ??= await api('GET', '/api/quiz');
    const save = [];
    const body = quizOf(quiz, 60);
    for (let k = 0; k < 10; ++k) {
      body.questions[0].question = `Question 1, enregistrement ${k + 1}`;
      const t0 = now();
      const answer = await api('PUT', '/api/quiz', body);
      save.push(now() - t0);
      body.version = answer.version;
      if (answer.version_texte !== undefined) body.version_texte = answer.version_texte;
    }
    line('enregistrer un quiz de 60 questions (médiane de 10)', median(save), 'ms', 50);
    line('enregistrer un quiz de 60 questions (pire de 10)', max(save), 'ms', 50);
  });

  // The results of each class of the school, its folder chosen first.
  await section('résultats d\'une classe de 60 élèves', async () => {
    const results = [];
    for (const name of readdirSync(SCHOOL).sort()) {
      await api('POST', '/api/dossier', { chemin: join(SCHOOL, name), creer: false });
      const t0 = now();
      const r = await api('GET', '/api/resultats');
      results.push(now() - t0);
      if (r.eleves.length !== 60) console.log(`  ${name} : ${r.eleves.length} élèves au lieu de 60`);
    }
    line('résultats d\'une classe de 60 élèves (médiane de 30)', median(results), 'ms', 200);
    line('résultats d\'une classe de 60 élèves (pire de 30)', max(results), 'ms', 200);
  });

  line('mémoire du serveur, au plus haut (VmHWM)', peakMemoryMiB(pid), 'MiB', 40);
  await page.close();
  await api('POST', '/api/fermer').catch(() => {});
} finally {
  await browser.close();
  const stopped = new Promise((r) => child.once('exit', r));
  setTimeout(() => child.kill(), 5000).unref();
  if (child.exitCode === null) await stopped;
}
