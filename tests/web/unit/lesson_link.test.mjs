// A teacher's link without a browser: the query read into conditions, a
// speed and locks; everything that does not fit left out and named; the
// query the teacher's panel writes read back to the same lesson.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { isEmptyLesson, lessonQuery, problemTexts, readLesson } from '../../../web/src/lesson/lesson_link.js';

test('a link sets the conditions its labels would show, the speed and the locks', () => {
  assert.deepEqual(readLesson('?m1=10&height=20&speed=slow&lock=m2,r1, r2,m2,&tools=strobe, ruler,'), {
    values: { m1: 10, height: 20 }, speed: 'slow', locks: ['m2', 'r1', 'r2'], tools: ['ruler', 'strobe'], problems: [],
  });
  assert.deepEqual(readLesson('r2=14&length=80').values, { r2: 14, length: 80 }, 'without its "?" too');
  for (const search of ['', '?', '?&&', '?lock=', '?tools=']) assert.ok(isEmptyLesson(readLesson(search)), search);
});

test('a value off its bar, an unknown or repeated name is left out and named; the rest applies', () => {
  const lesson = readLesson('?m1=35&m2=60&r1=9&r2=1e1&length=&height=40&x=1&x=2&speed=zoom&lock=m2,foo&m2=30&M1=20&tools=tape,ruler');
  assert.deepEqual(lesson.values, { height: 40 });
  assert.equal(lesson.speed, null);
  assert.deepEqual(lesson.locks, ['m2']);
  assert.deepEqual(lesson.problems.map((p) => [p.kind, p.name, p.value]), [
    ['value', 'm1', '35'], ['repeated', 'm2', '60'], ['value', 'r1', '9'], ['value', 'r2', '1e1'],
    ['value', 'length', ''], ['unknown', 'x', '1'], ['speed', 'speed', 'zoom'], ['lock', 'lock', 'foo'],
    ['unknown', 'M1', '20'], ['tool', 'tools', 'tape'],
  ]);
  assert.deepEqual(lesson.tools, ['ruler']);
  const [m1, m2, , , , x, speed, lock, , tool] = problemTexts(lesson.problems);
  assert.match(m1, /「m1=35」.*当てるぴるての重さ.*10から50まで.*10きざみ.*（g）/);
  assert.match(m2, /「m2」が2回/);
  assert.match(x, /「x=1」.*m1, m2, r1, r2, height, length, speed, lock/);
  assert.match(speed, /「speed=zoom」.*fast（速）, medium（中）, slow（遅）/);
  assert.match(lock, /「foo」.*m1, m2, r1, r2, height, length/);
  assert.match(tool, /「tape」.*ruler, strobe/);

  // One bad lock name repeated thousands of times is named once.
  const flood = readLesson(`?lock=${Array(5000).fill('zz').join(',')},m1,yy,zz`);
  assert.deepEqual([flood.locks, flood.problems.map((p) => p.value)], [['m1'], ['zz', 'yy']]);

  const long = readLesson(`?${'y'.repeat(500)}=${'9'.repeat(500)}`).problems[0];
  assert.ok(long.name.length <= 21 && long.value.length <= 21, 'a notice never carries a whole pasted page');
});

test('the query the teacher\'s panel writes reads back to the same lesson', () => {
  const lesson = { values: { height: 40, length: 50, m1: 50, m2: 10, r1: 14, r2: 8 }, speed: 'fast', locks: ['m2', 'length'], tools: ['ruler', 'strobe'] };
  const query = lessonQuery({ ...lesson, locks: ['length', 'm2'], tools: ['strobe', 'ruler'] });
  assert.equal(query, '?m1=50&m2=10&r1=14&r2=8&height=40&length=50&speed=fast&lock=m2,length&tools=ruler,strobe');
  assert.deepEqual(readLesson(query), { ...lesson, problems: [] });
  assert.match(lessonQuery({ values: {}, lang: 'en' }), /^\?lang=en$/, 'the page\'s language goes with it');
  // A thumb dragged between two steps: that value stays out of the link.
  assert.equal(lessonQuery({ values: { m1: 17, m2: 20 }, speed: 'medium' }), '?m2=20&speed=medium');
});
