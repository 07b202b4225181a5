// The timers of the form, driven by the page's clock, and the frames that
// show what their ticks changed.
//
// Each tick is one fixed step of the model, so wall time decides only when
// a tick runs, never what it does. A timer enabled at model time t ticks at
// t + interval, t + 2 × interval, …, on the page's clock
// (performance.now()). Whenever the page gets the thread (a timeout set for
// the next tick, or an animation frame) it runs every tick due by then, in
// the order of their model times, so ticks a busy or slow device could not
// run on time are made up rather than lost, and the run keeps its pace. A
// timer enabled inside a tick (a phase that ends starts the next) counts
// from that tick's model time, not from the late moment it actually ran;
// one enabled by a learner's input (スタート) counts from the moment the
// input came, not from when a slow device got through the event's work.
//
// Ticks change the model only; what they changed is drawn once per
// animation frame, however many ticks that frame covers, so drawing costs
// the same at any pace and never moves the model's times.
//
// A tab put away for a while must not run a whole run at once: the ticks
// more than `behind` ms overdue are dropped, and the timers go on from
// there. While the tab is hidden nothing ticks; shown again, the run goes
// on where it stopped, one interval later.

// How far the model may fall behind the clock before ticks are dropped: 20
// ticks of 10 ms, about what a slow device needs for one frame of a busy
// page, and far less than any run.
export const kMaxBehindMs = 200;

// A timeout may fire a little before the time it was set for, as the page's
// clock reads it; a tick due within this is run rather than waited for.
const kEarlyMs = 1;

export class Ticker {
  // tick(id): runs one tick of timer `id` in the model (the page enables and
  // disables timers through set() meanwhile); draw(): shows what the ticks
  // since the last frame changed.
  /**
   * @param {{ tick: (id: any) => void, draw: () => void }} page
   * @param {{ now: () => number, setTimeout: Function, clearTimeout: Function,
   *   requestAnimationFrame: Function, cancelAnimationFrame: Function }} clock
   */
  constructor({ tick, draw }, clock = defaultClock, behind = kMaxBehindMs) {
    this.tick = tick;
    this.draw = draw;
    this.clock = clock;
    this.behind = behind;
    this.timers = new Map(); // id -> { interval, due }, in the order enabled
    this.handle = null; // the timeout for the next tick
    this.frame = null; // the animation frame that draws
    this.modelTime = null; // the due time of the tick being run
    this.inputTime = null; // the moment the input being handled came
    this.paused = false;
    this.stopped = false;
  }

  // A timer enabled with its interval (ms), or disabled (interval 0).
  set(id, interval) {
    if (this.stopped) return;
    const running = this.timers.get(id);
    if (interval > 0) {
      // Enabling a running timer leaves its cadence alone; a timer enabled
      // now first ticks one interval from now, in the model's time.
      const from = this.modelTime ?? this.inputTime ?? this.clock.now();
      if (!running) this.timers.set(id, { interval, due: from + interval });
    } else if (running) {
      this.timers.delete(id);
    }
    if (this.modelTime === null) this.schedule();
  }

  // Runs `handle`, a learner's input to the form, as of now: the timers it
  // enables count from this moment, however long it takes.
  input(handle) {
    const outer = this.inputTime; // an input handled inside another keeps its moment
    this.inputTime = outer ?? this.clock.now();
    try {
      handle();
    } finally {
      this.inputTime = outer;
    }
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
    // What was changed but not yet drawn when the tab went away.
    this.requestFrame();
  }

  get running() {
    return this.timers.size > 0 && !this.paused && !this.stopped;
  }

  cancel() {
    if (this.handle !== null) this.clock.clearTimeout(this.handle);
    if (this.frame !== null) this.clock.cancelAnimationFrame(this.frame);
    this.handle = null;
    this.frame = null;
  }

  // The timeout for the next tick due.
  schedule() {
    if (this.handle !== null) this.clock.clearTimeout(this.handle);
    this.handle = null;
    if (!this.running) return;
    const wait = Math.max(0, this.nextDue() - this.clock.now());
    this.handle = this.clock.setTimeout(() => {
      this.handle = null;
      this.catchUp();
      this.schedule();
    }, wait);
  }

  nextDue() {
    let first = Infinity;
    for (const timer of this.timers.values()) first = Math.min(first, timer.due);
    return first;
  }

  // Runs every tick due by now, earliest first (a tie goes to the timer
  // enabled first), and asks for a frame to show them. Returns how many ran.
  catchUp() {
    if (!this.running) return 0;
    const now = this.clock.now();
    const late = now - this.behind - this.nextDue();
    if (late > 0) for (const timer of this.timers.values()) timer.due += late;
    let ran = 0;
    for (;;) {
      if (!this.running) break;
      let chosen = null;
      for (const [id, timer] of this.timers) {
        if (timer.due <= now + kEarlyMs && (chosen === null || timer.due < this.timers.get(chosen).due)) chosen = id;
      }
      if (chosen === null) break;
      const timer = this.timers.get(chosen);
      this.modelTime = timer.due;
      timer.due += timer.interval;
      try {
        this.tick(chosen);
      } finally {
        this.modelTime = null;
      }
      ran += 1;
    }
    if (ran > 0) this.requestFrame();
    return ran;
  }

  requestFrame() {
    if (this.frame !== null || this.stopped || this.paused) return;
    this.frame = this.clock.requestAnimationFrame(() => {
      // The frame shows the model as of now: ticks due meanwhile first.
      this.catchUp();
      this.frame = null;
      this.schedule();
      this.draw();
    });
  }
}

const defaultClock = {
  now: () => performance.now(),
  setTimeout: (callback, ms) => setTimeout(callback, ms),
  clearTimeout: (handle) => clearTimeout(handle),
  requestAnimationFrame: (callback) => requestAnimationFrame(callback),
  cancelAnimationFrame: (handle) => cancelAnimationFrame(handle),
};
