// Where the window stands on the page, and the finger-sized hit areas of its
// small targets.
import { hitReach, wantedReach } from './scroll_geometry.js';

/**
 * The window at its place on the screen (CSS pixels); when it does not fit
 * the viewport (turned, zoomed, too small) it is scaled evenly to fit and
 * centred. `box` is the window's { left, top, width, height }, `screen` the
 * viewport's { width, height }; `kept` is what the screen's edges keep for
 * other things ({ top, right, bottom, left }, the lesson's bar where no
 * margin beside the window holds it): the window then fits the rest.
 */
export function fitWindow(box, screen, kept = { top: 0, right: 0, bottom: 0, left: 0 }) {
  const { left, top, width, height } = box;
  const room = {
    left: kept.left,
    top: kept.top,
    width: screen.width - kept.left - kept.right,
    height: screen.height - kept.top - kept.bottom,
  };
  if (left >= room.left && top >= room.top && left + width <= room.left + room.width && top + height <= room.top + room.height) {
    return { left, top, scale: 1 };
  }
  const scale = Math.min(1, room.width / width, room.height / height);
  return { left: room.left + (room.width - width * scale) / 2, top: room.top + (room.height - height * scale) / 2, scale };
}

const kSides = ['top', 'right', 'bottom', 'left'];

/**
 * Gives each scroll bar and option a hit area a finger can press, grown
 * into the room its neighbours leave (see hitReach), in the window's own
 * pixels; nothing drawn moves. `targets` are { c, element, bar } of every
 * shown button, scroll bar and option; `scale` is the window's.
 */
export function reachTargets(targets, scale) {
  const boxes = targets.map(({ element }) => {
    const box = element.getBoundingClientRect();
    return { left: box.left / scale, top: box.top / scale, width: box.width / scale, height: box.height / scale };
  });
  const wanted = targets.map(({ c }, i) => {
    if (c.kind === 'button') return { top: 0, right: 0, bottom: 0, left: 0 };
    const arrow = c.kind === 'scrollbar' ? Math.min(boxes[i].width, boxes[i].height) : 0;
    return wantedReach(boxes[i], arrow);
  });
  hitReach(boxes, wanted).forEach((reach, i) => {
    const { c, element, bar } = targets[i];
    if (c.kind === 'scrollbar') bar.setReach(reach);
    else if (c.kind === 'option') for (const side of kSides) element.style.setProperty(`--reach-${side}`, `${reach[side]}px`);
  });
}

// An element's box on the page with its hit area, at the window's `scale`.
export function hitBox(element, scale) {
  const box = element.getBoundingClientRect();
  const reach = (side) => (Number.parseFloat(element.style.getPropertyValue(`--reach-${side}`)) || 0) * scale;
  return { left: box.left - reach('left'), right: box.right + reach('right'), top: box.top - reach('top'), bottom: box.bottom + reach('bottom') };
}
