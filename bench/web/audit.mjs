// What an auditor of pages finds (not a test): Lighthouse's scores on its desktop and mobile
// runs, and the page's layout shift from the navigation to a second after the first frame at
// a window's and a phone's sizes; the site as make serve-web serves it (compressed). Run after
// make web:
//   node bench/web/audit.mjs
import { execFile } from 'node:child_process';
import { promisify } from 'node:util';
import path from 'node:path';
import { launchBrowser, root, serveSite, waitForFirstFrame } from '../../tests/web/harness.mjs';

const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const server = await serveSite();
const { url } = server;

try {
  for (const preset of ['desktop', 'mobile']) {
    const args = [url, '--quiet', '--output=json', '--output-path=stdout',
      '--chrome-flags=--headless=new --no-sandbox --disable-gpu'];
    if (preset === 'desktop') args.push('--preset=desktop');
    const { stdout } = await promisify(execFile)(path.join(root, 'node_modules/.bin/lighthouse'),
      args, { env: { ...process.env, CHROME_PATH: chromium }, maxBuffer: 64 << 20 });
    const report = JSON.parse(stdout);
    const scores = Object.values(report.categories)
      .map((category) => `${category.title} ${Math.round(category.score * 100)}`).join(', ');
    const failed = Object.values(report.audits)
      .filter((audit) => audit.scoreDisplayMode === 'binary' && audit.score === 0)
      .map((audit) => audit.id);
    const shift = report.audits['cumulative-layout-shift'].numericValue;
    console.log(`Lighthouse ${report.lighthouseVersion}, ${preset}: ${scores}; layout shift ` +
      `${shift}; first contentful paint ${report.audits['first-contentful-paint'].displayValue}` +
      (failed.length ? `; failed: ${failed.join(', ')}` : ''));
  }

  const browser = await launchBrowser();
  try {
    for (const [width, height] of [[960, 760], [1280, 720], [1350, 940], [390, 844], [1500, 400]]) {
      const page = await browser.newPage();
      await page.setViewportSize({ width, height });
      await page.goto(url + '?q');
      await waitForFirstFrame(page);
      await page.waitForTimeout(1000);
      const found = await page.evaluate(() => new Promise((resolve) => {
        new PerformanceObserver((list) => resolve(list.getEntries()))
          .observe({ type: 'layout-shift', buffered: true });
        setTimeout(() => resolve([]), 500);
      }).then((entries) => {
        const box = (id) => document.getElementById(id).getBoundingClientRect();
        return { shift: entries.reduce((sum, entry) => sum + entry.value, 0),
          canvas: [box('screen').left, box('screen').right], bar: [box('bar').left, box('bar').right] };
      }));
      console.log(`${width} x ${height}: layout shift ${found.shift.toFixed(3)}; canvas x ` +
        `${found.canvas.map(Math.round).join('-')}, bar x ${found.bar.map(Math.round).join('-')}`);
      await page.close();
    }
  } finally {
    await browser.close();
  }
} finally {
  server.close();
}
