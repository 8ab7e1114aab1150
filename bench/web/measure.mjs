// Figures of the page for the README (not a test), measured side by side with the window
// build: navigation to the first presented frame (the plain page and ?q, with where the time
// goes), the timed demo's speed against the native one, and the processor time of the
// browser while the built-in player plays and while the high-score table waits. Run after
// make web and make build:
//   node bench/web/measure.mjs [OTHER_SITE]
// OTHER_SITE: the build-web folder of another commit, measured in turns with this one.
import { mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import {
  launchBrowser, nativeBuild, pagePoint, root, serveSite, site,
} from '../../tests/web/harness.mjs';

const seconds = Number(process.env.SECONDS_PLAYED || 30);
const ticksPerSecond = 100;  // USER_HZ

// Processor time (s) of a process and its descendants, read from /proc: the browser process
// itself too (the Gamepad API polls there), and the children that have ended (their time is
// added to their parent's).
function treeSeconds(top) {
  const children = new Map();
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
    const ticks = fields.slice(11, 15).reduce((sum, field) => sum + Number(field), 0);
    children.get(parent).push({ pid: Number(entry), ticks });
    if (Number(entry) === top) children.set('top', [{ pid: top, ticks }]);
  }
  let total = 0;
  const walk = (pid) => {
    for (const child of children.get(pid) || []) {
      total += child.ticks;
      walk(child.pid);
    }
  };
  walk('top');
  return total / ticksPerSecond;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => (value === null || value === undefined ? '-' : value.toFixed(0));

const sites = [{ name: 'this build', folder: site }];
if (process.argv[2]) sites.push({ name: process.argv[2], folder: path.resolve(process.argv[2]) });
for (const entry of sites) {
  entry.server = await serveSite(entry.folder);
  entry.browser = await launchBrowser();
  // The browser just started: the newest of this script's children.
  entry.pid = Number(execFileSync('pgrep', ['-n', '-P', String(process.pid), 'chromium'], { encoding: 'utf8' }));
}

// The first picture handed to the canvas, timed from the navigation whatever the page's
// own script reports.
async function openTimed(entry, query) {
  const page = await entry.browser.newPage();
  await page.addInitScript(() => {
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
      if (window.firstPut === undefined) window.firstPut = performance.now();
      return put.apply(this, args);
    };
  });
  await page.goto(entry.server.url + query);
  await page.waitForFunction(() => window.firstPut !== undefined, null, { timeout: 60000 });
  return page;
}

// Where the time to the first frame goes, in ms from the navigation.
async function breakdown(page) {
  return page.evaluate(() => {
    const end = (name) => {
      const entry = performance.getEntriesByType('resource').find((e) => e.name.endsWith(name));
      return entry ? entry.responseEnd : null;
    };
    const navigation = performance.getEntriesByType('navigation')[0];
    return { html: navigation.responseEnd, pageJs: end('page.js'), script: end('quenford.js'),
      wasm: end('quenford.wasm'), data: window.quenford.dataMs, runtime: window.quenford.runtimeMs,
      frame: window.firstPut };
  });
}

console.log(`machine: ${execFileSync('nproc', { encoding: 'utf8' }).trim()} cores;` +
  ` ${execFileSync('uptime', { encoding: 'utf8' }).trim()}`);
for (const query of ['', '?q']) {
  const times = new Map(sites.map((entry) => [entry, []]));
  for (let i = 0; i < 5; ++i) {
    for (const entry of sites) {
      const page = await openTimed(entry, query);
      const parts = await breakdown(page);
      times.get(entry).push(parts.frame);
      if (entry === sites[0] && i === 4) {
        console.log(`  ${query || 'plain'} breakdown (ms from navigation): html ${ms(parts.html)}, ` +
          `page.js ${ms(parts.pageJs)}, quenford.js ${ms(parts.script)}, wasm ${ms(parts.wasm)}, ` +
          `data ${ms(parts.data)}, runtime ready ${ms(parts.runtime)}, first frame ${ms(parts.frame)}`);
      }
      await page.close();
    }
  }
  for (const entry of sites) {
    const list = times.get(entry);
    console.log(`first frame ${query || 'plain'} (${entry.name}): median ${ms(median(list))} ms` +
      ` (${list.map(ms).join(', ')})`);
  }
}

const native = path.join(nativeBuild, 'src/app/quenford');
for (let i = 0; i < 3; ++i) {
  for (const entry of sites) {
    const page = await entry.browser.newPage();
    await page.goto(entry.server.url + '?timedemo');
    await page.waitForFunction(() => window.quenford.timedemo !== null, null, { timeout: 120000 });
    console.log(`page timedemo (${entry.name}):`, await page.evaluate(() => window.quenford.timedemo.summary));
    await page.close();
  }
  const run = execFileSync(native, ['--timedemo'], { cwd: path.join(nativeBuild, 'data'), encoding: 'utf8' });
  console.log('native timedemo:', run.trim().split('\n').filter((l) => !l.startsWith('end')).join(' | '));
}

// The cheapest program of the game's kind: WebAssembly built as the game is (ASYNCIFY), waking
// every 35 ms through emscripten_sleep and doing nothing else; one file, wasm inside.
function sleepingProgram() {
  const folder = mkdtempSync(path.join(tmpdir(), 'quenford-floor-'));
  writeFileSync(path.join(folder, 'sleep.cpp'),
    '#include <emscripten.h>\nint main() {\n    for (;;) emscripten_sleep(35);\n}\n');
  execFileSync('em++', ['-O3', path.join(folder, 'sleep.cpp'), '-o', path.join(folder, 'sleep.js'),
    '-sASYNCIFY=1', '-sASYNCIFY_STACK_SIZE=65536', '-sENVIRONMENT=web', '-sSINGLE_FILE=1'],
  { env: { ...process.env, NODE_PATH: '/usr/share/nodejs' } });
  return readFileSync(path.join(folder, 'sleep.js'), 'utf8');
}

// Floor pages beside the game, for ratios taken in one run: one that does nothing every
// 35 ms (the game's frame), that program, and one that puts a 64 x 64 rectangle on a
// 640 x 480 canvas every 35 ms, shown as the page shows the game's, with the 2D context
// settings the page's host uses.
const floorPages = {
  nothing: '<script>(function tick() { setTimeout(tick, 35); })();</script>',
  sleeping: `<script>${sleepingProgram()}</script>`,
  rectangle: (settings) => `<body style="margin:0;background:#000">
    <canvas width="640" height="480" style="width:960px;height:720px;image-rendering:pixelated">
    </canvas><script>
    const context = document.querySelector('canvas').getContext('2d', ${JSON.stringify(settings)});
    const patch = new ImageData(64, 64);
    let frame = 0;
    (function tick() {
      patch.data.fill(++frame % 2 ? 255 : 64);
      context.putImageData(patch, (frame * 64) % 576, 208);
      setTimeout(tick, 35);
    })();</script></body>`,
};

// Processor time of the whole browser while a page shows, as % of one core.
async function browserCpu(entry, open) {
  const page = await entry.browser.newPage();
  await open(page);
  const before = treeSeconds(entry.pid);
  await page.waitForTimeout(seconds * 1000);
  const used = treeSeconds(entry.pid) - before;
  await page.close();
  return used / seconds * 100;
}

const load = () => readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');
const settingsPage = await sites[0].browser.newPage();
await settingsPage.goto(sites[0].server.url + '?q');
await settingsPage.waitForFunction(() => window.quenford.firstFrameMs !== null);
const contextSettings = await settingsPage.evaluate(() => Module.quenfordWebHost.contextSettings);
await settingsPage.close();

const game = (entry, query, settle) => async (page) => {
  await page.goto(entry.server.url + query);
  await settle(page);
};
const playing = (page) => page.waitForTimeout(10000);
// Past the title, the table waits for a key or a click.
const stillTable = async (page) => {
  await page.waitForFunction(() => window.quenford.firstFrameMs !== null);
  await page.waitForTimeout(1000);
  const middle = await pagePoint(page, 320, 240);
  await page.mouse.click(middle.x, middle.y);
  await page.waitForTimeout(5000);
};
// The pads' announcement never listened for: what watching for a pad costs the still table.
const noPadWatch = (open) => async (page) => {
  await page.addInitScript(() => {
    const listen = window.addEventListener;
    window.addEventListener = function (type, ...rest) {
      return type.startsWith('gamepad') ? undefined : listen.call(this, type, ...rest);
    };
  });
  await open(page);
};
const floor = (html) => async (page) => {
  await page.setContent(html);
  await page.waitForTimeout(2000);
};
// The two every figure is set against.
const nothingPage = { name: 'nothing every 35 ms', open: floor(floorPages.nothing) };
const rectanglePage = { name: `64 x 64 every 35 ms, ${JSON.stringify(contextSettings)}`,
  open: floor(floorPages.rectangle(contextSettings)) };
const cpuPages = [
  nothingPage,
  { name: 'WebAssembly (ASYNCIFY) sleeping 35 ms', open: floor(floorPages.sleeping) },
  rectanglePage,
];
for (const entry of sites) {
  cpuPages.push({ name: `built-in player (${entry.name})`, open: game(entry, '?autoplay', playing) });
  cpuPages.push({ name: `table waiting (${entry.name})`, open: game(entry, '?q', stillTable) });
  cpuPages.push({ name: `table waiting, no pad watched (${entry.name})`,
    open: noPadWatch(game(entry, '?q', stillTable)) });
}
const cpu = new Map(cpuPages.map((page) => [page, []]));
const rounds = Number(process.env.ROUNDS || 3);
for (let i = 0; i < rounds; ++i) {
  console.log(`round ${i + 1}, load ${load()}`);
  for (const page of cpuPages) {
    const figure = await browserCpu(sites[0], page.open);
    cpu.get(page).push(figure);
    console.log(`  ${page.name}, ${seconds} s: ${figure.toFixed(1)} % of one core`);
  }
  const window = execFileSync(path.join(root, 'bench/window/window_cpu.sh'),
    [native, path.join(nativeBuild, 'data'), String(seconds)], { encoding: 'utf8' });
  console.log(`  built-in player, ${seconds} s (the window): ${window.trim()}`);
}
const [nothing, rectangle] = [nothingPage, rectanglePage].map((page) => median(cpu.get(page)));
console.log('medians (% of one core; against the page doing nothing / the rectangle page):');
for (const page of cpuPages) {
  const value = median(cpu.get(page));
  console.log(`  ${page.name}: ${value.toFixed(1)} (${(value / nothing).toFixed(2)}x / ` +
    `${(value / rectangle).toFixed(2)}x)`);
}
console.log(`load after: ${execFileSync('uptime', { encoding: 'utf8' }).trim()}`);
for (const entry of sites) {
  await entry.browser.close();
  entry.server.close();
}
