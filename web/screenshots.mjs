// Takes the README's pictures of the page in headless Chromium: a Chromebook
// screen (1366×768) at start-up, with furigana, in English and in
// Portuguese, an iPad screen (1180×820) after the default run, and a
// lesson's record of five runs with predictions, on the screen and as
// printed. After `bash scripts/web.sh build`:
//   node web/screenshots.mjs
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = join(dirname(fileURLToPath(import.meta.url)), '..');
const page = pathToFileURL(join(root, 'build-web', 'shoutotsu.html')).href;
const shots = [
  { file: 'screenshot-web-1366x768.png', width: 1366, height: 768, run: false },
  { file: 'screenshot-web-1180x820.png', width: 1180, height: 820, run: true },
  { file: 'screenshot-web-furigana.png', width: 1366, height: 768, run: false, furigana: true },
  { file: 'screenshot-web-en.png', width: 1366, height: 768, run: false, lang: 'en' },
  { file: 'screenshot-web-pt.png', width: 1366, height: 768, run: false, lang: 'pt' },
];

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
for (const shot of shots) {
  const tab = await browser.newPage({ viewport: { width: shot.width, height: shot.height } });
  await tab.goto(shot.lang ? `${page}?lang=${shot.lang}` : page);
  await tab.waitForSelector('html[data-ready="1"]');
  if (shot.furigana) await tab.click('[data-control="furigana"]');
  if (shot.run) {
    await tab.click('[data-control="start"]');
    await tab.waitForFunction(() => {
      const start = document.querySelector('[data-control="start"]');
      return !start.hidden && start.textContent === 'クリア';
    }, null, { timeout: 30000 });
  }
  await tab.mouse.move(0, 0);
  await tab.screenshot({ path: join(root, 'docs', shot.file) });
  await tab.close();
}

// A lesson: five runs from 10 g to 50 g on the fast speed, each with the
// learner's prediction, then what they found out.
const lesson = await browser.newPage({ viewport: { width: 1366, height: 768 } });
await lesson.goto(page);
await lesson.waitForSelector('html[data-ready="1"]');
await lesson.evaluate(() => localStorage.clear());
await lesson.reload();
await lesson.waitForSelector('html[data-ready="1"]');
await lesson.click('[data-control="sp(0)"]');
const ended = () => lesson.waitForFunction(() => document.querySelector('[data-control="start"]').textContent === 'クリア', null, { timeout: 30000 });
for (const [i, prediction] of ['30', '35', '40', '45', '50'].entries()) {
  await lesson.focus('[data-control="T1mScroll"]');
  await lesson.keyboard.press('Home');
  for (let step = 0; step < i; step++) await lesson.keyboard.press('ArrowRight');
  await lesson.fill('[data-control="prediction"]', prediction);
  await lesson.click('[data-control="start"]');
  await ended();
  await lesson.waitForTimeout(600);
  await lesson.click('[data-control="start"]');
  await lesson.waitForTimeout(600);
}
await lesson.fill('[data-control="record-notes"]', '当てるぴるてが重いほど、当てられるぴるては遠くまで動いた。予想より遠くまで動いた。');
await lesson.mouse.move(0, 0);
await lesson.screenshot({ path: join(root, 'docs', 'screenshot-web-record.png'), fullPage: true });
await lesson.emulateMedia({ media: 'print' });
await lesson.setViewportSize({ width: 794, height: 1123 }); // A4 at 96 dpi
await lesson.screenshot({ path: join(root, 'docs', 'screenshot-web-record-print.png'), fullPage: true });
await browser.close();
