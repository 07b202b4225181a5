// The page element of each kind of control, with its input wired to the
// form's entries. Nothing here holds the form's state: the elements are
// filled in by control_view.js from what the form sends.
import { useFace } from './font_faces.js';
import { hasShortcutModifier, ScrollBarView } from './scroll_bar.js';

// How long after a pointer's press the browser's own click may come.
const kClickAfterPressMs = 1000;

/** @typedef {{ left: number, right: number, top: number, bottom: number }} Box */

/**
 * A press of a button by mouse, finger or pen counts when it is let go over
 * the button (or its hit area), as on the desktop. The browser's click that
 * follows it is then passed over; a click from the keyboard or a screen
 * reader (which comes with no pointer before it) presses the button itself.
 * @param {HTMLElement} element
 * @param {() => void} press
 * @param {() => Box} [hitBox]
 */
export function onPress(element, press, hitBox = () => element.getBoundingClientRect()) {
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

function applyFont(element, c) {
  if (!c.fontStated) return; // the window's font, inherited
  useFace(element, c.fontFace);
  element.style.fontSize = `${c.fontPoints}pt`;
  element.style.fontWeight = String(c.fontWeight);
}

/**
 * The element of control `c` and the parts of it that show the form's
 * state: { element, bar (a ScrollBarView), legend, description }.
 * `input` holds the form's entries for this control: click(), scroll(action,
 * thumb), select(), stepOption(step); `hitBox` is the option's hit area.
 * @param {any} c
 * @param {any} input
 * @param {{ holdsOptions?: boolean, hitBox?: (element: HTMLElement) => Box }} [options]
 */
export function createControlElement(c, input, { holdsOptions = false, hitBox } = {}) {
  switch (c.kind) {
    case 'timer': {
      // Never seen: it only says whether the timer runs.
      const element = document.createElement('span');
      element.hidden = true;
      element.dataset.timer = '';
      return { element };
    }
    case 'button':
      return { element: createButton(c, input) };
    case 'scrollbar':
      return createScrollBar(c, input);
    case 'option':
      return { element: createOption(input, hitBox) };
    case 'frame':
      return createFrame(c, holdsOptions);
    case 'picture':
      return createPicture(c);
    default: {
      const element = document.createElement('div');
      element.className = c.kind === 'label' ? 'label' : 'control';
      applyFont(element, c);
      element.style.color = c.foreColor;
      if (!c.transparent) element.style.background = c.backColor;
      element.classList.add(`align-${c.alignment}`);
      if (c.aboveFigures) element.classList.add('above-figures');
      return { element };
    }
  }
}

function createButton(c, input) {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'button';
  applyFont(button, c);
  onPress(button, () => input.click());
  button.addEventListener('keydown', (e) => {
    // Enter presses the button once, however long it is held, as Space
    // does; the browser's own Enter would repeat.
    if (e.key !== 'Enter' || hasShortcutModifier(e)) return;
    e.preventDefault();
    if (!e.repeat) input.click();
  });
  return button;
}

function createScrollBar(c, input) {
  const element = document.createElement('div');
  element.className = 'scrollbar';
  element.tabIndex = 0;
  element.setAttribute('role', 'slider');
  element.setAttribute('aria-orientation', c.vertical ? 'vertical' : 'horizontal');
  const bar = new ScrollBarView(element, c, (action, thumb) => input.scroll(action, thumb));
  return { element, bar };
}

function createOption(input, hitBox) {
  const element = document.createElement('div');
  element.className = 'option';
  element.tabIndex = 0;
  element.setAttribute('role', 'radio');
  const mark = document.createElement('span');
  mark.className = 'mark';
  mark.setAttribute('aria-hidden', 'true');
  element.append(mark);
  onPress(element, () => input.select(), hitBox && (() => hitBox(element)));
  element.addEventListener('keydown', (e) => {
    if (hasShortcutModifier(e)) return;
    const step = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 }[e.key];
    if (step) {
      e.preventDefault();
      input.stepOption(step);
    } else if (e.key === ' ') {
      e.preventDefault(); // chosen when the key is let go, as a click is
    }
  });
  element.addEventListener('keyup', (e) => {
    if (e.key === ' ' && !hasShortcutModifier(e)) input.select();
  });
  return element;
}

function createFrame(c, holdsOptions) {
  const frame = document.createElement('fieldset');
  frame.className = 'frame';
  applyFont(frame, c);
  const legend = document.createElement('legend');
  legend.id = `legend-${c.id}`;
  legend.style.color = c.foreColor;
  const etch = document.createElement('div');
  etch.className = 'etch';
  etch.setAttribute('aria-hidden', 'true');
  frame.append(legend, etch);
  frame.setAttribute('aria-labelledby', legend.id);
  // A frame holding an option group is that group to a screen reader.
  if (holdsOptions) frame.setAttribute('role', 'radiogroup');
  return { element: frame, legend };
}

function createPicture(c) {
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
  // The drawing area takes the focus but no key: Space must not scroll the
  // page away from the window.
  element.addEventListener('keydown', (e) => {
    if (e.key === ' ' && !hasShortcutModifier(e)) e.preventDefault();
  });
  element.append(description);
  return { element, description };
}
