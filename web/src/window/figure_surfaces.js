// The canvases the windowless figures (shapes and lines) are painted on, one
// per container, each laid on whole device pixels over its container and
// painted at most once an animation frame: after a tick, only the pixels the
// figures that moved left and entered, so a frame's raster and upload stay
// small on a device without a GPU.
import { canvasPlacement, figureBounds, paintFigures, repaintArea } from './figures.js';

export const isFigure = (c) => c.kind === 'shape' || c.kind === 'line';

export class FigureSurfaces {
  /** @param {Array<any>} controls every control, by id */
  constructor(controls, twipsPerPixel) {
    this.controls = controls;
    this.twipsPerPixel = twipsPerPixel;
    // container id -> { canvas, context, placement, over, shown }; shown is
    // what was last painted (figure id -> { key, bounds }), null before the
    // first paint and after each new placement.
    this.surfaces = new Map();
    this.dirty = new Set(); // containers whose figures need painting
    this.request = 0;
  }

  // A canvas for the figures of `container`, in `parent`; `over` is the
  // element whose box it covers.
  add(container, parent, over) {
    const canvas = document.createElement('canvas');
    canvas.className = 'figures';
    canvas.setAttribute('aria-hidden', 'true');
    parent.append(canvas);
    this.surfaces.set(container.id, { canvas, context: canvas.getContext('2d'), placement: null, over, shown: null });
    this.dirty.add(container.id);
  }

  has(containerId) {
    return this.surfaces.has(containerId);
  }

  // A figure of `containerId` changed: paint it at the next frame.
  changed(containerId) {
    this.dirty.add(containerId);
    this.requestPaint();
  }

  // Lays each canvas on whole device pixels over its container, at the
  // page's `scale`.
  layout(scale) {
    for (const [id, surface] of this.surfaces) {
      const box = surface.over().getBoundingClientRect();
      const placement = canvasPlacement(box, devicePixelRatio || 1, scale, this.twipsPerPixel);
      const { canvas } = surface;
      if (canvas.width !== placement.pixelsWide) canvas.width = placement.pixelsWide;
      if (canvas.height !== placement.pixelsHigh) canvas.height = placement.pixelsHigh;
      canvas.style.left = `${placement.cssLeft}px`;
      canvas.style.top = `${placement.cssTop}px`;
      canvas.style.width = `${placement.cssWidth}px`;
      canvas.style.height = `${placement.cssHeight}px`;
      surface.placement = placement;
      surface.shown = null;
      this.dirty.add(id);
    }
    this.requestPaint();
  }

  requestPaint() {
    if (this.request === 0) this.request = requestAnimationFrame(() => this.paintNow());
  }

  paintNow() {
    if (this.request !== 0) cancelAnimationFrame(this.request);
    this.request = 0;
    for (const id of this.dirty) {
      const surface = this.surfaces.get(id);
      if (!surface?.placement) continue;
      const figures = this.controls[id].children.map((child) => this.controls[child]).filter(isFigure);
      const before = surface.shown;
      const shown = new Map(figures.map((f) => {
        const key = drawnKey(f);
        const was = before?.get(f.id);
        return [f.id, was?.key === key ? was : { key, bounds: figureBounds(f, surface.placement) }];
      }));
      const area = before ? repaintArea(before, shown, figures, surface.placement) : { whole: true };
      surface.shown = shown;
      if (area) paintFigures(surface.context, figures, surface.placement, 'whole' in area ? null : area);
    }
    this.dirty.clear();
  }
}

// What of a figure its painting depends on and a handler can change: the
// rest (its kind, colours, fill, width) is fixed when the form loads.
/** @param {Record<string, any>} f */
const drawnKey = (f) => (f.kind === 'line'
  ? `${f.visible} ${f.x1} ${f.y1} ${f.x2} ${f.y2}`
  : `${f.visible} ${f.left} ${f.top} ${f.width} ${f.height}`);
