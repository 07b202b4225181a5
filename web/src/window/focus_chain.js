// The window's focus order, as on the desktop: Tab and Shift+Tab go round
// the controls by tab index, skipping what is hidden or disabled (or inside
// something that is), and a control that loses its place passes the focus
// on to the next one.
import { hasShortcutModifier } from './scroll_bar.js';

const takesFocus = (c) => ['button', 'scrollbar', 'option', 'picture'].includes(c.kind) && c.tabIndex >= 0;

export class FocusChain {
  /**
   * @param {Array<any>} controls every control, by id
   * @param {(id: number) => HTMLElement | undefined} elementOf
   * @param {(element: Element | null) => number | undefined} idOf
   */
  constructor(controls, elementOf, idOf) {
    this.controls = controls;
    this.elementOf = elementOf;
    this.idOf = idOf;
    // Every control that can take the focus, by tab index.
    this.order = controls.filter(takesFocus).sort((a, b) => a.tabIndex - b.tabIndex);
  }

  // The first control of the order: the page puts it first among its
  // siblings, so that Tab enters and leaves the window at its own ends.
  get first() {
    return this.order[0];
  }

  focused() {
    const id = this.idOf(document.activeElement);
    return id === undefined ? null : this.controls[id];
  }

  // Whether the control and every container of it is shown and enabled.
  canFocus(c) {
    for (let at = c; at; at = at.container >= 0 ? this.controls[at.container] : null) {
      if (!at.visible || (at.kind !== 'window' && !at.enabled)) return false;
    }
    return true;
  }

  focus(c) {
    this.elementOf(c.id)?.focus({ preventScroll: true });
  }

  // Moves the focus from order position `from` by `step`, to the next
  // control that can take it; round the ends only when `wrap`. False if none.
  next(from, step, wrap) {
    const count = this.order.length;
    for (let n = 1; n <= count; n++) {
      let at = from + step * n;
      if (wrap) at = ((at % count) + count) % count;
      else if (at < 0 || at >= count) return false;
      const c = this.order[at];
      if (this.canFocus(c)) {
        this.focus(c);
        return true;
      }
    }
    return false;
  }

  // Tab and Shift+Tab go round the window's own order. At either end the
  // browser takes the key, so the focus can leave the page.
  tabKey(event) {
    if (event.key !== 'Tab' || hasShortcutModifier(event)) return;
    const c = this.focused();
    const at = c ? this.order.indexOf(c) : -1;
    if (at < 0) return;
    if (this.next(at, event.shiftKey ? -1 : 1, false)) event.preventDefault();
  }

  // A control that held the focus and was hidden or disabled by an event
  // passes it on to the next one in the order.
  keep(focused) {
    if (!focused || this.canFocus(focused)) return;
    const at = this.order.indexOf(focused);
    if (at >= 0) this.next(at, 1, true);
  }
}
