// What is worth making only when it is first needed, and then kept.

/**
 * A function that makes its value with `make` the first time it is called
 * and gives that same value ever after.
 * @template T
 * @param {() => T} make
 * @returns {() => T}
 */
export function once(make) {
  /** @type {{ value: T } | undefined} */
  let made;
  return () => (made ??= { value: make() }).value;
}
