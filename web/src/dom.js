// Making page elements with their attributes and text in one call.

const SVG = 'http://www.w3.org/2000/svg';

/**
 * @template {keyof HTMLElementTagNameMap} K
 * @param {K} name
 * @param {Record<string, string | number | boolean>} [attributes]
 * @param {string} [text] set as text, never as markup
 * @returns {HTMLElementTagNameMap[K]}
 */
export function html(name, attributes = {}, text) {
  const element = document.createElement(name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  if (text !== undefined) element.textContent = text;
  return element;
}

/**
 * @param {string} name
 * @param {Record<string, string | number | boolean>} [attributes]
 * @param {string} [text]
 */
export function svg(name, attributes = {}, text) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  if (text !== undefined) element.textContent = text;
  return element;
}
