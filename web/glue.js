// The page's half of Zorvane 2's browser platform (src/platform/web/): the sheets decoded before
// the game starts, the canvas, keyboard, mouse and gamepads, and the save file and settings kept
// in the browser's storage. Sound is in sound.js, the touch controls in touch.js, the page
// around the picture in page.js. Built into zorvane2.js ahead of the compiled game.
var ZorvaneWeb = (function () {
  const zw = {
    sheets: {},           // by lower-case name: {width, height, data (RGBA bytes)}
    atlas: null,          // the glyph atlas's bytes
    keyCodes: {},         // KeyboardEvent.code -> PC scan code, filled by the game
    keys: new Uint8Array(256),       // the keyboard, by PC scan code (the player's bindings come after)
    touchKeys: new Uint8Array(256),  // the touch controls, by the game's own keys: held now
    touchTaps: new Uint8Array(256),  // and steps a tapped key stays down, so the game sees a short tap
    mouse: { have: false, x: 0, y: 0, left: false, right: false, leftPressed: false, rightPressed: false },
    focusLost: false,
    framesShown: 0,
    firstFrameMs: 0,      // time from the page's start to the first frame shown
    mode: { menu: true, over: false, paused: false, potions: [0, 0, 0] },  // as the game last said
    stopAt: -1,           // with ?frames=N the game stops after N frames, as the harness's --frames
    script: null,         // with ?script=FILE its input replaces the devices', as the harness's --input
    fast: false,          // with ?fast frames run as fast as they can, as the harness's --headless
    keyboardHeld: false,  // a panel of the page takes the keyboard: the game hears none of it
    afterFirstFrame: [],  // what waits until the menu is on the screen
  };
  const params = new URLSearchParams(location.search);
  if (params.has('frames')) zw.stopAt = Math.max(0, parseInt(params.get('frames'), 10) || 0);
  zw.fast = params.has('fast');
  // With ?advise the built-in pilot says which keys it would hold (for a test's touch player);
  // ?advise=person holds it to a person's limits.
  zw.advise = params.get('advise');
  const savePath = '/save/Game Save.gsv';
  const canvas = document.getElementById('screen');
  const screen = canvas.getContext('2d', { alpha: false });
  const status = document.getElementById('status');
  zw.canvas = canvas;
  zw.say = text => { if (status) status.textContent = text; };
  const say = zw.say;

  zw.sheet = name => zw.sheets[name.toLowerCase()];
  // The picture lives in the game's memory; an image over those very bytes puts each changed
  // rectangle (x, y, width, height in turn) on the canvas without copying the rest.
  let picture = null;
  zw.present = (at, rects) => {
    if (!picture || picture.data.buffer !== HEAPU8.buffer || picture.at !== at) {
      picture = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, at, 800 * 600 * 4), 800, 600);
      picture.at = at;
    }
    for (let i = 0; i < rects.length; i += 4) screen.putImageData(picture, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
    if (zw.framesShown++ === 0) {
      zw.firstFrameMs = performance.now();
      // The rest (sounds, music, the offline copy) is fetched once the menu is there to look at.
      setTimeout(() => zw.afterFirstFrame.splice(0).forEach(f => f()), 0);
    }
    zw.shownFrame();
  };
  zw.shownFrame = () => {};

  // ---- Start-up: sheets, glyph atlas and the saved progress, before the game's first call ----
  const fetchBytes = zw.fetchBytes = url => fetch(url).then(r => {
    if (!r.ok) throw new Error(url + ': ' + r.status);
    return r.arrayBuffer();
  });
  async function loadSheet(name, type) {
    const blob = new Blob([await fetchBytes('sheets/' + name + '.' + type)], { type: 'image/' + type });
    // Exactly the pixels of the file: no colour management, no premultiplying.
    const bitmap = await createImageBitmap(blob, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    const c = document.createElement('canvas');
    c.width = bitmap.width;
    c.height = bitmap.height;
    const g = c.getContext('2d', { willReadFrequently: true });
    g.drawImage(bitmap, 0, 0);
    zw.sheets[name.toLowerCase()] = { width: c.width, height: c.height, data: g.getImageData(0, 0, c.width, c.height).data };
  }
  function loadStorage() {
    FS.mkdir('/save');
    FS.mount(IDBFS, {}, '/save');
    return new Promise(resolve => FS.syncfs(true, err => {
      if (err) console.warn('zorvane2: the saved progress could not be read from the browser storage', err);
      resolve();
    }));
  }
  Module.preRun = (Module.preRun || []).concat([() => {
    addRunDependency('zorvane-content');
    const manifest = fetch('assets.json').then(r => r.json());
    Promise.all([
      loadStorage(),
      fetchBytes('glyphs.bin').then(b => { zw.atlas = new Uint8Array(b); }),
      // Lossless WebP, a good deal smaller than the PNGs; the PNGs for a browser that cannot read it.
      manifest.then(m => Promise.all(m.sheets.map(name => loadSheet(name, 'webp').catch(() => loadSheet(name, 'png'))))),
      params.has('script') ? fetch(params.get('script')).then(r => r.text()).then(t => { zw.script = t; }) : null,
    ]).then(() => removeRunDependency('zorvane-content'), err => {
      console.error('zorvane2: the game could not be loaded:', err);
      say('The game could not be loaded: ' + err.message);
    });
  }]);

  // ---- Saves and settings: stored in the browser after every write, to and from disk on request ----
  let storing = false, storeAgain = false;
  zw.storeSaves = () => {
    if (storing) { storeAgain = true; return; }
    storing = true;
    FS.syncfs(false, err => {
      storing = false;
      if (err) console.warn('zorvane2: the progress could not be stored in the browser', err);
      if (storeAgain) { storeAgain = false; zw.storeSaves(); }
    });
  };
  const saveNow = () => { if (Module._zorvane_save_now && runtimeInitialized) Module._zorvane_save_now(); };
  addEventListener('pagehide', saveNow);
  document.addEventListener('visibilitychange', () => { if (document.hidden) saveNow(); });
  zw.downloadSave = () => {
    saveNow();
    let bytes;
    try { bytes = FS.readFile(savePath); } catch (e) { say('No progress saved yet.'); return; }
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    a.download = 'Game Save.gsv';
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
  };
  // A save file from disk replaces the progress after a reload, which reads and checks it with
  // the game's own start-up. The progress it replaces is kept beside it, and a file too short
  // to be a save is refused before anything is replaced.
  zw.loadSave = async file => {
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (bytes.length < 350) {
      say(file.name + ' is not a save file (' + bytes.length + ' bytes; a save holds 350). Nothing was changed.');
      return;
    }
    if (Module._zorvane_hold_saves) Module._zorvane_hold_saves();
    try { FS.writeFile(savePath + '.previous', FS.readFile(savePath)); } catch (e) { /* no progress yet */ }
    FS.writeFile(savePath, bytes);
    FS.syncfs(false, err => {
      if (err) { say('The save file could not be stored: ' + err); return; }
      location.reload();
    });
  };
  zw.ended = () => {
    zw.stopMusic();
    say('Progress saved. Reload the page to play again.');
  };
  // What the game is showing: the menu, a level (over: its results; paused), the potions owned.
  zw.setMode = (menu, over, paused, health, charge, full) => {
    zw.mode = { menu: !!menu, over: !!over, paused: !!paused, potions: [health, charge, full] };
    if (zw.modeChanged) zw.modeChanged(zw.mode);
  };

  // ---- Keyboard, mouse, focus ----
  addEventListener('keydown', e => {
    zw.startAudio();
    if (zw.keyboardHeld || e.target instanceof HTMLInputElement) return;
    const pc = zw.keyCodes[e.code];
    if (!pc) return;
    zw.keys[pc] = 1;
    // The game's keys stay with the game; the browser keeps its function keys and shortcuts.
    if (!e.ctrlKey && !e.metaKey && !/^F\d+$/.test(e.code)) e.preventDefault();
  });
  addEventListener('keyup', e => { const pc = zw.keyCodes[e.code]; if (pc) zw.keys[pc] = 0; });
  zw.releaseAll = () => {
    zw.keys.fill(0);
    zw.touchKeys.fill(0);
    zw.mouse.left = zw.mouse.right = false;
    zw.focusLost = true;
    if (zw.touchReleased) zw.touchReleased();
  };
  addEventListener('blur', zw.releaseAll);
  document.addEventListener('visibilitychange', () => { if (document.hidden) zw.releaseAll(); });
  // A point of the page in picture pixels (the game clamps it).
  zw.pointAt = (clientX, clientY) => {
    const r = canvas.getBoundingClientRect();
    zw.mouse.x = Math.floor((clientX - r.left) * 800 / r.width);
    zw.mouse.y = Math.floor((clientY - r.top) * 600 / r.height);
    zw.mouse.have = true;
  };
  addEventListener('mousemove', e => zw.pointAt(e.clientX, e.clientY));
  canvas.addEventListener('mousedown', e => {
    zw.startAudio();
    zw.pointAt(e.clientX, e.clientY);
    // A click shorter than a frame still counts in the next frame.
    if (e.button === 0) zw.mouse.left = zw.mouse.leftPressed = true;
    if (e.button === 2) zw.mouse.right = zw.mouse.rightPressed = true;
    e.preventDefault();
  });
  addEventListener('mouseup', e => {
    if (e.button === 0) zw.mouse.left = false;
    if (e.button === 2) zw.mouse.right = false;
  });
  canvas.addEventListener('contextmenu', e => e.preventDefault());
  // The keys the game reads this step: the keyboard's (by scan code) and the touch controls'
  // (the game's own); a tapped key stays down for the steps it was given.
  zw.readKeys = (keysAt, touchAt) => {
    HEAPU8.set(zw.keys, keysAt);
    const taps = zw.touchTaps;
    for (let k = 0; k < 256; ++k) {
      HEAPU8[touchAt + k] = zw.touchKeys[k] | (taps[k] ? 1 : 0);
      if (taps[k]) --taps[k];
    }
  };

  // Gamepads in the standard layout: buttons as bits (the triggers as amounts), the left stick.
  // Read only once a pad has been seen: asking for pads costs a frame time on some browsers.
  // Until then the browser looks for pads only while the page listens for one, and looking costs
  // a steady share of a core (as much as the game's sound mixing). So while a level is played
  // without a pad the page listens for half a second in every three: a pad plugged in then is
  // found when a button of it is pressed or held in that time (browsers show a pad to a page only
  // after one of its buttons was pressed). In the menu, the pause and a level's results, where the
  // game waits for the player, it listens all the time.
  const PadListenSteps = 30, PadListenEverySteps = 180;
  let padsSeen = false, padListening = false, padSteps = 0;
  const padConnected = () => { padsSeen = true; };
  function listenForPads(on) {
    if (on === padListening) return;
    padListening = on;
    if (on) addEventListener('gamepadconnected', padConnected);
    else removeEventListener('gamepadconnected', padConnected);
  }
  listenForPads(true);
  zw.padWatch = () => ({ seen: padsSeen, listening: padListening });
  zw.readPads = (at, max) => {
    if (!padsSeen) {
      const playing = !zw.mode.menu && !zw.mode.over && !zw.mode.paused;
      listenForPads(!playing || padSteps++ % PadListenEverySteps < PadListenSteps);
      return 0;
    }
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    const axis = v => Math.max(-32768, Math.min(32767, Math.round((v || 0) * 32767)));
    let n = 0;
    for (const p of pads) {
      if (!p || !p.connected || p.mapping !== 'standard' || n >= max) continue;
      let bits = 0;
      for (let b = 0; b < Math.min(p.buttons.length, 17); ++b) if (b !== 6 && b !== 7 && p.buttons[b].pressed) bits |= 1 << b;
      const trigger = b => (p.buttons[b] ? axis(p.buttons[b].value) : 0);
      HEAP32.set([p.index, bits, axis(p.axes[0]), axis(p.axes[1]), trigger(6), trigger(7)], at + 6 * n);
      ++n;
    }
    return n;
  };
  return zw;
})();
