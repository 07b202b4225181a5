// A scroll bar as the desktop has it, made of page elements: the arrows move
// by the small change, the track by the large change (both repeat while
// held), the thumb is dragged and its value taken when it is let go, and the
// keys of a classic scroll bar work in both orientations. The bar only
// shows the form's value: every action goes to the form, and the bar then
// shows what the form decided.
import { draggedThumbStart, hitPartAt, scrollParts, valueAtThumb } from './scroll_geometry.js';

// The form's scroll actions, by name; the form gives their numbers
// (shoutotsu_platform), which the page's entries put in.
export const ScrollAction = {
  LineDecrement: 'LineDecrement',
  LineIncrement: 'LineIncrement',
  PageDecrement: 'PageDecrement',
  PageIncrement: 'PageIncrement',
  ToMinimum: 'ToMinimum',
  ToMaximum: 'ToMaximum',
  ThumbTo: 'ThumbTo',
};

// The desktop's timing of a held arrow or track: a pause, then a steady beat.
const kRepeatDelayMs = 500;
const kRepeatIntervalMs = 50;
// One notch of a mouse wheel, in the units of each WheelEvent delta mode.
const kWheelNotch = [100, 3, 1];

const partActions = {
  'decrement-arrow': ScrollAction.LineDecrement,
  'increment-arrow': ScrollAction.LineIncrement,
  'decrement-track': ScrollAction.PageDecrement,
  'increment-track': ScrollAction.PageIncrement,
};

// Keys held with these belong to the browser's and the system's shortcuts.
export function hasShortcutModifier(event) {
  return event.ctrlKey || event.altKey || event.metaKey;
}

// The action of a key on a scroll bar, or null: Left/Up towards the minimum,
// Right/Down towards the maximum, Page Up/Down by the large change,
// Home/End to the ends.
export function keyAction(event) {
  if (hasShortcutModifier(event)) return null;
  switch (event.key) {
    case 'ArrowLeft':
    case 'ArrowUp':
      return ScrollAction.LineDecrement;
    case 'ArrowRight':
    case 'ArrowDown':
      return ScrollAction.LineIncrement;
    case 'PageUp':
      return ScrollAction.PageDecrement;
    case 'PageDown':
      return ScrollAction.PageIncrement;
    case 'Home':
      return ScrollAction.ToMinimum;
    case 'End':
      return ScrollAction.ToMaximum;
    default:
      return null;
  }
}

export class ScrollBarView {
  // act(action, thumbValue): hands one action to the form.
  constructor(element, { vertical, minimum, maximum }, act) {
    this.element = element;
    this.vertical = vertical;
    this.minimum = minimum;
    this.maximum = maximum;
    this.act = act;
    this.value = minimum;
    this.enabled = true;
    this.length = 0;
    this.thickness = 0;
    this.reach = { top: 0, right: 0, bottom: 0, left: 0 }; // the hit area beyond the drawn bar
    this.held = null; // an arrow or the track held down
    this.drag = null; // the thumb held
    this.wheelPending = 0;

    element.classList.add(vertical ? 'vertical' : 'horizontal');
    const part = (name) => {
      const node = document.createElement('div');
      node.className = name;
      node.setAttribute('aria-hidden', 'true');
      element.append(node);
      return node;
    };
    this.track = part('track');
    this.decrementArrow = part('arrow decrement');
    this.incrementArrow = part('arrow increment');
    this.thumbNode = part('thumb');

    element.addEventListener('pointerdown', (e) => this.pointerDown(e));
    element.addEventListener('pointermove', (e) => this.pointerMove(e));
    element.addEventListener('pointerup', (e) => this.pointerUp(e));
    element.addEventListener('pointercancel', () => this.release(false));
    element.addEventListener('lostpointercapture', () => this.release(false));
    element.addEventListener('keydown', (e) => this.keyDown(e));
    element.addEventListener('wheel', (e) => this.wheel(e), { passive: false });
    element.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // The bar's size in CSS pixels, as the form places it.
  setSize(width, height) {
    this.length = this.vertical ? height : width;
    this.thickness = this.vertical ? width : height;
    this.draw();
  }

  // How far the bar's hit area stands out beyond each side of it, CSS
  // pixels of the window: a finger's press there still counts.
  setReach(reach) {
    this.reach = reach;
    for (const side of ['top', 'right', 'bottom', 'left']) {
      this.element.style.setProperty(`--reach-${side}`, `${reach[side]}px`);
    }
  }

  show(value, enabled) {
    this.value = value;
    if (enabled !== this.enabled) {
      this.enabled = enabled;
      if (!enabled) this.release(false);
    }
    this.draw();
  }

  parts() {
    return scrollParts(this.length, this.thickness, this.minimum, this.maximum, this.value);
  }

  draw(thumbStart) {
    const parts = this.parts();
    const start = thumbStart ?? parts.thumbStart;
    const along = this.vertical ? ['top', 'height'] : ['left', 'width'];
    const across = this.vertical ? ['left', 'width'] : ['top', 'height'];
    const place = (node, from, size) => {
      node.style[along[0]] = `${from}px`;
      node.style[along[1]] = `${size}px`;
      node.style[across[0]] = '0px';
      node.style[across[1]] = `${this.thickness}px`;
    };
    place(this.decrementArrow, 0, parts.arrow);
    place(this.incrementArrow, this.length - parts.arrow, parts.arrow);
    place(this.track, parts.arrow, parts.track);
    place(this.thumbNode, start, parts.thumb);
    this.thumbNode.hidden = parts.thumb <= 0;
    this.element.classList.toggle('held-decrement', this.held?.part === 'decrement-arrow');
    this.element.classList.toggle('held-increment', this.held?.part === 'increment-arrow');
  }

  // The pointer's distance from the minimum end, and from the near side
  // across the bar, in the bar's own pixels, whatever the page's scale.
  along(event) {
    const box = this.element.getBoundingClientRect();
    if (this.vertical) return ((event.clientY - box.top) * this.length) / (box.height || 1);
    return ((event.clientX - box.left) * this.length) / (box.width || 1);
  }

  across(event) {
    const box = this.element.getBoundingClientRect();
    if (this.vertical) return ((event.clientX - box.left) * this.thickness) / (box.width || 1);
    return ((event.clientY - box.top) * this.thickness) / (box.height || 1);
  }

  // Where the pointer is, in the bar's own pixels.
  pointAt(event) {
    return { along: this.along(event), across: this.across(event) };
  }

  // The part under a point, within the bar's hit area; 'none' outside.
  hitPart({ along, across }) {
    const [before, after, sideA, sideB] = this.vertical ? ['top', 'bottom', 'left', 'right'] : ['left', 'right', 'top', 'bottom'];
    if (across < -this.reach[sideA] || across > this.thickness + this.reach[sideB]) return 'none';
    if (along < -this.reach[before] || along > this.length + this.reach[after]) return 'none';
    return hitPartAt(this.parts(), this.length, along, { before: this.reach[before], after: this.reach[after] });
  }

  pointerDown(event) {
    if (event.button !== 0 || this.held || this.drag) return;
    event.preventDefault(); // no text selection, no page scrolling
    if (!this.enabled) return; // a disabled bar takes neither input nor the focus
    this.element.focus({ preventScroll: true });
    const point = this.pointAt(event);
    const at = point.along;
    const parts = this.parts();
    const part = this.hitPart(point);
    if (part === 'none') return;
    this.element.setPointerCapture?.(event.pointerId);
    if (part === 'thumb') {
      this.drag = { pointerId: event.pointerId, from: at, grabbedStart: parts.thumbStart, start: parts.thumbStart };
      this.element.classList.add('dragging');
      return;
    }
    this.held = { pointerId: event.pointerId, part, point, timer: null };
    this.draw();
    this.repeat();
    if (this.held) {
      this.held.timer = setTimeout(() => this.beat(), kRepeatDelayMs);
    }
  }

  beat() {
    if (!this.held) return;
    this.repeat();
    if (this.held) this.held.timer = setTimeout(() => this.beat(), kRepeatIntervalMs);
  }

  // One step of a held arrow or track, while the pointer is still over the
  // part it pressed: the track stops once the thumb has reached the pointer,
  // and an arrow once the finger has slid off it.
  repeat() {
    const held = this.held;
    if (!this.enabled) {
      this.release(false);
      return;
    }
    if (this.hitPart(held.point) !== held.part) return;
    this.act(partActions[held.part], 0);
  }

  pointerMove(event) {
    if (this.drag && event.pointerId === this.drag.pointerId) {
      this.drag.start = draggedThumbStart(this.parts(), this.drag.grabbedStart, this.along(event) - this.drag.from);
      this.draw(this.drag.start); // only the picture moves while held
    } else if (this.held && event.pointerId === this.held.pointerId) {
      this.held.point = this.pointAt(event);
    }
  }

  pointerUp(event) {
    const pointer = (this.drag ?? this.held)?.pointerId;
    if (pointer === undefined || event.pointerId !== pointer) return;
    this.release(true);
  }

  // Ends a hold. A thumb let go hands its value to the form (which raises
  // Change only if the value moved); a cancelled drag puts it back.
  release(takeThumb) {
    if (this.held) {
      clearTimeout(this.held.timer);
      this.held = null;
      this.draw();
    }
    if (this.drag) {
      const { start } = this.drag;
      this.drag = null;
      this.element.classList.remove('dragging');
      if (takeThumb && this.enabled) {
        this.act(ScrollAction.ThumbTo, valueAtThumb(this.parts(), start, this.minimum, this.maximum));
      }
      this.draw();
    }
  }

  keyDown(event) {
    const action = keyAction(event);
    if (action === null) return;
    event.preventDefault();
    if (this.enabled && !this.drag) this.act(action, 0);
  }

  wheel(event) {
    if (!this.enabled || hasShortcutModifier(event)) return;
    event.preventDefault();
    const delta = Math.abs(event.deltaY) >= Math.abs(event.deltaX) ? event.deltaY : event.deltaX;
    // Turning the wheel towards the user moves towards the maximum, as it
    // scrolls a page down; fine wheels add up to whole notches.
    this.wheelPending += delta / (kWheelNotch[event.deltaMode] ?? 1);
    const steps = Math.trunc(this.wheelPending);
    this.wheelPending -= steps;
    for (let i = 0; i < Math.abs(steps) && this.enabled; i++) {
      this.act(steps > 0 ? ScrollAction.LineIncrement : ScrollAction.LineDecrement, 0);
    }
  }
}
