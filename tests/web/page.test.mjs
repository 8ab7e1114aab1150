// The page in headless Chromium: the same pictures and game as the native build, played with
// real mouse events, its table kept in IndexedDB; the page as a site.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import {
  enterGarden, launchBrowser, nativeFrame, openMenu, openPage, pagePoint, runNative, serveSite,
  settled, site, squarePoint, waitForCanvas, waitForFirstFrame, waitForState,
} from './harness.mjs';

const artefacts = path.join(site, 'test-results');
let server;
let browser;
before(async () => {
  await mkdir(artefacts, { recursive: true });
  [server, browser] = [await serveSite(), await launchBrowser()];
});
after(async () => {
  await browser.close();
  server.close();
});
// A page that stops answering fails its test instead of holding the run.
const pageTimeout = { timeout: 240000 };

// ?Q as the command line's Q: the title pixel for pixel the native headless frame.
test('a game played with the mouse: the title, a swap, a harvest, the menu and back, Quit and again', pageTimeout, async () => {
  const title = await nativeFrame(['Q'], 40);
  const { page, errors } = await openPage(browser.context, server.url + '?Q');
  assert.ok(await waitForCanvas(page, title, 20000), 'the canvas never showed the title');
  let state = await enterGarden(page);

  // The built-in player's moves, swaps until a harvest.
  for (let moves = 0; ; ++moves) {
    assert.ok(moves < 8, 'no harvest after 8 moves');
    const { kind, first: a, second: b } = await page.evaluate(() => window.quenford.plannedMove());
    const click = async (index, button = 'left') => {
      const point = await squarePoint(page, index);
      await page.mouse.click(point.x, point.y, { button });
    };
    if (kind === 'harvest') {
      await click(a, 'right');
      break;
    }
    const before = state.bed;
    await click(a);
    await waitForState(page, (s) => s.selected === a, `square ${a} to be picked`);
    await click(b);
    state = await waitForState(page, (s) => settled(s) && s.bed[a] === before[b] &&
      s.bed[b] === before[a] && s.bed !== before, `squares ${a} and ${b} to swap`);
  }
  state = await waitForState(page, (s) => s.score > 0 && settled(s), 'the harvest to score');

  await openMenu(page);
  // The highlight follows the pointer a few frames late; a click counts on a highlighted item.
  const back = await pagePoint(page, 184, 392);
  await page.mouse.move(back.x, back.y);
  await page.waitForTimeout(500);
  await page.mouse.click(back.x, back.y);
  await page.waitForTimeout(1000);
  await waitForState(page, (s) => !s.menu && settled(s), 'play to go on');
  // Down and up within one task, so no frame reads the keys in between: a quick tap counts.
  await openMenu(page, () => page.evaluate(() => ['keydown', 'keyup'].forEach((type) =>
    window.dispatchEvent(new KeyboardEvent(type, { code: 'Escape', key: 'Escape' })))));

  await page.screenshot({ path: path.join(artefacts, 'mouse-game.png') });
  // Quit: the canvas keeps the game's last frame, black, and Enter on "Play again" plays again.
  const quit = await pagePoint(page, 184, 358);
  await page.mouse.click(quit.x, quit.y);
  await page.waitForFunction(() => window.quenford.exitCode !== null, null, { timeout: 20000 });
  assert.ok(await page.evaluate(() => document.getElementById('screen').getContext('2d')
    .getImageData(0, 0, 640, 480).data.every((value, i) => value === 0 || i % 4 === 3)));
  assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.quenford && window.quenford.exitCode === null &&
    window.quenford.firstFrameMs !== null);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the built-in player\'s row is in the table after a reload and a restart', pageTimeout, async () => {
  const [home, profile] = await Promise.all(['home', 'profile']
    .map((kind) => mkdtemp(path.join(tmpdir(), `quenford-${kind}-`))));
  let own = await launchBrowser(profile);
  // The page's fast clock starts where the headless host's does: the same game.
  runNative(['--headless', '--autoplay', '--games', '1'], home);
  const table = await nativeFrame(['Q'], 300, home);
  let { page, errors } = await openPage(own.context, server.url + '?autoplay&games=1&fast');
  await page.waitForFunction(() => window.quenford.exitCode !== null, null, { timeout: 120000 });
  // The name typed into the table is offered to the next player.
  assert.equal(await page.evaluate(() => localStorage.getItem('quenford.owner')), 'Autoplay');
  await page.goto(server.url + '?q');
  for (const after of ['a reload', 'a restart']) {
    if (after === 'a restart') {
      await own.close();
      own = await launchBrowser(profile);
      ({ page, errors } = await openPage(own.context, server.url + '?q'));
    }
    await waitForFirstFrame(page);
    assert.ok(await waitForCanvas(page, table, 20000), 'no row after ' + after);
    assert.deepEqual(errors, []);
  }
  await own.close();
  for (const folder of [home, profile]) await rm(folder, { recursive: true, force: true });
});

test('without JavaScript, or what cannot be had or is refused, the page says so; loading is named', pageTimeout, async () => {
  const plain = await launchBrowser(undefined, { javaScriptEnabled: false });
  await (await plain.context.newPage()).goto(server.url);
  assert.deepEqual(await plain.context.pages().at(-1).locator('.panel:visible').allInnerTexts(),
    ['Quenford needs JavaScript: allow it for this page and load the page again.']);
  await plain.close();
  // Without a service worker, so that every file comes from the server as the test lets it.
  const own = await launchBrowser(undefined, { serviceWorkers: 'block' });
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
  // The panels the player sees, by their text.
  const shownPanels = () => page.evaluate(() => [...document.querySelectorAll('.panel')]
    .filter((panel) => panel.offsetParent !== null).map((panel) => panel.innerText.trim()));
  const panel = () => page.locator('#ended').waitFor().then(shownPanels).then((texts) => texts.join('|'));
  await page.goto(server.url + '?q');
  assert.match(await panel(), /could not be loaded: quenford\.js\s+Try again$/);
  delete failures['quenford.js'];
  await page.click('#again');
  assert.match(await panel(), /could not be loaded: quenford\.wasm: .*\s+Try again$/);
  delete failures['quenford.wasm'];
  // A damaged archive: the game's message box, and an exit code that says it failed.
  failures['DATA10.RES'] = 'cut';
  await page.click('#again');
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
  const cdp = await own.context.newCDPSession(page);
  const named = async (...names) => {
    const all = (await cdp.send('Accessibility.getFullAXTree')).nodes.filter((node) => !node.ignored &&
      node.name && node.name.value).map((node) => `${node.role.value}: ${node.name.value}`);
    assert.deepEqual(names.filter((name) => !all.includes(name)), [], all.join('\n'));
  };
  await named('progressbar: Quenford is on its way…');
  release();
  await waitForFirstFrame(page);
  await named('application: Quenford', 'heading: Quenford');
  assert.deepEqual(await shownPanels(), []);
  await own.close();
});

// The layout there before the first paint; kept by the service worker, the page by both its
// addresses, a game, the introduction and the demo with the network off.
test('the site: ?timedemo, its layout, offline after one visit, its types; a second tab finds the table held', pageTimeout, async () => {
  // Against an empty table, as this browser's: one with rows changes the demo's frames.
  const home = await mkdtemp(path.join(tmpdir(), 'quenford-home-'));
  const native = runNative(['--timedemo'], home).match(/^end state: (.*)$/m)[1];
  await rm(home, { recursive: true, force: true });
  const { page, errors } = await openPage(browser.context, server.url + '?timedemo');
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

  for (const [name, type, encoding] of [['quenford.wasm', 'application/wasm', 'gzip'],
    ['quenford.webmanifest', 'application/manifest+json', null], ['', 'text/html', 'gzip'],
    ['quenford.js', 'text/javascript', 'gzip'], ['data/DATA10.RES', 'application/octet-stream', 'gzip']]) {
    const { headers } = await fetch(server.url + name);
    assert.deepEqual([headers.get('content-type').split(';')[0], headers.get('content-encoding')], [type, encoding], name);
  }

  // Two tabs, last, as they leave a row in this browser's table: the lock on HIGH10.lock is a
  // Web Lock, and whoever takes it next first reads what the holder stored.
  const tabs = [await openPage(browser.context, server.url + '?q'), await openPage(browser.context, server.url + '?q')];
  for (const tab of tabs) await waitForFirstFrame(tab.page);
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
    const file = Module.FS.open('/quenford/HIGH10', 'r');
    await new Promise((done) => Module.FS.syncfs(false, done));  // what fsync does
    Module.FS.close(file);
    Module.FS.close(window.heldTable);
  });
  assert.equal(await lock(second), 0);
  assert.equal(await second.page.evaluate(() => String.fromCharCode(...Module.FS.readFile('/quenford/HIGH10'))),
    'AAAAA' + '\0'.repeat(35));
  assert.deepEqual(tabs.flatMap((tab) => tab.errors), []);
  for (const tab of tabs) await tab.page.close();
});
