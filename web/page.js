// The page around the game: fetches the data with a progress bar, turns the address's
// parameters into the program's arguments, scales the canvas, and offers to play again.
(function () {
  'use strict';

  const dataFiles = ['DATA10.RES', 'morva.res', 'DATA12.RES'];
  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const whole = document.getElementById('whole');
  const result = document.getElementById('result');
  const started = performance.now();

  // ?q: the Q mode; ?demo: the shipped demo played back; ?autoplay, ?games=N: the built-in
  // player; ?timedemo: the demo as fast as the page goes; ?fast: any of them on a virtual
  // clock, as fast as the page goes (the built-in player's games in seconds).
  function programArguments(params) {
    const args = [];
    if (params.has('timedemo')) args.push('--timedemo');
    if (params.has('demo')) args.push('--play-demo');
    if (params.has('autoplay')) args.push('--autoplay');
    if (params.has('games')) args.push('--games', params.get('games'));
    if (params.has('q')) args.push('Q');
    return args;
  }

  // The largest size of the picture's aspect that fits; with whole pixels, multiples of
  // 640 x 480 only (unless the page is smaller than that).
  function fit() {
    const width = stage.clientWidth;
    const height = stage.clientHeight;
    let scale = Math.min(width / 640, height / 480);
    if (whole.checked && scale >= 1) scale = Math.floor(scale);
    canvas.style.width = Math.floor(640 * scale) + 'px';
    canvas.style.height = Math.floor(480 * scale) + 'px';
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }

  async function fetchWithProgress(names, progress) {
    const loaded = new Array(names.length).fill(0);
    const totals = new Array(names.length).fill(0);
    const show = () => {
      const total = totals.reduce((a, b) => a + b, 0);
      if (total > 0) progress.value = loaded.reduce((a, b) => a + b, 0) / total;
    };
    return Promise.all(names.map(async (name, index) => {
      const response = await fetch('data/' + name);
      if (!response.ok) throw new Error(name + ': ' + response.status + ' ' + response.statusText);
      totals[index] = Number(response.headers.get('Content-Length')) || 0;
      const reader = response.body.getReader();
      const chunks = [];
      for (;;) {
        const part = await reader.read();
        if (part.done) break;
        chunks.push(part.value);
        loaded[index] += part.value.length;
        show();
      }
      const bytes = new Uint8Array(loaded[index]);
      let at = 0;
      for (const chunk of chunks) {
        bytes.set(chunk, at);
        at += chunk.length;
      }
      return bytes;
    }));
  }

  // The player's name, kept for the next game: the row a save added to the high-score
  // table (40-byte rows: a zero-terminated name of 36 bytes, a little-endian score).
  function tableRows(file) {
    let bytes;
    try {
      bytes = Module.FS.readFile(file);
    } catch (error) {
      return [];
    }
    const rows = [];
    for (let at = 0; at + 40 <= bytes.length; at += 40) {
      const end = bytes.subarray(at, at + 36).indexOf(0);
      const name = Array.from(bytes.subarray(at, at + (end < 0 ? 35 : end)));
      const score = new DataView(bytes.buffer, bytes.byteOffset + at + 36, 4).getInt32(0, true);
      rows.push({ name, key: name.join(',') + ':' + score });
    }
    return rows;
  }
  let rowsWhenHeld = null;
  const tableLock = /\/HIGH10\.lock$/;

  function showPanel(id, shown) {
    document.getElementById(id).hidden = !shown;
  }

  // What the tests and the curious read off the page.
  const status = (window.quenford = {
    firstFrameMs: null,
    timedemo: null,
    exitCode: null,
    gameState: () => Module.UTF8ToString(Module._quenfordGameState()),
  });

  async function start() {
    fit();
    let files;
    try {
      files = await fetchWithProgress(dataFiles, document.getElementById('progress'));
    } catch (error) {
      document.querySelector('#loading p').textContent = 'The game data could not be loaded: ' + error.message;
      return;
    }
    window.Module = {
      arguments: programArguments(new URLSearchParams(location.search)),
      preRun: [() => {
        FS.mkdir('/data');
        dataFiles.forEach((name, index) => FS.writeFile('/data/' + name, files[index]));
      }],
      quenfordPage: {
        fastClock: new URLSearchParams(location.search).has('fast'),
        canvas,
        stage,
        setCaption: (caption) => { document.title = 'Quenford (' + caption.toLowerCase() + ')'; },
        toggleFullscreen,
        framePresented() {
          if (status.firstFrameMs === null) {
            status.firstFrameMs = performance.now() - started;
            showPanel('loading', false);
            canvas.focus();
          }
        },
        messageBox(caption, text) {
          document.getElementById('message-caption').textContent = caption;
          document.getElementById('message-text').textContent = text;
          showPanel('loading', false);
          showPanel('message', true);
        },
        timedemoDone(fps, summary, endState) {
          status.timedemo = { fps, summary, endState };
          result.textContent = summary + '; ' + endState;
        },
        fileLocked(file) {
          if (tableLock.test(file)) rowsWhenHeld = tableRows(file.replace(tableLock, '/HIGH10'));
        },
        fileUnlocked(file) {
          if (!tableLock.test(file) || rowsWhenHeld === null) return;
          const before = new Set(rowsWhenHeld.map((row) => row.key));
          const added = tableRows(file.replace(tableLock, '/HIGH10')).find((row) => !before.has(row.key));
          if (added && added.name.length > 0) Module.quenfordWebHost.rememberOwner(added.name);
          rowsWhenHeld = null;
        },
        programEnded(exitCode) {
          status.exitCode = exitCode;
          showPanel('ended', true);
        },
      },
    };
    const script = document.createElement('script');
    script.src = 'quenford.js';
    document.body.appendChild(script);
  }

  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  whole.addEventListener('change', () => {
    fit();
    canvas.focus();
  });
  document.getElementById('fullscreen').addEventListener('click', () => {
    toggleFullscreen();
    canvas.focus();
  });
  document.getElementById('again').addEventListener('click', () => location.reload());
  start();
})();
