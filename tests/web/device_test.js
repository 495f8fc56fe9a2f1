// The browser build on the devices people use, in headless Chromium:
//  1. the picture at a whole scale where one fits (1600 x 1200: every picture pixel is a 2 x 2
//     block of screen pixels; 800 x 600: one to one), smoothed where none does;
//  2. on a phone held landscape, then portrait (device emulation, touch events): the menu by
//     touch (taps, long presses, two-finger taps), the controls beside or under the picture and thumb-sized, the stick steering while
//     a fire button fires, the fire sound heard through the effect bus, the pause button;
//  3. the page installs as an app; a second visit with the server stopped plays from the offline
//     copy, with its sound, and a new build replaces that copy whole;
//  4. the settings panel changes a volume and a key, both kept over a reload, and the key works;
//  and the page's console shows no error throughout.
// usage: node device_test.js CHROMIUM BUILD_DIR OUT_DIR
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launch, readPng, serve, sleep } = require('./cdp.js');

const [chromium, buildDir, outDir] = process.argv.slice(2);
const failures = [];
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); if (!ok) failures.push(what); };
const SoundFire = 10;
const mm = 96 / 25.4;

let b = null, errors = [];
const state = () => b.evaluate('JSON.parse(UTF8ToString(Module._zorvane_state()))');
const gameUp = 'typeof Module !== "undefined" && Module.calledRun && ZorvaneWeb.framesShown > 5';
const rect = selector => b.evaluate(`(() => { const e = document.querySelector(${JSON.stringify(selector)});
    if (!e) return null;
    const r = e.getBoundingClientRect(); return { x: r.left, y: r.top, w: r.width, h: r.height }; })()`);
const centre = r => [r.x + r.w / 2, r.y + r.h / 2];
async function open(url) {
  await b.send('Page.navigate', { url });
  await b.waitFor('the game to start', gameUp, 30000);
}
// A point of the 800 x 600 picture in page pixels.
async function onPicture(x, y) {
  const c = await rect('#screen');
  return [c.x + (x + 0.5) * c.w / 800, c.y + (y + 0.5) * c.h / 600];
}
async function screenshot(name) {
  const shot = await b.send('Page.captureScreenshot', { format: 'png' });
  const file = path.join(outDir, name);
  fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  return file;
}
async function canvasPixels() {
  return Buffer.from(await b.evaluate(`(() => {
      const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 800, 600).data;
      let s = ''; for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
      return btoa(s); })()`), 'base64');
}

// 1. The picture's scale in a window of `width` x `height`.
async function scale(width, height, whole) {
  await b.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });
  await b.send('Page.navigate', { url: `${base}index.html?frames=40` });
  await b.waitFor('frame 40', 'JSON.parse(UTF8ToString(Module._zorvane_state())).frame === 40', 30000);
  const pic = await b.evaluate('ZorvaneWeb.picture');
  if (!whole) {
    check(!pic.crisp && Math.abs(Math.max(pic.w / width, pic.h / height) - 1) < 0.01,
      `${width} x ${height}: no whole scale fits, the picture fills the window smoothed (${pic.w} x ${pic.h})`);
    return;
  }
  check(pic.crisp && pic.scale === whole && pic.w === 800 * whole && pic.h === 600 * whole,
    `${width} x ${height}: the picture is crisp at ${whole} screen pixels a pixel (${pic.w} x ${pic.h} at ${pic.x},${pic.y})`);
  // The screen against the canvas: every picture pixel a whole block of one colour, but where the
  // page's small menu button and its line of status (the stopped game's word) lie over the picture (and
  // their shadows, a few pixels round them).
  const picture = await canvasPixels();
  const over = [await rect('#menu-button'), await rect('#status')];
  const shot = readPng(await screenshot(`scale-${width}x${height}.png`));
  let differ = 0, first = '';
  for (let y = 0; y < shot.height; ++y) {
    for (let x = 0; x < shot.width; ++x) {
      if (over.some(r => x >= r.x - 4 && x < r.x + r.w + 4 && y >= r.y - 4 && y < r.y + r.h + 4)) continue;
      const px = Math.floor((x - pic.x) / whole), py = Math.floor((y - pic.y) / whole);
      if (px < 0 || py < 0 || px >= 800 || py >= 600) continue;
      const s = (y * shot.width + x) * 3, p = (py * 800 + px) * 3;
      if (shot.rgb[s] !== picture[p] || shot.rgb[s + 1] !== picture[p + 1] || shot.rgb[s + 2] !== picture[p + 2]) {
        if (!differ) first = `${x},${y}`;
        ++differ;
      }
    }
  }
  check(differ === 0, `${width} x ${height}: each of the picture's pixels is exactly ${whole} x ${whole} screen pixels of its colour ` +
    `(${differ} differ${first ? ', first at ' + first : ''})`);
}

// 2. A phone, landscape or portrait.
async function phone(portrait) {
  const how = portrait ? 'portrait' : 'landscape';
  await b.phone(portrait);
  await open(`${base}index.html`);
  const menu = await b.evaluate('({ touch: document.body.classList.contains("touch"), pad: document.getElementById("pad").hidden })');
  check(menu.touch && menu.pad, `${how}: a touch screen is seen; the menu shows no game controls`);
  await screenshot(`phone-${how}-menu.png`);

  // The menu: a long press and a two-finger tap are right clicks, a tap a left click (counted as
  // the page hands them to the game), here on the owned shot, which stays where it is.
  await b.evaluate(`(() => { const m = ZorvaneWeb.mouse; let r = m.rightPressed, l = m.leftPressed;
      window.clicks = { left: 0, right: 0 };
      Object.defineProperty(m, 'rightPressed', { configurable: true, get: () => r, set: v => { if (v) ++clicks.right; r = v; } });
      Object.defineProperty(m, 'leftPressed', { configurable: true, get: () => l, set: v => { if (v) ++clicks.left; l = v; } });
      return 1; })()`);
  const [ox, oy] = await onPicture(190, 130);
  await b.touch(1, ox, oy);
  await sleep(800);
  await b.lift(1);
  const long = await b.evaluate('({ ...clicks })');
  await b.touch(1, ox, oy);
  await sleep(60);
  await b.touch(2, ox + 8, oy + 4);
  await sleep(60);
  await b.lift(2);
  await b.lift(1);
  const two = await b.evaluate('({ ...clicks })');
  await b.tap(ox, oy);
  const one = await b.evaluate('({ ...clicks })');
  check(long.left === 0 && long.right === 1 && two.left === 0 && two.right === 2 && one.left === 1 && one.right === 2,
    `${how}: in the menu a long press and a two-finger tap are right clicks, a tap a left click`);

  // A finger that rests shows what it is on (the pointer is under it); a tap clicks. (The first
  // lifted finger asked for full screen: the page is laid out again meanwhile.)
  await sleep(500);
  const [lx, ly] = await onPicture(50, 110);
  await b.touch(1, lx, ly);
  const hover = await b.waitFor('the pointer under the finger', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
      return Math.abs(s.MouseX - 50) <= 3 && Math.abs(s.MouseY - 110) <= 3 && s; })()`, 5000).catch(() => null);
  await b.lift(1);
  check(hover !== null && hover.InMenu, `${how}: a resting finger brings the menu's pointer under it`);
  const level = await b.waitFor('level 1', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
      return !s.InMenu && s.CurrentLevel === 1 && s; })()`, 10000).catch(() => null);
  check(level !== null, `${how}: a tap on level 1's button starts level 1`);
  if (!level) return;

  // The controls: shown, thumb-sized, never over the ship's lane at the bottom centre of the picture.
  await b.waitFor('the controls', '!document.getElementById("pad").hidden', 5000).catch(() => false);
  const pic = await rect('#screen');
  const buttons = await b.evaluate(`[...document.querySelectorAll('#pad > .button')].map(e => {
      const r = e.getBoundingClientRect(); return { name: e.textContent.trim(), x: r.left, y: r.top, w: r.width, h: r.height }; })`);
  const zone = await rect('#stick-zone');
  const lane = { x: pic.x + pic.w * 0.3, y: pic.y + pic.h * 0.7, w: pic.w * 0.4, h: pic.h * 0.3 };
  const meets = (a, c) => a.x < c.x + c.w && c.x < a.x + a.w && a.y < c.y + c.h && c.y < a.y + a.h;
  const small = buttons.filter(r => r.w < 9 * mm || r.h < 9 * mm);
  const over = buttons.filter(r => meets(r, lane)).concat(meets(zone, lane) ? [{ name: 'the stick' }] : []);
  const inside = r => r.x >= -0.5 && r.y >= -0.5 && r.x + r.w <= (portrait ? 390 : 844) + 0.5 && r.y + r.h <= (portrait ? 844 : 390) + 0.5;
  const outside = buttons.filter(r => !inside(r));
  const apart = portrait ? buttons.every(r => r.y >= pic.y + pic.h - 0.5) && zone.y >= pic.y + pic.h - 0.5
    : buttons.every(r => r.x >= pic.x + pic.w - 0.5) && zone.x + zone.w <= pic.x + 0.5;
  check(buttons.length === 7 && !small.length && !over.length && !outside.length && apart,
    `${how}: ${buttons.length} buttons of ${Math.round(buttons[0].w / mm * 10) / 10} mm, ${portrait ? 'under' : 'beside'} the picture, ` +
    `none over the ship's lane${small.length ? '; too small: ' + small.map(r => r.name) : ''}${over.length ? '; over the lane: ' + over.map(r => r.name) : ''}` +
    `${outside.length ? '; off the screen: ' + outside.map(r => r.name) : ''}`);

  // The stick, relative: centred where the thumb lands; pushed left the ship goes left.
  const [sx, sy] = centre(zone);
  const before = await state();
  await b.touch(1, sx, sy);
  for (let i = 1; i <= 4; ++i) { await b.touch(1, sx - 18 * i, sy + 2); await sleep(30); }
  await sleep(500);
  const left = await state();
  check(left.Ship.Left < before.Ship.Left - 20, `${how}: the stick pushed left steers the ship left (from ${before.Ship.Left} to ${left.Ship.Left})`);

  // A second finger on fire X while the thumb steers right: the guns fire, the ship goes right,
  // and the fire sound plays through the effect bus.
  await b.evaluate('ZorvaneWeb.busReport()');
  const fire = buttons.find(r => r.name.startsWith('X'));
  await b.touch(2, ...centre(fire));
  for (let i = -3; i <= 4; ++i) { await b.touch(1, sx + 18 * i, sy - 1); await sleep(30); }
  const firing = await b.waitFor('shots', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
      return s.Shots.length > 0 && s; })()`, 5000).catch(() => null);
  await sleep(700);
  const right = await state();
  const heard = await b.waitFor('the fire sound', `ZorvaneWeb.busReport().then(r => r && r.heard[${SoundFire}] > 0 && r)`, 5000).catch(() => null);
  const sound = await b.evaluate('ZorvaneWeb.audioState()');
  await screenshot(`phone-${how}-level.png`);
  await b.lift(2);
  await b.lift(1);
  check(firing !== null && right.Ship.Left > left.Ship.Left + 20,
    `${how}: steered and fired at once (${firing ? firing.Shots.length : 0} shots in flight; the ship from ${left.Ship.Left} to ${right.Ship.Left})`);
  check(heard !== null && sound.context === 'running' && sound.bus,
    `${how}: the fire sound plays through the effect bus (${heard ? heard.heard[SoundFire] : 0} render quanta; peak ${heard ? heard.peak.toFixed(2) : '-'}, sound ${sound.context})`);

  // The pause button pauses, and again plays on.
  const pause = buttons.find(r => r.name === 'PAUSE');
  await b.tap(...centre(pause));
  const paused = await b.waitFor('the pause', 'JSON.parse(UTF8ToString(Module._zorvane_state())).Paused', 5000).catch(() => false);
  await sleep(200);
  await b.tap(...centre(pause));
  const on = await b.waitFor('the level to play on', '!JSON.parse(UTF8ToString(Module._zorvane_state())).Paused', 5000).catch(() => false);
  check(paused && on, `${how}: the pause button pauses the level, and again plays on`);
}

// 4. The settings panel: a volume and a key changed, kept in the browser's storage over a reload,
// and the new key fires in a level.
async function settings() {
  await b.send('Emulation.setTouchEmulationEnabled', { enabled: false });
  await b.send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 700, deviceScaleFactor: 1, mobile: false });
  await open(`${base}index.html`);
  const clickOn = async selector => {
    const [x, y] = centre(await rect(selector));
    for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased']) {
      await b.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
      await sleep(60);
    }
  };
  const key = async (code, keyName, keyCode, ms = 120) => {
    await b.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', code, key: keyName, windowsVirtualKeyCode: keyCode });
    await sleep(ms);
    await b.send('Input.dispatchKeyEvent', { type: 'keyUp', code, key: keyName, windowsVirtualKeyCode: keyCode });
  };
  await clickOn('#menu-button');
  await clickOn('#open-settings');
  // The effects volume by its slider's keyboard steps (each 5), the first gun's key by a click and J.
  await b.evaluate('document.getElementById("effects-volume").focus()');
  for (let i = 0; i < 12; ++i) await key('ArrowLeft', 'ArrowLeft', 37, 20);
  await clickOn('#keys button[data-action="fire_1"]');
  await key('KeyJ', 'j', 74);
  const shown = await b.evaluate(`({ volume: document.getElementById('effects-volume').value,
      key: document.querySelector('#keys button[data-action="fire_1"]').textContent,
      said: document.getElementById('settings-said').textContent })`);
  await clickOn('#settings-close');
  await sleep(500);  // the storage is written
  await open(`${base}index.html`);
  const kept = await b.evaluate(`(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_settings()));
      return { volume: s.effects_volume, key: s.keys.find(k => k.name === 'fire_1').key,
               file: new TextDecoder().decode(FS.readFile('/save/settings.ini')) }; })()`);
  check(shown.volume === '40' && shown.key === 'J' && kept.volume === 40 && kept.key === 'J' && /fire_1\s*=\s*J/.test(kept.file),
    `the settings panel: effects volume ${shown.volume} and the first gun on ${shown.key}, kept over a reload in settings.ini ` +
    `(${kept.volume}, ${kept.key})${shown.said ? '; it said: ' + shown.said : ''}`);
  // In level 1, J fires.
  const [x, y] = await onPicture(50, 110);
  for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased']) { await b.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 }); await sleep(80); }
  await b.waitFor('level 1', '!JSON.parse(UTF8ToString(Module._zorvane_state())).InMenu', 10000);
  await sleep(300);
  await b.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', code: 'KeyJ', key: 'j', windowsVirtualKeyCode: 74 });
  const fired = await b.waitFor('shots', 'JSON.parse(UTF8ToString(Module._zorvane_state())).Shots.length > 0', 5000).catch(() => false);
  await b.send('Input.dispatchKeyEvent', { type: 'keyUp', code: 'KeyJ', key: 'j', windowsVirtualKeyCode: 74 });
  check(fired, 'the key chosen in the panel fires the first gun in a level');
}

// 3. The offline copy: served from a copy of the build that the test can stop and change.
async function offline() {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane2-offline-'));
  try {
    for (const f of fs.readdirSync(buildDir)) if (f !== 'obj' && f !== 'check') fs.cpSync(path.join(buildDir, f), path.join(copy, f), { recursive: true });
    const files = JSON.parse(/const Files = (\[.*\]);/.exec(fs.readFileSync(path.join(copy, 'sw.js'), 'utf8'))[1]);
    let server = await serve(copy);
    const url = `${server.url}index.html`;
    await b.send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 700, deviceScaleFactor: 1, mobile: false });
    await b.send('Emulation.setTouchEmulationEnabled', { enabled: false });
    await open(url);
    const kept = await b.waitFor('the offline copy', `(async () => { const names = await caches.keys();
        if (names.length !== 1 || !navigator.serviceWorker.controller) return false;
        const n = (await (await caches.open(names[0])).keys()).length; return n === ${files.length} && names[0]; })()`, 30000).catch(() => null);
    check(kept !== null, `a first visit keeps the build for offline play (${files.length} files in ${kept})`);
    // The browser's own verdict on installing the page as an app, and the manifest it read.
    const { installabilityErrors } = await b.send('Page.getInstallabilityErrors');
    const manifest = await b.send('Page.getAppManifest');
    const app = JSON.parse(manifest.data || '{}');
    check(installabilityErrors.length === 0 && manifest.errors.length === 0 && app.display === 'fullscreen' &&
          app.orientation === 'landscape' && app.icons.some(i => i.sizes === '512x512'),
      `the page installs as an app (${app.name}, ${app.display}, ${app.orientation}, icons ${app.icons.map(i => i.sizes).join(', ')})` +
      `${installabilityErrors.length ? ': ' + installabilityErrors.map(e => e.errorId).join(', ') : ''}`);
    await server.stop();

    // The second visit, the server gone: the game, its sound and its music from the copy.
    errors.length = 0;
    await open(url);
    await b.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: 500, y: 350 });
    const [x, y] = await onPicture(50, 110);
    for (const type of ['mousePressed', 'mouseReleased']) { await b.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 }); await sleep(100); }
    const played = await b.waitFor('level 1 with its sound', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
        const a = ZorvaneWeb.audioState(); return !s.InMenu && s.CurrentLevel === 1 && a.sounds === 12 && a.music && a; })()`, 15000).catch(() => null);
    check(played !== null && errors.length === 0,
      `a second visit with the server stopped plays level 1 with its sound (track ${played ? played.music : '-'})${errors.length ? ': ' + errors.join('; ') : ''}`);

    // A new build: its worker takes a new cache and the old one goes.
    const sw = path.join(copy, 'sw.js');
    fs.writeFileSync(sw, fs.readFileSync(sw, 'utf8').replace(/const Version = '([^']*)'/, "const Version = '$1-next'"));
    fs.writeFileSync(path.join(copy, 'index.html'), fs.readFileSync(path.join(copy, 'index.html'), 'utf8').replace('<title>', '<meta name="build" content="next">\n<title>'));
    server = await serve(copy, server.port);
    await open(url);
    const swapped = await b.waitFor('the new build\'s copy', `caches.keys().then(n => n.length === 1 && n[0].endsWith('-next') && n[0])`, 30000).catch(() => null);
    await open(url);
    const next = await b.evaluate('!!document.querySelector("meta[name=build][content=next]")');
    check(swapped !== null && next, `a new build replaces the offline copy whole (${swapped}), and the next visit is the new page`);
    await server.stop();
  } finally {
    fs.rmSync(copy, { recursive: true, force: true });
  }
}

let base = '';
async function main() {
  const server = await serve(buildDir);
  base = server.url;
  b = launch(chromium);
  errors = await b.attach();
  try {
    await scale(1600, 1200, 2);
    await scale(800, 600, 1);
    await scale(1100, 1000, 0);
    await phone(false);
    await phone(true);
    await settings();
    check(errors.length === 0, `the console shows no error${errors.length ? ':\n  ' + errors.join('\n  ') : ''}`);
  } finally {
    await server.stop();
  }
  await offline();
}

main().catch(e => { failures.push(String(e.stack || e)); console.log('FAIL', e.stack || e); }).finally(async () => {
  if (b) {
    if (failures.length && b.log) console.log('chromium said:\n' + b.log.split('\n').filter(l => !/dbus/.test(l)).slice(-20).join('\n'));
    await b.close();
  }
  process.exit(failures.length ? 1 : 0);
});
