// The page as a site in headless Chromium: its panels, what cannot be loaded, its layout at a
// window's and a phone's sizes, what assistive technology finds, and a second visit without
// the network.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  endStateOf, enterGarden, launchBrowser, openPage, runNative, serveSite, waitForFirstFrame,
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

test('without JavaScript the page says what it needs', pageTimeout, async () => {
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

// Without a service worker, so that every file comes from the server as the test lets it.
test('loading is named for assistive technology; what cannot be had or is refused is said, with a retry', pageTimeout, async () => {
  const own = await launchBrowser(undefined, { serviceWorkers: 'block' });
  try {
    const failures = { 'quenford.js': 'abort', 'quenford.wasm': 'abort' };
    await own.context.route('**/*', async (route) => {
      const name = new URL(route.request().url()).pathname.split('/').pop();
      const failure = failures[name];
      if (failure === 'abort') return route.abort();
      if (failure === 'cut') {
        const whole = await (await route.fetch()).body();
        return route.fulfill({ body: whole.subarray(0, whole.length / 3) });
      }
      if (failure) await failure;  // held back
      return route.continue();
    });
    const page = await own.context.newPage();
    const panel = async () => {
      await page.locator('#ended').waitFor();
      return (await shownPanels(page)).join('|');
    };
    const retry = async () => {
      assert.equal(await page.locator('#again').textContent(), 'Try again');
      await page.click('#again');
    };
    await page.goto(server.url + '?q');
    assert.match(await panel(), /could not be loaded: quenford\.js\s+Try again$/);
    delete failures['quenford.js'];
    await retry();
    assert.match(await panel(), /could not be loaded: quenford\.wasm: .*\s+Try again$/);
    delete failures['quenford.wasm'];
    // A damaged archive: the game's message box, and an exit code that says it failed.
    failures['DATA10.RES'] = 'cut';
    await retry();
    assert.match(await panel(), /^ERROR!\s+Can't initialise resources\s+Try again$/);
    assert.equal(await page.evaluate(() => window.quenford.exitCode), 1);
    // A refused address: one panel with the reason (?fast alone: a virtual clock that nobody
    // plays on would spin for good), and the plain page offered.
    delete failures['DATA10.RES'];
    await page.goto(server.url + '?fast');
    assert.match(await panel(), /^quenford: \?fast needs \?autoplay or \?demo.*\s+Play$/);
    assert.equal(await page.evaluate(() => window.quenford.exitCode), 2);
    // Without morva.res only the introduction is missed; the data held back until the
    // progress bar has been seen.
    let release;
    failures['DATA10.RES'] = new Promise((resolve) => { release = resolve; });
    failures['morva.res'] = 'abort';
    await page.goto(server.url);
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
    assert.deepEqual(await shownPanels(page), []);
  } finally {
    await own.close();
  }
});

// A timed demo, its result the longest text the bar shows; the layout, there before the first
// paint; then, kept by the service worker, the page by both its addresses, a game, the
// introduction and the demo with the network off; the types and the compression `make
// serve-web` gives.
test('the site: ?timedemo, its layout, offline after one visit, its types', pageTimeout, async () => {
  const native = endStateOf(runNative(['--timedemo']));
  const { page, errors } = await openPage(browser.context, server.url + '?timedemo');
  await waitForFirstFrame(page);
  const shifts = await page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => resolve(list.getEntries().map((entry) => entry.value)))
      .observe({ type: 'layout-shift', buffered: true });
    setTimeout(() => resolve([]), 500);
  }));
  assert.deepEqual(shifts, []);
  await page.waitForFunction(() => window.quenford.timedemo !== null, null, { timeout: 120000 });
  assert.equal((await page.evaluate(() => window.quenford.timedemo)).endState, native);
  assert.match(await page.locator('#result').textContent(), /fps.*frames=/);
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

  await page.evaluate(() => navigator.serviceWorker.ready);
  await browser.context.setOffline(true);
  try {
    await page.goto(server.url + '?q');
    await enterGarden(page);
    for (const address of ['index.html?q', '', '?demo']) {
      await page.goto(server.url + address);
      await waitForFirstFrame(page);
    }
  } finally {
    await browser.context.setOffline(false);
  }
  assert.deepEqual(errors, []);
  await page.close();

  const encodings = new Map();
  const type = async (name) => {
    const response = await fetch(server.url + name);
    encodings.set(name, response.headers.get('content-encoding'));
    return response.headers.get('content-type');
  };
  assert.equal(await type('quenford.wasm'), 'application/wasm');
  assert.equal(await type('quenford.webmanifest'), 'application/manifest+json');
  assert.match(await type(''), /^text\/html/);
  assert.match(await type('quenford.js'), /^text\/javascript/);
  assert.equal(await type('data/DATA10.RES'), 'application/octet-stream');
  assert.deepEqual(Object.fromEntries(encodings), { 'quenford.wasm': 'gzip',
    'quenford.webmanifest': null, '': 'gzip', 'quenford.js': 'gzip', 'data/DATA10.RES': 'gzip' });
});
