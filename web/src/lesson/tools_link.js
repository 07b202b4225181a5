// The measuring aids in a teacher's link: "tools=ruler,strobe" turns them
// on for the page it opens. A name that is no aid is left out and named in
// the link's notice; the rest still applies.
import { AIDS } from '../aids/aids_store.js';
import { text } from '../i18n/text.js';

export const TOOLS_NAME = 'tools';

/**
 * The aids "tools=…" names, in the page's order, and the names that are none.
 * @param {string} value
 * @returns {{ tools: import('../aids/aids_store.js').Aid[], unknown: string[] }}
 */
export function readTools(value) {
  const named = value.split(',').map((part) => part.trim()).filter((part) => part !== '');
  const unknown = named.filter((part) => !AIDS.includes(/** @type {any} */ (part)));
  return { tools: AIDS.filter((aid) => named.includes(aid)), unknown: [...new Set(unknown)] };
}

/**
 * The query's part for `tools` ("tools=ruler,strobe"), or none.
 * @param {string[]} tools
 * @returns {string[]}
 */
export function toolsQuery(tools) {
  const on = AIDS.filter((aid) => tools.includes(aid));
  return on.length > 0 ? [`${TOOLS_NAME}=${on.join(',')}`] : [];
}

/** @param {string} value the name that is no aid */
export const toolProblemText = (value) => text('lessonBadTool', { value, accepted: AIDS.join(', ') });
