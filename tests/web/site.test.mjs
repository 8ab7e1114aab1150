// The page as a site in headless Chromium: its panels, its layout at a window's and a
// phone's sizes, what assistive technology finds, the end of a game, and a second visit
// without the network.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import {
  canvasPixels, enterGarden, launchBrowser, openMenu, openPage, pagePoint, root, serveSite, site,
  waitForFirstFrame,
} from './harness.mjs';

let server;
let browser;

before(async () => {
  server = await serveSite();
  browser = await launchBrowser();
});

after(async () => {
  await browser.close();
  server.close();
});

const pageTimeout = { timeout: 240000 };

// The panels the player sees, by their text.
const shownPanels = (page) => page.evaluate(() => [...document.querySelectorAll('.panel')]
  .filter((panel) => panel.offsetParent !== null).map((panel) => panel.innerText.trim()));

test('a refused address shows one panel with the reason; without JavaScript, one that says so', pageTimeout, async () => {
  const { page } = await openPage(browser.context, server.url + '?autoplay&games=abc');
  await page.waitForFunction(() => window.quenford.exitCode !== null);
  assert.equal(await page.evaluate(() => window.quenford.exitCode), 2);
  const panels = await shownPanels(page);
  assert.equal(panels.length, 1, JSON.stringify(panels));
  assert.match(panels[0], /^quenford: --games needs a number of games from 1\n/);
  await page.close();

  const plain = await launchBrowser(undefined, { javaScriptEnabled: false });
  try {
    const noScript = await plain.context.newPage();
    await noScript.goto(server.url);
    assert.deepEqual(await noScript.locator('.panel:visible').allInnerTexts(),
      ['Quenford needs JavaScript: allow it for this page and load the page again.']);
  } finally {
    await plain.close();
  }
});

test('after Quit the canvas keeps the last frame, and Enter on "Play again" plays again', pageTimeout, async () => {
  const { page, errors } = await openPage(browser.context, server.url + '?q');
  await enterGarden(page);
  await openMenu(page);
  const quit = await pagePoint(page, 184, 358);
  await page.mouse.click(quit.x, quit.y);
  await page.waitForFunction(() => window.quenford.exitCode !== null, null, { timeout: 20000 });
  // The game's last frame is black.
  const pixels = await canvasPixels(page);
  const lit = [];
  for (let i = 0; i < pixels.length; i += 4) {
    if (pixels[i] || pixels[i + 1] || pixels[i + 2]) lit.push([(i / 4) % 640, Math.floor(i / 4 / 640)]);
  }
  assert.deepEqual(lit.slice(0, 8), []);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.quenford && window.quenford.exitCode === null &&
    window.quenford.firstFrameMs !== null);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the page is named for assistive technology', pageTimeout, async () => {
  // The data held back until the progress bar has been seen (no worker serves them).
  const own = await launchBrowser(undefined, { serviceWorkers: 'block' });
  try {
    let release;
    const arrived = new Promise((resolve) => { release = resolve; });
    await own.context.route('**/data/**', async (route) => {
      await arrived;
      await route.continue();
    });
    const page = await own.context.newPage();
    await page.goto(server.url + '?q');
    assert.equal(await page.title(), 'Quenford');
    const cdp = await own.context.newCDPSession(page);
    const named = async () => (await cdp.send('Accessibility.getFullAXTree')).nodes
      .filter((node) => !node.ignored && node.name && node.name.value)
      .map((node) => `${node.role.value}: ${node.name.value}`);
    assert.ok((await named()).includes('progressbar: Quenford is on its way…'), await named());
    release();
    await waitForFirstFrame(page);
    assert.ok((await named()).includes('application: Quenford'), await named());
    assert.ok((await named()).includes('heading: Quenford'), await named());
    assert.equal(await page.title(), 'Quenford');
  } finally {
    await own.close();
  }
});

test('the canvas takes the largest 4:3 area, laid out before the first paint; the tool bar keeps to one line beside it', pageTimeout, async () => {
  const { page, errors } = await openPage(browser.context, server.url + '?q');
  await waitForFirstFrame(page);
  const shifts = await page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => resolve(list.getEntries().map((entry) => entry.value)))
      .observe({ type: 'layout-shift', buffered: true });
    setTimeout(() => resolve([]), 500);
  }));
  assert.deepEqual(shifts, []);
  // The longest text the bar shows: a timed demo's result.
  await page.evaluate(() => Module.quenfordPage.timedemoDone(245.1,
    '2286 frames in 9325 ms (245 fps); 8130 ms of processor time (281 fps)',
    'frames=2286 score=2210 phase=1 bed=0123401234012340123401234012340123401234'));
  for (const [width, height] of [[960, 760], [844, 390], [390, 844], [1500, 400]]) {
    await page.setViewportSize({ width, height });
    await page.waitForTimeout(200);
    const boxes = await page.evaluate(() => {
      const box = (element) => {
        const r = element.getBoundingClientRect();
        return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
      };
      return { canvas: box(document.getElementById('screen')),
        bar: box(document.getElementById('bar')),
        items: [...document.querySelectorAll('#bar > *')].map(box) };
    });
    const what = `at ${width} x ${height}: ${JSON.stringify(boxes)}`;
    const scale = Math.min(width / 640, height / 480);
    assert.equal(boxes.canvas.right - boxes.canvas.left, Math.floor(640 * scale), what);
    assert.equal(boxes.canvas.bottom - boxes.canvas.top, Math.floor(480 * scale), what);
    const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
      b.bottom <= a.top;
    assert.ok(apart(boxes.canvas, boxes.bar), 'the bar covers the canvas ' + what);
    // Beside it, with room to spare, the canvas keeps to the middle.
    const canvasWidth = boxes.canvas.right - boxes.canvas.left;
    if (boxes.bar.left >= boxes.canvas.right && width - canvasWidth >= 2 * (boxes.bar.right - boxes.bar.left)) {
      assert.ok(Math.abs(boxes.canvas.left + boxes.canvas.right - width) <= 1, what);
    }
    // One line (or one column): no item lies beside another's line and over it.
    const items = boxes.items;
    for (let i = 0; i < items.length; ++i) {
      for (let j = i + 1; j < items.length; ++j) assert.ok(apart(items[i], items[j]), what);
      assert.ok(items[i].bottom <= boxes.bar.bottom + 0.5 && items[i].right <= boxes.bar.right + 0.5, what);
    }
    const oneLine = items.every((item) => item.top < items[0].bottom && item.bottom > items[0].top);
    const oneColumn = items.every((item) => item.left < items[0].right && item.right > items[0].left);
    assert.ok(oneLine || oneColumn, 'the bar wraps ' + what);
  }
  assert.deepEqual(errors, []);
  await page.close();
});

test('after one visit the game starts and plays without the network', pageTimeout, async () => {
  const { page, errors } = await openPage(browser.context, server.url + '?q');
  await waitForFirstFrame(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await browser.context.setOffline(true);
  try {
    await page.reload();
    await enterGarden(page);
    // The introduction and the demo are kept as well.
    await page.goto(server.url + '?demo');
    await waitForFirstFrame(page);
  } finally {
    await browser.context.setOffline(false);
  }
  assert.deepEqual(errors, []);
  await page.close();
});

test('make serve-web gives the WebAssembly and the manifest their types, and compresses as a web host does', pageTimeout, async () => {
  const port = await new Promise((resolve) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port: free } = probe.address();
      probe.close(() => resolve(free));
    });
  });
  const server = spawn('python3', [path.join(root, 'scripts/serve-web.py'), site, String(port)]);
  try {
    const encodings = new Map();
    const type = async (name) => {
      for (let tries = 0; ; ++tries) {
        try {
          const response = await fetch(`http://127.0.0.1:${port}/${name}`);
          encodings.set(name, response.headers.get('content-encoding'));
          return response.headers.get('content-type');
        } catch (error) {
          if (tries > 50) throw error;
          await new Promise((resolve) => setTimeout(resolve, 100));
        }
      }
    };
    assert.equal(await type('quenford.wasm'), 'application/wasm');
    assert.equal(await type('quenford.webmanifest'), 'application/manifest+json');
    assert.match(await type(''), /^text\/html/);
    assert.match(await type('quenford.js'), /^text\/javascript/);
    assert.equal(await type('data/DATA10.RES'), 'application/octet-stream');
    assert.deepEqual(Object.fromEntries(encodings), { 'quenford.wasm': 'gzip',
      'quenford.webmanifest': null, '': 'gzip', 'quenford.js': 'gzip', 'data/DATA10.RES': 'gzip' });
  } finally {
    server.kill();
  }
});
