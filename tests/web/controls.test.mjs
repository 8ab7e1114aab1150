// The page's input in headless Chromium: fingers, the mouse, keys and a pad through real
// events, the game's answer read off its bed and its canvas; the focus, and the panels over
// the game.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import {
  arrowPath, closeBrowsers, holdKey, launchBrowser, menuItemPoint, openPage, pagePoint, serveSite, settled, site,
  squarePoint, waitForFirstFrame, waitForState,
} from './harness.mjs';

let server;
before(async () => { server = await serveSite(); });
after(() => {
  server.close();
  return closeBrowsers();
});

// Opens the in-game menu and lets it come in.
async function openMenu(page, press) {
  await press();
  await waitForState(page, (state) => state.menu, 'the menu to open');
  await page.waitForTimeout(1000);
}

// One first visit on a touch screen with a mouse, the keys and a stubbed pad, announced as the
// browser announces one at its first use.
test('how to play at the first visit; fingers, the mouse, keys and a pad play; the page\'s controls and its body keep their keys; the signs; Quit and again', { timeout: 240000 }, async () => {
  const browser = await launchBrowser({ firstVisit: true, hasTouch: true });
  const { page, errors } = await openPage(browser, server.url + '?q', () => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    window.testPad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard',
      axes: [0, 0, 0, 0], buttons, timestamp: 0 };
    navigator.getGamepads = () => [window.testPad, null, null, null];
  });
  const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.tagName);
  const focusedPanel = () => page.evaluate(() => document.activeElement.closest('[role=dialog]')
    .querySelector('h2').textContent);
  // How to play over the first picture of the first visit, with the focus; any key closes it.
  const rules = page.getByRole('dialog', { name: 'How to play' });
  await rules.waitFor();
  assert.equal(await focusedPanel(), 'How to play');
  await page.keyboard.press('Space');
  await rules.waitFor({ state: 'hidden' });
  // Past the title and the table into a filled garden.
  await waitForFirstFrame(page);
  const middle = await pagePoint(page, 320, 240);
  await page.mouse.click(middle.x, middle.y);
  await page.waitForTimeout(1500);
  await page.mouse.click(middle.x, middle.y);
  let state = await waitForState(page, settled, 'the bed to fill');

  // Tab leaves the game for the page's controls, which take Space and Esc.
  assert.equal(await focused(), 'screen');
  for (const id of ['fullscreen', 'show-controls', 'whole']) {
    await page.keyboard.press('Tab');
    assert.equal(await focused(), id);
  }
  await page.keyboard.press('Space');
  assert.equal(await page.isChecked('#whole'), true, 'Space did not tick "whole pixels"');
  assert.equal(await focused(), 'screen', 'the game did not take the focus back');
  await page.keyboard.press('Tab');
  await holdKey(page, 'Escape')();
  // Back by the keyboard, the canvas shows that it has the focus.
  await page.keyboard.press('Shift+Tab');
  assert.equal(await focused(), 'screen');
  assert.notEqual(await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle), 'none');
  // Esc with the page's body focused is not the game's either, then or later: a click on the
  // bed picks, where an open menu would have taken it.
  await page.keyboard.press('Shift+Tab');
  assert.equal(await focused(), 'BODY');
  await holdKey(page, 'Escape')();
  await page.waitForTimeout(500);
  const { from, to, path: arrows } = await arrowPath(page, state.bed);
  const point = await squarePoint(page, from);
  await page.mouse.click(point.x, point.y);
  const picked = await waitForState(page, (s) => s.selected === from, 'a click to pick after Esc on the body');
  assert.equal(picked.menu, false, 'Esc off the game reached the game');

  // The arrows walk to an item of another kind; Space swaps. A pause after each key: an
  // arrow let go and pressed again within one frame is one press.
  for (const way of arrows) await holdKey(page, 'Arrow' + way[0].toUpperCase() + way.slice(1), 150)()
    .then(() => page.waitForTimeout(150));
  // The square the arrows went to is outlined over the canvas.
  const [outline, target] = [await page.locator('#mark .line').boundingBox(), await squarePoint(page, to)];
  assert.ok(Math.abs(outline.x + outline.width / 2 - target.x) < 4 &&
    Math.abs(outline.y + outline.height / 2 - target.y) < 4, 'the mark is not on the square');
  await holdKey(page, 'Space', 150)();
  state = await waitForState(page, (s) => settled(s) && s.bed[from] !== state.bed[from] &&
    s.bed[to] !== state.bed[to], 'the arrows and Space to swap');

  // The pad's D-pad and A do the same from where the keys left the pointer.
  // The browser announces it while the page listens.
  await page.waitForFunction(() => {
    window.dispatchEvent(new Event('gamepadconnected'));
    return Module.quenfordWebHost.padsConnected > 0;
  }, null, { polling: 100, timeout: 10000 });
  // A button held for `ms`, then let go for 150 ms.
  const push = async (button, ms = 150) => {
    for (const [value, wait] of [[1, ms], [0, 150]]) {
      await page.evaluate(([index, v]) => Object.assign(window.testPad.buttons[index], { pressed: v === 1, value: v }),
        [button, value]);
      await page.waitForTimeout(wait);
    }
  };
  const walk = await arrowPath(page, state.bed, to);
  await push(0);  // A: pick
  await waitForState(page, (s) => s.selected === to, 'the pad\'s A to pick');
  for (const way of walk.path) await push({ up: 12, down: 13, left: 14, right: 15 }[way]);
  await push(0);  // A: swap
  state = await waitForState(page, (s) => settled(s) && s.selected === -1 && s.bed[to] !== state.bed[to] &&
    s.bed[walk.to] !== state.bed[walk.to], 'the pad\'s A to swap');
  // The mouse takes the mark away.
  assert.ok(await page.locator('#mark').isVisible());
  await page.mouse.move(point.x + 3, point.y + 3);
  await page.locator('#mark').waitFor({ state: 'hidden' });

  // P pauses under the page's "Paused"; F1 shows the controls, F1 again how to play, each
  // taking the focus and giving it back; the tool bar's Controls shows them too.
  await holdKey(page, 'KeyP', 100)();
  await page.getByRole('status').filter({ hasText: 'Paused' }).waitFor();
  await holdKey(page, 'KeyP', 100)();
  await page.locator('#paused').waitFor({ state: 'hidden' });
  for (const name of ['Controls', 'How to play']) {
    await holdKey(page, 'F1', 100)();
    await page.getByRole('dialog', { name }).waitFor();
    assert.equal(await focusedPanel(), name);
  }
  await holdKey(page, 'Escape', 100)();
  await rules.waitFor({ state: 'hidden' });
  assert.equal(await focused(), 'screen');
  await page.click('#show-controls');
  await page.click('#controls .close-panel');
  await page.locator('#controls').waitFor({ state: 'hidden' });
  assert.equal(await focused(), 'screen');

  // Two fingers beside the bed, the second 350 ms after the first, both up at 500 ms: no
  // click and no hold. The next tap is a left click again: it picks.
  const cdp = await browser.newCDPSession(page);
  const fingers = [{ ...(await pagePoint(page, 40, 440)), id: 1 }, { ...(await pagePoint(page, 600, 60)), id: 2 }];
  for (const [type, touchPoints, ms] of [['touchStart', fingers.slice(0, 1), 350], ['touchStart', fingers, 150],
    ['touchEnd', [], 500]]) {
    await cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
    await page.waitForTimeout(ms);
  }
  await page.touchscreen.tap(point.x, point.y);
  await waitForState(page, (s) => s.selected === from, 'a tap to pick after two fingers');
  // Start stands for Esc: the menu opens. A tap on "Back to play" comes with the pointer's
  // move to it, and chooses it: the next tap on the picked square puts it down.
  await openMenu(page, () => push(9, 300));
  const back = await menuItemPoint(page, 'back to play');
  await page.touchscreen.tap(back.x, back.y);
  await page.waitForTimeout(1500);
  await page.touchscreen.tap(point.x, point.y);
  state = await waitForState(page, (s) => settled(s) && s.selected === -1, 'the bed to take taps after one tap on the menu');

  // The mouse plays the built-in player's moves, swaps until a harvest with the right button.
  const clickSquare = (index, button = 'left') => squarePoint(page, index)
    .then((point) => page.mouse.click(point.x, point.y, { button }));
  for (let moves = 0; ; ++moves) {
    assert.ok(moves < 8, 'no harvest after 8 moves');
    const { kind, first: a, second: b } = await page.evaluate(() => window.quenford.plannedMove());
    if (kind === 'harvest') {
      await clickSquare(a, 'right');
      break;
    }
    const before = state.bed;
    await clickSquare(a);
    await waitForState(page, (s) => s.selected === a, `square ${a} to be picked`);
    await clickSquare(b);
    state = await waitForState(page, (s) => settled(s) && s.bed[a] === before[b] &&
      s.bed[b] === before[a] && s.bed !== before, `squares ${a} and ${b} to swap`);
  }
  await waitForState(page, (s) => s.score > 0 && settled(s), 'the harvest to score');

  // Esc down and up within one task, so no frame reads the keys in between: a quick tap counts.
  await openMenu(page, () => page.evaluate(() => ['keydown', 'keyup'].forEach((type) =>
    window.dispatchEvent(new KeyboardEvent(type, { code: 'Escape', key: 'Escape' })))));
  await page.screenshot({ path: path.join(site, 'test-results', 'game.png') });
  // Quit: the canvas keeps the game's last frame, black, and Enter on "Play again" plays
  // again, a later visit: how to play shows only at F1 twice.
  const quit = await menuItemPoint(page, 'quit');
  await page.mouse.click(quit.x, quit.y);
  await page.waitForFunction(() => window.quenford.exitCode !== null, null, { timeout: 20000 });
  assert.ok(await page.evaluate(() => document.getElementById('screen').getContext('2d')
    .getImageData(0, 0, 640, 480).data.every((value, i) => value === 0 || i % 4 === 3)));
  assert.equal(await focused(), 'again');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.quenford && window.quenford.exitCode === null &&
    window.quenford.firstFrameMs !== null);
  await page.keyboard.press('F1');
  await page.getByRole('dialog', { name: 'Controls' }).waitFor();
  assert.ok(!(await rules.isVisible()));
  assert.deepEqual(errors, []);
  await browser.close();
});
