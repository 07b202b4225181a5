// What the read-aloud button says, written for speaking rather than copied
// from the captions: the lesson's question, the conditions as the form
// holds them now, and the last run's result while the window shows it.
// Units are words ("センチメートル", "centimeters"), as a voice reads "cm"
// as letters. Everything comes from the form's state event (form_state.js).
// A number is said with the language's decimal mark (37,9 in Portuguese),
// as its voice reads it.
import { withDecimalMark } from '../i18n/numbers.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { centimetres, resultMmOf } from './run_result.js';

/**
 * The sentences to say, in order. `state` is the form's state as last sent;
 * `run` the last run the form reported (its shoutotsu:run detail) or null;
 * `say(key, values)` words a text in the page's language.
 * @param {{ values: Record<string, number>, speed: string, running: boolean, resultShown: boolean }} state
 * @param {{ resultMm?: number, result?: string } | null} run
 * @param {(key: string, values?: Record<string, string | number>) => string} say
 * @param {string} [lang] the page's language
 * @returns {string[]}
 */
export function spokenParts(state, run, say, lang = 'ja') {
  const speed = PARAMETER_TABLE.speeds.findIndex((s) => s.key === state.speed);
  const parts = [say('speakQuestion'), say('speakConditions', { ...state.values, speed: say(`speakSpeed${Math.max(0, speed)}`) })];
  // The result is said while the window shows it, once the run is over.
  if (run && state.resultShown && !state.running) parts.push(say('speakResult', { distance: withDecimalMark(centimetres(resultMmOf(run)), lang) }));
  return parts;
}
