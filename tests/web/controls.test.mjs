// The page's input in headless Chromium: fingers, keys and a pad through real events, the
// game's answer read off its bed and its canvas.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  arrowPath, enterGarden, holdKey, launchBrowser, menuArea, openMenu, openPage, pagePoint, serveSite,
  squarePoint, waitForFirstFrame, waitForState,
} from './harness.mjs';

let server;
let desktop;
let phone;

before(async () => {
  server = await serveSite();
  desktop = await launchBrowser();
  phone = await launchBrowser(undefined,
    { viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true });
});

after(async () => {
  await desktop.close();
  await phone.close();
  server.close();
});

const pageTimeout = { timeout: 240000 };

test('fingers: two leave no button down, and a tap chooses a menu item at once', pageTimeout, async () => {
  const { page, errors } = await openPage(phone.context, server.url + '?q');
  const state = await enterGarden(page, true);
  const square = [...state.bed].findIndex((kind) => kind !== '.');

  // Two fingers beside the bed, the second 350 ms after the first, both up at 500 ms: no
  // click and no hold.
  const cdp = await phone.context.newCDPSession(page);
  const one = await pagePoint(page, 40, 440);
  const two = await pagePoint(page, 600, 60);
  await cdp.send('Input.dispatchTouchEvent',
    { type: 'touchStart', touchPoints: [{ x: one.x, y: one.y, id: 1 }] });
  await page.waitForTimeout(350);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart',
    touchPoints: [{ x: one.x, y: one.y, id: 1 }, { x: two.x, y: two.y, id: 2 }] });
  await page.waitForTimeout(150);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.waitForTimeout(500);
  // The next tap is a left click again: it picks.
  const point = await squarePoint(page, square);
  await page.touchscreen.tap(point.x, point.y);
  await waitForState(page, (s) => s.selected === square, 'a tap to pick after two fingers');

  // A tap on "Back to play" comes with the pointer's move to it, and chooses it: the next
  // tap on the picked square puts it down.
  await openMenu(page);
  const back = await pagePoint(page, 184, 392);
  await page.touchscreen.tap(back.x, back.y);
  await page.waitForTimeout(1500);
  await page.touchscreen.tap(point.x, point.y);
  await waitForState(page, (s) => s.selected === -1, 'the bed to take taps after one tap on the menu');
  assert.deepEqual(errors, []);
  await page.close();
});

test('keys reach the game only while it has the focus; the page\'s controls take theirs', pageTimeout, async () => {
  const { page, errors } = await openPage(desktop.context, server.url + '?q');
  const state = await enterGarden(page);
  const focused = () => page.evaluate(() => document.activeElement.id);
  assert.equal(await focused(), 'screen');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'fullscreen', 'Tab stayed in the game');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'show-controls');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'whole');
  await page.keyboard.press('Space');
  assert.equal(await page.isChecked('#whole'), true, 'Space did not tick "whole pixels"');
  // Esc on the page's controls is theirs: the game's menu stays shut.
  await page.keyboard.press('Shift+Tab');
  const inPlay = await menuArea(page);
  await holdKey(page, 'Escape')();
  await page.waitForTimeout(1000);
  assert.deepEqual(await menuArea(page), inPlay, 'Esc on a button reached the game');
  // A click gives the game the focus and the keys again.
  const point = await squarePoint(page, [...state.bed].findIndex((kind) => kind !== '.'));
  await page.mouse.click(point.x, point.y);
  assert.equal(await focused(), 'screen');
  await openMenu(page);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the arrows walk from an item to one of another kind, Space picks and swaps', pageTimeout, async () => {
  const { page, errors } = await openPage(desktop.context, server.url + '?q');
  const state = await enterGarden(page);
  const { from, to, path } = arrowPath(state.bed);
  const point = await squarePoint(page, from);
  await page.mouse.move(point.x, point.y);
  await page.waitForTimeout(300);
  await holdKey(page, 'Space', 150)();
  await waitForState(page, (s) => s.selected === from, 'Space to pick');
  // A pause after each key: an arrow let go and pressed again within one frame is one press.
  for (const way of path) {
    await holdKey(page, 'Arrow' + way[0].toUpperCase() + way.slice(1), 150)();
    await page.waitForTimeout(150);
  }
  await holdKey(page, 'Space', 150)();
  await waitForState(page, (s) => s.selected === -1 && s.bed[from] !== state.bed[from] &&
    s.bed[to] !== state.bed[to], 'the arrows and Space to swap');
  assert.deepEqual(errors, []);
  await page.close();
});

test('a pad picks and swaps, and its Start opens the menu', pageTimeout, async () => {
  const page = await desktop.context.newPage();
  await page.addInitScript(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    window.testPad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard',
      axes: [0, 0, 0, 0], buttons, timestamp: 0 };
    navigator.getGamepads = () => [window.testPad, null, null, null];
  });
  await page.goto(server.url + '?q');
  const state = await enterGarden(page);
  // As the browser announces a pad at its first use, once the page listens.
  await page.waitForFunction(() => {
    window.dispatchEvent(new Event('gamepadconnected'));
    return Module.quenfordWebHost.padsConnected > 0;
  }, null, { polling: 100, timeout: 10000 });
  const hold = (button, pressed) => page.evaluate(([index, down]) => {
    window.testPad.buttons[index].pressed = down;
    window.testPad.buttons[index].value = down ? 1 : 0;
  }, [button, pressed]);
  const push = async (button) => {
    await hold(button, true);
    await page.waitForTimeout(150);
    await hold(button, false);
    await page.waitForTimeout(150);
  };
  const { from, to, path } = arrowPath(state.bed);
  const buttons = { up: 12, down: 13, left: 14, right: 15 };  // the standard pad's D-pad
  const point = await squarePoint(page, from);
  await page.mouse.move(point.x, point.y);
  await page.waitForTimeout(300);
  await push(0);  // A: pick
  await waitForState(page, (s) => s.selected === from, 'the pad\'s A to pick');
  for (const way of path) await push(buttons[way]);
  await push(0);  // A: swap
  await waitForState(page, (s) => s.selected === -1 && s.bed[from] !== state.bed[from] &&
    s.bed[to] !== state.bed[to],
    'the pad\'s A to swap');
  // Start stands for Esc: the menu opens.
  await openMenu(page, async () => {
    await hold(9, true);
    await page.waitForTimeout(300);
    await hold(9, false);
  });
  await page.close();
});

test('how to play on the first visit only and at F1 twice; the signs show over the picture, and the page\'s Controls press F1', pageTimeout, async () => {
  const fresh = await launchBrowser(undefined, { firstVisit: true });
  const { page, errors } = await openPage(fresh.context, server.url + '?q');
  const rules = page.getByRole('dialog', { name: 'How to play' });
  await rules.waitFor();
  assert.match(await rules.innerText(), /Pass 500 points/);
  await page.keyboard.press('Space');
  await rules.waitFor({ state: 'hidden' });
  await page.reload();
  await waitForFirstFrame(page);
  await page.keyboard.press('F1');
  await page.getByRole('dialog', { name: 'Controls' }).waitFor();
  assert.ok(!(await rules.isVisible()), 'a later visit shows them only at F1 twice');
  await page.keyboard.press('F1');
  await rules.waitFor();
  await page.keyboard.press('Escape');
  await rules.waitFor({ state: 'hidden' });
  await enterGarden(page);
  const visible = (selector) => page.locator(selector).isVisible();
  await page.evaluate(() => Module.quenfordWebHost.showSign(1));
  assert.ok(await visible('#paused'));
  assert.ok(await page.getByRole('status').filter({ hasText: 'Paused' }).isVisible());
  await page.evaluate(() => Module.quenfordWebHost.showSign(2));
  assert.ok(!(await visible('#paused')));
  assert.ok(await page.getByRole('dialog', { name: 'Controls' }).isVisible());
  await page.evaluate(() => Module.quenfordWebHost.showSign(0));
  assert.ok(!(await visible('#controls')));
  // The key the game reads for the controls, fed the way a key press is.
  await page.evaluate(() => {
    window.pressed = [];
    const host = Module.quenfordWebHost;
    const press = host.pressKey.bind(host);
    host.pressKey = (code, key) => {
      window.pressed.push(code);
      press(code, key);
    };
  });
  await page.click('#show-controls');
  assert.deepEqual(await page.evaluate(() => window.pressed), ['F1']);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'screen');
  assert.deepEqual(errors, []);
  await fresh.close();
});
