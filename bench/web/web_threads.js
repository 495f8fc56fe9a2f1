// Where a level's cost goes, thread by thread: one or more browser builds (a build before a change
// and after it, say) played in turn in one headless Chromium, each for SECONDS of level 1 with the
// guns held and its sound playing, and the trivial canvas playing a tone after each round; the CPU
// time of every thread of every Chromium process is read from /proc before and after. Prints each
// round's whole-browser share of a core, then the median share of each thread (by process type
// and thread name) for each build and the page with a tone. The whole browser's share varies by
// hundredths from run to run on a shared machine; a thread's share, and builds alternated round
// by round, show a change of a few thousandths. With VERBOSE=1 each round's threads are printed.
//
//   node bench/web/web_threads.js ROUNDS SECONDS BUILD_DIR [BUILD_DIR ...]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execSync } = require('child_process');
const { launch, sleep, serve, startLevelOneFiring } = require(path.join(__dirname, '..', '..', 'tests', 'web', 'cdp.js'));
const [rounds, seconds, ...dirs] = process.argv.slice(2);
if (!dirs.length) { console.error('usage: node bench/web/web_threads.js ROUNDS SECONDS BUILD_DIR [BUILD_DIR ...]'); process.exit(2); }
const tick = Number(process.env.CLK_TCK || execSync('getconf CLK_TCK').toString().trim());

// Every thread of the browser's processes: its CPU time in ticks, by process type and thread name.
function threads(root) {
  const parent = new Map();
  for (const pid of fs.readdirSync('/proc').filter(d => /^\d+$/.test(d))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parent.set(Number(pid), Number(f[1]));
    } catch (e) {}
  }
  const pids = new Set();
  const add = pid => { if (pids.has(pid)) return; pids.add(pid); for (const [c, p] of parent) if (p === pid) add(c); };
  add(root);
  const out = new Map();
  for (const pid of pids) {
    let kind = 'browser';
    try { kind = (/--type=([a-z-]+)/.exec(fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').replace(/\0/g, ' ')) || [, 'browser'])[1]; } catch (e) {}
    let tids = [];
    try { tids = fs.readdirSync(`/proc/${pid}/task`); } catch (e) {}
    for (const tid of tids) {
      try {
        const stat = fs.readFileSync(`/proc/${pid}/task/${tid}/stat`, 'utf8');
        const comm = stat.slice(stat.indexOf('(') + 1, stat.lastIndexOf(')'));
        const f = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        out.set(`${pid}/${tid}`, { key: `${kind}:${comm}`, ticks: Number(f[11]) + Number(f[12]) });
      } catch (e) {}
    }
  }
  return out;
}

// The share of a core of each kind of thread, and of the whole browser, over `secs`.
async function measure(b, secs) {
  const t0 = Date.now(), a = threads(b.process.pid);
  await sleep(secs * 1000);
  const wall = (Date.now() - t0) / 1000, z = threads(b.process.pid);
  const by = {};
  let all = 0;
  for (const [id, t] of z) {
    const used = t.ticks - (a.has(id) ? a.get(id).ticks : 0);
    all += used;
    by[t.key] = (by[t.key] || 0) + used / tick / wall;
  }
  return { all: all / tick / wall, by };
}

async function main() {
  const servers = [];
  for (const d of dirs) servers.push(await serve(d));
  const trivialDir = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane2-trivial-'));
  fs.copyFileSync(path.join(__dirname, 'trivial.html'), path.join(trivialDir, 'index.html'));
  const triv = await serve(trivialDir);
  const b = launch(execSync('command -v chromium', { shell: '/bin/sh' }).toString().trim());
  await b.attach();
  await b.send('Emulation.setDeviceMetricsOverride', { width: 1000, height: 700, deviceScaleFactor: 1, mobile: false });
  const results = dirs.map(() => []);
  const tones = [];
  for (let r = 0; r < Number(rounds); ++r) {
    // The builds in turn, the order reversed every other round.
    const order = dirs.map((_, i) => i);
    if (r % 2) order.reverse();
    for (const i of order) {
      await b.send('Page.navigate', { url: servers[i].url + 'index.html' });
      // Level 1's button clicked (which starts the sound), the guns held, a second to settle.
      await b.waitFor('the menu', 'typeof ZorvaneWeb !== "undefined" && ZorvaneWeb.framesShown > 5', 30000);
      await sleep(2000);
      await startLevelOneFiring(b);
      await sleep(1000);
      const m = await measure(b, Number(seconds));
      const st = await b.evaluate('JSON.stringify(ZorvaneWeb.audioState())');
      await b.send('Input.dispatchKeyEvent', { type: 'keyUp', code: 'KeyX', key: 'x', windowsVirtualKeyCode: 88 });
      m.state = st;
      results[i].push(m);
      console.log(`round ${r} ${dirs[i]}: ${m.all.toFixed(3)} ${st}`);
      if (process.env.VERBOSE) for (const [k, v] of Object.entries(m.by).sort((x, y) => y[1] - x[1])) if (v >= 0.002) console.log('   ', k.padEnd(40), v.toFixed(4));
    }
    await b.send('Page.navigate', { url: triv.url + 'index.html?sound' });
    await sleep(500);
    await b.send('Input.dispatchMouseEvent', { type: 'mousePressed', x: 100, y: 100, button: 'left', clickCount: 1 });
    await b.send('Input.dispatchMouseEvent', { type: 'mouseReleased', x: 100, y: 100, button: 'left', clickCount: 1 });
    await sleep(2000);
    const t = await measure(b, Number(seconds));
    tones.push(t);
    console.log(`round ${r} tone: ${t.all.toFixed(3)}`);
  }
  const med = a => { const s = [...a].sort((x, y) => x - y); return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2; };
  const keys = new Set();
  for (const list of [...results, tones]) for (const m of list) for (const k in m.by) keys.add(k);
  const rows = [...keys].map(k => [k, ...results.map(l => med(l.map(m => m.by[k] || 0))), med(tones.map(m => m.by[k] || 0))])
    .filter(row => row.slice(1).some(v => v >= 0.002)).sort((x, y) => y[1] - x[1]);
  console.log('median per thread:', dirs.map(d => path.basename(d)).join(' | '), '| tone');
  for (const row of rows) console.log(row[0].padEnd(45), row.slice(1).map(v => v.toFixed(4)).join('  '));
  console.log('all'.padEnd(45), [...results.map(l => med(l.map(m => m.all))), med(tones.map(m => m.all))].map(v => v.toFixed(4)).join('  '));
  console.log('load', fs.readFileSync('/proc/loadavg', 'utf8').trim());
  await b.close();
  for (const s of servers) await s.stop();
  await triv.stop();
  fs.rmSync(trivialDir, { recursive: true, force: true });
}
main().catch(e => { console.error(e.stack || e); process.exit(1); });
