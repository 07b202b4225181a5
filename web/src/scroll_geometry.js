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
