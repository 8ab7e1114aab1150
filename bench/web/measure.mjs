// Figures of the page for the README (not a test): time to the first frame, the timed demo's
// speed against the native one, and the processor time of the browser while the built-in
// player plays for 30 s. Run after make web: node bench/web/measure.mjs
import { readFileSync, readdirSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import {
  launchBrowser, nativeBuild, openPage, serveSite, waitForFirstFrame,
} from '../../tests/web/harness.mjs';

const ticksPerSecond = 100;  // USER_HZ

// Processor time (s) of a process and its descendants, read from /proc.
function treeSeconds(root) {
  const children = new Map();
  let total = 0;
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat;
    try {
      stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
    } catch {
      continue;
    }
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    const parent = Number(fields[1]);
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push({ pid: Number(entry), ticks: Number(fields[11]) + Number(fields[12]) });
  }
  const walk = (pid) => {
    for (const child of children.get(pid) || []) {
      total += child.ticks;
      walk(child.pid);
    }
  };
  walk(root);
  return total / ticksPerSecond;
}

const server = await serveSite();
const browser = await launchBrowser();

const firstFrames = [];
for (let i = 0; i < 5; ++i) {
  const { page } = await openPage(browser.context, server.url + '?q');
  await waitForFirstFrame(page);
  firstFrames.push(await page.evaluate(() => window.quenford.firstFrameMs));
  await page.close();
}
firstFrames.sort((a, b) => a - b);
console.log(`first frame: median ${firstFrames[2].toFixed(0)} ms (${firstFrames.map((t) => t.toFixed(0)).join(', ')})`);

for (let i = 0; i < 3; ++i) {
  const { page } = await openPage(browser.context, server.url + '?timedemo');
  await page.waitForFunction(() => window.quenford.timedemo !== null, null, { timeout: 120000 });
  console.log('page timedemo:', await page.evaluate(() => window.quenford.timedemo.summary));
  await page.close();
  const native = execFileSync(path.join(nativeBuild, 'src/app/quenford'), ['--timedemo'],
    { cwd: path.join(nativeBuild, 'data'), encoding: 'utf8' });
  console.log('native timedemo:', native.trim().split('\n').filter((l) => !l.startsWith('end')).join(' | '));
}

const { page } = await openPage(browser.context, server.url + '?autoplay');
await waitForFirstFrame(page);
await page.waitForTimeout(10000);
const browserPid = browser.context.browser()?.process?.()?.pid;
const root = browserPid || Number(execFileSync('pgrep', ['-o', '-f', 'quenford-chromium-'], { encoding: 'utf8' }));
const before = treeSeconds(root);
await page.waitForTimeout(30000);
const used = treeSeconds(root) - before;
console.log(`built-in player, 30 s: ${used.toFixed(2)} s of processor time in the browser (${(used / 30 * 100).toFixed(1)} % of one core)`);
await browser.close();
server.close();
