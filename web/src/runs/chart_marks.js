// How the charts tell their series apart: a colour and a shape each, so
// that series part on a black-and-white print too.
export const COLOURS = ['#1f4fa8', '#c62828', '#2e7d32', '#6a1b9a', '#e65100', '#00838f', '#4e342e', '#ad1457'];
/** @type {((x: number, y: number) => string)[]} */
export const MARKS = [
  (x, y) => `M${x - 5} ${y}a5 5 0 1 0 10 0a5 5 0 1 0 -10 0Z`,
  (x, y) => `M${x - 4.5} ${y - 4.5}h9v9h-9Z`,
  (x, y) => `M${x} ${y - 6}l5.5 9.5h-11Z`,
  (x, y) => `M${x} ${y - 6}l6 6l-6 6l-6 -6Z`,
];
