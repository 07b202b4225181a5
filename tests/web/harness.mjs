// What every browser test of the page shares: where the build is, a static
// server for the site folder, Debian's Chromium, and the page's own
// readiness and control lookup.
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
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

// Waits until the run has ended: the start button is back, now "クリア".
export async function waitForRunEnd(page, timeout = 30000) {
  await page.waitForFunction(
    () => {
      const start = document.querySelector('[data-control="start"]');
      return start && start.textContent.trim() === 'クリア' && start.offsetParent !== null;
    },
    null,
    { timeout },
  );
}
