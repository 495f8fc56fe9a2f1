// The page around the picture: its size and place (a whole scale of screen pixels where one
// fits, else a smoothed one), the touch controls beside or under it, the small menu (full screen,
// settings, save files), the settings panel, and the offline copy of the game.
(function (zw) {
  const canvas = zw.canvas;
  const mm = 96 / 25.4;  // CSS pixels in a millimetre

  // ---- The picture's size, and the touch controls' places ----
  // A whole number of screen pixels for each of the picture's is crisp; it is used where it
  // fills at least this much of the room, else the picture fills the room smoothed.
  const WholeScaleAtLeast = 0.75;
  function fit() {
    const W = innerWidth, H = innerHeight, dpr = devicePixelRatio || 1;
    const touch = zw.touchDevice;
    document.body.classList.toggle('touch', !!touch);
    const portrait = H > W;
    // Thumb-sized buttons: at least 9 mm, more on a larger screen.
    const size = Math.round(Math.max(10 * mm, Math.min(15 * mm, Math.min(W, H) * 0.13)));
    const gap = Math.round(Math.max(6, size * 0.16));
    let room = { x: 0, y: 0, w: W, h: H }, zone = null, area = null;
    if (touch && !portrait) {
      // Landscape: the stick's column on the left, the buttons' on the right, the picture between.
      const side = Math.max(2 * size + 3 * gap, (W - (H * 4) / 3) / 2);
      room = { x: side, y: 0, w: Math.max(80, W - 2 * side), h: H };
      zone = { x: 0, y: 0, w: side, h: H };
      area = { x: W - side, y: size, w: side - gap, h: H - size - gap };
    } else if (touch) {
      // Portrait: the picture at the top (below the menu button), the controls under it.
      const controls = 3 * size + 4 * gap;
      const top = size + gap;
      const h = Math.max(60, Math.min((W * 3) / 4, H - top - controls - gap));
      room = { x: 0, y: top, w: W, h };
      const below = top + h + gap;
      zone = { x: 0, y: below, w: W - (3 * size + 3 * gap), h: H - below };
      area = { x: W - (3 * size + 3 * gap), y: below, w: 3 * size + 3 * gap - gap, h: H - below - gap };
    }
    const fill = Math.min(room.w / 800, room.h / 600);
    const device = fill * dpr, whole = Math.floor(device);
    const crisp = whole >= 1 && whole / device >= WholeScaleAtLeast;
    const scale = crisp ? whole / dpr : fill;
    // Placed on whole screen pixels, so each of the picture's covers the same number of them.
    const w = 800 * scale, h = 600 * scale;
    const x = Math.round((room.x + (room.w - w) / 2) * dpr) / dpr, y = Math.round((room.y + (room.h - h) / 2) * dpr) / dpr;
    Object.assign(canvas.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    canvas.classList.toggle('crisp', crisp);
    zw.picture = { x, y, w, h, crisp, scale: scale * dpr };
    if (zone) zw.placeTouch(zone, area, size, gap, portrait);
  }
  zw.layout = fit;
  addEventListener('resize', fit);
  if (window.visualViewport) visualViewport.addEventListener('resize', fit);
  fit();

  // ---- Full screen: by the menu, F11, or the first touch on a phone or tablet ----
  const root = document.documentElement;
  const fullScreenNow = () => document.fullscreenElement || document.webkitFullscreenElement;
  zw.toggleFullScreen = () => {
    if (fullScreenNow()) (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    else {
      const asked = (root.requestFullscreen || root.webkitRequestFullscreen || (() => null)).call(root, { navigationUI: 'hide' });
      if (asked && asked.catch) asked.catch(() => {});  // refused: the page stays as it is
    }
  };
  let askedOnce = false;
  zw.wantFullScreen = () => {
    if (askedOnce || fullScreenNow() || zw.stopAt >= 0) return;
    askedOnce = true;
    zw.toggleFullScreen();
  };
  addEventListener('keydown', e => {
    if (e.code !== 'F11' || e.ctrlKey || e.altKey || e.metaKey) return;
    if (!root.requestFullscreen) return;  // the browser's own full screen, then
    e.preventDefault();
    zw.toggleFullScreen();
  }, true);

  // ---- The small menu ----
  const menuButton = document.getElementById('menu-button');
  const menu = document.getElementById('menu');
  const showMenu = open => {
    menu.hidden = !open;
    menuButton.setAttribute('aria-expanded', String(open));
  };
  menuButton.addEventListener('click', e => { e.stopPropagation(); showMenu(menu.hidden); menuButton.blur(); });
  document.addEventListener('pointerdown', e => { if (!menu.hidden && !menu.contains(e.target) && e.target !== menuButton) showMenu(false); });
  document.getElementById('fullscreen').addEventListener('click', e => { showMenu(false); e.target.blur(); zw.toggleFullScreen(); });
  document.getElementById('download').addEventListener('click', e => { showMenu(false); e.target.blur(); zw.downloadSave(); });
  document.getElementById('upload').addEventListener('change', e => {
    showMenu(false);
    if (e.target.files.length) zw.loadSave(e.target.files[0]);
  });

  // ---- The settings panel: what it changes is the desktop's settings.ini, kept in the browser ----
  const panel = document.getElementById('settings');
  const said = document.getElementById('settings-said');
  const keysTable = document.getElementById('keys');
  const effects = document.getElementById('effects-volume'), music = document.getElementById('music-volume');
  const shake = document.getElementById('screen-shake');
  let waitingKey = null;  // the action whose new key is awaited
  const settings = () => JSON.parse(UTF8ToString(Module._zorvane_settings()));
  const change = (section, name, value) => {
    const answer = Module.ccall('zorvane_change_setting', 'string', ['string', 'string', 'string'], [section, name, String(value)]);
    said.textContent = answer.replace(/zorvane2: /g, '').trim();
    show();
  };
  function show() {
    const s = settings();
    effects.value = s.effects_volume;
    music.value = s.music_volume;
    document.getElementById('effects-volume-shown').textContent = s.effects_volume;
    document.getElementById('music-volume-shown').textContent = s.music_volume;
    shake.checked = s.screen_shake;
    keysTable.replaceChildren(...s.keys.map(k => {
      const row = document.createElement('tr');
      const what = document.createElement('td');
      // Another action named in the text ("held with charge_1 ...") is said by its key.
      what.textContent = k.what.replace(/ \(.*\)$/, '')
        .replace(/\b[a-z]+_\d\b/g, name => { const other = s.keys.find(o => o.name === name); return other ? other.key : name; });
      const cell = document.createElement('td');
      const b = document.createElement('button');
      b.type = 'button';
      b.dataset.action = k.name;
      b.textContent = waitingKey === k.name ? 'press a key' : k.key;
      b.title = 'Click, then press the new key (' + k.default + ' unless moved)';
      b.addEventListener('click', () => { waitingKey = waitingKey === k.name ? null : k.name; show(); });
      cell.appendChild(b);
      row.append(what, cell);
      return row;
    }));
  }
  effects.addEventListener('input', () => change('sound', 'effects_volume', effects.value));
  music.addEventListener('input', () => change('sound', 'music_volume', music.value));
  shake.addEventListener('change', () => change('display', 'screen_shake', shake.checked ? 'yes' : 'no'));
  document.getElementById('settings-defaults').addEventListener('click', () => { waitingKey = null; change('defaults', '', ''); });
  // The key pressed next goes to the action waited on, by its place on the keyboard.
  addEventListener('keydown', e => {
    if (panel.hidden || !waitingKey) return;
    e.preventDefault();
    e.stopPropagation();
    const pc = zw.keyCodes[e.code];
    const action = waitingKey;
    waitingKey = null;
    if (pc) change('keys', action, pc);
    else { said.textContent = 'That key cannot be used.'; show(); }
  }, true);
  const openSettings = open => {
    panel.hidden = !open;
    zw.keyboardHeld = open;
    waitingKey = null;
    if (open) {
      // A level does not go on behind the panel: it pauses, as when the window loses the focus.
      zw.releaseAll();
      said.textContent = '';
      show();
    }
  };
  document.getElementById('open-settings').addEventListener('click', e => { showMenu(false); e.target.blur(); openSettings(true); });
  document.getElementById('settings-close').addEventListener('click', e => { e.target.blur(); openSettings(false); });
  zw.openSettings = openSettings;

  // ---- The offline copy: a service worker keeps this build for visits without a network ----
  if ('serviceWorker' in navigator && zw.stopAt < 0 && !new URLSearchParams(location.search).has('script')) {
    zw.afterFirstFrame.push(() => navigator.serviceWorker.register('sw.js').catch(err =>
      console.warn('zorvane2: no offline copy (' + err + ')')));
  }
})(ZorvaneWeb);
