// Sound and music through Web Audio, started by the first click, key or touch. The effects and
// the music meet in the desktop's effect bus, run on the audio thread (bus_worklet.js with
// bus.wasm): the fire sound's patter, each slot cutting itself off, the music's make-up gain and
// the peak limiter are the desktop's own. The browser decodes the music (Ogg Vorbis, rendered
// from the game's MIDI tracks with the desktop's soundfont) and the effects; both are fetched
// once the menu shows.
(function (zw) {
  // As on the desktop: 44100 frames a second, the rate the bus's limiter and the fire sound's
  // spacing are counted in.
  const Rate = 44100;
  // The desktop hands its sound device 1024 frames at a time (23 ms); the browser's output buffer
  // is asked for the same, so a shot is heard as soon after the key as on the desktop, and the
  // audio threads wake half as often as with the browser's shortest buffer.
  const DeviceFrames = 1024;
  // The desktop's synthesiser plays a track at this level at full volume; the tracks were
  // rendered at 1.
  const SynthGain = 1.35;
  // The music sits 10 dB higher in the mix than its volume alone gives (the desktop's make-up).
  const MusicMakeUp = 3.16;
  let audio = null, musicGain = null, bus = null, busReady = false;
  let away = false;  // the page was hidden, and the game has not shown a frame or paused since
  const soundBytes = [], soundDecoded = [], plainPlaying = [];
  let starts = 0;    // slots started since the last picture, one bit each, sent to the bus together
  const music = { name: '', want: false, source: null, steps: 30, bytes: {}, buffers: {} };
  const volume = { effects: 100, music: 100 };
  let fetching = false;  // sounds and music are fetched once the menu is shown
  const warned = new Set();
  const warnOnce = (what, err) => {
    if (warned.has(what)) return;
    warned.add(what);
    console.warn('zorvane2: ' + what + ' could not be loaded (' + err + '); it stays silent');
  };
  const decode = bytes => new Promise((ok, fail) => audio.decodeAudioData(bytes.slice(0), ok, fail));

  // A decoded sound to the bus as 16-bit stereo frames (a mono sound on both sides), as the
  // desktop's mixer holds it.
  function toBus(slot) {
    const b = soundDecoded[slot];
    if (!bus || !b) return;
    const left = b.getChannelData(0), right = b.numberOfChannels > 1 ? b.getChannelData(1) : left;
    const frames = new Int16Array(2 * b.length);
    const s16 = v => Math.max(-32768, Math.min(32767, Math.round(v * 32768)));
    for (let i = 0; i < b.length; ++i) {
      frames[2 * i] = s16(left[i]);
      frames[2 * i + 1] = s16(right[i]);
    }
    bus.port.postMessage({ sound: slot, frames }, [frames.buffer]);
  }
  function decodeSound(slot) {
    if (!audio || !soundBytes[slot]) return;
    decode(soundBytes[slot]).then(b => { soundDecoded[slot] = b; toBus(slot); }, err => warnOnce('a sound', err));
  }
  const busGains = () => ({ music: MusicMakeUp, effects: volume.effects / 100 });

  // The bus on the audio thread; without worklets (an old browser, a page not served securely)
  // the effects and music go straight out, without the limiter.
  async function startBus() {
    if (!audio.audioWorklet || typeof AudioWorkletNode === 'undefined') return;
    try {
      const [wasm] = await Promise.all([zw.fetchBytes('bus.wasm'), audio.audioWorklet.addModule('bus_worklet.js')]);
      const node = new AudioWorkletNode(audio, 'zorvane-effect-bus', {
        numberOfInputs: 1, numberOfOutputs: 1, outputChannelCount: [2], channelCount: 2, channelCountMode: 'explicit',
      });
      node.port.onmessage = e => {
        if (e.data.error) console.warn('zorvane2: the effect bus could not start (' + e.data.error + ')');
        if (e.data.heard && reportWaiting) { reportWaiting(e.data); reportWaiting = null; }
      };
      node.port.postMessage({ module: wasm, gains: busGains() }, [wasm]);
      musicGain.disconnect();
      musicGain.connect(node);
      node.connect(audio.destination);
      bus = node;
      busReady = true;
      soundDecoded.forEach((_, slot) => toBus(slot));
    } catch (err) {
      console.warn('zorvane2: the effect bus could not start (' + err + '); sounds play without it');
    }
  }

  zw.startAudio = () => {
    if (audio) {
      // A key or a click while the game is paused leaves the sound resting: it plays on with the game.
      if (audio.state === 'suspended' && !zw.paused) audio.resume();
      return;
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try { audio = new Context({ sampleRate: Rate, latencyHint: DeviceFrames / Rate }); } catch (e) { audio = new Context(); }
    musicGain = audio.createGain();
    musicGain.connect(audio.destination);
    applyMusicGain();
    startBus().then(() => {
      soundBytes.forEach((_, slot) => decodeSound(slot));
      startMusic();
    });
    if (zw.paused) audio.suspend();
  };

  // ---- Sound effects ----
  const wanted = [];  // the slots' files, fetched once the menu is shown
  function fetchSound(slot) {
    const name = wanted[slot];
    zw.fetchBytes('Sound/' + name + '.wav').then(b => {
      if (wanted[slot] !== name) return;
      soundBytes[slot] = b;
      decodeSound(slot);
    }, err => warnOnce('Sound/' + name + '.wav', err));
  }
  zw.loadSound = (slot, name) => {
    soundBytes[slot] = soundDecoded[slot] = null;
    wanted[slot] = name;
    if (fetching) fetchSound(slot);
  };
  zw.afterFirstFrame.push(() => {
    fetching = true;
    wanted.forEach((_, slot) => fetchSound(slot));
    if (music.name) trackBytes(music.name);
  });
  zw.playSound = slot => {
    if (!audio || audio.state !== 'running' || !soundDecoded[slot]) return;
    // A slot started twice in a frame starts once: the bus takes its starts between render quanta.
    if (busReady) { starts |= 1 << slot; return; }
    // Without the bus: a slot restarted cuts itself off, never another slot.
    if (plainPlaying[slot]) try { plainPlaying[slot].stop(); } catch (e) { /* already over */ }
    const s = audio.createBufferSource();
    s.buffer = soundDecoded[slot];
    s.connect(audio.destination);
    s.start();
    plainPlaying[slot] = s;
  };
  // With each picture shown: the frame's sounds start together, sent as a plain number (the
  // slots' bits), the cheapest message to pass to the audio thread; a frame that started none
  // sends nothing. A game that plays on after the page was hidden wakes its sound.
  zw.shownFrame = () => {
    if (starts) {
      bus.port.postMessage(starts);
      starts = 0;
    }
    if (!away || zw.paused) return;
    away = false;
    if (audio && audio.state === 'suspended') audio.resume();
  };

  // ---- Music ----
  function trackBytes(name) {
    if (!music.bytes[name]) music.bytes[name] = zw.fetchBytes('Music/' + name + '.ogg');
    return music.bytes[name];
  }
  function trackBuffer(name) {
    if (!music.buffers[name]) music.buffers[name] = trackBytes(name).then(decode);
    return music.buffers[name];
  }
  function stopSource() {
    if (music.source) try { music.source.stop(); } catch (e) { /* already over */ }
    music.source = null;
  }
  function startMusic() {
    if (!audio || !fetching || !music.want || music.source || !music.name) return;
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
  zw.afterFirstFrame.push(() => startMusic());
  zw.loadMusic = name => {
    stopSource();
    music.name = name;
    music.want = false;
    if (fetching) trackBytes(name);
  };
  zw.playMusic = () => { stopSource(); music.want = true; startMusic(); };
  zw.stopMusic = () => { music.want = false; stopSource(); };
  // v hundredths of a decibel is a gain of 10^(v / 2000), with the player's music volume, in the
  // desktop mixer's 128 steps.
  function applyMusicGain() {
    if (musicGain) musicGain.gain.value = SynthGain * music.steps / 128;
  }
  zw.musicVolume = v => {
    music.level = v;
    const gain = Math.pow(10, v / 2000) * volume.music / 100;
    music.steps = Math.max(0, Math.min(128, Math.round(gain * 128)));
    applyMusicGain();
  };
  // The player's volumes, 0 to 100 each.
  zw.setVolumes = (effects, musicVolume) => {
    volume.effects = effects;
    volume.music = musicVolume;
    if (music.level !== undefined) zw.musicVolume(music.level);
    if (bus) bus.port.postMessage({ gains: busGains() });
  };

  // ---- Pause and a hidden page ----
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

  // What is audible: for the page's tests.
  zw.audioState = () => ({
    context: audio ? audio.state : 'none',
    rate: audio ? audio.sampleRate : 0,
    latency: audio ? audio.baseLatency : 0,
    music: music.source ? music.name : '',
    loop: music.source ? music.source.loop : false,
    sounds: soundDecoded.filter(Boolean).length,
    bus: busReady,
  });
  // What the bus has played: render quanta in which each slot sounded, and the loudest sample
  // since the last time asked.
  let reportWaiting = null;
  zw.busReport = () => new Promise(done => {
    if (!bus) { done(null); return; }
    reportWaiting = done;
    bus.port.postMessage({ report: true });
  });
})(ZorvaneWeb);
