// Takes the README's pictures of the page in headless Chromium: a Chromebook
// screen (1366×768) at start-up and an iPad screen (1180×820) after the
// default run. After `bash scripts/web.sh build`:  node web/screenshots.mjs
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = join(dirname(fileURLToPath(import.meta.url)), '..');
const page = pathToFileURL(join(root, 'build-web', 'shoutotsu.html')).href;
const shots = [
  { file: 'screenshot-web-1366x768.png', width: 1366, height: 768, run: false },
  { file: 'screenshot-web-1180x820.png', width: 1180, height: 820, run: true },
];

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
for (const shot of shots) {
  const tab = await browser.newPage({ viewport: { width: shot.width, height: shot.height } });
  await tab.goto(page);
  await tab.waitForSelector('html[data-ready="1"]');
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
await browser.close();
