// Writing the page: the modules bundled into one classic script that parses
// and leaves no module out, text made safe inside a script element, the
// template's holes all filled, and the fonts named in the order the page
// asks for them.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { bundleScript, fillTemplate, inlineScript } from '../../../web/build_page.mjs';
import { fontFamily } from '../../../web/src/window/font_faces.js';

const web = join(dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'web');

test('the bundle is one minified classic script from every module the page imports, with its source map', () => {
  const { code } = bundleScript();
  assert.doesNotMatch(code, /^\s*(import|export)\b/m);
  assert.doesNotThrow(() => new Function(code), 'it parses as a classic script');
  // Minified: far smaller than the sources it is made from.
  const sourceBytes = readdirSync(join(web, 'src'), { recursive: true }).map(String).filter((name) => name.endsWith('.js'))
    .reduce((sum, name) => sum + readFileSync(join(web, 'src', name)).length, 0);
  assert.ok(code.length < 0.6 * sourceBytes, `minified: ${code.length} bytes from ${sourceBytes}`);
  assert.match(code, /ぴるて|\\u/, 'the learner\'s texts are in it');
  // Every module is reached from the entry: none is left out of the page.
  const site = bundleScript({ map: true });
  const sources = JSON.parse(site.map).sources.map((path) => path.replace(/^.*\bsrc\//, '')).sort();
  const files = readdirSync(join(web, 'src'), { recursive: true }).map(String)
    .filter((name) => name.endsWith('.js')).sort();
  assert.deepEqual(sources, files);
  assert.match(site.code, /\/\/# sourceMappingURL=app\.js\.map\n$/);
});

test('inlined text cannot end its script element', () => {
  const text = 'a = "</script><script>alert(1)</script>"; b = "<!-- c";';
  const safe = inlineScript(text);
  assert.doesNotMatch(safe, /<\/script/i);
  assert.doesNotMatch(safe, /<!--/);
  assert.equal(new Function(`${safe}; return [a, b];`)().join('|'), new Function(`${text}; return [a, b];`)().join('|'));
});

test('the template has a value for each hole, and a missing one is an error', () => {
  const template = readFileSync(join(web, 'index.html'), 'utf8');
  const page = fillTemplate(template, { offline: '', head: '<style></style>', scripts: '<script></script>' });
  assert.doesNotMatch(page, /@\w+@/);
  assert.match(page, /<html lang="ja">/);
  assert.match(page, /<title>ぴるての衝突<\/title>/);
  assert.throws(() => fillTemplate('@nothing@', {}), /@nothing@/);
});

test('fonts: the stated face first, then the Gothic faces of every school device, then any sans-serif', () => {
  const family = fontFamily('ＭＳ Ｐゴシック');
  const faces = family.split(', ');
  assert.equal(faces[0], '"ＭＳ Ｐゴシック"');
  assert.equal(faces.at(-1), 'sans-serif');
  for (const face of ['MS PGothic', 'Meiryo', 'Hiragino Sans', 'Noto Sans CJK JP', 'IPAPGothic']) {
    assert.ok(faces.includes(`"${face}"`), face);
  }
  assert.equal(faces.filter((f) => f === '"ＭＳ Ｐゴシック"').length, 1, 'no face twice');
  assert.equal(fontFamily('Some "odd" face').split(', ')[0], '"Some odd face"');
  assert.equal(fontFamily('').split(', ')[0], '"ＭＳ Ｐゴシック"');
  // By language: simplified Chinese faces before the Japanese ones, faces
  // with Vietnamese marks first, and the form's own order elsewhere.
  const order = (lang) => fontFamily('ＭＳ Ｐゴシック', lang).split(', ');
  const zh = order('zh-Hans');
  assert.deepEqual(zh.slice(0, 4), ['"PingFang SC"', '"Microsoft YaHei"', '"Noto Sans CJK SC"', '"Noto Sans SC"']);
  assert.ok(zh.indexOf('"Source Han Sans SC"') < zh.indexOf('"ＭＳ Ｐゴシック"'));
  assert.ok(zh.indexOf('"Noto Sans CJK SC"') < zh.indexOf('"Noto Sans CJK JP"'));
  assert.ok(order('vi').indexOf('"Arial"') < order('vi').indexOf('"ＭＳ Ｐゴシック"'));
  for (const lang of ['ja', 'en', 'pt-BR', 'es', 'fil']) assert.deepEqual(order(lang), faces, lang);
});
