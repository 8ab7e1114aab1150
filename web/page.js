// The page around the game: fetches what the first screen needs while the WebAssembly
// compiles, turns the address's parameters into the program's arguments, shows the game's
// signs, and offers to play again (layout.js lays the page out).
(function () {
  'use strict';

  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const mark = document.getElementById('mark');
  const whole = document.getElementById('whole');
  const result = document.getElementById('result');
  const again = document.getElementById('again');
  // The parameters' names in any case: ?Q is the Q mode, as the command line's Q is.
  const params = new URLSearchParams([...new URLSearchParams(location.search)]
    .map(([name, value]) => [name.toLowerCase(), value]));
  const rulesSeenKey = 'quenford.rulesSeen';

  // How to play shows over the game on a player's first visit, not over a demo or the
  // built-in player.
  function firstVisit() {
    if (['demo', 'timedemo', 'autoplay'].some((name) => params.has(name))) return false;
    try {
      if (localStorage.getItem(rulesSeenKey)) return false;
      localStorage.setItem(rulesSeenKey, '1');
    } catch (error) {
      // A page without storage would show them at every visit: F1 reaches them.
      return false;
    }
    return true;
  }

  // ?q: the Q mode; ?demo: the shipped demo played back; ?autoplay, ?games=N: the built-in
  // player; ?timedemo: the demo as fast as the page goes; ?fast: any of them on a virtual
  // clock, as fast as the page goes (the built-in player's games in seconds).
  function programArguments() {
    const args = [];
    if (firstVisit()) args.push('--rules');
    if (params.has('timedemo')) args.push('--timedemo');
    if (params.has('demo')) args.push('--play-demo');
    if (params.has('autoplay')) args.push('--autoplay');
    if (params.has('games')) args.push('--games', params.get('games'));
    if (params.has('q')) args.push('Q');
    return args;
  }

  // What the game reads: the introduction's pictures only where it plays (without them it
  // starts at its title), the demo only where one plays.
  const optionalFile = 'morva.res';
  function dataFiles() {
    const files = ['DATA10.RES'];
    if (!params.has('q')) files.push(optionalFile);
    if (params.has('demo') || params.has('timedemo')) files.push('DATA12.RES');
    return files;
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
    // A compressed file's length is not the length of what it gives: the bar then only moves.
    const show = () => {
      const total = totals.reduce((a, b) => a + b, 0);
      if (Number.isNaN(total)) {
        progress.removeAttribute('value');
      } else if (total > 0) {
        progress.value = loaded.reduce((a, b) => a + b, 0) / total;
      }
    };
    return Promise.all(names.map(async (name, index) => {
      const response = await fetch('data/' + name).catch((error) => error);
      if (!response.ok) {
        if (name === optionalFile) return null;
        throw new Error(name + ': ' + (response.message || response.status + ' ' + response.statusText));
      }
      totals[index] = response.headers.has('Content-Encoding') ? NaN
        : Number(response.headers.get('Content-Length')) || 0;
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
  const signPanels = ['controls', 'rules'].map((id) => document.getElementById(id));
  let focusBeforeSign = null;
  const tableLock = /\/HIGH10\.lock$/;

  function showPanel(id, shown) {
    document.getElementById(id).hidden = !shown;
  }

  // The program or its data could not be had: what failed, and the same address again.
  function cannotLoad(reason) {
    document.getElementById('ended-text').textContent = 'Quenford could not be loaded: ' + reason;
    again.textContent = 'Try again';
    showPanel('loading', false);
    showPanel('again', true);
    showPanel('ended', true);
    again.focus();
  }
  window.addEventListener('error', (event) => {
    if (event.target instanceof HTMLScriptElement) cannotLoad(event.target.getAttribute('src'));
  }, true);

  // What the tests and the curious read off the page; times in ms from the navigation.
  // A point of the game's screen as the program answers it: y * 65536 + x.
  const pointOf = (packed) => ({ x: packed % 65536, y: Math.floor(packed / 65536) });
  const status = (window.quenford = {
    firstFrameMs: null,
    dataMs: null,
    runtimeMs: null,
    timedemo: null,
    exitCode: null,
    // The bed, and the game's own answers about it: where a square is, where an arrow goes
    // (up, down, left, right), the built-in player's next move, where a menu item is.
    gameState: () => (Module.quenfordShownGame
      ? Module.UTF8ToString(Module._quenfordGameState(Module.quenfordShownGame)) : ''),
    squareCentre: (index) => pointOf(Module._quenfordSquareCentre(index)),
    menuItemCentre: (name) => {
      const item = ['new board', 'sound', 'quit', 'back to play'].indexOf(name);
      if (item < 0) throw new Error(`the menu has no item ${name}`);
      return pointOf(Module._quenfordMenuItemCentre(item));
    },
    arrow: (index, way) => Module._quenfordArrow(index, ['up', 'down', 'left', 'right'].indexOf(way)),
    plannedMove: () => {
      const move = Module._quenfordPlannedMove(Module.quenfordShownGame);
      return { kind: ['none', 'harvest', 'swap', 'new board'][move >> 16],
        first: ((move >> 8) & 255) - 1, second: (move & 255) - 1 };
    },
  });

  // The game's own keys, pressed by the page's controls.
  function pressGameKey(code) {
    if (window.Module && Module.quenfordWebHost) Module.quenfordWebHost.pressKey(code, null);
    canvas.focus();
  }

  const files = dataFiles();
  const data = fetchWithProgress(files, document.getElementById('progress'));
  data.then(() => {
    status.dataMs = performance.now();
  }, (error) => cannotLoad(error.message));

  // quenford.js, loaded beside this script, compiles its WebAssembly while the data arrive;
  // the program starts once both are there.
  window.Module = {
    arguments: programArguments(),
    preRun: [() => {
      addRunDependency('quenford-data');
      data.then((bytes) => {
        FS.mkdir('/data');
        files.forEach((name, index) => bytes[index] && FS.writeFile('/data/' + name, bytes[index]));
        removeRunDependency('quenford-data');
      }, () => {});
    }],
    onRuntimeInitialized() {
      status.runtimeMs = performance.now();
    },
    // The program's code, compiled while it arrives, or what kept it away.
    instantiateWasm(imports, receive) {
      fetch('quenford.wasm').then((response) => {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return WebAssembly.instantiateStreaming(response, imports);
      }).then((compiled) => receive(compiled.instance, compiled.module),
        (error) => cannotLoad('quenford.wasm: ' + error.message));
      return {};
    },
    quenfordPage: {
      fastClock: params.has('fast'),
      canvas,
      stage,
      signPanels,
      toggleFullscreen,
      framePresented() {
        if (status.firstFrameMs !== null) return;
        status.firstFrameMs = performance.now();
        showPanel('loading', false);
        // Unless how to play, shown over the first picture, has taken the focus already.
        if (document.activeElement === document.body) canvas.focus();
        // Kept for the next visit, with or without the network, once the game is on show.
        if ('serviceWorker' in navigator) {
          navigator.serviceWorker.register('service-worker.js').catch((error) => {
            console.warn('quenford: the game is not kept for playing offline', error);
          });
        }
      },
      // The panels the game holds under (the controls, how to play) take the focus while
      // up, and give it back to where it was.
      showSign(sign) {
        showPanel('paused', sign === 'paused');
        const wasUp = signPanels.some((panel) => !panel.hidden);
        for (const panel of signPanels) panel.hidden = panel.id !== sign;
        const up = signPanels.find((panel) => !panel.hidden);
        if (up && !wasUp) focusBeforeSign = document.activeElement;
        if (up) {
          up.querySelector('.close-panel').focus();
        } else if (wasUp) {
          const back = focusBeforeSign;
          (back && back !== document.body && back.isConnected ? back : canvas).focus();
        }
      },
      // corners: four x, y pairs of game pixels, or null.
      showMark(corners) {
        // An SVG element has no hidden property: the attribute itself.
        mark.toggleAttribute('hidden', !corners);
        if (!corners) return;
        const points = [0, 2, 4, 6].map((at) => `${corners[at] + 0.5},${corners[at + 1] + 0.5}`);
        for (const outline of mark.children) outline.setAttribute('points', points.join(' '));
        placeMark();
      },
      messageBox(caption, text) {
        document.getElementById('ended-caption').textContent = caption;
        document.getElementById('ended-text').textContent = text;
        showPanel('ended-caption', true);
        showPanel('loading', false);
        showPanel('ended', true);
      },
      timedemoDone(fps, summary, endState) {
        status.timedemo = { fps, summary, endState };
        result.textContent = summary + '; ' + endState;
        result.title = result.textContent;
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
      // reason: why the program refused to start (the line it printed), else null.
      programEnded(exitCode, reason) {
        status.exitCode = exitCode;
        showPanel('loading', false);
        showPanel('paused', false);
        showPanel('controls', false);
        showPanel('rules', false);
        if (exitCode !== 0) again.textContent = 'Try again';
        if (reason) {
          document.getElementById('ended-text').textContent = reason;
          // The same address would be refused again: the game without options instead.
          again.textContent = 'Play';
          again.dataset.plain = 'true';
        }
        mark.setAttribute('hidden', '');
        showPanel('again', true);
        showPanel('ended', true);
        again.focus();
      },
    },
  };

  // The mark lies on the canvas wherever the layout puts it.
  function placeMark() {
    if (mark.hasAttribute('hidden')) return;
    mark.style.left = canvas.offsetLeft + 'px';
    mark.style.top = canvas.offsetTop + 'px';
    mark.style.width = canvas.offsetWidth + 'px';
    mark.style.height = canvas.offsetHeight + 'px';
  }
  const markPlacer = new ResizeObserver(placeMark);
  markPlacer.observe(canvas);
  markPlacer.observe(stage);

  whole.addEventListener('change', () => {
    quenfordLayout.fit();
    canvas.focus();
  });
  document.getElementById('fullscreen').addEventListener('click', () => {
    toggleFullscreen();
    canvas.focus();
  });
  document.getElementById('show-controls').addEventListener('click', () => pressGameKey('F1'));
  // F1 turns the panel's page; any other key closes it.
  document.querySelectorAll('.other-page').forEach((button) =>
    button.addEventListener('click', () => pressGameKey('F1')));
  document.querySelectorAll('.close-panel').forEach((button) =>
    button.addEventListener('click', () => pressGameKey('Escape')));
  again.addEventListener('click', () => {
    if (again.dataset.plain) {
      location.search = '';
    } else {
      location.reload();
    }
  });
  // In case the window's first layout came before the canvas and the bar were there.
  quenfordLayout.fit();
})();
