// What the read-aloud button says, written for speaking rather than copied
// from the captions: the lesson's question, the conditions as the form
// holds them now, and the last run's result while the window shows it.
// Units are words ("センチメートル", "centimeters"), as a voice reads "cm"
// as letters. A number is said with the language's decimal mark (37,9 in
// Portuguese), as its voice reads it.
import { withDecimalMark } from '../i18n/numbers.js';

// The scroll bar of each condition, and the speed options in their order.
const kBars = { m1: 'T1mScroll', m2: 'T2mScroll', r1: 'T1rScroll', r2: 'T2rScroll', height: 'Hscroll', length: 'Lscroll' };
const kSpeedOptions = ['sp(0)', 'sp(1)', 'sp(2)'];

/**
 * The sentences to say, in order. `controls` are the form's controls as the
 * page holds them; `run` is the last run the form reported (its shoutotsu:run
 * detail) or null; `say(key, values)` words a text in the page's language.
 * @param {any[]} controls
 * @param {{ result: string } | null} run
 * @param {(key: string, values?: Record<string, string | number>) => string} say
 * @param {string} [lang] the page's language
 * @returns {string[]}
 */
export function spokenParts(controls, run, say, lang = 'ja') {
  const named = new Map(controls.map((c) => [c.displayName, c]));
  /** @type {Record<string, string | number>} */
  const values = {};
  for (const [key, bar] of Object.entries(kBars)) {
    const c = named.get(bar);
    values[key] = c?.valueNow ?? parseFloat(c?.accessibleDescription ?? '');
  }
  const speed = kSpeedOptions.findIndex((name) => named.get(name)?.value === true);
  values.speed = say(`speakSpeed${Math.max(0, speed)}`);
  const parts = [say('speakQuestion'), say('speakConditions', values)];
  // The result is said while the window shows it, as the form reported it.
  const result = named.get('kekka');
  if (run && result?.visible && result.caption === run.result) {
    parts.push(say('speakResult', { distance: withDecimalMark(run.result.replace(/\s*cm$/, ''), lang) }));
  }
  return parts;
}
