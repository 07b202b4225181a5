// The read-aloud text: the conditions from the form's controls, the speed
// chosen, and the result only while the window shows that run's result.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spokenParts } from '../../../web/src/speech/spoken_text.js';
import ja from '../../../web/src/i18n/lang/ja.js';

const say = (key, values = {}) => ja[key].replace(/\{(\w+)\}/g, (_, name) => values[name]);
const bar = (displayName, valueNow) => ({ displayName, valueNow });
const controls = (kekka) => [
  bar('T1mScroll', 30), bar('T2mScroll', 20), bar('T1rScroll', 12), bar('T2rScroll', 10), bar('Hscroll', 40),
  bar('Lscroll', 50), { displayName: 'sp(0)', value: false }, { displayName: 'sp(1)', value: false },
  { displayName: 'sp(2)', value: true }, { displayName: 'kekka', ...kekka },
];

test('the conditions are the form\'s values with their units as words, and the speed chosen', () => {
  const [question, conditions] = spokenParts(controls({ visible: false, caption: '↑結果' }), null, say);
  assert.equal(question, ja.speakQuestion);
  assert.match(conditions, /当てるぴるての重さは 30グラム。.*当てるぴるての半径は 12ミリメートル。.*高さは 40センチメートル。ななめの長さは 50センチメートル。.*速度は おそいです。/);
});

test('the result is said only while the window shows that run\'s result', () => {
  const run = { result: '23cm' };
  assert.equal(spokenParts(controls({ visible: true, caption: '23cm' }), run, say)[2], '当てられるぴるての動いた距離は、23センチメートルです。');
  assert.equal(spokenParts(controls({ visible: false, caption: '23cm' }), run, say).length, 2, 'cleared');
  assert.equal(spokenParts(controls({ visible: true, caption: '41.2cm' }), run, say).length, 2, 'another run');
  // Said with the language's decimal mark, as its voice reads a number.
  const decimal = { result: '37.9cm' };
  assert.match(spokenParts(controls({ visible: true, caption: '37.9cm' }), decimal, say, 'pt')[2], /、37,9センチ/);
});
