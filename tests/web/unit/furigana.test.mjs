// Furigana: every kanji of the page's Japanese texts has its reading in the
// table, and a text splits into its kanji words with the right reading by
// the kana after them.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import ja from '../../../web/src/i18n/lang/ja.js';
import { rubyParts } from '../../../web/src/furigana/furigana_readings.js';

const readings = (text) => rubyParts(text).filter((p) => 'reading' in p).map((p) => `${p.text}:${p.reading}`);

test('a text splits into kanji words, each read by the kana after it, and keeps every character', () => {
  assert.deepEqual(readings('当てるぴるての重さや速さによって、'), ['当:あ', '重:おも', '速:はや']);
  assert.deepEqual(readings('ｼﾐｭﾚｰｼｮﾝ速度'), ['速度:そくど']);
  assert.deepEqual(readings('速　 中 　遅'), ['速:はや', '中:ちゅう', '遅:おそ']);
  assert.deepEqual(readings('フォルダーの中の index.html'), ['中:なか']);
  assert.deepEqual(readings('リンクの中に、ファイルの中で'), ['中:なか', '中:なか']);
  assert.deepEqual(readings('ぴるての衝突'), ['衝突:しょうとつ']);
  assert.deepEqual(readings('鬼'), ['鬼:null']);
  const text = '当てられるものの動く距離は、どのように変わるだろう。';
  assert.equal(rubyParts(text).map((p) => p.text).join(''), text);
});

test('every kanji in the Japanese table has its reading', () => {
  const missing = new Set();
  for (const [key, value] of Object.entries(ja)) {
    for (const part of rubyParts(value)) if (part.reading === null) missing.add(`${part.text} (${key})`);
  }
  assert.deepEqual([...missing], []);
});
