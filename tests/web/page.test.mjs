// The page in headless Chromium: what it says while it loads or when it cannot, and the site:
// the same pictures and game as the native build, its table kept in IndexedDB.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { closeBrowsers, launchBrowser, openPage, runNative, serveSite, waitForCanvas, waitForFirstFrame } from './harness.mjs';

let server;
before(async () => { server = await serveSite(); });
after(() => {
  server.close();
  return closeBrowsers();
});
// A page that stops answering fails its test instead of holding the run.
const pageTimeout = { timeout: 240000 };

test('without JavaScript, or what cannot be had or is refused, the page says so; loading is named', pageTimeout, async () => {
  const plain = await launchBrowser({ javaScriptEnabled: false });
  await (await plain.newPage()).goto(server.url);
  assert.deepEqual(await plain.pages().at(-1).locator('.panel:visible').allInnerTexts(),
    ['Quenford needs JavaScript: allow it for this page and load the page again.']);
  await plain.close();
  // Without a service worker, so that every file comes from the server as the test lets it.
  const own = await launchBrowser({ serviceWorkers: 'block' });
  let failures;
  await own.route('**/*', async (route) => {
    const failure = failures[new URL(route.request().url()).pathname.split('/').pop()];
    if (failure === 'abort') return route.abort();
    if (failure === 'cut') {
      const whole = await (await route.fetch()).body();
      return route.fulfill({ body: whole.subarray(0, whole.length / 3) });
    }
    if (failure) await failure;  // held back
    return route.continue();
  });
  const page = await own.newPage();
  // The panels the player sees, by their text.
  const shownPanels = () => page.evaluate(() => [...document.querySelectorAll('.panel')]
    .filter((panel) => panel.offsetParent !== null).map((panel) => panel.innerText.trim()));
  // What failed, "Try again" (the same address) and, for a damaged archive, the game's message
  // box and an exit code that says it failed; a refused address: one panel with the reason
  // (?fast alone: a virtual clock that nobody plays on would spin for good), the plain page offered.
  for (const [failing, address, panel, exitCode] of [
    [{ 'quenford.js': 'abort' }, '?q', /could not be loaded: quenford\.js\s+Try again$/, null],
    [{ 'quenford.wasm': 'abort' }, null, /could not be loaded: quenford\.wasm: .*\s+Try again$/, null],
    [{ 'DATA10.RES': 'cut' }, null, /^ERROR!\s+Can't initialise resources\s+Try again$/, 1],
    [{}, '?fast', /^quenford: \?fast needs \?autoplay or \?demo.*\s+Play$/, 2]]) {
    failures = failing;
    await (address ? page.goto(server.url + address) : page.click('#again'));
    await page.locator('#ended').waitFor();
    assert.match((await shownPanels()).join('|'), panel);
    assert.equal(await page.evaluate(() => window.quenford.exitCode), exitCode);
  }
  // Without morva.res only the introduction is missed; the data held back until the
  // progress bar has been seen.
  let release;
  failures = { 'DATA10.RES': new Promise((resolve) => { release = resolve; }), 'morva.res': 'abort' };
  await page.goto(server.url);
  await page.getByRole('progressbar', { name: 'Quenford is on its way…' }).waitFor();
  release();
  await waitForFirstFrame(page);
  for (const role of ['application', 'heading']) await page.getByRole(role, { name: 'Quenford' }).waitFor();
  assert.deepEqual(await shownPanels(), []);
  await own.close();
});

// The layout there before the first paint; kept by the service worker, the page by both its
// addresses, the Q mode, the introduction and the demo with the network off; the page's fast
// clock starts where the headless host's does: the built-in player's game and row the same.
test('the site: ?timedemo, its layout, offline after one visit, the built-in player\'s row after a reload, its types, a second tab on the table', pageTimeout, async () => {
  // The timed demo first, against an empty table, as this browser's: rows change its frames.
  const home = await mkdtemp(path.join(tmpdir(), 'quenford-home-'));
  const native = runNative(['--timedemo'], home).match(/^end state: (.*)$/m)[1];
  runNative(['--headless', '--autoplay', '--games', '1'], home);
  runNative(['--headless', '--frames', '300', '--dump', home, '--dump-at', '300', 'Q'], home);
  const table = await readFile(path.join(home, 'frame-000300.png'));
  await rm(home, { recursive: true, force: true });
  const browser = await launchBrowser();
  const { page, errors } = await openPage(browser, server.url + '?timedemo');
  await waitForFirstFrame(page);
  assert.deepEqual(await page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => resolve(list.getEntries().map((entry) => entry.value)))
      .observe({ type: 'layout-shift', buffered: true });
    setTimeout(() => resolve([]), 500);
  })), []);
  await page.waitForFunction(() => window.quenford.timedemo !== null, null, { timeout: 120000 });
  assert.equal((await page.evaluate(() => window.quenford.timedemo)).endState, native);
  assert.match(await page.locator('#result').textContent(), /fps.*frames=/);
  for (const [width, height] of [[960, 760], [844, 390], [390, 844], [1500, 400]]) {
    await page.setViewportSize({ width, height });
    await page.waitForTimeout(200);
    const [[canvas], [bar], items] = await page.evaluate(() => ['#screen', '#bar', '#bar > *']
      .map((selector) => [...document.querySelectorAll(selector)].map((e) => e.getBoundingClientRect().toJSON())));
    const what = `at ${width} x ${height}: ${JSON.stringify([canvas, bar, items])}`;
    const scale = Math.min(width / 640, height / 480);
    assert.deepEqual([canvas.width, canvas.height], [Math.floor(640 * scale), Math.floor(480 * scale)], what);
    const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
    // The bar off the canvas; beside it, with room to spare, the canvas in the middle; one line
    // (or one column) inside the bar, no item over another.
    assert.ok(apart(canvas, bar) && (bar.left < canvas.right || width - canvas.width < 2 * bar.width ||
      Math.abs(canvas.left + canvas.right - width) <= 1), what);
    items.forEach((item, i) => assert.ok(items.slice(i + 1).every((other) => apart(item, other)) &&
      item.bottom <= bar.bottom + 0.5 && item.right <= bar.right + 0.5, what));
    assert.ok(items.every((item) => item.top < items[0].bottom && item.bottom > items[0].top) ||
      items.every((item) => item.left < items[0].right && item.right > items[0].left), 'the bar wraps ' + what);
  }

  await page.evaluate(() => navigator.serviceWorker.ready);
  await browser.setOffline(true);
  try {
    for (const address of ['?q', 'index.html?q', '', '?demo']) {
      await page.goto(server.url + address);
      await waitForFirstFrame(page);
    }
  } finally {
    await browser.setOffline(false);
  }
  // The name typed into the table is offered to the next player.
  await page.goto(server.url + '?autoplay&games=1&fast');
  await page.waitForFunction(() => window.quenford.exitCode !== null, null, { timeout: 120000 });
  assert.equal(await page.evaluate(() => localStorage.getItem('quenford.owner')), 'Autoplay');
  // ?Q is the Q mode too: no introduction fetched.
  await page.goto(server.url + '?Q');
  await waitForFirstFrame(page);
  assert.ok(await waitForCanvas(page, table, 20000), 'no row after a reload');
  assert.ok(await page.evaluate(() => performance.getEntriesByType('resource').every((e) => !e.name.endsWith('morva.res'))));

  for (const [name, type, encoding] of [['quenford.wasm', 'application/wasm', 'gzip'],
    ['quenford.webmanifest', 'application/manifest+json', null], ['', 'text/html', 'gzip'],
    ['quenford.js', 'text/javascript', 'gzip'], ['data/DATA10.RES', 'application/octet-stream', 'gzip']]) {
    const { headers } = await fetch(server.url + name);
    assert.deepEqual([headers.get('content-type').split(';')[0], headers.get('content-encoding')], [type, encoding], name);
  }

  // A second tab: the lock on HIGH10.lock is a Web Lock, and whoever takes it next first
  // reads what the holder stored.
  const tabs = [{ page, errors }, await openPage(browser, server.url + '?q')];
  await waitForFirstFrame(tabs[1].page);
  const lock = (tab) => tab.page.evaluate(async () => {
    window.heldTable = Module.FS.open('/quenford/HIGH10.lock', 'w+');
    const held = await Module.quenfordWebHost.fileLock(window.heldTable.fd, 2 | 4);  // LOCK_EX | LOCK_NB
    if (held !== 0) Module.FS.close(window.heldTable);
    return held;
  });
  const [first, second] = tabs;
  assert.equal(await lock(first), 0);
  assert.equal(await lock(second), 1, 'the second tab took a held table');
  await first.page.evaluate(async () => {
    Module.FS.writeFile('/quenford/HIGH10', new Uint8Array(40).fill(65, 0, 5));
    await new Promise((done) => Module.FS.syncfs(false, done));  // what fsync does
    Module.FS.close(window.heldTable);
  });
  assert.equal(await lock(second), 0);
  assert.equal(await second.page.evaluate(() => String.fromCharCode(...Module.FS.readFile('/quenford/HIGH10'))),
    'AAAAA' + '\0'.repeat(35));
  assert.deepEqual(tabs.flatMap((tab) => tab.errors), []);
  await browser.close();
});
