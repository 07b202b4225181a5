// A scroll bar's parts and keys, as the desktop's: arrows as long as the bar
// is thick, a square thumb whose place is the value, the thumb's value taken
// from where it is let go, and the keys of a classic scroll bar.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { draggedThumbStart, hitPartAt, hitReach, partAt, scrollParts, valueAtThumb, wantedReach } from '../../../web/src/window/scroll_geometry.js';
import { keyAction, ScrollAction } from '../../../web/src/window/scroll_bar.js';

// T1mScroll: 975 × 255 twips, 10..50.
const length = 65;
const thickness = 17;

test('the thumb stands along the track in proportion to the value', () => {
  const at = (value) => scrollParts(length, thickness, 10, 50, value);
  assert.deepEqual(at(10), { arrow: 17, track: 31, thumb: 17, travel: 14, thumbStart: 17 });
  assert.equal(at(30).thumbStart, 24);
  assert.equal(at(50).thumbStart, 31);
  // A bar shorter than two arrows: the arrows share it and there is no thumb.
  const tiny = scrollParts(20, 17, 0, 10, 5);
  assert.deepEqual([tiny.arrow, tiny.track, tiny.thumb], [10, 0, 0]);
  assert.equal(partAt(tiny, 20, 9), 'decrement-arrow');
  assert.equal(partAt(tiny, 20, 10), 'increment-arrow');
  // A range of one value puts the thumb at the start.
  assert.equal(scrollParts(length, thickness, 5, 5, 5).thumbStart, 17);
});

test('each point of the bar is in one part: arrows, the track on each side of the thumb, the thumb', () => {
  const parts = scrollParts(length, thickness, 10, 50, 30); // thumb 24..41
  const cases = [
    [0, 'decrement-arrow'], [16.9, 'decrement-arrow'], [17, 'decrement-track'], [23.9, 'decrement-track'],
    [24, 'thumb'], [40.9, 'thumb'], [41, 'increment-track'], [47.9, 'increment-track'],
    [48, 'increment-arrow'], [65, 'increment-arrow'],
  ];
  for (const [x, part] of cases) assert.equal(partAt(parts, length, x), part, `at ${x}`);
});

test('a dragged thumb stays in the track and gives the nearest whole value where it is let go', () => {
  const parts = scrollParts(length, thickness, 10, 50, 20); // thumb at 20.5
  assert.equal(draggedThumbStart(parts, parts.thumbStart, 100), 31);
  assert.equal(draggedThumbStart(parts, parts.thumbStart, -100), 17);
  assert.equal(draggedThumbStart(parts, parts.thumbStart, 2), 22.5);
  assert.equal(valueAtThumb(parts, 31, 10, 50), 50);
  assert.equal(valueAtThumb(parts, 17, 10, 50), 10);
  assert.equal(valueAtThumb(parts, 22.5, 10, 50), 26); // any integer of the range, as on the desktop
  assert.equal(valueAtThumb(parts, 22.4, 10, 50), 25);
  assert.equal(valueAtThumb(parts, 999, 10, 50), 50);
  // Hscroll, upright: 1095 twips long, 10..40.
  const upright = scrollParts(73, 17, 10, 40, 30);
  assert.equal(valueAtThumb(upright, upright.thumbStart, 10, 40), 30, 'letting go where it was changes nothing');
});

test('the keys of a classic scroll bar in both orientations, none with a shortcut modifier', () => {
  const key = (name, mods = {}) => keyAction({ key: name, ctrlKey: false, altKey: false, metaKey: false, ...mods });
  assert.equal(key('ArrowLeft'), ScrollAction.LineDecrement);
  assert.equal(key('ArrowUp'), ScrollAction.LineDecrement);
  assert.equal(key('ArrowRight'), ScrollAction.LineIncrement);
  assert.equal(key('ArrowDown'), ScrollAction.LineIncrement);
  assert.equal(key('PageUp'), ScrollAction.PageDecrement);
  assert.equal(key('PageDown'), ScrollAction.PageIncrement);
  assert.equal(key('Home'), ScrollAction.ToMinimum);
  assert.equal(key('End'), ScrollAction.ToMaximum);
  assert.equal(key('Tab'), null);
  assert.equal(key(' '), null);
  for (const mod of ['ctrlKey', 'altKey', 'metaKey']) assert.equal(key('ArrowLeft', { [mod]: true }), null, mod);
  assert.equal(key('ArrowLeft', { shiftKey: true }), ScrollAction.LineDecrement);
});

test('a finger\'s hit areas: each arrow and the thumb 24 px long, the track the rest', () => {
  // Room beyond both ends: each arrow grows outwards and keeps the whole
  // drawn thumb, even with the thumb against it.
  const atMinimum = scrollParts(length, thickness, 10, 50, 10); // thumb 17..34
  const roomy = { before: 7, after: 7 };
  const partsAt = (parts, reach, points) => points.map((x) => hitPartAt(parts, length, x, reach));
  assert.deepEqual(partsAt(atMinimum, roomy, [-7, 16.9, 17, 40.9, 41, 47.9, 48, 72]),
    ['decrement-arrow', 'decrement-arrow', 'thumb', 'thumb', 'increment-track', 'increment-track',
      'increment-arrow', 'increment-arrow']);
  // A neighbour 7 px away leaves 3.5 px: the arrow takes the rest from the
  // track, and the thumb's area moves along beside it.
  const tight = { before: 3.5, after: 3.5 };
  assert.deepEqual(partsAt(atMinimum, tight, [20.4, 20.5, 44.4, 44.5]),
    ['decrement-arrow', 'thumb', 'thumb', 'increment-arrow']);
  // A thumb in the middle: its area is centred on it.
  const middle = scrollParts(113, thickness, 50, 80, 65); // thumb 48..65
  assert.deepEqual([44.4, 44.5, 68.4, 68.5].map((x) => hitPartAt(middle, 113, x, roomy)),
    ['decrement-track', 'thumb', 'thumb', 'increment-track']);
});

test('hit areas grow to 24 px where there is room, and only to half the gap where a neighbour is near', () => {
  // A horizontal bar with a vertical bar 7 px to its left and an option
  // below, as in the rail's frame.
  const bar = { left: 384, top: 686, width: 113, height: 17 };
  const upright = { left: 360, top: 630, width: 17, height: 73 };
  const option = { left: 521, top: 686, width: 17, height: 12 };
  const boxes = [bar, upright, option];
  const [barReach, uprightReach, optionReach] = hitReach(boxes, [
    wantedReach(bar, 17), wantedReach(upright, 17), wantedReach(option)]);
  assert.deepEqual(barReach, { top: 3.5, bottom: 3.5, left: 3.5, right: 7 });
  assert.deepEqual(uprightReach, { top: 7, bottom: 7, left: 3.5, right: 3.5 });
  assert.deepEqual(optionReach, { top: 6, bottom: 6, left: 3.5, right: 3.5 });
});
