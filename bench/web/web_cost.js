// What the browser build costs, beside a trivial page that puts an 800 x 600 picture on a canvas
// every frame, all in one run of headless Chromium: for each page, the share of a core that the
// whole browser (every one of its processes) uses over a stretch of seconds, and the renderer's
// part of it, in ROUNDS rounds (5); then the game's own share (the game's page less the trivial
// page's of the same round, the median of the rounds), and what the game fetches before its menu
// shows and in all.
// usage: node web_cost.js CHROMIUM GAME_URL TRIVIAL_URL [SECONDS]
'use strict';
const fs = require('fs');
const path = require('path');
const { launch, sleep, startLevelOneFiring } = require(path.join(__dirname, '..', '..', 'tests', 'web', 'cdp.js'));

const [chromium, gameUrl, trivialUrl, secondsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 10);
const rounds = Math.max(1, Number(process.env.ROUNDS || 5));
const tick = Number(process.env.CLK_TCK || 100);

// Every process of the browser: its own and its descendants, with their CPU time in ticks.
function processes(root) {
  const parent = new Map();
  for (const pid of fs.readdirSync('/proc').filter(d => /^\d+$/.test(d))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parent.set(Number(pid), { ppid: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch (e) { /* gone meanwhile */ }
  }
  const tree = new Map();
  const add = pid => {
    if (tree.has(pid) || !parent.has(pid)) return;
    let kind = 'browser';
    try { kind = (/--type=([a-z-]+)/.exec(fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').replace(/\0/g, ' ')) || [, 'browser'])[1]; } catch (e) { /* gone */ }
    tree.set(pid, { ticks: parent.get(pid).ticks, kind });
    for (const [child, p] of parent) if (p.ppid === pid) add(child);
  };
  add(root);
  return tree;
}

async function main() {
  const b = launch(chromium);
  const errors = await b.attach();
  await b.send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 700, deviceScaleFactor: 1, mobile: false });
  // The share of a core over `seconds`, after `settle` seconds: the whole browser, and its renderers.
  async function measure(name, settle = 3) {
    await sleep(settle * 1000);
    const t0 = Date.now(), a = processes(b.process.pid);
    await sleep(seconds * 1000);
    const wall = (Date.now() - t0) / 1000, z = processes(b.process.pid);
    let all = 0, renderer = 0;
    for (const [pid, p] of z) {
      const used = p.ticks - (a.has(pid) ? a.get(pid).ticks : 0);
      all += used;
      if (p.kind === 'renderer') renderer += used;
    }
    const row = { name, all: all / tick / wall, renderer: renderer / tick / wall };
    console.log(`${name.padEnd(34)} ${row.all.toFixed(3).padStart(6)} ${row.renderer.toFixed(3).padStart(9)}`);
    return row;
  }
  console.log(`load average: ${fs.readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ')}; ` +
    `${rounds} rounds, ${seconds} s a page`);
  console.log(`${'page'.padEnd(34)} ${'core'.padStart(6)} ${'renderer'.padStart(9)}`);

  await b.send('Page.navigate', { url: 'about:blank' });
  await measure('a blank page', 1);
  let fetched = null, sound = null, toneOn = true;
  // Each round: the trivial page, the game's menu, a level with and without its sound, and the
  // trivial page with a tone; the game's shares are taken round by round against that round's
  // trivial pages, so a spell of other work on the machine weighs on both sides.
  const shares = { menu: [], silent: [], level: [] };
  for (let round = 0; round < rounds; ++round) {
    console.log(`round ${round + 1}`);
    await b.send('Page.navigate', { url: trivialUrl });
    const trivial = await measure('the trivial canvas');

    await b.send('Page.navigate', { url: gameUrl });
    await b.waitFor('the menu', 'typeof ZorvaneWeb !== "undefined" && ZorvaneWeb.framesShown > 5', 30000);
    const menu = await measure('the game: its menu');

    // A level: level 1's button clicked (which starts the sound), the guns held.
    await startLevelOneFiring(b);
    const level = await measure('the game: level 1, firing', 1);
    sound = await b.evaluate('ZorvaneWeb.audioState()');
    // The same with the page's sound suspended (the game plays on): what the sound costs.
    await b.evaluate('(ZorvaneWeb.setPaused(true), 1)');
    const silent = await measure('the game: level 1, firing, silent', 1);
    await b.evaluate('(ZorvaneWeb.setPaused(false), 1)');
    await b.send('Input.dispatchKeyEvent', { type: 'keyUp', code: 'KeyX', key: 'x', windowsVirtualKeyCode: 88 });
    // On the first visit: what the game fetched before the menu's first picture, and by now.
    if (fetched === null) fetched = await b.evaluate(`(() => {
        const all = performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'));
        const size = e => e.encodedBodySize || e.transferSize || 0;
        const before = all.filter(e => e.responseEnd <= ZorvaneWeb.firstFrameMs);
        return { before: before.reduce((n, e) => n + size(e), 0), all: all.reduce((n, e) => n + size(e), 0),
                 beforeFiles: before.map(e => e.name.replace(location.origin + '/', '') + ' ' + size(e)),
                 firstFrameMs: Math.round(ZorvaneWeb.firstFrameMs) }; })()`);

    // The trivial page playing a tone: the level with its sound is weighed against this, since
    // any page that makes a sound pays for the browser's audio thread and output.
    await b.send('Page.navigate', { url: trivialUrl + '?sound' });
    await sleep(500);
    await b.send('Input.dispatchMouseEvent', { type: 'mousePressed', x: 100, y: 100, button: 'left', clickCount: 1 });
    await b.send('Input.dispatchMouseEvent', { type: 'mouseReleased', x: 100, y: 100, button: 'left', clickCount: 1 });
    toneOn = toneOn && await b.waitFor('the tone', 'window.audio && window.audio.state === "running"', 5000).catch(() => false);
    const tone = await measure('the trivial canvas, with a tone');
    shares.menu.push(menu.all - trivial.all);
    shares.silent.push(silent.all - trivial.all);
    shares.level.push(level.all - tone.all);
  }
  const median = a => { const s = [...a].sort((x, y) => x - y); return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2; };
  const show = a => `${median(a).toFixed(3)} (${a.map(v => v.toFixed(3)).join(', ')})`;
  console.log(`the game's own share of a core, the median of the rounds (each round's in brackets): ` +
    `above the trivial canvas, the menu ${show(shares.menu)}, a level without its sound ${show(shares.silent)}; ` +
    (toneOn ? `above the trivial canvas with a tone, a level with its sound ${show(shares.level)} ` +
              `(sound: ${sound.context}${sound.bus ? ', mixed by the effect bus' : ''})`
            : 'the trivial page\'s tone did not start'));
  console.log(`fetched before the menu showed (${fetched.firstFrameMs} ms): ${(fetched.before / 1e6).toFixed(2)} MB; ` +
    `in all by the end of the level: ${(fetched.all / 1e6).toFixed(2)} MB`);
  const verdict = ok => (ok ? 'within' : 'OVER');
  console.log(`goals: the menu's own share ${verdict(median(shares.menu) <= 0.04)} 0.04 of a core, ` +
    `a silent level's ${verdict(median(shares.silent) <= 0.04)}, a level with its sound ` +
    `${verdict(toneOn && median(shares.level) <= 0.04)} above the page with a tone; ` +
    `the fetch before the menu ${verdict(fetched.before <= 1.5e6)} 1.5 MB`);
  if (process.env.VERBOSE) console.log('  ' + fetched.beforeFiles.join('\n  '));
  if (errors.length) console.log('the page said:\n  ' + errors.join('\n  '));
  await b.close();
}

main().catch(e => { console.error(e.stack || e); process.exit(1); });
