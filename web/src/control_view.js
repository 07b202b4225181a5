// Shows one control's state, as the form sent it, in the control's page
// element. Only what changed since the last time is written.

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
  if (changed('caption')) showCaption(view, c);
  if (changed('enabled', 'value')) showValue(view, c);
  if (changed('accessibleName', 'accessibleDescription', 'valueNow')) showAccessibleText(view, c);
  return moved;
}

function showCaption(view, c) {
  switch (c.kind) {
    case 'button':
    case 'label':
      view.element.textContent = c.caption;
      break;
    case 'frame':
      view.legend.textContent = c.caption;
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
      view.description.textContent = c.accessibleDescription;
      break;
    default:
      break;
  }
}
