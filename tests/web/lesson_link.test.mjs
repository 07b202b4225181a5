// A teacher's link in Chromium: its conditions set through the core and run
// to the core's result, a locked scroll bar that stays disabled after クリア,
// what a link had wrong said once and ignored, and the teacher's panel that
// writes such a link, copies it, or leaves it selected where copying is
// refused; the single file opened from a disk says where links work.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { browserAndSite, control, nativeTrace, openPage, singleFileUrl, waitForRunEnd } from './harness.mjs';

const labels = ['T1m', 'T2m', 'T1r', 'T2r', 'htext', 'ltext'];
const bars = ['T1mScroll', 'T2mScroll', 'T1rScroll', 'T2rScroll', 'Hscroll', 'Lscroll'];

const shared = browserAndSite();

// What the window shows of its conditions: the labels, and which bars a
// screen reader is told are unavailable.
const windowState = (page) => page.evaluate(([labelNames, barNames]) => {
  const of = (name) => document.querySelector(`[data-control="${name}"]`);
  return {
    labels: labelNames.map((name) => of(name).textContent.trim()),
    unavailable: barNames.filter((name) => of(name).getAttribute('aria-disabled') === 'true'),
    speed: [0, 1, 2].find((i) => of(`sp(${i})`).getAttribute('aria-checked') === 'true'),
  };
}, [labels, bars]);

test('a link sets m1 and the height, says once what it ignored, runs to the core\'s result and keeps m2 locked after クリア', async () => {
  const link = `${shared.site.url}?m1=50&height=40&lock=m2&r1=9`;
  const page = await openPage(shared.context, link);
  assert.deepEqual(await windowState(page), { labels: ['50', '20', '10', '10', '40', '60'], unavailable: ['T2mScroll'], speed: 1 });
  assert.equal((await control(page, 'lessonFixed').textContent()).trim(), '先生が決めた条件（変えられません）：当てられるぴるての重さ 20 g');
  const notice = control(page, 'lessonNotice');
  assert.equal(await notice.locator('li').count(), 1);
  assert.match(await notice.textContent(), /「r1=9」.*8から14まで/);
  assert.match(await control(page, 'T2mScroll').getAttribute('aria-valuetext'), /先生が決めた条件/);
  // The panel hands on the teacher's link as it came: its locks cannot be lifted here.
  await control(page, 'teacher').locator('summary').click();
  assert.equal(await control(page, 'teacherLink').inputValue(), link);
  assert.ok(await control(page, 'teacherFixed').isVisible());
  assert.ok(await page.locator('[data-lock="m2"]').isDisabled());

  const [, , , , , , , expected] = execFileSync(nativeTrace, ['--results', '--m1', '50', '--height', '40', '--speed', 'medium'],
    { encoding: 'utf8' }).trim().split('\n')[1].split(',');
  await control(page, 'start').click();
  await waitForRunEnd(page);
  assert.equal((await control(page, 'kekka').textContent()).trim(), expected);
  assert.deepEqual((await windowState(page)).unavailable, bars, 'a run disables every bar');
  await control(page, 'start').click(); // クリア
  await page.waitForFunction(() => document.querySelector('[data-control="start"]').textContent.trim() === 'スタート');
  assert.deepEqual((await windowState(page)).unavailable, ['T2mScroll'], 'the others come back, the locked one does not');
  assert.deepEqual(page.consoleErrors, []);
  await page.close();
});

test('the teacher\'s panel writes the window\'s conditions and the ticked locks, and copies the link', async () => {
  await shared.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: shared.site.url.replace(/\/$/, '') });
  const page = await openPage(shared.context, `${shared.site.url}?r2=14&speed=slow`);
  assert.equal(await page.locator('.lesson').isVisible(), false, 'nothing fixed, nothing wrong: no line');
  const plain = await openPage(shared.context, shared.site.url);
  assert.equal(await plain.locator('.lesson').count(), 0, 'no query, no lesson line');
  await plain.close();
  const panel = control(page, 'teacher');
  assert.equal(await panel.evaluate((details) => details.open), false, 'closed at first');
  await control(page, 'T1mScroll').focus();
  await page.keyboard.press('End'); // m1 50 g, as the learner would set it
  await panel.locator('summary').click();
  await panel.locator('[data-lock="m1"]').check();
  await panel.locator('[data-lock="length"]').check();
  const link = `${shared.site.url}?m1=50&m2=20&r1=10&r2=14&height=20&length=60&speed=slow&lock=m1,length`;
  assert.equal(await control(page, 'teacherLink').inputValue(), link);
  await control(page, 'teacherCopy').click();
  await page.waitForFunction(() => document.querySelector('.teacher-status').textContent !== '');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
  await control(page, 'language').selectOption('en');
  assert.equal(await control(page, 'teacherLink').inputValue(), `${link}&lang=en`, 'the page\'s language goes with it');
  await control(page, 'language').selectOption('ja');

  const opened = await openPage(shared.context, link);
  assert.deepEqual(await windowState(opened), { labels: ['50', '20', '10', '14', '20', '60'], unavailable: ['T1mScroll', 'Lscroll'], speed: 2 });
  await opened.close();
  await page.close();
});

test('where copying is refused the link stands selected; the single file says where a link works', async () => {
  const page = await shared.context.newPage();
  await page.addInitScript(() => Object.defineProperty(navigator, 'clipboard', { value: { writeText: () => Promise.reject(new Error('refused')) } }));
  await page.goto(shared.site.url);
  await page.waitForSelector('html[data-ready="1"]');
  await control(page, 'teacher').locator('summary').click();
  await control(page, 'teacherCopy').click();
  await page.waitForFunction(() => document.querySelector('.teacher-status').textContent.includes('Ctrl+C'));
  assert.deepEqual(await page.evaluate(() => {
    const field = document.querySelector('[data-control="teacherLink"]');
    return [document.activeElement === field, field.selectionStart, field.selectionEnd === field.value.length];
  }), [true, 0, true]);
  await page.close();

  const single = await openPage(shared.context, `${singleFileUrl}?m1=30&lock=m1`);
  assert.deepEqual((await windowState(single)).labels.slice(0, 2), ['30', '20']);
  await control(single, 'teacher').locator('summary').click();
  assert.match(await single.locator('.teacher-disk').textContent(), /Web サーバー/);
  assert.equal(await control(single, 'teacherLink').inputValue(), '?m1=30&lock=m1');
  assert.equal(await control(single, 'teacherCopy').isVisible(), false);
  await single.close();
});
