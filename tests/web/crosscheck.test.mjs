// The WebAssembly core under Node against the native program: the same code must play the
// same game on both.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { endStateOf, nativeBuild, runNative, runNode } from './harness.mjs';

test('the timed demo ends in the same state natively and in WebAssembly', () => {
  const native = endStateOf(runNative(['--timedemo']));
  assert.match(native, /^frames=\d+ score=\d+ phase=\d+ occupied=\d+ bed=[0-9a-f]{8}$/);
  assert.equal(endStateOf(runNode(['--timedemo', '--data', '.'])), native);
});

// A scripted game with swaps, harvests, the menu and a lost focus, and two games of the
// built-in player with their names typed into the table: the reports must agree field by
// field (frames, clock, sounds, score, phase, the table).
const script = [
  '300 key space', '3000 click left', '10000 move 350 140', '10100 click left',
  '10500 move 285 155', '10600 click left', '11000 move 322 150', '11100 click right',
  '12000 key esc', '13000 move 184 392', '13100 click left', '15000 deactivate',
  '16000 activate', '17000 key kp_plus', '20000 close',
].join('\n');

for (const [name, args] of [
  ['a scripted game', ['--script', 'SCRIPT']],
  ['two games of the built-in player', ['--autoplay', '--games', '2']],
]) {
  test(`${name} reports the same natively and in WebAssembly`, async () => {
    const folder = await mkdtemp(path.join(tmpdir(), 'quenford-cross-'));
    try {
      const scriptFile = path.join(folder, 'play.txt');
      await writeFile(scriptFile, script + '\n');
      const reports = [];
      for (const [side, run] of [['native', runNative], ['node', runNode]]) {
        const home = path.join(folder, side);
        await mkdir(home);
        const report = path.join(folder, side + '.json');
        const full = ['--headless', '--data', path.join(nativeBuild, 'data'), '--report', report,
          ...args.map((arg) => (arg === 'SCRIPT' ? scriptFile : arg))];
        run(full, { vars: { TAMBERLY_HOME: home } });
        reports.push(JSON.parse(await readFile(report, 'utf8')));
      }
      assert.ok(reports[0].frames > 100);
      assert.deepEqual(reports[1], reports[0]);
    } finally {
      await rm(folder, { recursive: true, force: true });
    }
  });
}
