// What the browser tests share: a static server for build-web/ on localhost, Debian's
// Chromium driven by playwright-core, the page's console watched for errors.
import { spawnSync } from 'node:child_process';
import { createServer } from 'node:http';
import { readFile, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { inflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const site = process.env.QUENFORD_WEB_DIR || path.join(root, 'build-web');
export const nativeBuild = process.env.QUENFORD_BUILD_DIR || path.join(root, 'build');

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};

export async function serveSite(folder = site) {
  const server = createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(folder, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(folder)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Content-Length': body.length,
      });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// One browser with its own empty profile; profile: a folder to reuse (a restart); options:
// the context's own (a phone's touch screen, no JavaScript), and firstVisit: how to play
// shows as on a player's first visit (otherwise the page takes every visit for a later one).
export async function launchBrowser(profile, { firstVisit = false, ...options } = {}) {
  const userDataDir = profile || (await mkdtemp(path.join(tmpdir(), 'quenford-chromium-')));
  const context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport: { width: 960, height: 760 },
    ...options,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required'],
  });
  if (!firstVisit) await context.addInitScript(() => localStorage.setItem('quenford.rulesSeen', '1'));
  return {
    context,
    profile: userDataDir,
    async close() {
      await context.close();
      if (!profile) await rm(userDataDir, { recursive: true, force: true });
    },
  };
}

// A page whose console errors and uncaught exceptions are collected.
export async function openPage(context, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(url);
  return { page, errors };
}

export async function waitForFirstFrame(page) {
  await page.waitForFunction(() => window.quenford && window.quenford.firstFrameMs !== null);
}

// The canvas's own 640 x 480 pixels as RGBA bytes (not the scaled page).
export async function canvasPixels(page) {
  const encoded = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const data = canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let at = 0; at < data.length; at += 0x8000) {
      text += String.fromCharCode.apply(null, data.subarray(at, at + 0x8000));
    }
    return btoa(text);
  });
  return new Uint8Array(Buffer.from(encoded, 'base64'));
}

// A point of the canvas in the page's coordinates, for a game pixel.
export async function pagePoint(page, x, y) {
  const box = await page.locator('#screen').boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / 640, y: box.y + ((y + 0.5) * box.height) / 480 };
}

// The native program, run in the data folder of the native build.
export function runNative(args, env = {}) {
  return runProgram(path.join(nativeBuild, 'src/app/quenford'), args, env);
}

// The WebAssembly core under Node, in the same folder.
export function runNode(args, env = {}) {
  return runProgram(process.execPath, [path.join(site, 'quenford-node.js'), ...args], env);
}

function runProgram(program, args, env) {
  const run = spawnSync(program, args, {
    cwd: env.cwd || path.join(nativeBuild, 'data'),
    env: { ...process.env, ...env.vars },
    encoding: 'utf8',
    timeout: 120000,
  });
  if (run.status !== 0) {
    throw new Error(`${program} ${args.join(' ')} ended with ${run.status}: ${run.stderr.slice(-1500)}`);
  }
  return run.stdout;
}

export function endStateOf(output) {
  const line = output.split('\n').find((text) => text.startsWith('end state: '));
  if (!line) throw new Error('no end state in:\n' + output);
  return line.slice('end state: '.length);
}

// The RGBA pixels of a frame the headless host dumped (8-bit RGB or RGBA PNG).
export async function readPng(file) {
  const bytes = await readFile(file);
  let at = 8;
  let width = 0;
  let height = 0;
  let channels = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error(file + ': unsupported PNG');
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const value = raw[y * (stride + 1) + 1 + x];
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const corner = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = left;
      else if (filter === 2) predicted = up;
      else if (filter === 3) predicted = (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - corner;
        const pa = Math.abs(p - left);
        const pb = Math.abs(p - up);
        const pc = Math.abs(p - corner);
        predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      rows[y * stride + x] = (value + predicted) & 0xff;
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    rgba[i * 4] = rows[i * channels];
    rgba[i * 4 + 1] = rows[i * channels + 1];
    rgba[i * 4 + 2] = rows[i * channels + 2];
    rgba[i * 4 + 3] = 255;
  }
  return rgba;
}

// A frame of the native headless host: frame number `frame` of a run with these arguments.
export async function nativeFrame(args, frame, home) {
  const folder = await mkdtemp(path.join(tmpdir(), 'quenford-frames-'));
  try {
    runNative(['--headless', '--frames', String(frame), '--dump', folder, '--dump-at', String(frame),
      ...args], { vars: { TAMBERLY_HOME: home || folder } });
    return await readPng(path.join(folder, `frame-${String(frame).padStart(6, '0')}.png`));
  } finally {
    await rm(folder, { recursive: true, force: true });
  }
}

export function samePixels(a, b) {
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
  return true;
}

// Waits until the canvas shows exactly these pixels; false when it never did.
export async function waitForCanvas(page, expected, timeoutMs) {
  const end = Date.now() + timeoutMs;
  while (Date.now() < end) {
    if (samePixels(await canvasPixels(page), expected)) return true;
    await page.waitForTimeout(100);
  }
  return false;
}

// The bed as the page tells it: 64 characters, a kind digit or '.'.
export async function gameState(page) {
  const text = await page.evaluate(() => window.quenford.gameState());
  const field = (name) => text.match(new RegExp(name + '=(\\S+)'))[1];
  return { phase: Number(field('phase')), score: Number(field('score')),
    selected: Number(field('selected')), bed: field('bed') };
}

export async function waitForState(page, predicate, what, timeoutMs = 15000) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const state = await gameState(page);
    if (predicate(state)) return state;
    if (Date.now() > end) throw new Error(`waiting for ${what}; the bed is ${JSON.stringify(state)}`);
    await page.waitForTimeout(50);
  }
}

export const settled = (state) => state.phase === 1 && state.bed.replace(/\./g, '').length >= 10;

// The middle of a square on the screen, in the page's coordinates.
export function squarePoint(page, index) {
  const col = index % 8;
  const row = Math.floor(index / 8);
  return pagePoint(page, 355 + 25 * col - 33 * row - 4, 122 + 21 * col + 12 * row + 16);
}

// In the Q mode, past the title and the table into a filled garden; tap: a touch screen's.
export async function enterGarden(page, tap = false) {
  await waitForFirstFrame(page);
  const middle = await pagePoint(page, 320, 240);
  const press = () => (tap ? page.touchscreen.tap(middle.x, middle.y) : page.mouse.click(middle.x, middle.y));
  await press();  // past the title
  await page.waitForTimeout(1500);
  await press();  // past the table
  return waitForState(page, settled, 'the bed to fill');
}

// The area of the screen the in-game menu covers, to see it open and close.
export async function menuArea(page) {
  return (await canvasPixels(page)).subarray(269 * 2560, 409 * 2560);
}

// A key held over several frames: the game holds until the key is up, and the page goes on.
export const holdKey = (page, key, ms = 300) => async () => {
  await page.keyboard.down(key);
  await page.waitForTimeout(ms);
  await page.keyboard.up(key);
};

// The arrows that walk the game's pointer from an item (the first one, unless given) to one
// of another kind: each goes to the nearest square that way on the screen, sideways steps
// counting double.
export function arrowPath(bed, from = [...bed].findIndex((kind) => kind !== '.')) {
  const centre = (i) => ({ x: 351 + 25 * (i % 8) - 33 * Math.floor(i / 8),
    y: 138 + 21 * (i % 8) + 12 * Math.floor(i / 8) });
  const ways = { up: (dx, dy) => [-dy, Math.abs(dx)], down: (dx, dy) => [dy, Math.abs(dx)],
    left: (dx, dy) => [-dx, Math.abs(dy)], right: (dx, dy) => [dx, Math.abs(dy)] };
  const step = (square, way) => {
    let best = -1;
    let bestScore = Infinity;
    for (let i = 0; i < 64; ++i) {
      const [along, sideways] = ways[way](centre(i).x - centre(square).x,
        centre(i).y - centre(square).y);
      if (along <= 0 || sideways > 2 * along || along + 2 * sideways >= bestScore) continue;
      best = i;
      bestScore = along + 2 * sideways;
    }
    return best;
  };
  const paths = new Map([[from, []]]);
  const wanted = (i) => bed[i] !== '.' && bed[i] !== bed[from];
  for (const [square, path] of paths) {
    if (wanted(square)) return { from, to: square, path };
    for (const way of Object.keys(ways)) {
      const next = step(square, way);
      if (next >= 0 && !paths.has(next)) paths.set(next, [...path, way]);
    }
  }
  throw new Error(`no item of another kind than square ${from}'s on ${bed}`);
}

// Opens the in-game menu (by default with Esc held) and sees it on the screen.
export async function openMenu(page, press = holdKey(page, 'Escape')) {
  const before = await menuArea(page);
  await press();
  await page.waitForTimeout(1500);
  if (samePixels(await menuArea(page), before)) throw new Error('the menu did not open');
}
