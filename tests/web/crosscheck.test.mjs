// The WebAssembly core under Node against the native program: a scripted game with swaps,
// harvests, the menu and a lost focus, and two games of the built-in player with their names
// typed into the table, must report the same field by field (frames, clock, sounds, score,
// phase, the table).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { nativeBuild, runNative, runNode } from './harness.mjs';

const script = ['300 key space', '3000 click left', '10000 move 350 140', '10100 click left',
  '10500 move 285 155', '10600 click left', '11000 move 322 150', '11100 click right', '12000 key esc',
  '13000 move 184 392', '13100 click left', '15000 deactivate', '16000 activate', '17000 key kp_plus',
  '20000 close', ''].join('\n');

for (const [name, args] of [['a scripted game', ['--script']], ['two games of the built-in player', ['--autoplay', '--games', '2']]]) {
  test(`${name} reports the same natively and in WebAssembly`, async () => {
    const folder = await mkdtemp(path.join(tmpdir(), 'quenford-cross-'));
    await writeFile(path.join(folder, 'play.txt'), script);
    const reportOf = async (side, run) => {
      await mkdir(path.join(folder, side));
      run(['--headless', '--data', path.join(nativeBuild, 'data'), '--report', path.join(folder, side + '.json'),
        ...args, ...(args[0] === '--script' ? [path.join(folder, 'play.txt')] : [])], path.join(folder, side));
      return JSON.parse(await readFile(path.join(folder, side + '.json'), 'utf8'));
    };
    const native = await reportOf('native', runNative);
    assert.ok(native.frames > 100);
    assert.deepEqual(await reportOf('node', runNode), native);
    await rm(folder, { recursive: true, force: true });
  });
}
