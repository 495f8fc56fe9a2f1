// The page's half of Zorvane 2's browser platform (src/platform/web/): the sheets decoded before
// the game starts, the canvas, keyboard, mouse and gamepads, Web Audio, and the save file kept in
// the browser's storage. Built into zorvane2.js ahead of the compiled game.
var ZorvaneWeb = (function () {
  const zw = {
    sheets: {},           // by lower-case name: {width, height, data (RGBA bytes)}
    atlas: null,          // the glyph atlas's bytes
    keyCodes: {},         // KeyboardEvent.code -> PC scan code, filled by the game
    keys: new Uint8Array(256),
    mouse: { have: false, x: 0, y: 0, left: false, right: false, leftPressed: false, rightPressed: false },
    focusLost: false,
    framesShown: 0,
    firstFrameMs: 0,      // time from the page's start to the first frame shown
    stopAt: -1,           // with ?frames=N the game stops after N frames, as the harness's --frames
    script: null,         // with ?script=FILE its input replaces the devices', as the harness's --input
    fast: false,          // with ?fast frames run as fast as they can, as the harness's --headless
  };
  const params = new URLSearchParams(location.search);
  if (params.has('frames')) zw.stopAt = Math.max(0, parseInt(params.get('frames'), 10) || 0);
  zw.fast = params.has('fast');
  const savePath = '/save/Game Save.gsv';
  const canvas = document.getElementById('screen');
  const screen = canvas.getContext('2d', { alpha: false });
  const image = screen.createImageData(800, 600);
  const status = document.getElementById('status');
  const say = text => { if (status) status.textContent = text; };

  zw.sheet = name => zw.sheets[name.toLowerCase()];
  // The picture, of which only the rectangles given (x, y, width, height in turn) changed.
  zw.present = (rgba, rects) => {
    if (rects.length) image.data.set(rgba);
    for (let i = 0; i < rects.length; i += 4) screen.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
    if (zw.framesShown++ === 0) zw.firstFrameMs = performance.now();
    zw.shownFrame();
  };

  // ---- Start-up: sheets, glyph atlas and the saved progress, before the game's first call ----
  const fetchBytes = url => fetch(url).then(r => {
    if (!r.ok) throw new Error(url + ': ' + r.status);
    return r.arrayBuffer();
  });
  async function loadSheet(name) {
    const blob = new Blob([await fetchBytes('sheets/' + name + '.png')], { type: 'image/png' });
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
      manifest.then(m => Promise.all(m.sheets.map(loadSheet))),
      params.has('script') ? fetch(params.get('script')).then(r => r.text()).then(t => { zw.script = t; }) : null,
    ]).then(() => removeRunDependency('zorvane-content'), err => {
      console.error('zorvane2: the game could not be loaded:', err);
      say('The game could not be loaded: ' + err.message);
    });
  }]);

  // ---- Saves: stored in the browser after every write, to and from disk on request ----
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

  // ---- Keyboard, mouse, focus ----
  const audioGesture = () => zw.startAudio();
  addEventListener('keydown', e => {
    audioGesture();
    if (e.target instanceof HTMLInputElement) return;
    const pc = zw.keyCodes[e.code];
    if (!pc) return;
    zw.keys[pc] = 1;
    // The game's keys stay with the game; the browser keeps its function keys and shortcuts.
    if (!e.ctrlKey && !e.metaKey && !/^F\d+$/.test(e.code)) e.preventDefault();
  });
  addEventListener('keyup', e => { const pc = zw.keyCodes[e.code]; if (pc) zw.keys[pc] = 0; });
  function releaseAll() {
    zw.keys.fill(0);
    zw.mouse.left = zw.mouse.right = false;
    zw.focusLost = true;
  }
  addEventListener('blur', releaseAll);
  document.addEventListener('visibilitychange', () => { if (document.hidden) releaseAll(); });
  // The pointer in picture pixels, wherever it is on the page (the game clamps it).
  addEventListener('mousemove', e => {
    const r = canvas.getBoundingClientRect();
    zw.mouse.x = Math.floor((e.clientX - r.left) * 800 / r.width);
    zw.mouse.y = Math.floor((e.clientY - r.top) * 600 / r.height);
    zw.mouse.have = true;
  });
  canvas.addEventListener('mousedown', e => {
    audioGesture();
    const r = canvas.getBoundingClientRect();
    zw.mouse.x = Math.floor((e.clientX - r.left) * 800 / r.width);
    zw.mouse.y = Math.floor((e.clientY - r.top) * 600 / r.height);
    zw.mouse.have = true;
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

  // Gamepads in the standard layout: buttons as bits (the triggers as amounts), the left stick.
  zw.readPads = (at, max) => {
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

  // ---- Sound and music through Web Audio, started by the first click or key ----
  let audio = null, musicGain = null;
  let away = false;  // the page was hidden, and the game has not shown a frame or paused since
  const soundBytes = [], soundBuffers = [], soundPlaying = [];
  const music = { name: '', want: false, source: null, gain: Math.pow(10, -1250 / 2000), bytes: {}, buffers: {} };
  const warned = new Set();
  const warnOnce = (what, err) => {
    if (warned.has(what)) return;
    warned.add(what);
    console.warn('zorvane2: ' + what + ' could not be loaded (' + err + '); it stays silent');
  };
  const decode = bytes => new Promise((ok, fail) => audio.decodeAudioData(bytes.slice(0), ok, fail));
  function decodeSound(slot) {
    if (!audio || !soundBytes[slot]) return;
    decode(soundBytes[slot]).then(b => { soundBuffers[slot] = b; }, err => warnOnce('a sound', err));
  }
  zw.startAudio = () => {
    if (audio) {
      // A key or a click while the game is paused leaves the sound resting: it plays on with the game.
      if (audio.state === 'suspended' && !zw.paused) audio.resume();
      return;
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    audio = new Context();
    musicGain = audio.createGain();
    musicGain.gain.value = music.gain;
    musicGain.connect(audio.destination);
    soundBytes.forEach((_, slot) => decodeSound(slot));
    startMusic();
    if (zw.paused) audio.suspend();
  };
  zw.loadSound = (slot, name) => {
    soundBytes[slot] = soundBuffers[slot] = null;
    fetchBytes('Sound/' + name + '.wav').then(b => { soundBytes[slot] = b; decodeSound(slot); },
                                             err => warnOnce('Sound/' + name + '.wav', err));
  };
  // A slot restarted cuts itself off, never another slot.
  zw.playSound = slot => {
    if (!audio || audio.state !== 'running' || !soundBuffers[slot]) return;
    if (soundPlaying[slot]) try { soundPlaying[slot].stop(); } catch (e) { /* already over */ }
    const s = audio.createBufferSource();
    s.buffer = soundBuffers[slot];
    s.connect(audio.destination);
    s.start();
    soundPlaying[slot] = s;
  };
  function trackBuffer(name) {
    if (!music.bytes[name]) music.bytes[name] = fetchBytes('Music/' + name + '.ogg');
    if (!music.buffers[name]) music.buffers[name] = music.bytes[name].then(decode);
    return music.buffers[name];
  }
  function stopSource() {
    if (music.source) try { music.source.stop(); } catch (e) { /* already over */ }
    music.source = null;
  }
  function startMusic() {
    if (!audio || !music.want || music.source || !music.name) return;
    const name = music.name;
    trackBuffer(name).then(buffer => {
      if (music.name !== name || !music.want || music.source) return;
      const s = audio.createBufferSource();
      s.buffer = buffer;
      // The menu and level tracks loop; the victory and death tunes play once.
      s.loop = name !== 'Win' && name !== 'Death';
      s.connect(musicGain);
      s.onended = () => { if (music.source === s) music.source = null; };
      s.start();
      music.source = s;
    }, err => warnOnce('Music/' + name + '.ogg', err));
  }
  zw.loadMusic = name => {
    stopSource();
    music.name = name;
    music.want = false;
    if (!music.bytes[name]) music.bytes[name] = fetchBytes('Music/' + name + '.ogg');
  };
  zw.playMusic = () => { stopSource(); music.want = true; startMusic(); };
  // While the game stands still (paused, or the tab hidden) its sound and music rest too.
  zw.setPaused = paused => {
    zw.paused = paused;
    away = false;
    if (!audio) return;
    if (paused && audio.state === 'running') audio.suspend();
    if (!paused && audio.state === 'suspended') audio.resume();
  };
  // A hidden page is silent at once: browsers stop calling a hidden page's game, which learns
  // of it only when the page is seen again (and then pauses a level, or plays on in the menu).
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden || !audio) return;
    away = true;
    if (audio.state === 'running') audio.suspend();
  });
  // With each picture shown: a game that plays on after the page was hidden wakes its sound.
  zw.shownFrame = () => {
    if (!away || zw.paused) return;
    away = false;
    if (audio.state === 'suspended') audio.resume();
  };
  zw.stopMusic = () => { music.want = false; stopSource(); };
  // What is audible: for the page's tests.
  zw.audioState = () => ({
    context: audio ? audio.state : 'none',
    music: music.source ? music.name : '',
    loop: music.source ? music.source.loop : false,
    sounds: soundBuffers.filter(Boolean).length,
  });
  // v hundredths of a decibel is a gain of 10^(v / 2000), in the desktop mixer's 128 steps.
  zw.musicVolume = v => {
    const steps = Math.max(0, Math.min(128, Math.round(Math.pow(10, v / 2000) * 128)));
    music.gain = steps / 128;
    if (musicGain) musicGain.gain.value = music.gain;
  };

  // ---- The picture fills the window with its aspect kept, every pixel crisp ----
  function fit() {
    const bar = document.getElementById('bar');
    const room = innerHeight - (bar ? bar.offsetHeight : 0);
    const scale = Math.max(0.25, Math.min(innerWidth / 800, room / 600));
    canvas.style.width = Math.floor(800 * scale) + 'px';
    canvas.style.height = Math.floor(600 * scale) + 'px';
  }
  addEventListener('resize', fit);
  fit();
  return zw;
})();
