// The figures' canvas: laid on whole device pixels over its container at any
// ratio and scale, and what is painted on it: circles in the square of the
// smaller side, level lines on pixel centres, nothing hidden.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { canvasPlacement, figureBounds, paintFigures, repaintArea } from '../../../web/src/window/figures.js';
import { takeChanges } from '../../../web/src/window/change_list.js';

const near = (a, b, what) => assert.ok(Math.abs(a - b) < 1e-9, `${what}: ${a} is not ${b}`);

test('the canvas starts on a whole device pixel and covers its container at every ratio and scale', () => {
  // work at 1366×768: client area of a window at 34.15 px, work 8 px in.
  const box = { left: 46.15, top: 76.76, width: 1273.7, height: 509.48 };
  for (const [ratio, scale] of [[1, 1], [2, 1], [1.25, 1], [1.5, 0.6935], [3, 0.5]]) {
    const shown = { ...box, width: box.width * scale, height: box.height * scale };
    const p = canvasPlacement(shown, ratio, scale, 15);
    const where = `ratio ${ratio}, scale ${scale}`;
    const deviceLeft = box.left * ratio + p.cssLeft * ratio * scale;
    near(deviceLeft, Math.round(deviceLeft), `${where}: left on a device pixel`);
    assert.ok(p.cssLeft <= 0 && p.cssLeft > -1 / (ratio * scale), `${where}: starts at most a pixel before`);
    assert.ok(p.cssWidth * ratio * scale >= shown.width * ratio - 1e-9, `${where}: wide enough`);
    assert.ok(p.pixelsWide <= Math.ceil(shown.width * ratio) + 1, `${where}: no wider than needed`);
    near(p.cssWidth * p.perCss, p.pixelsWide, `${where}: css size is the backing size`);
    near(p.originX + 15 * p.perTwip, p.originX + ratio * scale, `${where}: 15 twips are one CSS pixel`);
  }
});

// A 2D context that records what is drawn.
function recorder() {
  const calls = [];
  const record = (name) => (...args) => calls.push([name, ...args]);
  return {
    calls,
    context: new Proxy({}, {
      get: (target, name) => (name in target ? target[name] : record(name)),
      set: (target, name, value) => {
        calls.push([`set ${String(name)}`, value]);
        return true;
      },
    }),
  };
}

test('figures are painted rearmost first, circles in the square of the smaller side, hidden ones not at all', () => {
  const placement = canvasPlacement({ left: 0, top: 0, width: 100, height: 100 }, 1, 1, 15);
  const circle = { kind: 'shape', shape: 'circle', visible: true, left: 150, top: 150, width: 300, height: 150,
    fill: 'solid', fillColor: 'rgb(0,0,255)', borderColor: 'rgb(0,0,0)', border: true };
  const hidden = { ...circle, visible: false, fillColor: 'rgb(255,0,0)' };
  const { calls, context } = recorder();
  paintFigures(context, [hidden, circle], placement);
  assert.deepEqual(calls[0], ['setTransform', 1, 0, 0, 1, 0, 0]);
  assert.ok(!calls.some(([name, value]) => name === 'set fillStyle' && value === 'rgb(255,0,0)'), 'hidden: not painted');
  const ellipses = calls.filter(([name]) => name === 'ellipse');
  // 300 × 150 twips is 20 × 10 px: a 10 px circle centred at (20, 15), less
  // half the one-pixel outline.
  assert.equal(ellipses.length, 2, 'a fill and an outline');
  for (const [, x, y, rx, ry] of ellipses) assert.deepEqual([x, y, rx, ry], [20, 15, 4.5, 4.5]);
});

test('a level line lies on a pixel centre for an odd width and on a pixel edge for an even one', () => {
  const placement = canvasPlacement({ left: 0.3, top: 0.3, width: 200, height: 100 }, 1, 1, 15);
  const line = (width) => ({ kind: 'line', visible: true, x1: 120, y1: 4920 / 10, x2: 900, y2: 4920 / 10,
    color: 'rgb(0,0,0)', lineWidth: width });
  for (const [width, expectedY] of [[1, 33.5], [5, 33.5], [2, 33]]) {
    const { calls, context } = recorder();
    paintFigures(context, [line(width)], placement);
    const move = calls.find(([name]) => name === 'moveTo');
    const to = calls.find(([name]) => name === 'lineTo');
    assert.equal(move[2], expectedY, `width ${width}`);
    assert.equal(to[2], expectedY, `width ${width}: level`);
    assert.ok(calls.some(([name, value]) => name === 'set lineCap' && value === (width > 1 ? 'round' : 'butt')));
  }
});

test('a hatch strokes only inside its box, on a pattern anchored at the container', () => {
  const placement = canvasPlacement({ left: 0, top: 0, width: 200, height: 100 }, 1, 1, 15);
  const strip = { kind: 'shape', shape: 'rectangle', visible: true, left: 120, top: 1500, width: 1200, height: 255,
    fill: 'hatch', fillColor: 'rgb(0,0,0)', borderColor: 'rgb(0,0,0)', border: false };
  const { calls, context } = recorder();
  paintFigures(context, [strip], placement);
  assert.ok(calls.some(([name]) => name === 'clip'));
  const starts = calls.filter(([name]) => name === 'moveTo').map(([, x]) => x);
  assert.ok(starts.length >= 10);
  for (const x of starts) assert.equal(((x - 100) % 8 + 8) % 8, 0, `stroke at ${x} is on the 8 px grid`);
});

test('a moved figure repaints where it was and is, grown over the whole of a slanted line it reaches', () => {
  const placement = canvasPlacement({ left: 0, top: 0, width: 400, height: 200 }, 1, 1, 15);
  const bob = { id: 1, kind: 'shape', shape: 'circle', visible: true, left: 300, top: 300, width: 150, height: 150,
    fill: 'solid', fillColor: 'rgb(0,0,255)', borderColor: 'rgb(0,0,0)', border: true };
  const rail = { id: 2, kind: 'line', visible: true, x1: 1500, y1: 1500, x2: 3000, y2: 2250, color: 'rgb(255,255,0)',
    lineWidth: 5 };
  const frame = { id: 3, kind: 'shape', shape: 'rectangle', visible: true, left: 0, top: 0, width: 6000, height: 3000,
    fill: 'none', fillColor: 'rgb(0,0,0)', borderColor: 'rgb(0,0,0)', border: true };
  const shown = (figures) => new Map(figures.map((f) => [f.id, { key: JSON.stringify(f), bounds: figureBounds(f, placement) }]));
  const before = [bob, rail, frame];
  const moved = [{ ...bob, left: 450 }, rail, frame];
  assert.deepEqual(repaintArea(shown(before), shown(moved), moved, placement), { x0: 19, y0: 19, x1: 41, y1: 31 },
    'old and new bounds; the frame, on whole pixels, is cut by the clip');
  const onRail = [{ ...bob, left: 1650, top: 1500 }, rail, frame];
  const area = repaintArea(shown(before), shown(onRail), onRail, placement);
  const railBounds = figureBounds(rail, placement);
  assert.ok(area.x0 <= railBounds.x0 && area.y0 <= railBounds.y0 && area.x1 >= railBounds.x1 && area.y1 >= railBounds.y1,
    'the rail, whose smoothing depends on the clip, is painted whole');
  assert.equal(repaintArea(shown(before), shown(before), before, placement), null, 'nothing changed');
  assert.deepEqual(repaintArea(shown(before), shown([rail, bob, frame]), [rail, bob, frame], placement), { whole: true },
    'another order');
});

test('moved figures are read as numbers, other changes from the text, in the order they changed', () => {
  // At byte 16 of the memory: a box moved, a label changed, a line moved.
  const heap = new Float64Array(2 + 18);
  heap.set([8, 0, 0.1, NaN, 300, 300, 2, 2, 0, 0, 0, 0, 9, 1, 10, 20, 30, 40], 2);
  let taken = 3;
  const module = {
    HEAPF64: heap,
    _shoutotsu_take_changes: () => [taken, taken = 0][0],
    _shoutotsu_change_numbers: () => 16,
    _shoutotsu_change_rest: () => 1,
    UTF8ToString: () => '[{"id":2,"left":0,"caption":"x","visible":true}]',
  };
  assert.deepEqual(takeChanges(module), [
    { id: 8, left: 0.1, top: null, width: 300, height: 300 },
    { id: 2, left: 0, caption: 'x', visible: true },
    { id: 9, x1: 10, y1: 20, x2: 30, y2: 40 },
  ]);
  assert.deepEqual(takeChanges(module), []);
});
