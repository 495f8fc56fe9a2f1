// Headless Chromium driven through the DevTools protocol on a pipe, for the browser's tests and
// its cost bench: the browser started with a profile of its own, one page attached, JSON
// messages separated by NUL bytes, and PNG files read and written (8-bit RGB or RGBA, not
// interlaced: what the game and Chromium write).
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const sleep = ms => new Promise(r => setTimeout(r, ms));

// Starts Chromium; `extra` are more command-line switches.
function launch(chromium, extra = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane2-chromium-'));
  const browser = spawn(chromium, ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--mute-audio',
    '--autoplay-policy=user-gesture-required', `--user-data-dir=${profile}`, '--remote-debugging-pipe', ...extra,
    'about:blank'], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
  const b = { process: browser, profile, log: '', session: null, listeners: [] };
  browser.stderr.on('data', d => { b.log += d; });
  let nextId = 1, buffered = '';
  const pending = new Map();
  browser.stdio[4].on('data', chunk => {
    buffered += chunk.toString('utf8');
    let end;
    while ((end = buffered.indexOf('\0')) >= 0) {
      const msg = JSON.parse(buffered.slice(0, end));
      buffered = buffered.slice(end + 1);
      if (msg.id && pending.has(msg.id)) {
        const { ok, fail, method } = pending.get(msg.id);
        pending.delete(msg.id);
        if (msg.error) fail(new Error(`${method}: ${msg.error.message}`)); else ok(msg.result);
      } else if (msg.method) b.listeners.forEach(l => l(msg));
    }
  });
  // A command to the attached page, or to the browser itself when toPage is false.
  b.send = (method, params = {}, toPage = true) => {
    const id = nextId++;
    const msg = { id, method, params };
    if (toPage && b.session) msg.sessionId = b.session;
    browser.stdio[3].write(JSON.stringify(msg) + '\0');
    return new Promise((ok, fail) => pending.set(id, { ok, fail, method }));
  };
  b.evaluate = async expression => {
    const r = await b.send('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
    if (r.exceptionDetails) throw new Error(`${expression.slice(0, 200)}: ${r.exceptionDetails.exception?.description ?? r.exceptionDetails.text}`);
    return r.result.value;
  };
  b.waitFor = async (what, expression, ms = 20000) => {
    const until = Date.now() + ms;
    for (;;) {
      const v = await b.evaluate(`(() => { try { return ${expression}; } catch (e) { return false; } })()`);
      if (v) return v;
      if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
      await sleep(50);
    }
  };
  // A new page, attached; its console errors and exceptions are gathered in `errors`.
  b.attach = async (errors = []) => {
    const { targetId } = await b.send('Target.createTarget', { url: 'about:blank' }, false);
    ({ sessionId: b.session } = await b.send('Target.attachToTarget', { targetId, flatten: true }, false));
    b.targetId = targetId;
    b.listeners.push(msg => {
      if (msg.sessionId && msg.sessionId !== b.session) return;
      if (msg.method === 'Runtime.consoleAPICalled' && msg.params.type === 'error')
        errors.push(msg.params.args.map(a => a.value ?? a.description).join(' '));
      if (msg.method === 'Runtime.exceptionThrown') errors.push(msg.params.exceptionDetails.exception?.description ?? msg.params.exceptionDetails.text);
      if (msg.method === 'Log.entryAdded' && msg.params.entry.level === 'error') errors.push(`${msg.params.entry.text} ${msg.params.entry.url ?? ''}`);
    });
    await b.send('Runtime.enable');
    await b.send('Log.enable');
    await b.send('Page.enable');
    return errors;
  };
  // Fingers on the page, at CSS pixels, through the protocol's touch events: each change is sent
  // with every finger still down, and the browser works out which one landed, moved or lifted.
  b.fingers = new Map();
  b.touch = (id, x, y) => {
    const type = b.fingers.has(id) ? 'touchMove' : 'touchStart';
    b.fingers.set(id, { id, x, y, radiusX: 4, radiusY: 4, force: 1 });
    return b.send('Input.dispatchTouchEvent', { type, touchPoints: [...b.fingers.values()] });
  };
  b.lift = id => {
    b.fingers.delete(id);
    return b.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [...b.fingers.values()] });
  };
  b.tap = async (x, y, ms = 80) => {
    await b.touch(99, x, y);
    await sleep(ms);
    await b.lift(99);
  };
  // A phone held landscape or portrait (Chromium's device emulation), with a touch screen.
  b.phone = async (portrait, width = 844, height = 390) => {
    const [w, h] = portrait ? [height, width] : [width, height];
    await b.send('Emulation.setDeviceMetricsOverride', { width: w, height: h, deviceScaleFactor: 3, mobile: true,
      screenOrientation: portrait ? { type: 'portraitPrimary', angle: 0 } : { type: 'landscapePrimary', angle: 90 } });
    await b.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  };
  b.close = () => new Promise(done => {
    // Its helper processes may still be writing the profile for a moment.
    browser.once('exit', () => setTimeout(() => {
      try { fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 }); } catch (e) { /* left in /tmp */ }
      done();
    }, 200));
    browser.kill();
  });
  return b;
}

function readPng(file) {
  const b = fs.readFileSync(file);
  let at = 8, width = 0, height = 0, type = 0;
  const idat = [];
  while (at < b.length) {
    const len = b.readUInt32BE(at), kind = b.toString('ascii', at + 4, at + 8), data = b.subarray(at + 8, at + 8 + len);
    if (kind === 'IHDR') {
      width = data.readUInt32BE(0); height = data.readUInt32BE(4); type = data[9];
      if (data[8] !== 8 || data[12] !== 0 || (type !== 2 && type !== 6)) throw new Error(`${file}: unsupported PNG`);
    }
    if (kind === 'IDAT') idat.push(data);
    at += 12 + len;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat)), bpp = type === 6 ? 4 : 3, stride = width * bpp;
  const rgb = Buffer.alloc(width * height * 3), prev = Buffer.alloc(stride), row = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const v = raw[y * (stride + 1) + 1 + x], a = x >= bpp ? row[x - bpp] : 0, up = prev[x], c = x >= bpp ? prev[x - bpp] : 0;
      const p = a + up - c, pa = Math.abs(p - a), pb = Math.abs(p - up), pc = Math.abs(p - c);
      const pred = [0, a, up, (a + up) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? up : c][filter];
      row[x] = (v + pred) & 255;
    }
    for (let x = 0; x < width; ++x) row.copy(rgb, (y * width + x) * 3, x * bpp, x * bpp + 3);
    row.copy(prev);
  }
  return { width, height, rgb };
}

function writePng(file, width, height, rgb) {
  const crcTable = Array.from({ length: 256 }, (_, n) => { for (let k = 0; k < 8; ++k) n = n & 1 ? 0xEDB88320 ^ (n >>> 1) : n >>> 1; return n >>> 0; });
  const crc = buf => { let c = 0xFFFFFFFF; for (const v of buf) c = crcTable[(c ^ v) & 255] ^ (c >>> 8); return (c ^ 0xFFFFFFFF) >>> 0; };
  const chunk = (kind, data) => {
    const head = Buffer.alloc(8); head.writeUInt32BE(data.length); head.write(kind, 4, 'ascii');
    const tail = Buffer.alloc(4); tail.writeUInt32BE(crc(Buffer.concat([head.subarray(4), data])));
    return Buffer.concat([head, data, tail]);
  };
  const ihdr = Buffer.alloc(13); ihdr.writeUInt32BE(width); ihdr.writeUInt32BE(height, 4); ihdr[8] = 8; ihdr[9] = 2;
  const raw = Buffer.alloc(height * (width * 3 + 1));
  for (let y = 0; y < height; ++y) rgb.copy(raw, y * (width * 3 + 1) + 1, y * width * 3, (y + 1) * width * 3);
  fs.writeFileSync(file, Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
    chunk('IDAT', zlib.deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]));
}

// A static folder served on 127.0.0.1 by web/serve.py, stopped with stop(); `port` 0 picks a free one.
async function serve(folder, port = 0) {
  const net = require('net');
  if (!port) port = await new Promise(ok => { const s = net.createServer(); s.listen(0, '127.0.0.1', () => { const p = s.address().port; s.close(() => ok(p)); }); });
  const server = spawn('python3', [path.join(__dirname, '..', '..', 'web', 'serve.py'), String(port), folder], { stdio: 'ignore' });
  for (let i = 0; i < 100; ++i) {
    const up = await new Promise(ok => { const c = net.connect(port, '127.0.0.1', () => { c.destroy(); ok(true); }); c.on('error', () => ok(false)); });
    if (up) break;
    await sleep(50);
  }
  return { port, url: `http://127.0.0.1:${port}/`, stop: () => new Promise(done => { server.once('exit', done); server.kill(); }) };
}

// Level 1 started from the game's menu as a player starts it (its button clicked, which also
// starts the page's sound), then X held down: the guns fire until the key is let go.
async function startLevelOneFiring(b) {
  const r = await b.evaluate('(() => { const r = document.getElementById("screen").getBoundingClientRect(); return [r.left, r.top, r.width / 800]; })()');
  const at = (x, y) => ({ x: r[0] + x * r[2], y: r[1] + y * r[2] });
  await b.send('Input.dispatchMouseEvent', { type: 'mouseMoved', ...at(50, 110) });
  await sleep(100);
  await b.send('Input.dispatchMouseEvent', { type: 'mousePressed', ...at(50, 110), button: 'left', clickCount: 1 });
  await sleep(100);
  await b.send('Input.dispatchMouseEvent', { type: 'mouseReleased', ...at(50, 110), button: 'left', clickCount: 1 });
  await b.waitFor('level 1', 'JSON.parse(UTF8ToString(Module._zorvane_state())).InMenu === false');
  await b.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', code: 'KeyX', key: 'x', windowsVirtualKeyCode: 88 });
}

module.exports = { launch, readPng, writePng, serve, sleep, startLevelOneFiring };
