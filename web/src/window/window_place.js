// The window at its place on the screen: where the form puts it, at 15
// twips per CSS pixel, scaled evenly where the screen is smaller
// (window_fit.js), with its client area inside the frame; the screen's edges
// may be kept for the lesson's bar.
import { fitWindow } from './window_fit.js';

/** @typedef {{ left: number, top: number, width: number, height: number }} Box */
/** @typedef {{ top: number, right: number, bottom: number, left: number }} Edges */

/** @type {{ natural: Box, screen: { width: number, height: number }, kept: Edges } | null} */
let last = null;

/**
 * How the window shown now was last placed: its box unscaled, the screen
 * and the edges kept (null before the first placing).
 */
export const lastPlacing = () => last;

/**
 * Places the window's element and its client area for the screen as it is
 * now; the scale it is drawn at.
 * @param {{ window: { left: number, top: number, width: number, height: number }, twipsPerPixel: number,
 *   border: number, caption: number, windowElement: HTMLElement, client: HTMLElement, kept: Edges }} page
 * @returns {number}
 */
export function placeWindow(page) {
  const px = (/** @type {number} */ twips) => twips / page.twipsPerPixel;
  const main = page.window;
  const width = px(main.width);
  const height = px(main.height);
  const screen = {
    width: document.documentElement.clientWidth || innerWidth,
    height: document.documentElement.clientHeight || innerHeight,
  };
  const natural = { left: px(main.left), top: px(main.top), width, height };
  const { left, top, scale } = fitWindow(natural, screen, page.kept);
  const element = page.windowElement;
  element.style.left = `${left}px`;
  element.style.top = `${top}px`;
  element.style.width = `${width}px`;
  element.style.height = `${height}px`;
  element.style.transform = scale === 1 ? '' : `scale(${scale})`;
  element.style.setProperty('--halo', `${1 / scale}px`);
  const { client, border, caption } = page;
  client.style.left = `${border}px`;
  client.style.top = `${caption}px`;
  client.style.width = `${Math.max(0, width - 2 * border)}px`;
  client.style.height = `${Math.max(0, height - caption - border)}px`;
  last = { natural, screen, kept: page.kept };
  return scale;
}
