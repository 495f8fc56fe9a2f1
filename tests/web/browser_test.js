// The browser build in headless Chromium, driven through the DevTools protocol on a pipe:
//  1. a fresh player's menu, frame for frame, has the desktop harness's pixels;
//  2. a click on level 1's button starts level 1; the menu and the pause listen for a gamepad all
//     the time, a level played without one now and then, and a pad that turns up is seen;
//  3. a save loaded from disk, then a purchase, survive a reload;
//  4. with REPLAY (a script, its frame count, the desktop's dump of its final state and its last
//     frame), the replay in the browser ends in the same state and picture (the browser's maths
//     library is not glibc's);
//  5. P, a lost focus and a hidden tab (faked, then real: the window minimised) each pause the
//     level: no game frame runs, the picture holds the pause screen, the sound rests, other keys
//     and clicks change nothing, and P plays on;
//  and the page's console shows no error throughout.
// usage: node browser_test.js URL CHROMIUM DESKTOP_MENU.png FRAMES SAVE_WITH_POINTS OUT_DIR [REPLAY FRAMES STATE PICTURE]
'use strict';
const fs = require('fs');
const path = require('path');
const { launch, readPng, writePng, sleep } = require('./cdp.js');

const [url, chromium, desktopPng, frames, saveFile, outDir, replay, replayFrames, replayState, replayPng] = process.argv.slice(2);
const b = launch(chromium);
const { send, evaluate, waitFor } = b;
const state = () => evaluate('JSON.parse(UTF8ToString(Module._zorvane_state()))');
const gameUp = 'typeof Module !== "undefined" && Module.calledRun && ZorvaneWeb.framesShown > 5';

// A click at a point of the 800 x 600 picture, through the page's real mouse events.
async function click(x, y) {
  const r = await evaluate('(() => { const r = document.getElementById("screen").getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()');
  const px = r[0] + (x + 0.5) * r[2] / 800, py = r[1] + (y + 0.5) * r[3] / 600;
  await send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: px, y: py });
  await sleep(100);
  await send('Input.dispatchMouseEvent', { type: 'mousePressed', x: px, y: py, button: 'left', clickCount: 1 });
  await sleep(100);
  await send('Input.dispatchMouseEvent', { type: 'mouseReleased', x: px, y: py, button: 'left', clickCount: 1 });
}
// A key pressed and let go, by its place on the keyboard: held for a few frames, or until the
// page's `until` holds (at most five seconds), so that a slow frame cannot miss it.
async function press(code, key, keyCode, until = null) {
  await send('Input.dispatchKeyEvent', { type: 'rawKeyDown', code, key, windowsVirtualKeyCode: keyCode });
  if (until) await waitFor(`${code} to be seen`, until, 5000).catch(() => false); else await sleep(120);
  await send('Input.dispatchKeyEvent', { type: 'keyUp', code, key, windowsVirtualKeyCode: keyCode });
}
const pausedIs = on => `JSON.parse(UTF8ToString(Module._zorvane_state())).Paused === ${on}`;
async function open(address) {
  await send('Page.navigate', { url: address });
  await waitFor('the game to start', gameUp);
}

// The canvas against the desktop harness's --screenshot of the same frame; returns the canvas's pixels.
async function comparePicture(png, name, what) {
  const pixels = Buffer.from(await evaluate(`(() => {
      const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 800, 600).data;
      let s = ''; for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
      return btoa(s); })()`), 'base64');
  const desktop = readPng(png);
  let differ = 0, first = -1;
  for (let i = 0; i < 800 * 600; ++i)
    if (pixels[3 * i] !== desktop.rgb[3 * i] || pixels[3 * i + 1] !== desktop.rgb[3 * i + 1] || pixels[3 * i + 2] !== desktop.rgb[3 * i + 2]) {
      if (first < 0) first = i;
      ++differ;
    }
  writePng(path.join(outDir, `browser-${name}.png`), 800, 600, pixels);
  check(desktop.width === 800 && desktop.height === 600 && differ === 0,
    `${what}: the pixels equal the desktop's (${differ} of 480000 differ${first >= 0 ? `, first at ${first % 800},${Math.floor(first / 800)}` : ''})`);
  return pixels;
}

const failures = [], errors = [];
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); if (!ok) failures.push(what); };

async function main() {
  await b.attach(errors);
  await send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 700, deviceScaleFactor: 1, mobile: false });

  // 1. The menu of a fresh player, stopped after the same frames as the desktop's picture.
  const started = Date.now();
  await open(`${url}?frames=${frames}`);
  await waitFor(`frame ${frames}`, `JSON.parse(UTF8ToString(Module._zorvane_state())).frame === ${frames}`);
  const startUp = await evaluate('Math.round(ZorvaneWeb.firstFrameMs)');
  // What was fetched before the menu's first picture (the sounds and the music come after it).
  const download = await evaluate(`performance.getEntriesByType('resource').concat(performance.getEntriesByType('navigation'))
      .filter(e => e.responseEnd <= ZorvaneWeb.firstFrameMs).reduce((n, e) => n + (e.encodedBodySize || 0), 0)`);
  const pixels = await comparePicture(desktopPng, 'menu', 'the menu');
  const desktop = readPng(desktopPng);
  const both = Buffer.alloc(1600 * 600 * 3);  // the browser's frame on the left, the desktop's on the right
  for (let y = 0; y < 600; ++y) {
    pixels.copy(both, y * 4800, y * 2400, (y + 1) * 2400);
    desktop.rgb.copy(both, y * 4800 + 2400, y * 2400, (y + 1) * 2400);
  }
  writePng(path.join(outDir, 'browser-and-desktop.png'), 1600, 600, both);
  const shot = await send('Page.captureScreenshot', { format: 'png' });
  fs.writeFileSync(path.join(outDir, 'browser-page.png'), Buffer.from(shot.data, 'base64'));
  console.log(`     start-up ${startUp} ms to the first frame (${Date.now() - started} ms with the test's overhead)`);
  check(download > 0 && download <= 1.5e6, `the menu shows after ${(download / 1e6).toFixed(2)} MB fetched (at most 1.5 MB)`);

  // 4. A recorded run replayed in the browser (before anything is saved there) ends as on the desktop.
  if (replay) {
    const t0 = Date.now();
    await send('Page.navigate', { url: `${url}?fast&frames=${replayFrames}&script=${replay}` });
    const end = await waitFor(`frame ${replayFrames} of the replay`, `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
        return s.frame === ${replayFrames} && s; })()`, 120000);
    const want = JSON.parse(fs.readFileSync(replayState, 'utf8'));
    const differ = Object.keys(want).filter(k => JSON.stringify(want[k]) !== JSON.stringify(end[k]));
    check(differ.length === 0, `a replay of ${replayFrames} frames ends in the desktop's state (${Date.now() - t0} ms)` +
      (differ.length ? `; these differ: ${differ.join(', ')}` : ''));
    await comparePicture(replayPng, 'replay', `the replay's last frame`);
  }

  // 2. A click on level 1's button starts it.
  await open(url);
  const menuPads = await padWatch(1000);
  check(menuPads.frames >= 10 && menuPads.listening === menuPads.frames,
    `the menu listens for a gamepad all the time (${menuPads.listening} of ${menuPads.frames} animation frames)`);
  await click(50, 110);
  const level = await waitFor('level 1', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state())); return !s.InMenu && s.CurrentLevel === 1 && s; })()`);
  check(level.Ship.Exists, 'a click on its button starts level 1');
  // The arrow key, by its place on the keyboard, steers the ship left.
  const key = type => send('Input.dispatchKeyEvent', { type, code: 'ArrowLeft', key: 'ArrowLeft', windowsVirtualKeyCode: 37 });
  await key('rawKeyDown');
  await sleep(400);
  await key('keyUp');
  const steered = await state();
  check(steered.Ship.Left < level.Ship.Left, `the left arrow steers the ship left (from ${level.Ship.Left} to ${steered.Ship.Left})`);
  const sound = await waitFor('the music', `(() => { const a = ZorvaneWeb.audioState(); return a.music && a.sounds === 12 && a; })()`);
  check(sound.context === 'running' && sound.loop, `the click started the sound: track ${sound.music} loops, ${sound.sounds} effects ready`);
  // The output buffer is about the desktop's 1024 frames (23 ms): a shot is not heard later than there.
  check(sound.latency > 0.015 && sound.latency < 0.035, `the sound's output buffer is about the desktop's (${(sound.latency * 1000).toFixed(1)} ms)`);
  await padsInALevel();

  // 5. P, a lost focus and a hidden tab each pause the level, and P plays on.
  await pauses();

  // 3. A save from disk with points to spend, a health potion bought, the page reloaded.
  const doc = await send('DOM.getDocument');
  const input = await send('DOM.querySelector', { nodeId: doc.root.nodeId, selector: '#upload' });
  await send('DOM.setFileInputFiles', { nodeId: input.nodeId, files: [path.resolve(saveFile)] });
  await sleep(500);  // the page stores the file and reloads itself
  await waitFor('the game to start with the loaded save', gameUp);
  const loaded = await state();
  check(loaded.Progress.Points === 100000 && loaded.InMenu, `the loaded save's points are there (${loaded.Progress.Points})`);
  await click(500, 520);
  const bought = await waitFor('the purchase', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state())); return s.Progress.Potions[0] === 1 && s; })()`);
  await sleep(1000);
  await send('Page.reload');
  await sleep(300);
  await waitFor('the game to start again', gameUp);
  const after = await state();
  check(after.Progress.Potions[0] === 1 && after.Progress.Points === bought.Progress.Points && bought.Progress.Points < 100000,
    `the purchase survives a reload (potions ${after.Progress.Potions[0]}, points ${after.Progress.Points})`);

  await sleep(300);
  check(errors.length === 0, `the console shows no error${errors.length ? ':\n  ' + errors.join('\n  ') : ''}`);
}

// The level as the pause sees it: game frames run, frames shown, the play clock, the sound, and
// the picture (a digest, and whether the pause screen's controls panel is drawn: its top and
// bottom rules, 440 pixels each of exactly their colour).
const pauseView = () => evaluate(`(() => {
    const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
    const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 800, 600).data;
    let digest = 2166136261;
    for (let i = 0; i < d.length; i += 4) digest = Math.imul(digest ^ (d[i] | d[i + 1] << 8 | d[i + 2] << 16), 16777619);
    const rule = y => { for (let x = 180; x < 620; ++x) { const i = (y * 800 + x) * 4;
        if (d[i] !== 0x58 || d[i + 1] !== 0x78 || d[i + 2] !== 0xB8) return false; } return true; };
    return { frame: s.frame, paused: s.Paused, clock: s.FrameClock, shown: ZorvaneWeb.framesShown,
             audio: ZorvaneWeb.audioState().context, hidden: document.hidden, digest, panel: rule(206) && rule(383) };
  })()`);
// How many animation frames the page is given in `ms`: the main loop is called, paused or not.
const animationFrames = ms => evaluate(`new Promise(done => { let n = 0; const end = performance.now() + ${ms};
    const count = t => { ++n; if (t < end) requestAnimationFrame(count); else done(n); }; requestAnimationFrame(count); })`);
const levelRuns = 'JSON.parse(UTF8ToString(Module._zorvane_state())).Paused === false && ZorvaneWeb.audioState().context === "running"';

// Paused by `how`: the level stays so while the main loop is called, a steering key is pressed
// and (unless the tab is hidden) the canvas is clicked.
async function checkPaused(how, { hidden = false } = {}) {
  const at = await waitFor(`the pause by ${how}`, `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
      return s.Paused && ZorvaneWeb.audioState().context === 'suspended' && s; })()`, 5000).catch(() => null);
  check(at !== null, `${how} pauses the level and suspends the sound`);
  if (!at) return;
  const first = await pauseView();
  const calls = await animationFrames(500);
  await press('ArrowLeft', 'ArrowLeft', 37);
  if (!hidden) await click(400, 300);
  await sleep(300);
  const later = await pauseView();
  check(first.paused && later.paused && later.frame === first.frame && later.clock === first.clock &&
        later.shown === first.shown && later.digest === first.digest && later.audio === 'suspended' && calls >= 10,
    `${how}: no game frame runs (frame ${first.frame} to ${later.frame} in ${calls} animation frames; ` +
    `${later.shown - first.shown} pictures shown), a key and a click change nothing, the sound rests (${later.audio})`);
  if (!hidden) check(later.panel, `${how}: the pause screen is shown over the frozen field`);
}
async function playOn(how) {
  const before = await pauseView();
  await press('KeyP', 'p', 80, pausedIs(false));
  const on = await waitFor(`the level to play on after ${how}`, levelRuns, 5000).catch(() => false);
  await sleep(300);
  const after = await pauseView();
  check(on && !after.paused && after.frame > before.frame && after.shown > before.shown && !after.panel &&
        after.audio === 'running',
    `after ${how}, P plays on (frame ${before.frame} to ${after.frame}, the sound ${after.audio})`);
}

// Over `ms`, the animation frames in which the page listened for a gamepad to turn up.
const padWatch = ms => evaluate(`new Promise(done => { let frames = 0, listening = 0; const end = performance.now() + ${ms};
    const look = t => { ++frames; if (ZorvaneWeb.padWatch().listening) ++listening;
      if (t < end) requestAnimationFrame(look); else done({ frames, listening }); };
    requestAnimationFrame(look); })`);

// A level played without a pad listens for one half a second in every three (the browser's
// looking for pads costs a share of a core while the page listens), all the time while paused,
// and a pad that turns up while it listens is read from then on.
async function padsInALevel() {
  const played = await padWatch(3500);
  const share = played.listening / Math.max(1, played.frames);
  check(played.frames >= 60 && played.listening > 0 && share > 0.08 && share < 0.3,
    `a level without a pad listens for one ${played.listening} of ${played.frames} animation frames`);
  await press('KeyP', 'p', 80, pausedIs(true));
  await sleep(100);
  const paused = await padWatch(500);
  check(paused.frames >= 10 && paused.listening === paused.frames,
    `the pause listens for a gamepad all the time (${paused.listening} of ${paused.frames} animation frames)`);
  await press('KeyP', 'p', 80, pausedIs(false));
  // The browser's event, sent in the first animation frame of the level in which the page listens.
  const seen = await evaluate(`new Promise(done => { const end = performance.now() + 5000;
      const look = t => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
        if (ZorvaneWeb.padWatch().listening && !s.Paused && !s.InMenu) {
          const before = ZorvaneWeb.padWatch().seen;
          dispatchEvent(new Event('gamepadconnected'));
          done({ before, after: ZorvaneWeb.padWatch().seen });
        } else if (t > end) done(null); else requestAnimationFrame(look); };
      requestAnimationFrame(look); })`);
  check(seen && !seen.before && seen.after, 'a gamepad that turns up while a level is played is seen');
}

async function pauses() {
  const running = await pauseView();
  await sleep(300);
  const moving = await pauseView();
  check(!running.paused && moving.frame > running.frame, `the level runs (frame ${running.frame} to ${moving.frame})`);

  await press('KeyP', 'p', 80, pausedIs(true));
  await checkPaused('P');
  await playOn('P');

  // The window loses the focus to another: the browser tells the page with a blur event.
  await evaluate('(window.dispatchEvent(new FocusEvent("blur")), 1)');
  await checkPaused('a lost focus');
  await playOn('a lost focus');

  // A hidden tab that is still given animation frames: the game stands still while hidden, and
  // the tab seen again shows the pause screen.
  await evaluate(`(() => {
      Object.defineProperty(document, 'hidden', { configurable: true, get: () => true });
      Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
      document.dispatchEvent(new Event('visibilitychange'));
      return 1; })()`);
  await checkPaused('a hidden tab', { hidden: true });
  await evaluate(`(() => { delete document.hidden; delete document.visibilityState;
      document.dispatchEvent(new Event('visibilitychange')); return 1; })()`);
  await sleep(300);
  const back = await pauseView();
  check(!back.hidden && back.paused && back.panel, 'the tab seen again shows the pause screen, still paused');
  await playOn('a hidden tab');

  // The window minimised and brought back: the browser's own focus and visibility events. A
  // hidden page is not called (no animation frames), so the sound rests at once, and the game,
  // called again, pauses the level and shows the pause screen.
  const { windowId } = await send('Browser.getWindowForTarget');
  const minimised = async () => {
    await send('Browser.setWindowBounds', { windowId, bounds: { windowState: 'minimized' } });
    const gone = await waitFor('the page to be hidden and silent',
      'document.hidden && ZorvaneWeb.audioState().context === "suspended"', 5000).catch(() => false);
    const at = await pauseView();
    await sleep(500);
    const later = await pauseView();
    await send('Browser.setWindowBounds', { windowId, bounds: { windowState: 'normal' } });
    await waitFor('the page to be seen again', '!document.hidden', 5000).catch(() => false);
    await sleep(300);
    return { gone: gone && later.frame === at.frame && later.audio === 'suspended', at, back: await pauseView() };
  };
  const level = await minimised();
  check(level.gone && level.back.paused && level.back.frame === level.at.frame && level.back.panel &&
        level.back.audio === 'suspended',
    `a minimised window silences the level at once, and brought back it is paused with the pause screen (frame ${level.at.frame})`);
  await playOn('a minimised window');

  // In the menu (Escape leaves the level) nothing pauses: brought back, it plays on with its sound.
  await press('Escape', 'Escape', 27, 'JSON.parse(UTF8ToString(Module._zorvane_state())).InMenu');
  const menu = await minimised();
  const awake = await waitFor('the menu\'s sound', 'ZorvaneWeb.audioState().context === "running"', 5000).catch(() => false);
  await sleep(300);
  const after = await pauseView();
  check(menu.gone && awake && after.frame > menu.back.frame && !after.paused,
    `a minimised window silences the menu, which plays on with its sound when brought back (frame ${menu.at.frame} to ${after.frame})`);
}

main().catch(e => { failures.push(String(e.stack || e)); console.log('FAIL', e.stack || e); }).finally(async () => {
  await b.close();
  if (failures.length && b.log) console.log('chromium said:\n' + b.log.split('\n').slice(-20).join('\n'));
  process.exit(failures.length ? 1 : 0);
});
