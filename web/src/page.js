// The form in the page: every control as a page element, mirrored from the
// form's state, and every input handed back to the form.
//
// The form is the only source of truth. Elements show what it holds; an
// input goes to one of its event entries, and then the changes it made are
// taken and shown, so a control never shows a value the form lacks. The
// window stands at its place on the screen (the viewport) at 15 twips per
// CSS pixel; labels are page text, shapes and lines are painted on a canvas
// of their container, and the timers tick at their interval of wall time.
//
// Each control's element carries the control's name in data-control (the
// focusable element, for a control that takes the focus); a member of a
// control array is named with its index, as in "sp(1)". The page is ready
// for use when the root element has data-ready="1".
import { canvasPlacement, paintFigures } from './figures.js';
import { fontFamily, messages } from './messages.js';
import { hasShortcutModifier, ScrollBarView } from './scroll_bar.js';
import { hitReach, wantedReach } from './scroll_geometry.js';
import { Ticker } from './ticker.js';

export const kTwipsPerPixel = 15;
// The window's frame: its outer rectangle less these is its client area.
const kBorderPx = 60 / kTwipsPerPixel;
const kCaptionPx = 300 / kTwipsPerPixel;

const px = (twips) => twips / kTwipsPerPixel;
const isFigure = (c) => c.kind === 'shape' || c.kind === 'line';
const takesFocus = (c) => ['button', 'scrollbar', 'option', 'picture'].includes(c.kind) && c.tabIndex >= 0;

// A result the drawing area's description opens with, once a run has one.
const kResultSentence = /^結果[^。]*。/;

// How long after a pointer's press the browser's own click may come.
const kClickAfterPressMs = 1000;

// A press of a button by mouse, finger or pen counts when it is let go over
// the button, as on the desktop. The browser's click that follows it is then
// passed over; a click from the keyboard or a screen reader (which comes
// with no pointer before it) presses the button itself.
function onPress(element, press, hitBox = () => element.getBoundingClientRect()) {
  let pointer = null;
  let pressedAt = -Infinity;
  element.addEventListener('pointerdown', (e) => {
    if (e.button === 0 && e.isPrimary) pointer = e.pointerId;
  });
  element.addEventListener('pointercancel', () => (pointer = null));
  element.addEventListener('pointerup', (e) => {
    if (e.pointerId !== pointer) return;
    pointer = null;
    const box = hitBox();
    if (e.clientX < box.left || e.clientX > box.right || e.clientY < box.top || e.clientY > box.bottom) return;
    pressedAt = performance.now();
    press();
  });
  element.addEventListener('click', (e) => {
    const following = e.detail > 0 && performance.now() - pressedAt < kClickAfterPressMs;
    pressedAt = -Infinity;
    if (!following) press();
  });
}

export class FormPage {
  // api: the module's entries (see boot.js); desk: the element that is the
  // screen; icon: the URL of the window's icon.
  constructor(api, desk, icon) {
    this.api = api;
    this.desk = desk;
    this.icon = icon;
    this.controls = api.controls();
    this.window = this.controls[0];
    this.elements = new Map(); // control id -> its element
    this.ids = new Map(); // element -> control id
    this.bars = new Map(); // scroll bar id -> ScrollBarView
    this.surfaces = new Map(); // container id -> { canvas, context, placement }
    this.dirty = new Set(); // containers whose figures need painting
    this.paintRequest = 0;
    this.scale = 1;
    this.finished = false;
    this.announced = '';
    this.ticker = new Ticker((id) => this.event(() => this.api.tick(id)));
    // The focus order: every control that can take the focus, by tab index.
    this.chain = this.controls.filter(takesFocus).sort((a, b) => a.tabIndex - b.tabIndex);
  }

  // Builds the window, shows it and starts the timers the form enabled.
  start() {
    this.buildWindow();
    for (const c of this.controls) this.render(c, null);
    this.live = document.createElement('div');
    this.live.className = 'live';
    this.live.setAttribute('role', 'status');
    this.live.setAttribute('aria-live', 'polite');
    this.desk.append(this.live);
    this.fit();
    addEventListener('resize', () => this.fit());
    this.watchPixelRatio();
    document.addEventListener('keydown', (e) => this.tabKey(e), true);
    // The drawing area holds the focus when the window opens, as on the
    // desktop, but shows it only once the keyboard is used.
    document.addEventListener('keydown', () => document.documentElement.classList.add('keyed'), { once: true });
    document.addEventListener('visibilitychange', () => {
      if (document.hidden) this.ticker.pause();
      else this.ticker.resume();
    });
    this.paintNow();
    // The window opens with the focus on the first control in its order.
    this.focusNext(-1, 1, false);
    this.opening = true;
    this.afterEvent();
    this.opening = false;
  }

  // --- building -----------------------------------------------------------

  buildWindow() {
    const main = document.createElement('div');
    main.className = 'window';
    main.dataset.control = this.window.displayName;
    main.style.fontFamily = fontFamily(this.window.fontFace);
    main.style.fontSize = `${this.window.fontPoints}pt`;
    main.style.color = this.window.foreColor;
    const bar = document.createElement('div');
    bar.className = 'caption-bar';
    const icon = document.createElement('img');
    icon.className = 'caption-icon';
    icon.alt = '';
    icon.src = this.icon;
    this.captionText = document.createElement('h1');
    this.captionText.className = 'caption-text';
    bar.append(icon, this.captionText);
    this.client = document.createElement('div');
    this.client.className = 'client';
    this.client.style.background = this.window.backColor;
    main.append(bar, this.client);
    this.windowElement = main;
    this.elements.set(this.window.id, main);
    this.buildChildren(this.window, this.client);
    this.desk.append(main);
  }

  buildChildren(container, parent) {
    const children = container.children.map((id) => this.controls[id]);
    if (children.some(isFigure)) {
      const canvas = document.createElement('canvas');
      canvas.className = 'figures';
      canvas.setAttribute('aria-hidden', 'true');
      parent.append(canvas);
      this.surfaces.set(container.id, { canvas, context: canvas.getContext('2d'), placement: null, parent });
      this.dirty.add(container.id);
    }
    // Stacking follows the form's order (rearmost first). The page's order
    // is the reading order, top to bottom and left to right, except that
    // the first control of the tab order comes first, so that Tab enters
    // and leaves the window at the ends of its own order.
    const shown = children.filter((c) => !isFigure(c));
    shown.forEach((c) => (c.stacking = children.indexOf(c) + 1));
    const leads = (c) => (c === this.chain[0] ? 0 : 1);
    shown.sort((a, b) => leads(a) - leads(b) || a.top - b.top || a.left - b.left);
    for (const c of shown) {
      const element = this.createElement(c, container);
      element.dataset.control = c.displayName;
      // The result is never hidden behind a figure, as on the desktop.
      element.style.zIndex = String(c.aboveFigures ? children.length + 1 : c.stacking);
      this.elements.set(c.id, element);
      this.ids.set(element, c.id);
      parent.append(element);
      if (c.children.length > 0) this.buildChildren(c, element);
    }
  }

  createElement(c) {
    switch (c.kind) {
      case 'timer': {
        // Never seen: it only says whether the timer runs.
        const element = document.createElement('span');
        element.hidden = true;
        element.dataset.timer = '';
        return element;
      }
      case 'button':
        return this.createButton(c);
      case 'scrollbar':
        return this.createScrollBar(c);
      case 'option':
        return this.createOption(c);
      case 'frame':
        return this.createFrame(c);
      case 'picture': {
        const element = document.createElement('div');
        element.className = 'picture';
        element.tabIndex = 0;
        element.setAttribute('role', 'group');
        const description = document.createElement('span');
        description.className = 'description';
        description.id = `description-${c.id}`;
        description.setAttribute('aria-hidden', 'true');
        element.setAttribute('aria-describedby', description.id);
        element.style.background = c.backColor;
        // The drawing area takes the focus but no key: Space must not
        // scroll the page away from the window.
        element.addEventListener('keydown', (e) => {
          if (e.key === ' ' && !hasShortcutModifier(e)) e.preventDefault();
        });
        element.append(description);
        c.descriptionElement = description;
        return element;
      }
      default: {
        const element = document.createElement('div');
        element.className = c.kind === 'label' ? 'label' : 'control';
        this.applyFont(element, c);
        element.style.color = c.foreColor;
        if (!c.transparent) element.style.background = c.backColor;
        element.classList.add(`align-${c.alignment}`);
        if (c.aboveFigures) element.classList.add('above-figures');
        return element;
      }
    }
  }

  applyFont(element, c) {
    if (!c.fontStated) return; // the window's font, inherited
    element.style.fontFamily = fontFamily(c.fontFace);
    element.style.fontSize = `${c.fontPoints}pt`;
    element.style.fontWeight = String(c.fontWeight);
  }

  createButton(c) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'button';
    this.applyFont(button, c);
    onPress(button, () => this.event(() => this.api.click(c.id)));
    button.addEventListener('keydown', (e) => {
      // Enter presses the button once, however long it is held, as Space
      // does; the browser's own Enter would repeat.
      if (e.key !== 'Enter' || hasShortcutModifier(e)) return;
      e.preventDefault();
      if (!e.repeat) this.event(() => this.api.click(c.id));
    });
    return button;
  }

  createScrollBar(c) {
    const element = document.createElement('div');
    element.className = 'scrollbar';
    element.tabIndex = 0;
    element.setAttribute('role', 'slider');
    element.setAttribute('aria-orientation', c.vertical ? 'vertical' : 'horizontal');
    const view = new ScrollBarView(element, c, (action, thumb) =>
      this.event(() => this.api.scroll(c.id, action, thumb)),
    );
    this.bars.set(c.id, view);
    return element;
  }

  createOption(c) {
    const element = document.createElement('div');
    element.className = 'option';
    element.tabIndex = 0;
    element.setAttribute('role', 'radio');
    const mark = document.createElement('span');
    mark.className = 'mark';
    mark.setAttribute('aria-hidden', 'true');
    element.append(mark);
    onPress(element, () => this.event(() => this.api.select(c.id)), () => this.hitBox(element));
    element.addEventListener('keydown', (e) => {
      if (hasShortcutModifier(e)) return;
      const step = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 }[e.key];
      if (step) {
        e.preventDefault();
        this.stepOption(c, step);
      } else if (e.key === ' ') {
        e.preventDefault(); // chosen when the key is let go, as a click is
      }
    });
    element.addEventListener('keyup', (e) => {
      if (e.key === ' ' && !hasShortcutModifier(e)) this.event(() => this.api.select(c.id));
    });
    return element;
  }

  createFrame(c) {
    const frame = document.createElement('fieldset');
    frame.className = 'frame';
    this.applyFont(frame, c);
    const legend = document.createElement('legend');
    legend.id = `legend-${c.id}`;
    legend.style.color = c.foreColor;
    const etch = document.createElement('div');
    etch.className = 'etch';
    etch.setAttribute('aria-hidden', 'true');
    frame.append(legend, etch);
    frame.setAttribute('aria-labelledby', legend.id);
    // A frame holding an option group is that group to a screen reader.
    if (c.children.some((id) => this.controls[id].kind === 'option')) frame.setAttribute('role', 'radiogroup');
    c.legendElement = legend;
    return frame;
  }

  // --- showing the form's state -------------------------------------------

  // Shows control `c`; `before` is what was shown (null: nothing yet).
  render(c, before) {
    const changed = (...keys) => before === null || keys.some((k) => before[k] !== c[k]);
    if (c.kind === 'timer') {
      if (changed('enabled')) {
        this.ticker.set(c.id, c.enabled ? c.interval : 0);
        this.elements.get(c.id).dataset.enabled = String(c.enabled);
      }
      return;
    }
    if (isFigure(c)) {
      this.dirty.add(c.container);
      this.requestPaint();
      return;
    }
    if (c.kind === 'window') {
      if (changed('caption')) {
        this.captionText.textContent = c.caption;
        document.title = c.caption;
      }
      if (changed('left', 'top', 'width', 'height') && before !== null) this.fit();
      return;
    }
    const element = this.elements.get(c.id);
    if (!element) return;
    if (changed('left', 'top', 'width', 'height')) {
      element.style.left = `${px(c.left)}px`;
      element.style.top = `${px(c.top)}px`;
      element.style.width = `${px(c.width)}px`;
      element.style.height = `${px(c.height)}px`;
      this.bars.get(c.id)?.setSize(px(c.width), px(c.height));
      if (this.surfaces.has(c.id) && before !== null) this.layoutSurfaces();
    }
    if (changed('visible')) {
      element.hidden = !c.visible;
    }
    if (changed('caption')) this.showCaption(c, element);
    if (changed('enabled', 'value')) this.showValue(c, element);
    if (changed('accessibleName', 'accessibleDescription', 'valueNow')) this.showAccessibleText(c, element);
  }

  showCaption(c, element) {
    switch (c.kind) {
      case 'button':
      case 'label':
        element.textContent = c.caption;
        break;
      case 'frame':
        c.legendElement.textContent = c.caption;
        break;
      default:
        break; // an option's own caption is never seen
    }
  }

  showValue(c, element) {
    switch (c.kind) {
      case 'button':
        element.disabled = !c.enabled;
        break;
      case 'scrollbar':
        this.bars.get(c.id).show(c.value, c.enabled);
        element.setAttribute('aria-disabled', String(!c.enabled));
        // A disabled scroll bar takes no focus, as on the desktop.
        element.tabIndex = c.enabled ? 0 : -1;
        break;
      case 'option':
        element.setAttribute('aria-checked', String(c.value));
        element.setAttribute('aria-disabled', String(!c.enabled));
        element.tabIndex = c.enabled ? 0 : -1;
        break;
      case 'frame':
        element.disabled = !c.enabled;
        break;
      default:
        break;
    }
  }

  showAccessibleText(c, element) {
    // Buttons, frames and labels are named by the text they show.
    switch (c.kind) {
      case 'scrollbar':
        // The number the learner reads beside the bar, not the bar's own.
        element.setAttribute('aria-label', c.accessibleName);
        element.setAttribute('aria-valuetext', c.accessibleDescription);
        element.setAttribute('aria-valuenow', String(c.valueNow ?? c.value));
        element.setAttribute('aria-valuemin', String(c.valueMin ?? c.minimum));
        element.setAttribute('aria-valuemax', String(c.valueMax ?? c.maximum));
        break;
      case 'option':
        element.setAttribute('aria-label', c.accessibleName);
        break;
      case 'picture':
        element.setAttribute('aria-label', c.accessibleName);
        c.descriptionElement.textContent = c.accessibleDescription;
        break;
      default:
        break;
    }
  }

  // --- events -------------------------------------------------------------

  // Runs one event of the form, then shows what it changed.
  event(run) {
    if (this.finished) return;
    const focused = this.focusedControl();
    run();
    for (const change of this.api.changes()) {
      const c = this.controls[change.id];
      const before = { ...c };
      Object.assign(c, change);
      this.render(c, before);
    }
    this.keepFocus(focused);
    this.afterEvent();
  }

  afterEvent() {
    this.announceResult();
    const status = this.api.status();
    if (status & 4) this.halt();
    else if (status & 2) this.end();
  }

  // The result, heard once as it appears: the drawing area's description
  // opens with it once a run has one.
  announceResult() {
    const picture = this.controls.find((c) => c.kind === 'picture');
    const found = picture ? kResultSentence.exec(picture.accessibleDescription) : null;
    const sentence = found ? found[0] : '';
    if (sentence === this.announced) return;
    this.announced = sentence;
    this.live.textContent = sentence;
  }

  // --- focus --------------------------------------------------------------

  focusedControl() {
    const id = this.ids.get(document.activeElement);
    return id === undefined ? null : this.controls[id];
  }

  // Whether the control and every container of it is shown and enabled.
  canFocus(c) {
    for (let at = c; at; at = at.container >= 0 ? this.controls[at.container] : null) {
      if (!at.visible || (at.kind !== 'window' && !at.enabled)) return false;
    }
    return true;
  }

  // Moves the focus from chain position `from` by `step`, to the next control
  // that can take it; round the ends only when `wrap`. False if none.
  focusNext(from, step, wrap) {
    const count = this.chain.length;
    for (let n = 1; n <= count; n++) {
      let at = from + step * n;
      if (wrap) at = ((at % count) + count) % count;
      else if (at < 0 || at >= count) return false;
      const c = this.chain[at];
      if (this.canFocus(c)) {
        this.elements.get(c.id).focus({ preventScroll: true });
        return true;
      }
    }
    return false;
  }

  // Tab and Shift+Tab go round the window's own order. At either end the
  // browser takes the key, so the focus can leave the page.
  tabKey(event) {
    if (event.key !== 'Tab' || hasShortcutModifier(event) || this.finished) return;
    const c = this.focusedControl();
    const at = c ? this.chain.indexOf(c) : -1;
    if (at < 0) return;
    if (this.focusNext(at, event.shiftKey ? -1 : 1, false)) event.preventDefault();
  }

  // A control that held the focus and was hidden or disabled by the event
  // passes it on to the next one in the order, as on the desktop.
  keepFocus(focused) {
    if (!focused || this.canFocus(focused) || this.finished) return;
    const at = this.chain.indexOf(focused);
    if (at >= 0) this.focusNext(at, 1, true);
  }

  // An arrow moves to the next option of the group, round from the last to
  // the first, and chooses it.
  stepOption(from, step) {
    const group = this.controls
      .filter((c) => c.kind === 'option' && c.name === from.name && c.container === from.container)
      .sort((a, b) => a.index - b.index);
    const here = group.indexOf(from);
    const next = group[(((here + step) % group.length) + group.length) % group.length];
    if (!this.canFocus(next)) return;
    this.elements.get(next.id).focus({ preventScroll: true });
    this.event(() => this.api.select(next.id));
  }

  // --- placing and painting -----------------------------------------------

  // Puts the window at its place on the screen; when it does not fit the
  // viewport (turned, zoomed, too small) the whole window is scaled evenly
  // to fit and centred. No value of the form changes.
  fit() {
    const main = this.window;
    const width = px(main.width);
    const height = px(main.height);
    const screenWidth = document.documentElement.clientWidth || innerWidth;
    const screenHeight = document.documentElement.clientHeight || innerHeight;
    let left = px(main.left);
    let top = px(main.top);
    let scale = 1;
    if (left < 0 || top < 0 || left + width > screenWidth || top + height > screenHeight) {
      scale = Math.min(1, screenWidth / width, screenHeight / height);
      left = (screenWidth - width * scale) / 2;
      top = (screenHeight - height * scale) / 2;
    }
    const element = this.windowElement;
    element.style.left = `${left}px`;
    element.style.top = `${top}px`;
    element.style.width = `${width}px`;
    element.style.height = `${height}px`;
    element.style.transform = scale === 1 ? '' : `scale(${scale})`;
    element.style.setProperty('--halo', `${1 / scale}px`);
    this.client.style.left = `${kBorderPx}px`;
    this.client.style.top = `${kCaptionPx}px`;
    this.client.style.width = `${Math.max(0, width - 2 * kBorderPx)}px`;
    this.client.style.height = `${Math.max(0, height - kCaptionPx - kBorderPx)}px`;
    this.scale = scale;
    this.layoutSurfaces();
    this.reachTargets();
  }

  // Gives each scroll bar and option a hit area a finger can press (see
  // hitReach), in the window's own pixels; nothing drawn moves.
  reachTargets() {
    const targets = this.controls.filter((c) => ['scrollbar', 'option', 'button'].includes(c.kind) && c.visible);
    const boxes = targets.map((c) => {
      const box = this.elements.get(c.id).getBoundingClientRect();
      const s = this.scale || 1;
      return { left: box.left / s, top: box.top / s, width: box.width / s, height: box.height / s };
    });
    const wanted = targets.map((c, i) => {
      if (c.kind === 'button') return { top: 0, right: 0, bottom: 0, left: 0 };
      const arrow = c.kind === 'scrollbar' ? Math.min(boxes[i].width, boxes[i].height) : 0;
      return wantedReach(boxes[i], arrow);
    });
    hitReach(boxes, wanted).forEach((reach, i) => {
      const c = targets[i];
      const element = this.elements.get(c.id);
      if (c.kind === 'scrollbar') this.bars.get(c.id).setReach(reach);
      else if (c.kind === 'option') {
        for (const side of ['top', 'right', 'bottom', 'left']) element.style.setProperty(`--reach-${side}`, `${reach[side]}px`);
      }
    });
  }

  // An option's box with its hit area, as the page lays it out.
  hitBox(element) {
    const box = element.getBoundingClientRect();
    const reach = (side) => (Number.parseFloat(element.style.getPropertyValue(`--reach-${side}`)) || 0) * this.scale;
    return { left: box.left - reach('left'), right: box.right + reach('right'), top: box.top - reach('top'), bottom: box.bottom + reach('bottom') };
  }

  watchPixelRatio() {
    const query = matchMedia(`(resolution: ${devicePixelRatio}dppx)`);
    query.addEventListener?.('change', () => {
      this.layoutSurfaces();
      this.watchPixelRatio();
    }, { once: true });
  }

  // Lays each canvas on whole device pixels over its container.
  layoutSurfaces() {
    for (const [id, surface] of this.surfaces) {
      const container = this.elements.get(id);
      const box = (id === this.window.id ? this.client : container).getBoundingClientRect();
      const placement = canvasPlacement(box, devicePixelRatio || 1, this.scale, kTwipsPerPixel);
      const { canvas } = surface;
      if (canvas.width !== placement.pixelsWide) canvas.width = placement.pixelsWide;
      if (canvas.height !== placement.pixelsHigh) canvas.height = placement.pixelsHigh;
      canvas.style.left = `${placement.cssLeft}px`;
      canvas.style.top = `${placement.cssTop}px`;
      canvas.style.width = `${placement.cssWidth}px`;
      canvas.style.height = `${placement.cssHeight}px`;
      surface.placement = placement;
      this.dirty.add(id);
    }
    this.requestPaint();
  }

  requestPaint() {
    if (this.paintRequest === 0) this.paintRequest = requestAnimationFrame(() => this.paintNow());
  }

  paintNow() {
    if (this.paintRequest !== 0) cancelAnimationFrame(this.paintRequest);
    this.paintRequest = 0;
    for (const id of this.dirty) {
      const surface = this.surfaces.get(id);
      if (!surface?.placement) continue;
      const figures = this.controls[id].children.map((child) => this.controls[child]).filter(isFigure);
      paintFigures(surface.context, figures, surface.placement);
    }
    this.dirty.clear();
  }

  // --- the end ------------------------------------------------------------

  // おわる: a tab cannot close itself, so the page says the program has
  // ended and offers to start it afresh.
  end() {
    if (this.finished) return;
    this.finished = true;
    this.ticker.stop();
    this.showEnded();
  }

  showEnded() {
    this.windowElement.hidden = true;
    const panel = document.createElement('section');
    panel.className = 'ended';
    panel.setAttribute('aria-labelledby', 'ended-title');
    const title = document.createElement('h2');
    title.id = 'ended-title';
    title.textContent = messages.endedTitle;
    const text = document.createElement('p');
    text.textContent = messages.endedText;
    const again = document.createElement('button');
    again.type = 'button';
    again.className = 'button restart';
    again.textContent = messages.restart;
    again.addEventListener('click', () => location.reload());
    panel.append(title, text, again);
    this.desk.append(panel);
    again.focus();
  }

  // A run-time error in the form: it has stopped its timers and takes no
  // more events; the page stops ticking and shows the desktop's message,
  // once, and after it the program has ended.
  halt() {
    if (this.finished) return;
    this.finished = true;
    this.ticker.stop();
    const report = this.api.error() ?? { title: this.window.caption, text: '' };
    // An error while the form loaded ends the program before its window is
    // ever shown, as on the desktop.
    if (this.opening) this.windowElement.hidden = true;
    this.windowElement.inert = true;
    this.windowElement.setAttribute('aria-hidden', 'true');
    const box = document.createElement('div');
    box.className = 'message-box';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    box.setAttribute('aria-labelledby', 'message-title');
    box.setAttribute('aria-describedby', 'message-text');
    const title = document.createElement('div');
    title.className = 'message-title';
    title.id = 'message-title';
    title.textContent = report.title;
    const body = document.createElement('div');
    body.className = 'message-body';
    const sign = document.createElement('span');
    sign.className = 'message-sign';
    sign.setAttribute('aria-hidden', 'true');
    sign.textContent = '×';
    const text = document.createElement('p');
    text.id = 'message-text';
    text.textContent = report.text;
    body.append(sign, text);
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.className = 'button';
    ok.textContent = messages.errorOk;
    ok.addEventListener('click', () => {
      box.remove();
      this.showEnded();
    });
    box.append(title, body, ok);
    this.desk.append(box);
    ok.focus();
  }
}
