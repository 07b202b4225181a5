// A scroll bar's parts and keys, as the desktop's: arrows as long as the bar
// is thick, a square thumb whose place is the value, the thumb's value taken
// from where it is let go, and the keys of a classic scroll bar.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { draggedThumbStart, partAt, scrollParts, valueAtThumb } from '../../../web/src/scroll_geometry.js';
import { keyAction, ScrollAction } from '../../../web/src/scroll_bar.js';

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
