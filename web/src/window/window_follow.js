// The window follows the screen: placed again (scaled to fit, its targets
// grown for a finger) when the viewport is resized or the lesson's bar asks
// for an edge of the screen, and its canvases laid out again when the
// device's pixel ratio changes (the page dragged to another display, a
// zoom). No value of the form changes.
import { reachTargets } from './window_fit.js';
import { placeWindow } from './window_place.js';

/**
 * Puts the window at its place, scaled evenly where the screen is smaller,
 * and tells what stands around it (the lesson's tools) to follow.
 * @param {any} page the FormPage
 */
export function fitToScreen(page) {
  page.scale = placeWindow(page);
  page.surfaces.layout(page.scale);
  const targets = page.controls
    .filter((/** @type {any} */ c) => ['scrollbar', 'option', 'button'].includes(c.kind) && c.visible)
    .map((/** @type {any} */ c) => ({ c, ...page.views.get(c.id) }));
  reachTargets(targets, page.scale);
  page.desk.dispatchEvent(new CustomEvent('shoutotsu:placed'));
}

/**
 * Places the window again whenever the screen changes, until `signal` aborts.
 * @param {any} page the FormPage
 * @param {AbortSignal} signal
 */
export function followScreen(page, signal) {
  addEventListener('resize', () => page.fit(), { signal });
  // The lesson's bar asks for an edge of the screen where no margin beside
  // the window holds it.
  page.desk.addEventListener('shoutotsu:keep-edges', (/** @type {Event} */ e) => {
    page.kept = /** @type {CustomEvent} */ (e).detail;
    page.fit();
  }, { signal });
  const watchPixelRatio = () => {
    const query = matchMedia(`(resolution: ${devicePixelRatio}dppx)`);
    query.addEventListener?.('change', () => {
      page.surfaces.layout(page.scale);
      watchPixelRatio();
    }, { once: true, signal });
  };
  watchPixelRatio();
}
