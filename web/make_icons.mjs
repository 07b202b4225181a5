// Renders the home-screen icons in web/icons/ from the program's scalable
// icon, with Debian's Chromium: the 32×32 design on a white tile, and for
// the maskable icon inside the circle every launcher keeps. Run it when the
// icon changes:  node web/make_icons.mjs
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const svg = readFileSync(join(here, '..', 'data', 'icons', 'io.github.shoutotsu.Shoutotsu.svg'), 'utf8');
const icons = [
  ['icon-192.png', 192, 0.8],
  ['icon-512.png', 512, 0.8],
  ['icon-maskable-512.png', 512, 0.6],
  ['apple-touch-icon.png', 180, 0.8],
];

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
for (const [name, size, share] of icons) {
  const page = await browser.newPage({ viewport: { width: size, height: size } });
  const inner = Math.round(size * share);
  await page.setContent(`<body style="margin:0;background:#ffffff;display:grid;place-items:center;height:${size}px">
    <div style="width:${inner}px;height:${inner}px">${svg.replace(/<\?xml[^>]*>/, '')
      .replace('width="32" height="32"', `width="${inner}" height="${inner}"`)}</div></body>`);
  await page.screenshot({ path: join(here, 'icons', name) });
  await page.close();
}
await browser.close();
