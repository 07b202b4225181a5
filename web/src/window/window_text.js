// The window's texts in the page's language. The form words its captions
// and screen-reader names in Japanese; a caption that is a fixed text comes
// with its name in the tables (captionName: window.<name>, see lang/ja.js),
// and in another language the table's text is shown instead. Numbers, units and
// the result ("37.9cm") are shown as the form writes them, and heard with
// the language's decimal mark ("37,9cm"). In Japanese the form's own text
// is shown, untouched.
import ja from '../i18n/lang/ja.js';
import { languageCode } from '../i18n/language.js';
import { withDecimalMark } from '../i18n/numbers.js';
import { PARAMETER_TABLE } from '../runs/parameter_table.js';
import { text } from '../i18n/text.js';
import { centimetres, resultMmOf } from '../speech/run_result.js';

// The scroll bar that holds each value of the scene.
const kValueBars = { height: 'Hscroll', length: 'Lscroll', m1: 'T1mScroll', m2: 'T2mScroll', r1: 'T1rScroll', r2: 'T2rScroll' };

/** @type {any[]} */
let controls = [];

/** The form's controls, as the page holds them (for the scene's values). */
export function useControls(all) {
  controls = all;
}

/** The form's controls as the page holds them now. */
export const formControls = () => controls;

const japanese = () => languageCode() === 'ja';

/** The caption control `c` shows: { text, named } (named: from the tables). */
export function shownCaption(c) {
  const key = `window.${c.captionName}`;
  const named = Boolean(c.captionName) && key in ja;
  if (japanese() || !named) return { text: c.caption, named };
  return { text: text(key), named };
}

/** What a screen reader calls control `c`. */
export function accessibleName(c) {
  const key = `a11y.${c.displayName}`;
  return japanese() || !(key in ja) ? c.accessibleName : text(key);
}

/** What a screen reader says of control `c` after its name. */
export function accessibleDescription(c) {
  if (japanese() || c.displayName !== 'work') return c.accessibleDescription;
  const named = (name) => controls.find((d) => d.displayName === name);
  /** @type {Record<string, string>} */
  const values = {};
  // Each value from the core's number, with its unit from the table.
  for (const [key, bar] of Object.entries(kValueBars)) {
    const unit = PARAMETER_TABLE.parameters.find((p) => p.key === key)?.unit ?? '';
    values[key] = `${named(bar)?.valueNow ?? ''} ${unit}`;
  }
  const result = named('kekka');
  return text('a11y.work.text', {
    result: result?.visible ? text('a11y.work.result', { result: withDecimalMark(result.caption, languageCode()) }) : '',
    first: text('window.subtitle1'),
    second: text('window.subtitle2'),
    scene: text('a11y.work.scene', values),
  }).replace(/\s+/g, ' ').trim();
}

/** The sentence heard when a run ends, from the run the form reports. */
export function spokenResult(run) {
  return japanese() ? run.spoken : text('a11y.work.result', { result: `${withDecimalMark(centimetres(resultMmOf(run)), languageCode())}cm` });
}
