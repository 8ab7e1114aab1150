// The page's side of the web host: canvas, pointer, keys, touch, focus, Web Audio, the
// collection's folder in IndexedDB and the Web Locks that keep two tabs off one file. Runs
// inside the module (--pre-js): FS, IDBFS and HEAPU8 are at hand. The page passes its
// <canvas> and callbacks in Module.quenfordPage before the module starts.
var quenfordWebHost = (function () {
  'use strict';

  const width = 640;
  const height = 480;
  const kinds = { activate: 0, deactivate: 1, keyDown: 3, char: 4 };  // MessageKind
  const down = 0x80;
  const longPressMs = 400;
  const sampleRate = 22050;
  // A running audio context keeps the browser mixing silence: it rests this long after the
  // last sound has ended.
  const audioRestMs = 2000;
  const folder = '/quenford/';
  const ownerKey = 'quenford.owner';

  // KeyboardEvent.code: [DirectInput key code, Windows virtual-key code].
  const keyCodes = {
    Escape: [0x01, 0x1b], Digit1: [0x02, 0x31], Digit2: [0x03, 0x32], Digit3: [0x04, 0x33],
    Digit4: [0x05, 0x34], Digit5: [0x06, 0x35], Digit6: [0x07, 0x36], Digit7: [0x08, 0x37],
    Digit8: [0x09, 0x38], Digit9: [0x0a, 0x39], Digit0: [0x0b, 0x30], Minus: [0x0c, 0xbd],
    Equal: [0x0d, 0xbb], Backspace: [0x0e, 0x08], Tab: [0x0f, 0x09], KeyQ: [0x10, 0x51],
    KeyW: [0x11, 0x57], KeyE: [0x12, 0x45], KeyR: [0x13, 0x52], KeyT: [0x14, 0x54],
    KeyY: [0x15, 0x59], KeyU: [0x16, 0x55], KeyI: [0x17, 0x49], KeyO: [0x18, 0x4f],
    KeyP: [0x19, 0x50], BracketLeft: [0x1a, 0xdb], BracketRight: [0x1b, 0xdd],
    Enter: [0x1c, 0x0d], ControlLeft: [0x1d, 0x11], KeyA: [0x1e, 0x41], KeyS: [0x1f, 0x53],
    KeyD: [0x20, 0x44], KeyF: [0x21, 0x46], KeyG: [0x22, 0x47], KeyH: [0x23, 0x48],
    KeyJ: [0x24, 0x4a], KeyK: [0x25, 0x4b], KeyL: [0x26, 0x4c], Semicolon: [0x27, 0xba],
    Quote: [0x28, 0xde], Backquote: [0x29, 0xc0], ShiftLeft: [0x2a, 0x10],
    Backslash: [0x2b, 0xdc], KeyZ: [0x2c, 0x5a], KeyX: [0x2d, 0x58], KeyC: [0x2e, 0x43],
    KeyV: [0x2f, 0x56], KeyB: [0x30, 0x42], KeyN: [0x31, 0x4e], KeyM: [0x32, 0x4d],
    Comma: [0x33, 0xbc], Period: [0x34, 0xbe], Slash: [0x35, 0xbf], ShiftRight: [0x36, 0x10],
    NumpadMultiply: [0x37, 0x6a], AltLeft: [0x38, 0x12], Space: [0x39, 0x20],
    CapsLock: [0x3a, 0x14], F1: [0x3b, 0x70], F2: [0x3c, 0x71], F3: [0x3d, 0x72],
    F4: [0x3e, 0x73], F5: [0x3f, 0x74], F6: [0x40, 0x75], F7: [0x41, 0x76], F8: [0x42, 0x77],
    F9: [0x43, 0x78], F10: [0x44, 0x79], NumLock: [0x45, 0x90], ScrollLock: [0x46, 0x91],
    Numpad7: [0x47, 0x67], Numpad8: [0x48, 0x68], Numpad9: [0x49, 0x69],
    NumpadSubtract: [0x4a, 0x6d], Numpad4: [0x4b, 0x64], Numpad5: [0x4c, 0x65],
    Numpad6: [0x4d, 0x66], NumpadAdd: [0x4e, 0x6b], Numpad1: [0x4f, 0x61],
    Numpad2: [0x50, 0x62], Numpad3: [0x51, 0x63], Numpad0: [0x52, 0x60],
    NumpadDecimal: [0x53, 0x6e], IntlBackslash: [0x56, 0xe2], F11: [0x57, 0x7a],
    F12: [0x58, 0x7b], NumpadEqual: [0x8d, 0x92], NumpadEnter: [0x9c, 0x0d],
    ControlRight: [0x9d, 0x11], NumpadComma: [0xb3, 0x6c], NumpadDivide: [0xb5, 0x6f],
    PrintScreen: [0xb7, 0x2c], AltRight: [0xb8, 0x12], Pause: [0xc5, 0x13], Home: [0xc7, 0x24],
    ArrowUp: [0xc8, 0x26], PageUp: [0xc9, 0x21], ArrowLeft: [0xcb, 0x25],
    ArrowRight: [0xcd, 0x27], End: [0xcf, 0x23], ArrowDown: [0xd0, 0x28],
    PageDown: [0xd1, 0x22], Insert: [0xd2, 0x2d], Delete: [0xd3, 0x2e], MetaLeft: [0xdb, 0x5b],
    MetaRight: [0xdc, 0x5c], ContextMenu: [0xdd, 0x5d],
  };
  // Keys whose own characters the window receives besides their key-down.
  const keyChars = { Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, Escape: 27 };
  // What the browser would do with these (scroll, go back, its help, leave the page) stays
  // undone while the game has the focus. Tab is left to the page: it moves the focus on.
  const pageKeys = new Set(['Space', 'Escape', 'F1', 'F8', 'F10', 'F11', 'NumpadAdd',
    'NumpadSubtract', 'Backspace', 'Enter', 'NumpadEnter', 'ArrowUp', 'ArrowDown',
    'ArrowLeft', 'ArrowRight', 'PageUp', 'PageDown', 'Home', 'End', 'Quote', 'Slash']);
  // A pad is reported as the keys it stands for (standard Gamepad buttons): the D-pad the
  // arrows, the bottom face button Enter, the right one X, Start Esc, the shoulders keypad
  // minus and plus, Back (Select) Pause. The left stick stands for the arrows too.
  const padButtons = [[12, 'ArrowUp'], [13, 'ArrowDown'], [14, 'ArrowLeft'], [15, 'ArrowRight'],
    [0, 'Enter'], [1, 'KeyX'], [9, 'Escape'], [4, 'NumpadSubtract'], [5, 'NumpadAdd'],
    [8, 'Pause']];
  const stickDeadZone = 0.5;
  const padPollMs = 8;
  // The browser looks for pads only while a page listens for their announcement, and then
  // all the time, at the cost of a page that does something every frame. Until it announces
  // one the page listens one second in every four: a first press held up to three seconds
  // counts, and a still page costs next to nothing meanwhile.
  const padListenMs = 1000;
  const padQuietMs = 3000;
  // Windows-1252 for the code points 0x80..0x9F leaves to other characters.
  const cp1252 = new Map([[0x20ac, 0x80], [0x201a, 0x82], [0x0192, 0x83], [0x201e, 0x84],
    [0x2026, 0x85], [0x2020, 0x86], [0x2021, 0x87], [0x02c6, 0x88], [0x2030, 0x89],
    [0x0160, 0x8a], [0x2039, 0x8b], [0x0152, 0x8c], [0x017d, 0x8e], [0x2018, 0x91],
    [0x2019, 0x92], [0x201c, 0x93], [0x201d, 0x94], [0x2022, 0x95], [0x2013, 0x96],
    [0x2014, 0x97], [0x02dc, 0x98], [0x2122, 0x99], [0x0161, 0x9a], [0x203a, 0x9b],
    [0x0153, 0x9c], [0x017e, 0x9e], [0x0178, 0x9f]]);

  function windows1252(codePoint) {
    if (codePoint >= 0x20 && codePoint < 0x7f) return codePoint;
    if (codePoint >= 0xa0 && codePoint <= 0xff) return codePoint;
    return cp1252.get(codePoint) || 0;
  }

  const host = {
    collectionFolder: folder,
    page: null,
    canvas: null,
    context: null,
    // An opaque canvas; desynchronized spares the browser's compositor a frame of its own
    // for every change (with a graphics driver the canvas may then reach the screen directly).
    contextSettings: { alpha: false, desynchronized: true },
    image: null,
    imageBuffer: null,
    imagePointer: 0,
    areas: [],
    drawPending: false,
    fastClock: false,
    messages: [],
    active: false,
    keys: new Uint8Array(256),
    keysPressed: new Uint8Array(256),
    keysRead: new Uint8Array(256),
    // Whether the keys read otherwise than at the last read: a still page skips the reading.
    keysChanged: true,
    padKeys: new Uint8Array(256),
    padHeld: new Set(),
    padPolled: -Infinity,
    padsConnected: 0,
    padWatch: 0,
    pointer: { x: 0, y: 0, moved: true },
    // reported: down at the game's last read; moved: pressed as the pointer moved.
    buttons: [0, 1].map(() => ({ down: false, latched: false, reported: false, moved: false })),
    touches: new Map(),
    audio: null,
    audioWanted: false,
    // Whether the player has let the page sound (a click or a key).
    audioAllowed: false,
    audioRest: 0,
    sounds: new Map(),
    slots: [],
    locks: new Map(),

    push(kind, param) {
      this.messages.push((kind << 16) | (param & 0xffff));
    },
    takeMessage() {
      this.pollPads();
      return this.messages.length ? this.messages.shift() : -1;
    },

    createWindow() {
      this.page = Module.quenfordPage || {};
      this.canvas = this.page.canvas;
      this.listen();
    },
    // No key pressed before a change of focus reaches the game after it; the click that
    // brings the page back still does.
    setActive(nowActive) {
      if (nowActive === this.active) return;
      this.active = nowActive;
      this.clearKeys();
      if (!nowActive) this.releaseAll();
      this.push(nowActive ? kinds.activate : kinds.deactivate, nowActive ? 1 : 0);
    },
    clearKeys() {
      this.keys.fill(0);
      this.keysPressed.fill(0);
      this.keysChanged = true;
    },
    releaseAll() {
      this.clearKeys();
      for (const button of this.buttons) {
        Object.assign(button, { down: false, latched: false, moved: false });
      }
    },
    // The game has the keys while its canvas has the focus, or a panel it holds under (the
    // controls, how to play: keys turn and close them); not while the page's body or its
    // controls have it.
    hasFocus() {
      const focus = document.activeElement;
      return focus === this.canvas || (this.page.signPanels || []).some((panel) => panel.contains(focus));
    },

    // Display.
    openScreen(fastClock) {
      if (!this.canvas) return false;
      this.fastClock = fastClock;
      this.canvas.width = width;
      this.canvas.height = height;
      this.context = this.canvas.getContext('2d', this.contextSettings);
      return this.context !== null;
    },
    // The area (x, y, width, height) of the kept pixels at `pointer` that changed, drawn at
    // once. On the fast clock, with frames far quicker than the display's, the areas
    // gathered meanwhile are drawn at its next refresh instead.
    showArea(pointer, x, y, areaWidth, areaHeight) {
      if (!this.context) return;
      // The image lies on the module's memory; a grown memory is a new buffer.
      if (this.imageBuffer !== HEAPU8.buffer || this.imagePointer !== pointer) {
        this.imageBuffer = HEAPU8.buffer;
        this.imagePointer = pointer;
        this.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pointer, width * height * 4),
          width, height);
      }
      this.addArea([x, y, x + areaWidth, y + areaHeight]);
      if (!this.fastClock) {
        this.drawPending = true;
        this.drawAreas();
        return;
      }
      if (!this.drawPending) {
        this.drawPending = true;
        requestAnimationFrame(() => this.drawAreas());
      }
    },
    // Areas as [left, top, right, bottom]; one inside another is drawn once, and many are
    // drawn as the one that holds them all.
    addArea(area) {
      const inside = (a, b) => a[0] >= b[0] && a[1] >= b[1] && a[2] <= b[2] && a[3] <= b[3];
      if (this.areas.some((kept) => inside(area, kept))) return;
      this.areas = this.areas.filter((kept) => !inside(kept, area));
      this.areas.push(area);
      if (this.areas.length > 8) {
        const all = this.areas.reduce((a, b) => [Math.min(a[0], b[0]), Math.min(a[1], b[1]),
          Math.max(a[2], b[2]), Math.max(a[3], b[3])]);
        this.areas = [all];
      }
    },
    drawAreas() {
      if (!this.drawPending) return;
      this.drawPending = false;
      // (No destructuring in for-of: the build's minifier drops it.)
      for (const area of this.areas) {
        this.context.putImageData(this.image, 0, 0, area[0], area[1], area[2] - area[0],
          area[3] - area[1]);
      }
      this.areas = [];
      if (this.page.framePresented) this.page.framePresented();
    },
    // The program lets go of its pixels: what it presented is drawn now, and nothing reads
    // them afterwards.
    releaseFrame() {
      if (this.image) this.drawAreas();
      this.drawPending = false;
      this.image = null;
      this.imageBuffer = null;
    },
    // 0: none, 1: paused, 2: the controls, 3: how to play (host::Sign).
    showSign(sign) {
      if (this.page.showSign) this.page.showSign(['none', 'paused', 'controls', 'rules'][sign] || 'none');
    },
    // corners: the address of four x, y pairs of game pixels, or 0: no mark.
    showMark(corners) {
      if (!this.page.showMark) return;
      this.page.showMark(corners ? Array.from(HEAP32.subarray(corners >> 2, (corners >> 2) + 8)) : null);
    },

    // Pointer: the game pixel under the player's pointer, through the page's scaling.
    gamePixel(event) {
      const box = this.canvas.getBoundingClientRect();
      const x = Math.floor((event.clientX - box.left) * width / box.width);
      const y = Math.floor((event.clientY - box.top) * height / box.height);
      return [Math.min(width - 1, Math.max(0, x)), Math.min(height - 1, Math.max(0, y))];
    },
    movePointer(event) {
      if (event.pointerType === 'touch') {
        // Only the finger that came first moves the pointer.
        const touch = this.touches.get(event.pointerId);
        if (!touch || !touch.leads) return;
      }
      const pixel = this.gamePixel(event);
      const x = pixel[0];
      const y = pixel[1];
      if (x !== this.pointer.x || y !== this.pointer.y) {
        this.pointer.x = x;
        this.pointer.y = y;
        this.pointer.moved = true;
      }
    },
    // A button that goes down and up between two reads is seen down for one read.
    setButton(index, isDown) {
      const button = this.buttons[index];
      button.down = isDown;
      if (isDown) button.latched = true;
    },
    // A press that comes with a move acts where the pointer went: the game reads the move
    // first and the press at its next read, as the window does; the key layer holds a menu's
    // release until the item under the pointer is lit.
    readMouse(reading) {
      if (!this.active) return false;
      const at = reading >> 2;
      const moved = this.pointer.moved;
      HEAP32[at] = moved ? 1 : 0;
      HEAP32[at + 1] = this.pointer.x;
      HEAP32[at + 2] = this.pointer.y;
      this.pointer.moved = false;
      for (let i = 0; i < 2; ++i) {
        const button = this.buttons[i];
        const pressed = (button.down || button.latched) && !button.reported;
        if (pressed && moved && !button.moved) {
          button.moved = true;
          HEAP32[at + 3 + i] = 0;
          continue;
        }
        button.moved = false;
        button.reported = button.down || button.latched;
        HEAP32[at + 3 + i] = button.reported ? 1 : 0;
        button.latched = false;
      }
      return true;
    },
    // Like the buttons: a key pressed and released between two reads is seen down for one read.
    // 0: the page is in the background; 1: the keys written; 2: as at the last read.
    readKeyboard(keys) {
      if (!this.active) return 0;
      this.pollPads();
      if (!this.keysChanged) return 2;
      // A key seen only because it was pressed reads up at the next read.
      this.keysChanged = this.keysPressed.some((key) => key !== 0);
      for (let i = 0; i < 256; ++i) {
        this.keysRead[i] = this.keys[i] | this.keysPressed[i] | this.padKeys[i];
      }
      this.keysPressed.fill(0);
      HEAPU8.set(this.keysRead, keys);
      return 1;
    },

    listen() {
      const canvas = this.canvas;
      const stage = this.page.stage || canvas;
      stage.addEventListener('contextmenu', (event) => event.preventDefault());
      stage.addEventListener('pointermove', (event) => this.movePointer(event));
      canvas.addEventListener('blur', () => {
        this.keys.fill(0);
        this.keysChanged = true;
      });
      this.watchPads();
      stage.addEventListener('pointerdown', (event) => this.pointerDown(event));
      stage.addEventListener('pointerup', (event) => this.pointerUp(event));
      stage.addEventListener('pointercancel', (event) => this.pointerUp(event));
      window.addEventListener('keydown', (event) => this.keyDown(event));
      window.addEventListener('keyup', (event) => this.keyUp(event));
      window.addEventListener('blur', () => this.setActive(false));
      window.addEventListener('focus', () => this.setActive(!document.hidden));
      document.addEventListener('visibilitychange', () => this.setActive(!document.hidden));
    },
    // Listens for pads in turns until one is announced, and all the time while one is there.
    watchPads() {
      const connected = () => ++this.padsConnected;
      const disconnected = () => {
        this.padsConnected = Math.max(0, this.padsConnected - 1);
        this.pollPads(true);
        if (this.padsConnected === 0) listen();
      };
      const listen = () => {
        clearTimeout(this.padWatch);
        window.addEventListener('gamepadconnected', connected);
        window.addEventListener('gamepaddisconnected', disconnected);
        this.padWatch = setTimeout(() => {
          if (this.padsConnected > 0) return;
          window.removeEventListener('gamepadconnected', connected);
          window.removeEventListener('gamepaddisconnected', disconnected);
          this.padWatch = setTimeout(listen, padQuietMs);
        }, padListenMs);
      };
      listen();
    },
    // The buttons on the panels over the canvas are the page's, not the game's.
    onPageControl(event) {
      return event.target !== this.canvas && event.target.closest('button, input, label, a');
    },
    pointerDown(event) {
      if (this.onPageControl(event)) return;
      this.startAudio();
      event.preventDefault();
      this.canvas.focus({ preventScroll: true });
      if (event.target.setPointerCapture) event.target.setPointerCapture(event.pointerId);
      if (event.pointerType === 'touch') {
        // A tap is a left click; held for a while, a right click. A second finger makes
        // neither of the touches on the screen a click.
        for (const other of this.touches.values()) {
          clearTimeout(other.timer);
          other.tap = false;
        }
        const touch = { leads: this.touches.size === 0, tap: this.touches.size === 0, timer: 0 };
        this.touches.set(event.pointerId, touch);
        if (!touch.leads) return;
        touch.timer = setTimeout(() => {
          touch.tap = false;
          this.setButton(1, true);
        }, longPressMs);
      } else if (event.button === 0 || event.button === 2) {
        this.setButton(event.button === 0 ? 0 : 1, true);
      }
      this.movePointer(event);
      this.pointer.moved = true;
    },
    pointerUp(event) {
      if (this.onPageControl(event)) return;
      if (event.pointerType === 'touch') {
        const touch = this.touches.get(event.pointerId);
        if (!touch) return;
        clearTimeout(touch.timer);
        this.touches.delete(event.pointerId);
        if (touch.tap && event.type === 'pointerup') {
          this.setButton(0, true);
          this.setButton(0, false);
        }
        // The last finger up leaves no button down.
        if (this.touches.size === 0) this.setButton(1, false);
        return;
      }
      if (event.button === 0 || event.button === 2) this.setButton(event.button === 0 ? 0 : 1, false);
    },
    keyDown(event) {
      this.startAudio();
      if ((event.altKey && event.code === 'Enter') || event.code === 'F11') {
        event.preventDefault();
        if (!event.repeat && this.page.toggleFullscreen) this.page.toggleFullscreen();
        return;
      }
      if (event.ctrlKey || event.metaKey || !this.hasFocus() || event.code === 'Tab') return;
      if (pageKeys.has(event.code)) event.preventDefault();
      // With the left Alt held the keys are the browser's, not the game's.
      if (event.altKey && event.code !== 'AltRight') return;
      const codes = keyCodes[event.code];
      if (codes) this.keys[codes[0]] = down;
      this.keysChanged = true;
      this.pressKey(event.code, event.key, event.repeat);
    },
    // A key seen down at the next read, its key-down message and its character; `key`: the
    // character typed, if any besides a key's own. The page's own controls press keys here
    // too (Controls: F1). A key held until it repeats types again but is pressed once, as in
    // the window: a held P pauses once.
    pressKey(code, key, repeat = false) {
      const codes = keyCodes[code];
      if (codes && !repeat) {
        this.keysPressed[codes[0]] = down;
        this.keysChanged = true;
        this.push(kinds.keyDown, codes[1]);
      }
      const own = keyChars[code];
      if (own) {
        this.push(kinds.char, own);
      } else if (key && [...key].length === 1) {
        const character = windows1252(key.codePointAt(0));
        if (character !== 0) this.push(kinds.char, character);
      }
    },
    keyUp(event) {
      const codes = keyCodes[event.code];
      if (codes) this.keys[codes[0]] = 0;
      this.keysChanged = true;
    },
    // The pads' controls as keys, held while the control is held; each newly held one
    // pressed as its key is. Only once the browser has announced a pad: asking for them
    // keeps the browser looking for pads.
    pollPads(now) {
      if (this.padsConnected === 0 && this.padHeld.size === 0) return;
      const time = performance.now();
      if ((!now && time - this.padPolled < padPollMs) || !navigator.getGamepads) return;
      this.padPolled = time;
      const held = new Set();
      if (this.active) {
        for (const pad of navigator.getGamepads()) {
          if (!pad || !pad.connected) continue;
          for (const control of padButtons) {
            const button = pad.buttons[control[0]];
            if (button && button.pressed) held.add(control[1]);
          }
          const [x, y] = pad.axes;
          if (x < -stickDeadZone) held.add('ArrowLeft');
          if (x > stickDeadZone) held.add('ArrowRight');
          if (y < -stickDeadZone) held.add('ArrowUp');
          if (y > stickDeadZone) held.add('ArrowDown');
        }
      }
      for (const code of held) {
        if (!this.padHeld.has(code)) this.pressKey(code, null);
      }
      this.padKeys.fill(0);
      for (const code of held) this.padKeys[keyCodes[code][0]] = down;
      this.keysChanged = true;
      this.padHeld = held;
    },

    // Sound: five slots; each sound converted once to the audio device's format.
    openAudio() {
      if (typeof AudioContext === 'undefined') return false;
      this.audioWanted = true;
      return true;
    },
    startAudio() {
      // Browsers let a page sound only once the player has clicked or typed.
      if (!this.audioWanted || this.audioAllowed) return;
      this.audioAllowed = true;
      this.audio = new AudioContext();
      this.restAudioSoon();
    },
    restAudioSoon() {
      clearTimeout(this.audioRest);
      this.audioRest = setTimeout(() => {
        const sounding = this.slots.some((voice) => voice && voice.source);
        if (this.audio && this.audio.state === 'running' && !sounding) this.audio.suspend();
      }, audioRestMs);
    },
    closeAudio() {
      for (let slot = 0; slot < this.slots.length; ++slot) this.stopSlot(slot);
      this.audioWanted = false;
      this.audioAllowed = false;
      clearTimeout(this.audioRest);
      if (this.audio) this.audio.close();
      this.audio = null;
      this.sounds.clear();
    },
    stopSlot(slot) {
      const voice = this.slots[slot];
      if (voice && voice.source) {
        voice.source.onended = null;
        voice.source.stop();
        voice.source = null;
      }
    },
    loadSlot(slot, data, length) {
      this.stopSlot(slot);
      this.slots[slot] = { data, length, source: null };
    },
    soundBuffer(data, length) {
      const key = data + ':' + length;
      let buffer = this.sounds.get(key);
      if (!buffer) {
        buffer = this.audio.createBuffer(1, length, sampleRate);
        const samples = buffer.getChannelData(0);
        for (let i = 0; i < length; ++i) samples[i] = (HEAPU8[data + i] - 128) / 128;
        this.sounds.set(key, buffer);
      }
      return buffer;
    },
    playSlot(slot) {
      const voice = this.slots[slot];
      if (!voice || !voice.length || !this.audio || this.audio.state === 'closed') return;
      // A resting context starts the sound as soon as it runs again.
      if (this.audio.state === 'suspended') this.audio.resume();
      this.stopSlot(slot);
      const source = this.audio.createBufferSource();
      source.buffer = this.soundBuffer(voice.data, voice.length);
      source.connect(this.audio.destination);
      source.onended = () => {
        if (voice.source === source) voice.source = null;
        this.restAudioSoon();
      };
      voice.source = source;
      source.start();
    },

    messageBox(caption, text) {
      if (this.page.messageBox) this.page.messageBox(caption, text);
    },
    // The name the player gave last time, as bytes of the game's character set.
    ownerName() {
      let text = null;
      try {
        text = localStorage.getItem(ownerKey);
      } catch (error) {
        return null;
      }
      if (!text) return null;
      const bytes = [...text].map((c) => windows1252(c.codePointAt(0)));
      return bytes.includes(0) ? null : bytes;
    },
    // Keeps a name (bytes of the game's character set) as the owner's for the next time.
    rememberOwner(bytes) {
      const fromCp1252 = new Map();
      cp1252.forEach((code, codePoint) => fromCp1252.set(code, codePoint));
      const text = String.fromCodePoint(...bytes.map((code) => fromCp1252.get(code) || code));
      try {
        localStorage.setItem(ownerKey, text);
      } catch (error) {
        // A page without storage keeps no name; the game falls back to its own.
      }
    },

    // Files: the folder lives in IndexedDB, read in before the game starts; every fsync
    // writes it back (the module's own fd_sync). A lock taken on a file is a Web Lock named
    // after its path, so a second tab finds it held; on taking it, whatever the other tab
    // stored meanwhile is read in first.
    async fileLock(fd, operation) {
      const LOCK_EX = 2;
      const LOCK_UN = 8;
      const stream = FS.getStream(fd);
      if (!stream) return 2;
      this.unlock(fd);
      if (operation & LOCK_UN || !navigator.locks) return 0;
      const mode = operation & LOCK_EX ? 'exclusive' : 'shared';
      return new Promise((resolve) => {
        navigator.locks.request('quenford:' + stream.path, { mode, ifAvailable: true }, (lock) => {
          if (!lock) {
            resolve(1);
            return undefined;
          }
          return new Promise((release) => {
            this.locks.set(fd, { release, path: stream.path });
            this.readStored(stream.node.mount).then(() => {
              if (this.page.fileLocked) this.page.fileLocked(stream.path);
              resolve(0);
            });
          });
        });
      });
    },
    unlock(fd) {
      const lock = this.locks.get(fd);
      if (lock) {
        this.locks.delete(fd);
        if (this.page.fileUnlocked) this.page.fileUnlocked(lock.path);
        lock.release();
      }
    },
    // Takes in the entries IndexedDB holds newer than the folder's, removing nothing.
    readStored(mount) {
      return new Promise((resolve) => {
        if (mount.type !== IDBFS) {
          resolve();
          return;
        }
        IDBFS.getLocalSet(mount, (localError, local) => {
          IDBFS.getRemoteSet(mount, (remoteError, remote) => {
            if (localError || remoteError) {
              resolve();
              return;
            }
            const newer = {};
            for (const path of Object.keys(remote.entries)) {
              const entry = remote.entries[path];
              const mine = local.entries[path];
              if (!mine || mine.timestamp.getTime() < entry.timestamp.getTime()) newer[path] = entry;
            }
            IDBFS.reconcile({ type: 'remote', db: remote.db, entries: newer },
              { type: 'local', entries: {} }, () => resolve());
          });
        });
      });
    },
    mountFolder() {
      FS.mkdir(folder);
      FS.mount(IDBFS, {}, folder);
      const close = FS.close;
      FS.close = function (stream) {
        host.unlock(stream.fd);
        return close.apply(this, arguments);
      };
      addRunDependency('quenford-folder');
      FS.syncfs(true, (error) => {
        if (error) console.warn('quenford: the stored high scores could not be read', error);
        removeRunDependency('quenford-folder');
      });
    },
  };
  return host;
})();

Module.quenfordWebHost = quenfordWebHost;
Module.preRun = Module.preRun || [];
Module.preRun.push(() => quenfordWebHost.mountFolder());
