// The read-aloud text: the conditions from the form's state, the speed
// chosen, and the result only while the window shows it after the run.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spokenParts } from '../../../web/src/speech/spoken_text.js';
import ja from '../../../web/src/i18n/lang/ja.js';

const say = (key, values = {}) => ja[key].replace(/\{(\w+)\}/g, (_, name) => values[name]);
const state = (resultShown, running = false) => ({
  values: { m1: 30, m2: 20, r1: 12, r2: 10, height: 40, length: 50 }, speed: 'slow', running, resultShown,
});

test('the conditions with their units as words, the speed, and the result while it is shown', () => {
  const [question, conditions] = spokenParts(state(false), null, say);
  assert.equal(question, ja.speakQuestion);
  assert.match(conditions, /当てるぴるての重さは 30グラム。.*当てるぴるての半径は 12ミリメートル。.*高さは 40センチメートル。ななめの長さは 50センチメートル。.*速度は おそいです。/);
  assert.equal(spokenParts(state(true), { resultMm: 230 }, say)[2], '当てられるぴるての動いた距離は、23センチメートルです。');
  assert.equal(spokenParts(state(true), { result: '37.9cm' }, say)[2], '当てられるぴるての動いた距離は、37.9センチメートルです。');
  assert.equal(spokenParts(state(false), { resultMm: 230 }, say).length, 2, 'cleared');
  assert.equal(spokenParts(state(true, true), { resultMm: 230 }, say).length, 2, 'the next run under way');
  // Said with the language's decimal mark, as its voice reads a number.
  assert.match(spokenParts(state(true), { resultMm: 379 }, say, 'pt')[2], /、37,9センチ/);
});
