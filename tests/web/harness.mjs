// What the browser tests share: a static server for build-web/ on localhost, Debian's
// Chromium driven by playwright-core, the page's console watched for errors.
import { createServer } from 'node:http';
import { readFile, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const site = process.env.QUENFORD_WEB_DIR || path.join(root, 'build-web');
export const nativeBuild = process.env.QUENFORD_BUILD_DIR || path.join(root, 'build');

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm',
};

export async function serveSite() {
  const server = createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(site, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(site)) {
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

// One browser with its own empty profile; keep: a profile folder to reuse (a restart).
export async function launchBrowser(profile) {
  const userDataDir = profile || (await mkdtemp(path.join(tmpdir(), 'quenford-chromium-')));
  const context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport: { width: 960, height: 760 },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required'],
  });
  return {
    context,
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
  const bytes = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const data = canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
    return Array.from(data);
  });
  return Uint8Array.from(bytes);
}

// A point of the canvas in the page's coordinates, for a game pixel.
export async function pagePoint(page, x, y) {
  const box = await page.locator('#screen').boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / 640, y: box.y + ((y + 0.5) * box.height) / 480 };
}
