// A new player on a phone, played by touch alone: headless Chromium emulates a phone held
// landscape or portrait, and this player taps level 1's button in the menu, then flies the level
// with the on-screen stick under one finger and a fire button held under another, until the
// level is over; then it taps the button that collects the results. Pictures of the page are
// taken along the way.
//
// Who decides is the game's built-in pilot (the page's ?advise; ?advise=person holds it to a
// person's limits); it only says which keys it would hold, and this player carries that out on
// the touch controls: the arrows as the stick pushed that way (a little for the slow flight),
// the guns as a finger on their button, the abilities and potions as taps. Everything the level
// gets comes from touch events, a few milliseconds after the pilot made up its mind.
//
// usage: node touch_play.js CHROMIUM URL OUT_DIR [landscape|portrait ...]   (both by default)
//        URL is the page's address with ?advise, e.g. http://127.0.0.1:8080/index.html?advise
//        (scripts/check-web.sh runs it with ZORVANE_WEB_PLAY=1: about two minutes a level)
// Exit status 0 when level 1 was won in every orientation played.
'use strict';
const fs = require('fs');
const path = require('path');
const { launch, sleep } = require('./cdp.js');

const [chromium, url, outDir, ...asked] = process.argv.slice(2);
const orientations = asked.length ? asked : ['landscape', 'portrait'];
const Key = { Escape: 1, A: 30, S: 31, D: 32, Z: 44, X: 45, C: 46, V: 47, Space: 57, Up: 200, Left: 203, Right: 205, Down: 208 };

async function play(portrait) {
  const how = portrait ? 'portrait' : 'landscape';
  const b = launch(chromium);
  const errors = await b.attach();
  await b.phone(portrait);
  await b.send('Page.navigate', { url });
  await b.waitFor('the menu', 'typeof Module !== "undefined" && Module.calledRun && ZorvaneWeb.framesShown > 5', 30000);
  const state = () => b.evaluate('JSON.parse(UTF8ToString(Module._zorvane_state()))');
  const rect = sel => b.evaluate(`(() => { const r = document.querySelector(${JSON.stringify(sel)}).getBoundingClientRect();
      return { x: r.left, y: r.top, w: r.width, h: r.height }; })()`);
  const shot = async name => {
    const s = await b.send('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(path.join(outDir, `touch-play-${how}-${name}.png`), Buffer.from(s.data, 'base64'));
  };

  // The menu: a tap on level 1's button.
  const pic = await rect('#screen');
  await b.tap(pic.x + 50.5 * pic.w / 800, pic.y + 110.5 * pic.h / 600);
  await b.waitFor('level 1', '!JSON.parse(UTF8ToString(Module._zorvane_state())).InMenu', 10000);
  await b.waitFor('the controls', '!document.getElementById("pad").hidden', 5000);
  const zone = await rect('#stick-zone');
  const buttonAt = async label => b.evaluate(`(() => { const e = [...document.querySelectorAll('#pad > .button')]
      .find(e => e.textContent.trim().startsWith(${JSON.stringify(label)})); const r = e.getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2]; })()`);
  const stick = [zone.x + zone.w / 2, zone.y + zone.h / 2];
  await b.touch(1, ...stick);
  await shot('start');

  // The stick's reach: full speed past half its radius, slow (fine dodging) inside it. The
  // finger stays inside the rim, which would otherwise drag the centre along.
  const radius = await b.evaluate('document.getElementById("stick").getBoundingClientRect().width / 2');
  const reach = radius * 0.9;
  const buttons = {};
  for (const [key, label] of [[Key.X, 'X'], [Key.C, 'C'], [Key.Z, 'Z'], [Key.V, 'V']]) buttons[key] = await buttonAt(label);
  let frames = 0, pictures = 0, shownAt = Date.now(), push = '', gun = 0, held = new Set();
  for (;;) {
    const s = await b.evaluate(`(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
        return { frame: s.frame, over: s.LevelOver || s.InMenu, advice: UTF8ToString(Module._zorvane_advice()) }; })()`);
    if (s.over) break;
    frames = s.frame;
    const keys = new Set(s.advice.split(' ').filter(Boolean).map(Number));
    // The stick: the way the pilot steers, pushed far, or a little for the slow flight.
    const dx = (keys.has(Key.Right) ? 1 : 0) - (keys.has(Key.Left) ? 1 : 0);
    const dy = (keys.has(Key.Down) ? 1 : 0) - (keys.has(Key.Up) ? 1 : 0);
    const far = keys.has(Key.Space) ? radius * 0.35 : reach;
    const way = `${dx},${dy},${far}`;
    if (way !== push) {
      push = way;
      const n = Math.hypot(dx, dy) || 1;
      await b.touch(1, stick[0] + dx / n * far, stick[1] + dy / n * far + (dx || dy ? 0 : 1));
    }
    // The guns under a second finger: on the gun the pilot fires, lifted when it holds fire.
    const want = keys.has(Key.X) ? Key.X : keys.has(Key.C) ? Key.C : 0;
    if (want !== gun) {
      if (gun) await b.lift(2);
      if (want) await b.touch(2, ...buttons[want]);
      gun = want;
    }
    // The abilities and the potions: a tap as the pilot presses them.
    for (const key of [Key.Z, Key.V]) if (keys.has(key) && !held.has(key)) await b.tap(...buttons[key], 40);
    for (const [key, label] of [[Key.A, 'HEALTH'], [Key.S, 'CHARGE'], [Key.D, 'FULL']]) {
      if (!keys.has(key) || held.has(key)) continue;
      await b.tap(...await buttonAt('POTION'), 40);
      const potion = await b.evaluate(`(() => { const e = [...document.querySelectorAll('#potions .button')]
          .find(e => e.textContent.includes(${JSON.stringify(label)})); const r = e.getBoundingClientRect();
          return [r.left + r.width / 2, r.top + r.height / 2]; })()`);
      await b.tap(...potion, 40);
    }
    held = keys;
    if (Date.now() - shownAt > 15000) { shownAt = Date.now(); await shot(String(++pictures).padStart(2, '0')); }
    await sleep(8);
  }
  if (gun) await b.lift(2);
  await b.lift(1);
  const last = await state();
  await shot('over');
  // The results: the leave button (now "collect") taken back to the menu.
  await sleep(1500);
  const collect = await buttonAt('COLLECT').catch(() => null) || await buttonAt('LEAVE');
  await b.tap(...collect);
  const back = await b.waitFor('the menu', `(() => { const s = JSON.parse(UTF8ToString(Module._zorvane_state()));
      return s.InMenu && s; })()`, 20000).catch(() => null);
  await shot('menu-after');
  const won = back && back.Progress.LevelOpen[1];
  console.log(`${won ? 'ok  ' : 'FAIL'} ${how}: level 1 ${won ? 'won' : 'not won'} by touch in ${frames} frames ` +
    `(life ${last.Ship.Life}, damage taken ${last.DamageTaken}, ${last.KillCount} of ${last.EnemyCount} enemies; ` +
    `points ${back ? back.Progress.Points : '?'})${errors.length ? '; the page said: ' + errors.join('; ') : ''}`);
  await b.close();
  return won && !errors.length;
}

(async () => {
  let ok = true;
  for (const o of orientations) ok = (await play(o === 'portrait')) && ok;
  process.exit(ok ? 0 : 1);
})().catch(e => { console.log('FAIL', e.stack || e); process.exit(1); });
