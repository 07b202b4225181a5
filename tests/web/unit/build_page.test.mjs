// Writing the page: the modules joined into one classic script that still
// parses, text made safe inside a script element, the template's holes all
// filled, and the fonts named in the order the page asks for them.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { fillTemplate, inlineScript, joinModules, kModules } from '../../../web/build_page.mjs';
import { fontFamily } from '../../../web/src/messages.js';

const web = join(dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'web');

test('every module of the page is joined, in an order in which each name is defined before it runs', () => {
  const files = readdirSync(join(web, 'src')).filter((name) => name.endsWith('.js')).sort();
  assert.deepEqual([...kModules].sort(), files, 'each module is listed once');
  const sources = kModules.map((name) => ({ name, text: readFileSync(join(web, 'src', name), 'utf8') }));
  const joined = joinModules(sources);
  assert.doesNotMatch(joined, /^\s*(import|export)\b/m);
  assert.doesNotThrow(() => new Function(joined), 'the joined script parses as a classic script');
  // Each module comes after the modules it imports.
  for (const [at, { text }] of sources.entries()) {
    for (const [, from] of text.matchAll(/^import .* from '\.\/([\w.]+)';$/gm)) {
      assert.ok(kModules.indexOf(from) < at, `${kModules[at]} imports ${from}, which comes later`);
    }
  }
});

test('the join refuses what it cannot take, and inlined text cannot end its script element', () => {
  assert.throws(() => joinModules([{ name: 'x.js', text: "export default 1;\n" }]), /x\.js/);
  assert.throws(() => joinModules([{ name: 'y.js', text: "export { a };\n" }]), /y\.js/);
  const made = joinModules([{ name: 'z.js', text: "import { a } from './a.js';\nexport const b = 2;\nexport function c() {}\n" }]);
  assert.match(made, /^const b = 2;$/m);
  assert.match(made, /^function c\(\) \{\}$/m);
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
});
