// The timers of the form, driven at their interval of wall time.
//
// Each handled tick is one fixed step of the model, so the cadence is all
// that wall time decides. A tick that comes a little late (the browser's
// timers are never exact) keeps the cadence, so a run takes as long as its
// ticks say; one that comes later than a whole interval (a busy or
// throttled tab) starts the cadence afresh from now: the ticks missed are
// dropped, never made up, so the model never jumps. While the tab is
// hidden nothing ticks, and the run goes on where it stopped when the tab
// is shown again.
export class Ticker {
  // tick(id): handles one tick of timer `id`; the page then tells the ticker
  // which timers are enabled.
  constructor(tick, clock = defaultClock) {
    this.tick = tick;
    this.clock = clock;
    this.timers = new Map(); // id -> { interval, due }
    this.handle = null;
    this.paused = false;
    this.stopped = false;
  }

  // A timer enabled with its interval (ms), or disabled (interval 0).
  set(id, interval) {
    if (this.stopped) return;
    const running = this.timers.get(id);
    if (interval > 0) {
      // Enabling a running timer leaves its cadence alone; a timer enabled
      // now first ticks one interval from now.
      if (!running) this.timers.set(id, { interval, due: this.clock.now() + interval });
    } else if (running) {
      this.timers.delete(id);
    }
    this.schedule();
  }

  // For good: after the program ended or failed.
  stop() {
    this.stopped = true;
    this.timers.clear();
    this.cancel();
  }

  pause() {
    this.paused = true;
    this.cancel();
  }

  resume() {
    if (!this.paused) return;
    this.paused = false;
    const now = this.clock.now();
    for (const timer of this.timers.values()) timer.due = now + timer.interval;
    this.schedule();
  }

  get running() {
    return this.timers.size > 0 && !this.paused && !this.stopped;
  }

  cancel() {
    if (this.handle !== null) {
      this.clock.clearTimeout(this.handle);
      this.handle = null;
    }
  }

  schedule() {
    this.cancel();
    if (!this.running) return;
    let first = Infinity;
    for (const timer of this.timers.values()) first = Math.min(first, timer.due);
    const wait = Math.max(0, first - this.clock.now());
    this.handle = this.clock.setTimeout(() => this.fire(), wait);
  }

  fire() {
    this.handle = null;
    const now = this.clock.now();
    // The timer most overdue ticks once; any other due one waits for the
    // next round, so each callback is one event, as on the desktop.
    let chosen = null;
    for (const [id, timer] of this.timers) {
      if (timer.due <= now + 1 && (chosen === null || timer.due < this.timers.get(chosen).due)) chosen = id;
    }
    if (chosen !== null) {
      const timer = this.timers.get(chosen);
      const next = timer.due + timer.interval;
      timer.due = next > now ? next : now + timer.interval;
      this.tick(chosen);
    }
    this.schedule();
  }
}

const defaultClock = {
  now: () => performance.now(),
  setTimeout: (callback, ms) => setTimeout(callback, ms),
  clearTimeout: (handle) => clearTimeout(handle),
};
