// The form's changes since the page last asked, read out of the module's
// memory: a changed control whose geometry alone moved (every figure, every
// tick of a run) comes as six numbers, and only a control that changed more
// comes as JSON text, so a tick costs no text to write or read.
//
// Each control's record is its id, what it is (0: a box moved, 1: a line
// moved, 2: more than its geometry changed, in the text) and its four
// geometry numbers, each as the JSON would have given it (NaN for null).

const kStride = 6;
const kLine = 1;
const kMore = 2;

/**
 * The changes as the page's controls take them: one object per changed
 * control, in the order the controls first changed.
 * @param {{ _shoutotsu_take_changes(): number, _shoutotsu_change_numbers(): number,
 *   _shoutotsu_change_rest(): number, HEAPF64: Float64Array, UTF8ToString(p: number): string }} module
 * @returns {Array<Record<string, any>>}
 */
export function takeChanges(module) {
  const count = module._shoutotsu_take_changes();
  if (count === 0) return [];
  // The memory may have grown with the call: its view is read after it.
  const numbers = module.HEAPF64;
  const first = module._shoutotsu_change_numbers() / 8;
  /** @type {Array<Record<string, any>> | null} */
  let rest = null;
  let nextRest = 0;
  const changes = new Array(count);
  for (let n = 0; n < count; n += 1) {
    const at = first + n * kStride;
    const what = numbers[at + 1];
    if (what === kMore) {
      rest ??= JSON.parse(module.UTF8ToString(module._shoutotsu_change_rest()));
      changes[n] = /** @type {Array<Record<string, any>>} */ (rest)[nextRest];
      nextRest += 1;
      continue;
    }
    const a = orNull(numbers[at + 2]);
    const b = orNull(numbers[at + 3]);
    const c = orNull(numbers[at + 4]);
    const d = orNull(numbers[at + 5]);
    changes[n] = what === kLine
      ? { id: numbers[at], x1: a, y1: b, x2: c, y2: d }
      : { id: numbers[at], left: a, top: b, width: c, height: d };
  }
  return changes;
}

/** @param {number} x */
const orNull = (x) => (Number.isNaN(x) ? null : x);

/**
 * Whether a change taken is more than a figure's or a control's geometry.
 * @param {Record<string, any>} change
 */
export const changedMoreThanGeometry = (change) => 'visible' in change;
