// Shows one control's state, as the form sent it, in the control's page
// element. Only what changed since the last time is written.
import { showText } from './text_fit.js';
import { accessibleDescription, accessibleName, shownCaption } from './window_text.js';

const px = (twips, twipsPerPixel) => twips / twipsPerPixel;

/**
 * Shows control `c` in its view ({ element, bar, legend, description });
 * `before` is what was shown (null: nothing yet). True when the control's
 * box moved or changed size.
 */
export function showControl(view, c, before, twipsPerPixel) {
  const changed = (...keys) => before === null || keys.some((k) => before[k] !== c[k]);
  const { element } = view;
  let moved = false;
  if (changed('left', 'top', 'width', 'height')) {
    element.style.left = `${px(c.left, twipsPerPixel)}px`;
    element.style.top = `${px(c.top, twipsPerPixel)}px`;
    element.style.width = `${px(c.width, twipsPerPixel)}px`;
    element.style.height = `${px(c.height, twipsPerPixel)}px`;
    view.bar?.setSize(px(c.width, twipsPerPixel), px(c.height, twipsPerPixel));
    moved = before !== null;
  }
  if (changed('visible')) element.hidden = !c.visible;
  // A caption is fitted to its box once the box is on the screen.
  if (changed('caption', 'visible')) showCaption(view, c);
  if (changed('enabled', 'value')) showValue(view, c);
  if (changed('accessibleName', 'accessibleDescription', 'valueNow')) showAccessibleText(view, c);
  return moved;
}

function showCaption(view, c) {
  const shown = shownCaption(c);
  // A text from the tables in another language may need fitting.
  const how = { fit: shown.text !== c.caption, wordRow: c.displayName === 'Label3' };
  switch (c.kind) {
    case 'button':
    case 'label':
      showText(view.element, shown.text, how);
      break;
    case 'frame':
      showText(view.legend, shown.text, how);
      break;
    default:
      break; // an option's own caption is never seen
  }
}

function showValue(view, c) {
  const { element } = view;
  switch (c.kind) {
    case 'button':
      element.disabled = !c.enabled;
      break;
    case 'scrollbar':
      view.bar.show(c.value, c.enabled);
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

function showAccessibleText(view, c) {
  const { element } = view;
  // Buttons, frames and labels are named by the text they show.
  switch (c.kind) {
    case 'scrollbar':
      // The number the learner reads beside the bar, not the bar's own.
      element.setAttribute('aria-label', accessibleName(c));
      element.setAttribute('aria-valuetext', c.accessibleDescription);
      element.setAttribute('aria-valuenow', String(c.valueNow ?? c.value));
      element.setAttribute('aria-valuemin', String(c.valueMin ?? c.minimum));
      element.setAttribute('aria-valuemax', String(c.valueMax ?? c.maximum));
      break;
    case 'option':
      element.setAttribute('aria-label', accessibleName(c));
      break;
    case 'picture':
      element.setAttribute('aria-label', accessibleName(c));
      view.description.textContent = accessibleDescription(c);
      break;
    default:
      break;
  }
}
