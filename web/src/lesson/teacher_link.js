// What the teacher's panel shows, worked out from the form's state alone:
// the link for the conditions as the core holds them, and the conditions
// whose value a link cannot carry. No page element is touched here.
import { fitsBar, lessonQuery, LINK_ORDER } from './lesson_link.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';

/**
 * @typedef {{ values: Record<string, number>, speed: string }} Settings
 * @typedef {{ query: string, unfit: { key: string, value: number }[] }} PanelLink
 */

/**
 * The panel's link for `settings`, fixing `ticked`, with the measuring aids
 * `tools` on, in language `lang` ('' to leave the language to the learner's
 * device). A value a dragged thumb left between two steps cannot go in a
 * link: it is named in `unfit` instead.
 * @param {Settings} settings
 * @param {string[]} ticked
 * @param {string[]} tools
 * @param {string} lang
 * @param {import('./lesson_link.js').Table} [table]
 * @returns {PanelLink}
 */
export function panelLink(settings, ticked, tools, lang, table = PARAMETER_TABLE) {
  /** @type {Record<string, number>} */
  const values = {};
  /** @type {{ key: string, value: number }[]} */
  const unfit = [];
  for (const key of LINK_ORDER) {
    const parameter = table.parameters.find((p) => p.key === key);
    const value = settings.values[key];
    if (parameter && fitsBar(parameter, value)) values[key] = value;
    else unfit.push({ key, value });
  }
  return { query: lessonQuery({ values, speed: settings.speed, locks: ticked, tools, lang }, table), unfit };
}
