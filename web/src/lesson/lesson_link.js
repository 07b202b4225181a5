// The link a teacher hands out: its query sets the window's conditions and
// speed, and fixes some of the conditions for the lesson.
//   ?m1=10&height=20&speed=slow&lock=m2,r1,r2,height,length&tools=ruler
// A condition's value is the number its label shows (g, mm, cm), on its
// scroll bar's range and step, as the core's table has them. Whatever does
// not fit is left out and named in `problems`, so that the page can say
// what it ignored; the rest still applies. No page element is touched here.
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { text } from '../i18n/text.js';
import { readTools, TOOLS_NAME, toolProblemText, toolsQuery } from './tools_link.js';

/**
 * @typedef {{ key: string, name: string, unit: string, minimum: number, maximum: number,
 *   step: number, default: number }} Parameter
 * @typedef {{ parameters: Parameter[], speeds: { key: string, name: string }[] }} Table
 * @typedef {{ kind: 'value' | 'speed' | 'lock' | 'tool' | 'unknown' | 'repeated', name: string,
 *   value: string }} Problem
 * @typedef {{ values: Record<string, number>, speed: string | null, locks: string[],
 *   tools: string[], problems: Problem[] }} Lesson
 */

// The conditions in the order of the window's frames, left to right (the
// record's columns), which is how a link lists them.
export const LINK_ORDER = ['m1', 'm2', 'r1', 'r2', 'height', 'length'];
// Names the link may carry besides: the speed, the locks, and the page's
// language (read where the page picks its language).
const OTHER_NAMES = ['speed', 'lock', TOOLS_NAME, 'lang'];
// A value longer than this is cut in a notice; nobody types it on purpose.
const SHOWN_LENGTH = 20;

/**
 * Whether the label of `parameter` can show `value`: a whole number on its
 * scroll bar's range and step.
 * @param {Parameter} parameter
 * @param {number} value
 */
export function fitsBar(parameter, value) {
  return Number.isInteger(value) && value >= parameter.minimum && value <= parameter.maximum
    && (value - parameter.minimum) % parameter.step === 0;
}

/**
 * The lesson in an address's query (location.search, with or without "?").
 * A name given twice is ignored altogether: which one was meant is unknown.
 * @param {string} search
 * @param {Table} [table]
 * @returns {Lesson}
 */
export function readLesson(search, table = PARAMETER_TABLE) {
  const parameters = new Map(table.parameters.map((p) => [p.key, p]));
  const speeds = table.speeds.map((s) => s.key);
  /** @type {Lesson} */
  const lesson = { values: {}, speed: null, locks: [], tools: [], problems: [] };
  const pairs = [...new URLSearchParams(search)].filter(([name, value]) => name !== '' || value !== '');
  const counts = new Map();
  for (const [name] of pairs) counts.set(name, (counts.get(name) ?? 0) + 1);
  const named = new Set(); // names already reported
  /** @param {string} part */
  const cut = (part) => (part.length > SHOWN_LENGTH ? `${part.slice(0, SHOWN_LENGTH)}…` : part);
  /** @type {(kind: Problem['kind'], name: string, value?: string) => void} */
  const problem = (kind, name, value = '') => {
    lesson.problems.push({ kind, name: cut(name), value: cut(value) });
  };
  for (const [name, value] of pairs) {
    const known = parameters.has(name) || OTHER_NAMES.includes(name);
    if (!known || counts.get(name) > 1) {
      if (!named.has(name)) problem(known ? 'repeated' : 'unknown', name, value);
      named.add(name);
    } else {
      readPair(lesson, name, value, { parameters, speeds, problem });
    }
  }
  return lesson;
}

/**
 * Reads one known name of the link, given once, into `lesson`.
 * @param {Lesson} lesson
 * @param {string} name
 * @param {string} value
 * @param {{ parameters: Map<string, Parameter>, speeds: string[],
 *   problem: (kind: Problem['kind'], name: string, value?: string) => void }} how
 */
function readPair(lesson, name, value, { parameters, speeds, problem }) {
  if (name === 'lang') return; // the page's language: read where the page picks it
  if (name === 'speed') {
    if (speeds.includes(value)) lesson.speed = value;
    else problem('speed', name, value);
  } else if (name === TOOLS_NAME) {
    const { tools, unknown } = readTools(value);
    lesson.tools = tools;
    for (const item of unknown.slice(0, SHOWN_BAD_LOCKS)) problem('tool', name, item);
  } else if (name === 'lock') {
    readLocks(value, parameters, lesson.locks).forEach((bad) => problem('lock', name, bad));
  } else {
    const parameter = parameters.get(name);
    const number = /^\d{1,6}$/.test(value) ? Number(value) : NaN;
    if (parameter && fitsBar(parameter, number)) lesson.values[name] = number;
    else problem('value', name, value);
  }
}

// Bad names of one "lock" (or "tools") are named once each, and only the
// first few of them: a link that repeats one thousands of times gets one line.
const SHOWN_BAD_LOCKS = 3;

/**
 * Adds to `locks` the conditions `value` ("m1,r2") names; returns the
 * names that are none, each once, at most SHOWN_BAD_LOCKS of them.
 * @param {string} value
 * @param {Map<string, Parameter>} parameters
 * @param {string[]} locks
 */
function readLocks(value, parameters, locks) {
  /** @type {Set<string>} */
  const bad = new Set();
  for (const item of value.split(',').map((part) => part.trim())) {
    if (item === '') continue; // "lock=m1," is only a comma too many
    if (!parameters.has(item)) bad.add(item);
    else if (!locks.includes(item)) locks.push(item);
  }
  return [...bad].slice(0, SHOWN_BAD_LOCKS);
}

/** @param {Lesson} lesson */
export const isEmptyLesson = (lesson) => Object.keys(lesson.values).length === 0 && lesson.speed === null
  && lesson.locks.length === 0 && lesson.tools.length === 0 && lesson.problems.length === 0;

/**
 * The query that sets up `lesson` ("?m1=20&…&speed=medium&lock=m2&tools=ruler&lang=en").
 * A value its bar's step cannot show is left out.
 * @param {{ values: Record<string, number>, speed?: string | null, locks?: string[],
 *   tools?: string[], lang?: string }} lesson
 * @param {Table} [table]
 */
export function lessonQuery({ values, speed = null, locks = [], tools = [], lang = '' }, table = PARAMETER_TABLE) {
  const parts = LINK_ORDER.filter((key) => {
    const parameter = table.parameters.find((p) => p.key === key);
    return parameter && key in values && fitsBar(parameter, values[key]);
  }).map((key) => `${key}=${values[key]}`);
  if (speed) parts.push(`speed=${speed}`);
  const locked = LINK_ORDER.filter((key) => locks.includes(key));
  if (locked.length > 0) parts.push(`lock=${locked.join(',')}`);
  parts.push(...toolsQuery(tools));
  if (lang) parts.push(`lang=${encodeURIComponent(lang)}`);
  return `?${parts.join('&')}`;
}

/**
 * What the page says of each ignored part of a link, in the page's language.
 * @param {Problem[]} problems
 * @param {Table} [table]
 */
export function problemTexts(problems, table = PARAMETER_TABLE) {
  const separator = ', ';
  return problems.map(({ kind, name, value }) => {
    if (kind === 'value') {
      const p = /** @type {Parameter} */ (table.parameters.find((parameter) => parameter.key === name));
      return text('lessonBadValue', { name, value, label: text(`setting_${name}`), minimum: p.minimum, maximum: p.maximum, step: p.step, unit: p.unit });
    }
    if (kind === 'speed') {
      return text('lessonBadSpeed', { value, accepted: table.speeds.map((s) => `${s.key}（${s.name}）`).join(separator) });
    }
    if (kind === 'tool') return toolProblemText(value);
    if (kind === 'lock') return text('lessonBadLock', { value, accepted: LINK_ORDER.join(separator) });
    if (kind === 'repeated') return text('lessonRepeated', { name });
    return text('lessonUnknown', { name: value === '' ? name : `${name}=${value}`, accepted: [...LINK_ORDER, ...OTHER_NAMES].join(separator) });
  });
}
