// Where the parts of a classic scroll bar lie along its length: an arrow
// button at each end (as long as the bar is thick), the track between them
// and in it a square thumb whose place shows the value. Lengths are CSS
// pixels along the bar; the minimum is at the left or top end.
export function scrollParts(length, thickness, minimum, maximum, value) {
  const arrow = Math.min(thickness, length / 2);
  const track = Math.max(0, length - 2 * arrow);
  const thumb = Math.min(thickness, track);
  const travel = track - thumb;
  const span = maximum - minimum;
  const share = span > 0 ? (value - minimum) / span : 0;
  return { arrow, track, thumb, travel, thumbStart: arrow + travel * share };
}

// The part under a point `at` pixels from the minimum end.
export function partAt(parts, length, at) {
  if (at < parts.arrow) return 'decrement-arrow';
  if (at >= length - parts.arrow) return 'increment-arrow';
  if (parts.thumb <= 0) return 'none';
  if (at < parts.thumbStart) return 'decrement-track';
  if (at >= parts.thumbStart + parts.thumb) return 'increment-track';
  return 'thumb';
}

// The value a thumb let go with its start at `thumbStart` stands for: the
// nearest whole value of the range.
export function valueAtThumb(parts, thumbStart, minimum, maximum) {
  if (parts.travel <= 0) return minimum;
  const share = Math.min(1, Math.max(0, (thumbStart - parts.arrow) / parts.travel));
  return Math.round(minimum + share * (maximum - minimum));
}

// The thumb's start while it is dragged: where it was when grabbed, moved
// with the pointer and kept within the track.
export function draggedThumbStart(parts, grabbedStart, moved) {
  return Math.min(parts.arrow + parts.travel, Math.max(parts.arrow, grabbedStart + moved));
}

// The least size of anything a finger presses, CSS pixels (WCAG 2.2, 2.5.8).
export const kMinTargetPx = 24;

// The part a press at `at` pixels from the minimum end falls on, where each
// part's hit area is at least a finger wide without anything drawn moving:
// `reach` is how far the bar's hit area stands out beyond each end
// ({ before, after }). Each arrow takes what it lacks of the least size
// first from beyond its end, then from the track; the thumb's area is
// centred on it between the arrows' areas; the track keeps the rest.
export function hitPartAt(parts, length, at, reach) {
  const decrementEnd = Math.max(parts.arrow, kMinTargetPx - reach.before);
  const incrementStart = Math.min(length - parts.arrow, length - (kMinTargetPx - reach.after));
  if (at < decrementEnd) return 'decrement-arrow';
  if (at >= incrementStart) return 'increment-arrow';
  if (parts.thumb <= 0) return 'none';
  const size = Math.max(parts.thumb, kMinTargetPx);
  const start = Math.max(decrementEnd, Math.min(parts.thumbStart + (parts.thumb - size) / 2, incrementStart - size));
  if (at < start) return 'decrement-track';
  if (at >= start + size) return 'increment-track';
  return 'thumb';
}

// How far each target's hit area stands out beyond its drawn box, so that it
// is at least `kMinTargetPx` each way where the neighbours leave room: never
// past half the gap to another target, so no two hit areas overlap.
// `boxes`: { left, top, width, height } in one coordinate space; `wanted`
// gives each box's wish per side ({ top, right, bottom, left }).
export function hitReach(boxes, wanted) {
  return boxes.map((box, i) => {
    const reach = { ...wanted[i] };
    boxes.forEach((other, j) => {
      if (j === i) return;
      const band = kMinTargetPx;
      const acrossRows = other.top < box.top + box.height + band && other.top + other.height > box.top - band;
      const acrossColumns = other.left < box.left + box.width + band && other.left + other.width > box.left - band;
      const half = (gap) => Math.max(0, gap / 2);
      if (acrossRows && other.left >= box.left + box.width) reach.right = Math.min(reach.right, half(other.left - box.left - box.width));
      if (acrossRows && other.left + other.width <= box.left) reach.left = Math.min(reach.left, half(box.left - other.left - other.width));
      if (acrossColumns && other.top >= box.top + box.height) reach.bottom = Math.min(reach.bottom, half(other.top - box.top - box.height));
      if (acrossColumns && other.top + other.height <= box.top) reach.top = Math.min(reach.top, half(box.top - other.top - other.height));
    });
    return reach;
  });
}

// What a target wants beyond each side: enough for the least size across,
// and for a scroll bar, enough along it for each arrow to be a finger long.
export function wantedReach(box, arrow = 0) {
  const across = (size) => Math.max(0, (kMinTargetPx - size) / 2);
  if (arrow > 0) {
    const along = Math.max(0, kMinTargetPx - arrow);
    const vertical = box.height > box.width;
    return vertical
      ? { top: along, bottom: along, left: across(box.width), right: across(box.width) }
      : { top: across(box.height), bottom: across(box.height), left: along, right: along };
  }
  return { top: across(box.height), bottom: across(box.height), left: across(box.width), right: across(box.width) };
}
