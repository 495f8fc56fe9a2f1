// The effect bus on the browser's audio thread: the desktop's mixer (src/platform/effect_bus.cpp,
// built into bus.wasm) takes the music coming in, adds the sound effects the game started and
// limits the peaks, one render quantum at a time. The page sends the module, the decoded sounds,
// the starts (a number: the bits of the slots started in a frame) and the volumes through the
// port; asked, it answers with what it has played.
class EffectBusProcessor extends AudioWorkletProcessor {
  constructor() {
    super();
    this.bus = null;
    this.waiting = [];           // messages that came before the module was ready
    this.heard = new Array(12).fill(0);  // render quanta in which each slot's voice sounded
    this.peak = 0;               // the loudest sample written since the last report
    this.port.onmessage = e => (this.bus || e.data.module ? this.take(e.data) : this.waiting.push(e.data));
  }

  take(m) {
    if (m.module) {
      // From bytes the answer is { module, instance }.
      WebAssembly.instantiate(m.module, { env: { emscripten_notify_memory_growth: () => {} } }).then(made => {
        const bus = (made.instance || made).exports;
        bus._initialize();
        this.bus = bus;
        this.waiting.forEach(w => this.take(w));
        this.waiting = [];
      }, err => this.port.postMessage({ error: String(err) }));
      return;
    }
    const bus = this.bus;
    if (typeof m === 'number') {
      for (let slot = 0; m; ++slot, m >>>= 1) if (m & 1) bus.bus_start(slot);
      return;
    }
    if (m.sound !== undefined) {
      // 16-bit stereo frames, interleaved.
      const frames = m.frames.length >> 1;
      const at = bus.bus_sound_room(m.sound, frames);
      if (!at) return;
      new Int16Array(bus.memory.buffer, at, frames * 2).set(m.frames);
      bus.bus_set_sound(m.sound, frames);
    }
    if (m.gains) bus.bus_set_gains(m.gains.music, m.gains.effects);
    if (m.report) {
      this.port.postMessage({ heard: this.heard.slice(), peak: this.peak });
      this.peak = 0;
    }
  }

  // Views over the module's stream, made again only when its memory grew.
  stream(n) {
    const buffer = this.bus.memory.buffer;
    if (this.view === undefined || this.view.buffer !== buffer || this.view.length < 2 * n)
      this.view = new Int16Array(buffer, this.bus.bus_stream(), 2 * Math.max(n, 128));
    return this.view;
  }

  process(inputs, outputs) {
    const out = outputs[0];
    const left = out[0], right = out[1] || out[0];
    const music = inputs[0] || [];
    const inLeft = music[0], inRight = music[1] || music[0];
    const n = left.length;
    if (!this.bus) {
      if (inLeft) { left.set(inLeft); right.set(inRight); }
      return true;
    }
    const bus = this.bus;
    const stream = this.stream(n);
    // The music as the desktop's synthesiser hands it over, 16-bit (the Int16Array wraps, so
    // each sample is held to the range first; a half added away from zero rounds it).
    if (inLeft) {
      for (let i = 0; i < n; ++i) {
        const l = inLeft[i] * 32768, r = inRight[i] * 32768;
        stream[2 * i] = l >= 32767 ? 32767 : l <= -32768 ? -32768 : l + (l < 0 ? -0.5 : 0.5);
        stream[2 * i + 1] = r >= 32767 ? 32767 : r <= -32768 ? -32768 : r + (r < 0 ? -0.5 : 0.5);
      }
    } else {
      stream.fill(0, 0, 2 * n);
    }
    bus.bus_mix(n);
    const mixed = this.stream(n);
    let peak = this.peak;
    for (let i = 0; i < n; ++i) {
      const l = mixed[2 * i] / 32768, r = mixed[2 * i + 1] / 32768;
      left[i] = l;
      if (right !== left) right[i] = r;
      const p = l > r ? (l > -r ? l : -r) : (r > -l ? r : -l);
      if (p > peak) peak = p;
    }
    this.peak = peak;
    const playing = bus.bus_playing_slots();
    if (playing) for (let slot = 0; slot < 12; ++slot) if (playing & (1 << slot)) ++this.heard[slot];
    return true;
  }
}
registerProcessor('zorvane-effect-bus', EffectBusProcessor);
