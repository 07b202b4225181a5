// The form in the page: every control as a page element, mirrored from the
// form's state, and every input handed back to the form.
//
// The form is the only source of truth. Elements show what it holds; an
// input goes to one of its event entries, and then the changes it made are
// taken and shown, so a control never shows a value the form lacks. The
// window stands at its place on the screen (the viewport) at 15 twips per
// CSS pixel; labels are page text, shapes and lines are painted on a canvas
// of their container. The timers tick on the page's clock, each tick a step
// of the form, and what their ticks changed is shown once per animation
// frame (see ticker.js).
//
// Each control's element carries the control's name in data-control (the
// focusable element, for a control that takes the focus); a member of a
// control array is named with its index, as in "sp(1)". The page is ready
// for use when the root element has data-ready="1" (its first frame, the
// window alone, is marked data-shown="1"; see boot.js).
//
// When a run ends, the window's element (data-control="main") sends a
// bubbling "shoutotsu:run" event whose detail is the run as the form reports
// it: { m1, m2, r1, r2, height, length } as numbers, speed ("fast",
// "medium" or "slow": the speed the run started with), resultMm (the
// distance shown, in whole millimetres) and spoken. Any
// change of the form's state sends "shoutotsu:state" (form_state.js).
import { showControl } from './control_view.js';
import { endProgram, haltProgram } from './end_panels.js';
import { FigureSurfaces, isFigure } from './figure_surfaces.js';
import { FocusChain } from './focus_chain.js';
import { FormStateEvents } from './form_state.js';
import { Ticker } from './ticker.js';
import { changedMoreThanGeometry } from './change_list.js';
import { onTableChange } from '../i18n/text.js';
import { hitBox } from './window_fit.js';
import { fitToScreen, followScreen } from './window_follow.js';
import { buildWindowElements } from './window_elements.js';
import { shownCaption, spokenResult, useControls } from './window_text.js';

export class FormPage {
  // api: the module's entries (see boot.js); desk: the element that is the
  // screen; icon: the URL of the window's icon.
  constructor(api, desk, icon) {
    this.api = api;
    this.desk = desk;
    this.icon = icon;
    this.controls = api.controls();
    useControls(this.controls);
    // Twips per CSS pixel and the window's frame (its outer rectangle less
    // the frame is its client area), as the form's platform has them.
    const { twipsPerPixel, borderTwips, captionTwips, buttonFace } = api.platform;
    this.twipsPerPixel = twipsPerPixel;
    this.border = borderTwips / twipsPerPixel;
    this.caption = captionTwips / twipsPerPixel;
    document.documentElement.style.setProperty('--face', buttonFace);
    this.window = this.controls[0];
    this.views = new Map(); // control id -> { element, bar, legend, description }
    this.ids = new Map(); // element -> control id
    this.surfaces = new FigureSurfaces(this.controls, twipsPerPixel);
    this.focus = new FocusChain(this.controls, (id) => this.views.get(id)?.element, (e) => this.ids.get(e));
    this.scale = 1;
    // The screen's edges kept for the lesson's bar (none unless it asks).
    this.kept = { top: 0, right: 0, bottom: 0, left: 0 };
    this.finished = false;
    this.pending = new Map(); // control id -> the control as last shown
    this.state = new FormStateEvents(api, this.controls);
    this.ticker = new Ticker({ tick: (id) => this.tickOnce(id), draw: () => this.draw(true) });
    /** @type {Array<() => void>} */
    this.eventWatchers = [];
  }

  // `watch` is called after each event the form handled (each tick too),
  // once its changes are taken (the measuring aids follow the run by it).
  afterEvents(watch) {
    this.eventWatchers.push(watch);
  }

  // Builds the window, shows it and starts the timers the form enabled.
  start() {
    this.buildWindow();
    for (const c of this.controls) this.render(c, null);
    // Another language: every control shows its texts again.
    // Every listener of this page ends with it (dispose).
    this.listening = new AbortController();
    const { signal } = this.listening;
    this.stopTexts = onTableChange(() => {
      for (const c of this.controls) if (c.kind !== 'timer' && !isFigure(c)) this.render(c, null);
    });
    this.live = document.createElement('div');
    this.live.className = 'live';
    this.live.setAttribute('role', 'status');
    this.live.setAttribute('aria-live', 'polite');
    this.desk.append(this.live);
    this.fit();
    followScreen(this, signal);
    document.addEventListener('keydown', (e) => {
      if (!this.finished) this.focus.tabKey(e);
    }, { capture: true, signal });
    // The drawing area holds the focus when the window opens, as on the
    // desktop, but shows it only once the keyboard is used.
    document.addEventListener('keydown', () => document.documentElement.classList.add('keyed'), { once: true });
    document.addEventListener('visibilitychange', () => {
      if (document.hidden) this.ticker.pause();
      else this.ticker.resume();
    }, { signal });
    this.surfaces.paintNow();
    // The window opens with the focus on the first control in its order.
    this.focus.next(-1, 1, false);
    this.opening = true;
    this.afterEvent();
    this.opening = false;
  }

  // --- building -----------------------------------------------------------

  buildWindow() {
    const built = buildWindowElements(this.window, this.controls, this.icon, {
      views: this.views,
      ids: this.ids,
      surfaces: this.surfaces,
      first: this.focus.first,
      inputOf: (c) => this.inputOf(c),
      hitBox: (element) => hitBox(element, this.scale),
    });
    this.windowElement = built.element;
    this.captionText = built.captionText;
    this.client = built.client;
    this.desk.append(built.element);
  }

  // The form's entries as one control's element hands its input to them.
  inputOf(c) {
    return {
      click: () => this.event(() => this.api.click(c.id)),
      scroll: (action, thumb) => this.event(() => this.api.scroll(c.id, action, thumb)),
      select: () => this.event(() => this.api.select(c.id)),
      stepOption: (step) => this.stepOption(c, step),
    };
  }

  // --- showing the form's state -------------------------------------------

  // Shows control `c`; `before` is what was shown (null: nothing yet).
  render(c, before) {
    const changed = (...keys) => before === null || keys.some((k) => before[k] !== c[k]);
    if (c.kind === 'timer') {
      this.showTimer(c, before);
      return;
    }
    if (isFigure(c)) {
      this.surfaces.changed(c.container);
      return;
    }
    if (c.kind === 'window') {
      if (changed('caption')) {
        this.captionText.textContent = shownCaption(c).text;
        document.title = this.captionText.textContent;
      }
      if (changed('left', 'top', 'width', 'height') && before !== null) this.fit();
      return;
    }
    const view = this.views.get(c.id);
    if (!view) return;
    if (showControl(view, c, before, this.twipsPerPixel) && this.surfaces.has(c.id)) this.surfaces.layout(this.scale);
  }

  // A timer's state reaches the ticker as soon as it is taken (take()); at
  // the start, here.
  showTimer(c, before) {
    if (before === null) this.ticker.set(c.id, c.enabled ? c.interval : 0);
    if (before === null || before.enabled !== c.enabled) this.views.get(c.id).element.dataset.enabled = String(c.enabled);
  }

  // --- events -------------------------------------------------------------

  // Runs one event of the form, then shows what it changed at once.
  event(run) {
    if (this.finished) return;
    this.ticker.input(() => {
      run();
      this.take();
      this.draw(false);
      this.afterChanges(this.api.finishedRun());
    });
  }

  // One tick of timer `id`: the form changes now, the page shows it in the
  // next frame, unless the run ended or the form stopped, which are shown
  // at once.
  tickOnce(id) {
    if (this.finished) return;
    this.api.tick(id);
    const more = this.take();
    const ended = this.api.finishedRun();
    if (ended !== null || (this.api.status() & 6) !== 0) this.draw(true);
    // A tick that only moved figures (most of a run's) leaves the state as
    // it was: the values and speed are the bars' and options' values, and a
    // run's start and end show in the visibility of スタート and kekka. Any
    // other tick sends it, so no start, end or value is folded into another.
    this.afterChanges(ended, more || ended !== null);
  }

  // What follows each event and each tick: the run that ended reported,
  // the state sent (unless `changed` says it cannot have changed), the
  // watchers told, the end or a failure handled.
  afterChanges(ended, changed = true) {
    this.reportRun(ended);
    if (changed && !this.finished) this.state.send(this.windowElement, ended);
    for (const watch of this.eventWatchers) watch();
    this.afterEvent();
  }

  // Takes the form's changes into the controls; each changed control is
  // shown by the next draw(), against what it showed before. The timers
  // reach the ticker at once, so a phase that ends starts the next timer
  // within its tick. True if a control changed more than its geometry.
  take() {
    let more = false;
    for (const change of this.api.changes()) {
      more ||= changedMoreThanGeometry(change);
      const c = this.controls[change.id];
      const before = { ...c };
      Object.assign(c, change);
      if (c.kind === 'timer' && before.enabled !== c.enabled) this.ticker.set(c.id, c.enabled ? c.interval : 0);
      if (!this.pending.has(c.id)) this.pending.set(c.id, before);
    }
    return more;
  }

  // Shows every control changed since the last draw; `paint` also paints
  // the figures now, as an animation frame does.
  draw(paint) {
    if (this.pending.size > 0) {
      const focused = this.focus.focused();
      const shown = [...this.pending];
      this.pending.clear();
      for (const [id, before] of shown) this.render(this.controls[id], before);
      if (!this.finished) this.focus.keep(focused);
    }
    if (paint) this.surfaces.paintNow();
  }

  afterEvent() {
    const status = this.api.status();
    if (status & 4) this.halt();
    else if (status & 2) this.end();
  }

  // A run that ended: its result is heard once, as the form words it, and
  // the run goes to whoever listens on the page (the record).
  reportRun(run) {
    if (!run) return;
    // A new text node, so that the same sentence after the next run is
    // heard again.
    this.live.replaceChildren(document.createTextNode(spokenResult(run)));
    this.windowElement.dispatchEvent(new CustomEvent('shoutotsu:run', { bubbles: true, detail: run }));
  }

  // An arrow moves to the next option of the group, round from the last to
  // the first (the form knows the group), and chooses it.
  stepOption(from, step) {
    const next = this.controls[this.api.optionAfter(from.id, step)];
    if (!next || !this.focus.canFocus(next)) return;
    this.focus.focus(next);
    this.event(() => this.api.select(next.id));
  }

  // --- placing ------------------------------------------------------------

  // Puts the window at its place on the screen, scaled evenly to fit where
  // it does not; no value of the form changes.
  fit() {
    fitToScreen(this);
  }

  // --- the end ------------------------------------------------------------

  // Gives the desk to a window laid out afresh (relayout.js): nothing of
  // this one ticks, listens or stays on the page.
  dispose() {
    this.listening.abort();
    this.stopTexts();
    this.finished = true;
    this.ticker.stop();
    this.windowElement.remove();
    this.live.remove();
  }

  // おわる: the page says the program has ended and offers to start afresh.
  end() {
    endProgram(this);
  }

  // A run-time error in the form: the desktop's message, once.
  halt() {
    haltProgram(this);
  }
}
