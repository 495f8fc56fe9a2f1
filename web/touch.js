// Touch controls, shown on touch screens only. They play the game's own keys, as a gamepad does:
//
// In the menu: a tap is a left click; a long press, or a tap with two fingers, is a right
//   click. While a finger rests on the picture the pointer is under it, so the menu explains
//   what it touches; a finger that slides reads item after item and clicks nothing.
// In a level: under the left thumb a stick that is centred where the thumb lands (pushed a
//   little the ship flies at half speed, further at full speed); on the right the fire buttons
//   (X and C), the charge abilities (Z and V), a potion button that offers the three potions,
//   pause (P) and leave (Escape, which also collects the results). Fingers on the stick and on
//   the buttons work at once, and a finger may slide from one fire button to the other.
// The controls sit beside the picture (landscape) or under it (portrait): never over the ship.
(function (zw) {
  const Key = { Escape: 1, P: 25, A: 30, S: 31, D: 32, Z: 44, X: 45, C: 46, V: 47, Space: 57, Up: 200, Left: 203, Right: 205, Down: 208 };
  const LongPressMs = 500;
  const TapSteps = 4;  // a tapped key is held this many steps, so the game sees it

  const root = document.getElementById('pad');
  const stickZone = document.getElementById('stick-zone');
  const stick = document.getElementById('stick');
  const knob = document.getElementById('knob');
  const tray = document.getElementById('potions');
  const buttons = [...root.querySelectorAll('[data-key], [data-tray]')];

  // A phone or a tablet (a finger is the main pointer), or a page that was just touched: a laptop
  // with a touch screen keeps the whole window for the picture until a finger plays.
  zw.touchDevice = window.matchMedia ? matchMedia('(pointer: coarse)').matches : navigator.maxTouchPoints > 0;
  const touched = () => {
    if (!zw.touchDevice) { zw.touchDevice = true; if (zw.layout) zw.layout(); }
  };

  const tap = key => { zw.touchTaps[key] = TapSteps; };
  const hold = (key, on) => { zw.touchKeys[key] = on ? 1 : 0; if (on) zw.touchTaps[key] = TapSteps; };

  // ---- The stick ----
  let stickTouch = null;  // { id, cx, cy } while a thumb is on it
  let radius = 50;        // how far the knob goes, in CSS pixels (set with the layout)
  function steer(dx, dy) {
    const len = Math.hypot(dx, dy);
    const dead = radius * 0.18;
    const dirs = { [Key.Left]: false, [Key.Right]: false, [Key.Up]: false, [Key.Down]: false };
    let slow = false;
    if (len > dead) {
      // Eight ways: a direction holds once its part of the push is past sin(22.5 degrees).
      const ux = dx / len, uy = dy / len;
      dirs[Key.Left] = ux < -0.38;
      dirs[Key.Right] = ux > 0.38;
      dirs[Key.Up] = uy < -0.38;
      dirs[Key.Down] = uy > 0.38;
      slow = len < radius * 0.5;
    }
    for (const k in dirs) zw.touchKeys[k] = dirs[k] ? 1 : 0;
    zw.touchKeys[Key.Space] = slow ? 1 : 0;
  }
  function stickAt(t) {
    let dx = t.clientX - stickTouch.cx, dy = t.clientY - stickTouch.cy;
    const len = Math.hypot(dx, dy);
    // A thumb that goes past the rim drags the centre along: turning back answers at once.
    if (len > radius) {
      stickTouch.cx += dx * (1 - radius / len);
      stickTouch.cy += dy * (1 - radius / len);
      dx = t.clientX - stickTouch.cx;
      dy = t.clientY - stickTouch.cy;
    }
    const z = stickZone.getBoundingClientRect();
    stick.style.left = (stickTouch.cx - z.left) + 'px';
    stick.style.top = (stickTouch.cy - z.top) + 'px';
    knob.style.transform = `translate(${dx}px, ${dy}px)`;
    steer(dx, dy);
  }
  function stickOff() {
    stickTouch = null;
    stick.classList.remove('on');
    knob.style.transform = '';
    steer(0, 0);
  }

  // ---- The buttons: held while touched, or tapped ----
  const fingers = new Map();  // touch id -> the button it holds
  function buttonAt(x, y) {
    const el = document.elementFromPoint(x, y);
    return el && el.closest && el.closest('#pad [data-key], #pad [data-tray]');
  }
  function press(button) {
    button.classList.add('on');
    if (button.dataset.tray !== undefined) { tray.hidden = !tray.hidden; return; }
    const key = Number(button.dataset.key);
    if (button.dataset.kind === 'hold') hold(key, true);
    else tap(key);
    if (button.parentElement === tray) tray.hidden = true;
  }
  function release(button) {
    button.classList.remove('on');
    if (button.dataset.kind === 'hold') {
      // Another finger may hold the same button.
      for (const b of fingers.values()) if (b === button) return;
      hold(Number(button.dataset.key), false);
    }
  }

  // ---- The menu: the pointer under the finger, a tap to click ----
  let menuTouch = null;  // { id, x, y, start, moved, long, timer, second }
  const SlideCss = 12;
  function menuStart(t) {
    zw.pointAt(t.clientX, t.clientY);
    menuTouch = { id: t.identifier, x: t.clientX, y: t.clientY, moved: false, long: false, second: false };
    menuTouch.timer = setTimeout(() => {
      if (!menuTouch || menuTouch.moved) return;
      menuTouch.long = true;
      zw.mouse.right = zw.mouse.rightPressed = true;  // the long press is a right click
      setTimeout(() => { zw.mouse.right = false; }, 50);
    }, LongPressMs);
  }
  function menuEnd(cancelled) {
    if (!menuTouch) return;
    clearTimeout(menuTouch.timer);
    if (!cancelled && !menuTouch.moved && !menuTouch.long) {
      if (menuTouch.second) zw.mouse.rightPressed = true;
      else zw.mouse.leftPressed = true;
    }
    menuTouch = null;
  }

  // ---- The events ----
  const inLevel = () => !zw.mode.menu;
  function start(e) {
    touched();
    for (const t of e.changedTouches) {
      const button = inLevel() && buttonAt(t.clientX, t.clientY);
      if (button) {
        fingers.set(t.identifier, button);
        press(button);
      } else if (inLevel() && !stickTouch && stickZone.contains(t.target)) {
        stickTouch = { id: t.identifier, cx: t.clientX, cy: t.clientY };
        stick.classList.add('on');
        stickAt(t);
      } else if (!inLevel() && t.target === zw.canvas) {
        // A second finger while the first rests: a two-finger tap, the right click.
        if (menuTouch && !menuTouch.moved) menuTouch.second = true;
        else menuStart(t);
      } else {
        continue;
      }
      if (e.cancelable) e.preventDefault();
    }
    // A touch anywhere but on the potions closes them.
    const onPotions = t => tray.contains(t.target) || (t.target.closest && t.target.closest('[data-tray]'));
    if (!tray.hidden && ![...e.changedTouches].some(onPotions)) tray.hidden = true;
  }
  function move(e) {
    for (const t of e.changedTouches) {
      if (stickTouch && t.identifier === stickTouch.id) { stickAt(t); if (e.cancelable) e.preventDefault(); continue; }
      const held = fingers.get(t.identifier);
      if (held) {
        if (e.cancelable) e.preventDefault();
        // Sliding from one held button to another (fire 1 to fire 2) moves the hold.
        const under = buttonAt(t.clientX, t.clientY);
        if (under && under !== held && held.dataset.kind === 'hold' && under.dataset.kind === 'hold') {
          fingers.set(t.identifier, under);
          release(held);
          press(under);
        }
        continue;
      }
      if (menuTouch && t.identifier === menuTouch.id) {
        if (e.cancelable) e.preventDefault();
        zw.pointAt(t.clientX, t.clientY);
        if (Math.hypot(t.clientX - menuTouch.x, t.clientY - menuTouch.y) > SlideCss) menuTouch.moved = true;
      }
    }
  }
  function end(e) {
    const cancelled = e.type === 'touchcancel';
    // Browsers let a page start its sound or go full screen when a finger is lifted, not when
    // it lands.
    if (!cancelled) {
      zw.startAudio();
      if (zw.wantFullScreen) zw.wantFullScreen();
    }
    for (const t of e.changedTouches) {
      if (stickTouch && t.identifier === stickTouch.id) stickOff();
      const held = fingers.get(t.identifier);
      if (held) { fingers.delete(t.identifier); release(held); }
      if (menuTouch && t.identifier === menuTouch.id) menuEnd(cancelled);
    }
  }
  for (const [type, f] of [['touchstart', start], ['touchmove', move], ['touchend', end], ['touchcancel', end]])
    document.addEventListener(type, f, { passive: false });

  // Away from the page nothing stays held.
  zw.touchReleased = () => {
    stickOff();
    for (const b of fingers.values()) b.classList.remove('on');
    fingers.clear();
    if (menuTouch) { clearTimeout(menuTouch.timer); menuTouch = null; }
  };

  // ---- Shown in a level on a touch screen, with what the potions and the level say ----
  const potionCounts = [...tray.querySelectorAll('.count')];
  const leave = root.querySelector('[data-key="1"] .label');
  const pause = root.querySelector('[data-key="25"] .label');
  zw.modeChanged = mode => {
    const show = zw.touchDevice && !mode.menu;
    if (root.hidden === show) root.hidden = !show;
    if (!show) { zw.touchReleased(); zw.touchKeys.fill(0); tray.hidden = true; }
    mode.potions.forEach((n, i) => { potionCounts[i].textContent = n; potionCounts[i].parentElement.classList.toggle('none', n <= 0); });
    leave.textContent = mode.over ? 'COLLECT' : 'LEAVE';
    pause.textContent = mode.paused ? 'PLAY ON' : 'PAUSE';
  };

  // Where the controls go (page.js works out the areas): the stick's zone, and the buttons in
  // their area, `size` CSS pixels each, in the cells the page gives them for the layout (row 0
  // at the bottom, under the thumb; column 0 leftmost). The potions open over the column below
  // their button (landscape) or beside it, towards the stick (portrait).
  zw.placeTouch = (zone, area, size, gap, portrait) => {
    const put = (el, r) => Object.assign(el.style, { left: r.x + 'px', top: r.y + 'px', width: r.w + 'px', height: r.h + 'px' });
    put(stickZone, zone);
    radius = Math.max(size, Math.min(zone.w, zone.h) * 0.22);
    stick.style.width = stick.style.height = 2 * radius + 'px';
    knob.style.width = knob.style.height = size * 0.9 + 'px';
    const grid = buttons.filter(b => b.parentElement !== tray);
    const cells = grid.map(b => (portrait ? b.dataset.portrait : b.dataset.landscape).split(',').map(Number));
    const columns = Math.max(...cells.map(c => c[1])) + 1;
    const left = area.x + area.w - columns * size - (columns - 1) * gap;
    const cell = (row, col) => ({ x: left + col * (size + gap), y: area.y + area.h - (row + 1) * size - row * gap, w: size, h: size });
    grid.forEach((b, i) => put(b, cell(cells[i][0], cells[i][1])));
    const at = cells[grid.findIndex(b => b.dataset.tray !== undefined)];
    [...tray.children].forEach((b, i) => {
      const r = portrait ? cell(at[0], at[1]) : cell(at[0] - 1 - i, at[1]);
      if (portrait) r.x -= (i + 1) * (size + gap);
      put(b, r);
    });
  };
})(ZorvaneWeb);
