// What the browser tests share: build-web/ served by `make serve-web`'s server, Debian's
// Chromium driven by playwright-core, the page's console watched for errors.
import { spawn, spawnSync } from 'node:child_process';
import { createServer } from 'node:net';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const site = process.env.QUENFORD_WEB_DIR || path.join(root, 'build-web');
export const nativeBuild = process.env.QUENFORD_BUILD_DIR || path.join(root, 'build');

// The site (or another build's) as `make serve-web` serves it, on a free port of localhost.
export async function serveSite(folder = site) {
  const port = await new Promise((resolve) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port: free } = probe.address();
      probe.close(() => resolve(free));
    });
  });
  const server = spawn('python3', [path.join(root, 'scripts/serve-web.py'), folder, String(port)], { stdio: 'ignore' });
  const url = `http://127.0.0.1:${port}/`;
  for (let tries = 0; !(await fetch(url).catch(() => null)); ++tries) {
    if (tries > 50) throw new Error('make serve-web\'s server did not answer');
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return { url, close: () => server.kill() };
}

// The browsers open: a test that fails leaves its own open, and node --test would wait for it.
const openBrowsers = new Set();
export const closeBrowsers = () => Promise.all([...openBrowsers].map((context) => context.close()));

// One browser with an empty profile; options: the context's, and firstVisit: how to play
// shows (otherwise the page takes every visit for a later one).
export async function launchBrowser({ firstVisit = false, ...options } = {}) {
  // Playwright's own switches keep the browser off the network and its updates.
  const context = await chromium.launchPersistentContext('', {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    viewport: { width: 960, height: 760 },
    ...options,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--autoplay-policy=no-user-gesture-required'],
  });
  openBrowsers.add(context);
  context.on('close', () => openBrowsers.delete(context));
  if (!firstVisit) await context.addInitScript(() => localStorage.setItem('quenford.rulesSeen', '1'));
  return context;
}

// A page whose console errors and warnings (the program's stderr, but not the browser's advice
// on reads of the canvas) and uncaught exceptions are collected; init: run before its scripts.
export async function openPage(context, url, init) {
  const page = await context.newPage();
  if (init) await page.addInitScript(init);
  const errors = [];
  page.on('console', (message) => ['error', 'warning'].includes(message.type()) &&
    !message.text().startsWith('Canvas2D:') && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(url);
  return { page, errors };
}

export const waitForFirstFrame = (page) =>
  page.waitForFunction(() => window.quenford && window.quenford.firstFrameMs !== null);

// A point of the canvas in the page's coordinates, for a game pixel.
export async function pagePoint(page, x, y) {
  const box = await page.locator('#screen').boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / 640, y: box.y + ((y + 0.5) * box.height) / 480 };
}

// The native program, or the WebAssembly core under Node, in the native build's data folder.
export const runNative = (args, home) => runProgram(path.join(nativeBuild, 'src/app/quenford'), args, home);
export const runNode = (args, home) => runProgram(process.execPath, [path.join(site, 'quenford-node.js'), ...args], home);
function runProgram(program, args, home) {
  const run = spawnSync(program, args, { cwd: path.join(nativeBuild, 'data'),
    env: { ...process.env, TAMBERLY_HOME: home }, encoding: 'utf8', timeout: 120000 });
  if (run.status !== 0) {
    throw new Error(`${program} ${args.join(' ')} ended with ${run.status}: ${run.stderr.slice(-1500)}`);
  }
  return run.stdout;
}

// Waits until the canvas shows exactly the pixels of this PNG; false when it never did.
export function waitForCanvas(page, png, timeoutMs) {
  return page.evaluate(async ([source, ms]) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + source;
    await image.decode();
    const scratch = new OffscreenCanvas(640, 480).getContext('2d');
    scratch.drawImage(image, 0, 0);
    const expected = scratch.getImageData(0, 0, 640, 480).data;
    const screen = document.getElementById('screen').getContext('2d');
    for (const end = Date.now() + ms; Date.now() < end; await new Promise((resolve) => setTimeout(resolve, 100))) {
      if (screen.getImageData(0, 0, 640, 480).data.every((value, i) => value === expected[i])) return true;
    }
    return false;
  }, [png.toString('base64'), timeoutMs]);
}

// Waits for the game as the page tells it to answer predicate: the bed, 64 characters, a kind
// digit or '.'; and the menu, up or not.
export async function waitForState(page, predicate, what, timeoutMs = 15000) {
  for (const end = Date.now() + timeoutMs; ; await page.waitForTimeout(50)) {
    const text = await page.evaluate(() => window.quenford.gameState());
    const field = (name) => text.match(new RegExp(name + '=(\\S+)'))[1];
    const state = { phase: Number(field('phase')), score: Number(field('score')),
      selected: Number(field('selected')), menu: field('menu') === '1', bed: field('bed') };
    if (predicate(state)) return state;
    if (Date.now() > end) throw new Error(`waiting for ${what}; the bed is ${JSON.stringify(state)}`);
  }
}

export const settled = (state) => state.phase === 1 && state.bed.replace(/\./g, '').length >= 10;

// The middle of a square on the screen, and of a menu item by its name, in the page's
// coordinates.
export const squarePoint = (page, index) => page.evaluate((square) => window.quenford.squareCentre(square), index)
  .then(({ x, y }) => pagePoint(page, x, y));
export const menuItemPoint = (page, name) => page.evaluate((item) => window.quenford.menuItemCentre(item), name)
  .then(({ x, y }) => pagePoint(page, x, y));

// A key held over several frames: the game holds until the key is up, and the page goes on.
export const holdKey = (page, key, ms = 300) => async () => {
  await page.keyboard.down(key);
  await page.waitForTimeout(ms);
  await page.keyboard.up(key);
};

// The arrows that walk the game's pointer from an item (the first one, unless given) to one
// of another kind, each where the game says it goes.
export const arrowPath = (page, bed, from = [...bed].findIndex((kind) => kind !== '.')) =>
  page.evaluate(([bed, from]) => {
    const paths = new Map([[from, []]]);
    for (const [square, path] of paths) {
      if (bed[square] !== '.' && bed[square] !== bed[from]) return { from, to: square, path };
      for (const way of ['up', 'down', 'left', 'right']) {
        const next = window.quenford.arrow(square, way);
        if (next >= 0 && !paths.has(next)) paths.set(next, [...path, way]);
      }
    }
    throw new Error(`no item of another kind than square ${from}'s on ${bed}`);
  }, [bed, from]);
