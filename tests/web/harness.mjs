// What every browser test of the page shares: where the build is, a static
// server for the site folder, Debian's Chromium, and the page's own
// readiness and control lookup.
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { after, before } from 'node:test';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { inflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { serveFolder } from '../../web/serve.mjs';

const root = resolve(new URL('../..', import.meta.url).pathname);
export const webBuild = process.env.SHOUTOTSU_WEB_BUILD_DIR || join(root, 'build-web');
export const siteDir = join(webBuild, 'site');
export const singleFile = join(webBuild, 'shoutotsu.html');
export const singleFileUrl = pathToFileURL(singleFile).href;
export const nativeTrace = process.env.SHOUTOTSU_TRACE_TOOL || join(root, 'build/tools/shoutotsu-trace');

// Serves the site folder on a free loopback port, each file with `headers`
// besides its type. close() cuts it off, as a lost network would.
export async function serveSite(dir = siteDir, headers = {}) {
  if (!existsSync(join(dir, 'index.html'))) {
    throw new Error(`no site folder at ${dir} (bash scripts/web.sh build makes it)`);
  }
  return serveFolder(dir, { headers: () => headers });
}

// Debian's Chromium, headless, with a fresh profile and none of the
// background connections this machine's closed network would refuse.
// `extraArgs` adds switches of the browser's own.
export async function launchChromium({ extraArgs = [], ...options } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'shoutotsu-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    ...options,
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--disable-quic',
      ...extraArgs,
    ],
  });
  const close = context.close.bind(context);
  context.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return context;
}

// Opens the page and waits until the form has loaded and been drawn.
export async function openPage(context, url, viewport = { width: 1366, height: 768 }) {
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.setViewportSize(viewport);
  await page.goto(url);
  await page.waitForSelector('html[data-ready="1"]', { timeout: 30000 });
  page.consoleErrors = errors;
  return page;
}

export const control = (page, name) => page.locator(`[data-control="${name}"]`);

// The layout the desktop model computes for a screen, from the native trace
// tool: { name: { Left, Top, Width, Height, ... } }.
export function modelLayout(screenWidthTwips, screenHeightTwips) {
  const text = execFileSync(nativeTrace, ['--layout', '--screen', `${screenWidthTwips},${screenHeightTwips}`], {
    encoding: 'utf8',
  });
  const layout = {};
  for (const line of text.trim().split('\n').slice(1)) {
    const [name, property, ...rest] = line.split(',');
    (layout[name] ??= {})[property] = rest.join(',');
  }
  return layout;
}

// Waits until the record below the window has taken every run reported.
export const recordSettled = (page) => page.waitForFunction(() => !document.querySelector('.record-host[aria-busy="true"]'));

// Waits until the run has ended: the start button is back, now "クリア",
// and the record below the window has taken the run's row.
export async function waitForRunEnd(page, timeout = 30000) {
  await page.waitForFunction(
    () => {
      const start = document.querySelector('[data-control="start"]');
      return start && start.textContent.trim() === 'クリア' && start.offsetParent !== null
        && !document.querySelector('.record-host[aria-busy="true"]');
    },
    null,
    { timeout },
  );
}

// The pixels of one of Playwright's screenshots (8-bit RGB or RGBA, not
// interlaced): { width, height, pixel(x, y) -> [r, g, b] }.
export function decodePng(buffer) {
  let at = 8;
  let width = 0;
  let height = 0;
  let channels = 0;
  const data = [];
  while (at < buffer.length) {
    const length = buffer.readUInt32BE(at);
    const type = buffer.toString('latin1', at + 4, at + 8);
    const body = buffer.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error('not an 8-bit RGB(A) screenshot');
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const out = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; x++) {
      const value = raw[y * (stride + 1) + 1 + x];
      const a = x >= channels ? out[y * stride + x - channels] : 0;
      const b = y > 0 ? out[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? out[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predicted = [0, a, b, (a + b) >> 1, paeth][filter];
      out[y * stride + x] = (value + predicted) & 0xff;
    }
  }
  const pixel = (x, y) => [...out.subarray((y * width + x) * channels, (y * width + x) * channels + 3)];
  return { width, height, pixel };
}

// One Chromium and one served site for the tests of a file (or of the
// describe() it is called in): { context, site }, set before the first test
// and closed after the last.
export function browserAndSite() {
  const shared = { context: null, site: null };
  before(async () => {
    shared.context = await launchChromium();
    shared.site = await serveSite();
  });
  after(async () => {
    await shared.context?.close();
    await shared.site?.close();
  });
  return shared;
}
