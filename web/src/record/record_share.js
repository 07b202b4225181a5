// Handing the record on, the ways a class shares work: the CSV file, the
// table on the clipboard for a spreadsheet, the chart as a picture.
import { html } from '../dom.js';

// The time in a file's name: 20261207-1930.
function stamp(now = new Date()) {
  const two = (n) => String(n).padStart(2, '0');
  return `${now.getFullYear()}${two(now.getMonth() + 1)}${two(now.getDate())}-${two(now.getHours())}${two(now.getMinutes())}`;
}

/**
 * Saves `blob` as a download named `${prefix}-${time}.${extension}`.
 * @param {Blob} blob
 * @param {string} prefix
 * @param {string} extension
 * @param {HTMLElement} near where the hidden link is put for its click
 */
export function download(blob, prefix, extension, near) {
  const url = URL.createObjectURL(blob);
  const link = html('a', { href: url, download: `${prefix}-${stamp()}.${extension}` });
  link.hidden = true;
  near.append(link);
  link.click();
  link.remove();
  // Some browsers start reading the file only after the click returns.
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

/**
 * Puts `plain` on the clipboard; false where the browser refuses (an old
 * browser, a page not served over https, a permission denied).
 * @param {string} plain
 */
export async function copyText(plain) {
  try {
    await navigator.clipboard.writeText(plain);
    return true;
  } catch {
    return false;
  }
}

// The chart's look comes from the page's style sheet; a picture of it
// stands alone, so each drawn element takes its look with it.
const kDrawnLook = ['fill', 'stroke', 'stroke-width', 'font-size', 'font-family', 'font-weight'];

/**
 * The chart `chart` (an <svg> on the page) as a PNG at `factor` times its
 * shown size, on white.
 * @param {SVGSVGElement} chart
 * @param {number} factor
 * @returns {Promise<Blob>}
 */
export async function chartPng(chart, factor = 2) {
  const shown = chart.getBoundingClientRect();
  const width = Math.round(shown.width * factor);
  const height = Math.round(shown.height * factor);
  const copy = /** @type {SVGSVGElement} */ (chart.cloneNode(true));
  const drawn = [chart, ...chart.querySelectorAll('*')];
  const copies = [copy, ...copy.querySelectorAll('*')];
  drawn.forEach((element, i) => {
    const look = getComputedStyle(element);
    for (const name of kDrawnLook) copies[i].setAttribute(name, look.getPropertyValue(name));
  });
  copy.setAttribute('xmlns', 'http://www.w3.org/2000/svg');
  copy.setAttribute('width', String(width));
  copy.setAttribute('height', String(height));
  const source = new XMLSerializer().serializeToString(copy);
  const image = new Image();
  image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(source)}`;
  await image.decode();
  const canvas = html('canvas', { width, height });
  const context = /** @type {HTMLCanvasElement} */ (canvas).getContext('2d');
  context.fillStyle = '#ffffff';
  context.fillRect(0, 0, width, height);
  context.drawImage(image, 0, 0, width, height);
  return new Promise((resolve, reject) => {
    /** @type {HTMLCanvasElement} */ (canvas).toBlob((blob) => (blob ? resolve(blob) : reject(new Error('no PNG'))), 'image/png');
  });
}
