// The page in headless Chromium: the same pictures and the same game as the native build,
// played with real mouse events, its high-score table kept in IndexedDB.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import {
  enterGarden, launchBrowser, menuArea, nativeFrame, openMenu, openPage, pagePoint,
  runNative, serveSite, settled, site, squarePoint, waitForCanvas, waitForFirstFrame,
  waitForState,
} from './harness.mjs';

const artefacts = path.join(site, 'test-results');
let server;
let browser;

before(async () => {
  await mkdir(artefacts, { recursive: true });
  server = await serveSite();
  browser = await launchBrowser();
});

// A page that stops answering fails its test instead of holding the run.
const pageTimeout = { timeout: 240000 };

after(async () => {
  await browser.close();
  server.close();
});

// ?Q as the command line's Q (and no word of the introduction the Q mode never shows).
test('the title in Q mode is pixel for pixel the native headless frame', pageTimeout, async () => {
  const expected = await nativeFrame(['Q'], 40);
  const { page, errors } = await openPage(browser.context, server.url + '?Q');
  await waitForFirstFrame(page);
  assert.ok(await waitForCanvas(page, expected, 10000), 'the canvas never showed the title');
  assert.deepEqual(errors, []);
  await page.close();
});

async function clickSquare(page, index, button) {
  const point = await squarePoint(page, index);
  await page.mouse.click(point.x, point.y, { button });
}

test('a game played with the mouse: a swap, a harvest, the menu and back, Quit and again', pageTimeout, async () => {
  const { page, errors } = await openPage(browser.context, server.url + '?q');
  let state = await enterGarden(page);

  // The built-in player's moves, swaps until a harvest.
  for (let moves = 0; ; ++moves) {
    assert.ok(moves < 8, 'no harvest after 8 moves');
    const { kind, first: a, second: b } = await page.evaluate(() => window.quenford.plannedMove());
    if (kind === 'harvest') {
      await clickSquare(page, a, 'right');
      break;
    }
    const before = state.bed;
    await clickSquare(page, a, 'left');
    await waitForState(page, (s) => s.selected === a, `square ${a} to be picked`);
    await clickSquare(page, b, 'left');
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
  // Back in play, the bed takes clicks again.
  state = await waitForState(page, settled, 'play to go on');
  const item = [...state.bed].findIndex((kind) => kind !== '.');
  await clickSquare(page, item, 'left');
  await waitForState(page, (s) => s.selected === item, 'a square to be picked after the menu');

  // Down and up within one task, so no frame reads the keys in between: a quick tap counts.
  const inPlay = await menuArea(page);
  await page.evaluate(() => {
    for (const type of ['keydown', 'keyup']) {
      window.dispatchEvent(new KeyboardEvent(type, { code: 'Escape', key: 'Escape' }));
    }
  });
  await page.waitForTimeout(1500);
  assert.notDeepEqual(await menuArea(page), inPlay, 'a quick Esc did not open the menu');

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
  const home = await mkdtemp(path.join(tmpdir(), 'quenford-home-'));
  const profile = await mkdtemp(path.join(tmpdir(), 'quenford-profile-'));
  let own = await launchBrowser(profile);
  try {
    // The page's fast clock starts where the headless host's does: the same game.
    runNative(['--headless', '--autoplay', '--games', '1'], { vars: { TAMBERLY_HOME: home } });
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
  } finally {
    await own.close();
    await rm(home, { recursive: true, force: true });
    await rm(profile, { recursive: true, force: true });
  }
});

// Two tabs: the lock the game takes on HIGH10.lock is a Web Lock, and whoever takes it next
// first reads what the holder stored, so neither overwrites the other's row.
test('a second tab finds the table held, then reads what the first stored', pageTimeout, async () => {
  const tabs = [];
  for (let i = 0; i < 2; ++i) {
    tabs.push(await openPage(browser.context, server.url + '?q'));
    await waitForFirstFrame(tabs[i].page);
  }
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
  for (const tab of tabs) {
    assert.deepEqual(tab.errors, []);
    await tab.page.close();
  }
});
