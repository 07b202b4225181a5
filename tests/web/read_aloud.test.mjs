// Reading aloud, heard through a recorder in place of the browser's speech:
// after a default run the button says the question, the conditions and the
// result as written for speaking, slowly, in the Japanese voice; pressed
// again it stops; with no voice for the page's language, or no speech at all,
// it says which.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { control, launchChromium, openPage, serveSite } from './harness.mjs';

let context;
let site;
before(async () => {
  context = await launchChromium();
  site = await serveSite();
  // The device's only voice is a Japanese one; each sentence takes 300 ms.
  await context.addInitScript(() => {
    const heard = [];
    window.heard = heard;
    window.SpeechSynthesisUtterance = class {
      constructor(text) {
        this.text = text;
      }
    };
    const voices = [{ name: 'test', lang: 'ja-JP', voiceURI: 'test', localService: true, default: true }];
    let queue = Promise.resolve();
    Object.defineProperty(window, 'speechSynthesis', {
      configurable: true,
      value: {
        getVoices: () => voices,
        addEventListener() {},
        speak(u) {
          queue = queue.then(() => new Promise((done) => setTimeout(() => {
            heard.push({ text: u.text, lang: u.lang, rate: u.rate });
            u.onend?.();
            done();
          }, 300)));
        },
        cancel: () => heard.push('cancel'),
      },
    });
  });
});
after(async () => {
  await context?.close();
  await site?.close();
});

test('after a run the button says the question, the conditions and the result, and pressed again stops', async () => {
  const page = await openPage(context, `${site.url}?lang=ja`);
  await control(page, 'start').click();
  await page.waitForFunction(() => document.querySelector('[data-control="kekka"]')?.checkVisibility(), null, { timeout: 30000 });
  const button = control(page, 'read-aloud');
  assert.equal(await button.textContent(), 'よみあげ');
  await button.click();
  assert.equal(await button.getAttribute('aria-pressed'), 'true');
  await page.waitForFunction(() => document.querySelector('[data-control="read-aloud"]').getAttribute('aria-pressed') === 'false');
  const heard = await page.evaluate(() => window.heard);
  const said = heard.map((h) => h.text);
  // A sentence at a time: the question, the conditions, the result last.
  assert.match(said[0], /どのように変わるでしょうか。$/);
  assert.match(said.join(''), /重さは 20グラム。.*半径は 10ミリメートル。.*高さは 20センチメートル。ななめの長さは 60センチメートル。シミュレーション速度は ちゅうくらいです。/);
  assert.equal(said.at(-1), '当てられるぴるての動いた距離は、37.9センチメートルです。');
  assert.deepEqual([...new Set(heard.map((h) => `${h.lang} ${h.rate}`))], ['ja-JP 0.9']);
  // Pressed while speaking, it stops.
  await control(page, 'start').click();
  await button.click();
  await button.click();
  assert.equal(await button.textContent(), 'よみあげ');
  assert.equal(await page.evaluate(() => window.heard.at(-1)), 'cancel');
  assert.deepEqual(page.consoleErrors, []);
  await page.close();
});

test('with no voice for the page\'s language, or no speech at all, the button says which and nothing is spoken', async () => {
  const page = await openPage(context, `${site.url}?lang=en`);
  await control(page, 'read-aloud').click();
  await page.waitForFunction(() => document.getElementById('read-aloud-note')?.textContent);
  assert.equal(await page.locator('#read-aloud-note').textContent(), 'This device has no English voice, so it cannot read aloud.');
  // A browser without speech at all is named as the reason.
  await page.evaluate(() => Object.defineProperty(window, 'speechSynthesis', { value: undefined }));
  await control(page, 'read-aloud').click();
  await page.waitForFunction(() => document.getElementById('read-aloud-note')?.textContent === 'This browser cannot read aloud.');
  assert.deepEqual(await page.evaluate(() => window.heard), []);
  await page.close();
});
