// The measuring aids on the drawing area: a canvas of their own just under
// the figures' canvas, laid on the same device pixels, so the bobs, the
// landing marker and the result stay above whatever the aids draw. While
// both aids are off the canvas is hidden and nothing is painted.
import { canvasPlacement } from '../window/figures.js';
import { paintRuler } from './ruler.js';
import { paintStrobe } from './strobe.js';
import { aidOn, onAidChange } from './aids_store.js';

/**
 * @typedef {{ scale: number, edgeX: number, floorY: number, floorEnd: number,
 *   workWidth: number, workHeight: number }} FloorScale
 * @typedef {{ phase: string, tick: number, a: number[], b: number[] }} StrobeImage
 */

export class AidsLayer {
  /**
   * @param {import('../window/page.js').FormPage} page the started page
   * @param {{ floorScale(): FloorScale, strobe(): StrobeImage[] }} aids the core's entries
   */
  constructor(page, aids) {
    this.page = page;
    this.aids = aids;
    const controlNamed = (name) => page.controls.find((c) => c.name === name);
    this.work = page.views.get(controlNamed('work').id).element;
    this.bobs = { a: controlNamed('tamaA'), b: controlNamed('tamaB') };
    this.canvas = document.createElement('canvas');
    this.canvas.className = 'aids';
    this.canvas.setAttribute('aria-hidden', 'true');
    this.canvas.dataset.control = 'aids';
    this.canvas.hidden = true;
    const figures = this.work.querySelector(':scope > canvas.figures');
    if (figures) figures.before(this.canvas);
    else this.work.prepend(this.canvas);
    this.context = this.canvas.getContext('2d');
    this.floor = aids.floorScale();
    this.placement = null;
    this.request = 0;
    page.desk.addEventListener('shoutotsu:placed', () => this.layout());
    page.afterEvents(() => {
      if (aidOn('strobe')) this.requestPaint();
    });
    onAidChange(() => this.layout());
    // The ruler's ink follows the system's colours when they are forced.
    matchMedia('(forced-colors: active)').addEventListener?.('change', () => this.requestPaint());
    this.layout();
  }

  // On the same device pixels as the figures of the drawing area.
  layout() {
    this.canvas.hidden = !aidOn('ruler') && !aidOn('strobe');
    if (this.canvas.hidden) {
      // Nothing left behind for the next time an aid is turned on.
      this.context?.clearRect(0, 0, this.canvas.width, this.canvas.height);
      return;
    }
    const box = this.work.getBoundingClientRect();
    const p = canvasPlacement(box, devicePixelRatio || 1, this.page.scale, this.page.twipsPerPixel);
    const { canvas } = this;
    if (canvas.width !== p.pixelsWide) canvas.width = p.pixelsWide;
    if (canvas.height !== p.pixelsHigh) canvas.height = p.pixelsHigh;
    canvas.style.left = `${p.cssLeft}px`;
    canvas.style.top = `${p.cssTop}px`;
    canvas.style.width = `${p.cssWidth}px`;
    canvas.style.height = `${p.cssHeight}px`;
    this.placement = p;
    this.requestPaint();
  }

  requestPaint() {
    if (this.request === 0) this.request = requestAnimationFrame(() => this.paint());
  }

  paint() {
    this.request = 0;
    const g = this.context;
    const p = this.placement;
    if (!g || !p || this.canvas.hidden) return;
    g.setTransform(1, 0, 0, 1, 0, 0);
    g.clearRect(0, 0, p.pixelsWide, p.pixelsHigh);
    if (aidOn('strobe')) paintStrobe(g, p, this.aids.strobe(), this.bobs);
    if (aidOn('ruler')) {
      const style = getComputedStyle(this.canvas);
      paintRuler(g, p, this.floor, { ink: style.color, backing: style.outlineColor });
    }
  }
}
