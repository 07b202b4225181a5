// An installed site takes the next build put on its server: however long the
// server lets files live in the browser's HTTP cache, the page shows the new
// build within two reloads, with every one of its files the new build's.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { launchChromium, openPage, serveSite, siteDir, webBuild } from './harness.mjs';

const root = resolve(new URL('../..', import.meta.url).pathname);
let work;
let next;

// The next build: the page written again, as the web build writes it, from
// the same module and icon under another version, its sources marked so
// that the page, its style and its script all differ from this build's.
before(() => {
  work = mkdtempSync(join(tmpdir(), 'shoutotsu-update-'));
  const sources = join(work, 'web');
  cpSync(join(root, 'web'), sources, { recursive: true });
  // The copy bundles with the project's own pinned tools.
  symlinkSync(join(root, 'node_modules'), join(work, 'node_modules'), 'dir');
  const template = join(sources, 'index.html');
  writeFileSync(template, readFileSync(template, 'utf8').replace('@offline@>', '@offline@ data-build="next">'));
  appendFileSync(join(sources, 'page.css'), '/* the next build */\n');
  appendFileSync(join(sources, 'src', 'boot.js'), '// the next build\n');
  const cmake = readFileSync(join(root, 'CMakeLists.txt'), 'utf8');
  const version = cmake.match(/project\(shoutotsu VERSION (\S+)/)[1];
  const appId = cmake.match(/set\(SHOUTOTSU_APP_ID (\S+)\)/)[1];
  next = join(work, 'next');
  execFileSync(process.execPath, [join(sources, 'build_page.mjs'),
    '--version', `${version}-next`,
    '--icon', join(root, 'data', 'icons', `${appId}.svg`),
    '--module', join(webBuild, 'platform', 'web', 'shoutotsu-page.js'),
    '--single', join(work, 'next.html'),
    '--site', next]);
});
after(() => rmSync(work, { recursive: true, force: true }));

const version = (site) => readFileSync(join(site, 'sw.js'), 'utf8').match(/const VERSION = '([^']+)'/)[1];
async function untilTrue(check, failure, timeout = 20000) {
  for (const end = Date.now() + timeout; !(await check());) {
    assert.ok(Date.now() < end, failure);
    await new Promise((done) => setTimeout(done, 200));
  }
}
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

const aMonthAgo = new Date(Date.now() - 30 * 24 * 3600 * 1000).toUTCString();
const servers = [
  ['a year\'s cache lifetime', { 'cache-control': 'max-age=31536000', 'last-modified': aMonthAgo }],
  ['only a modification date', { 'last-modified': aMonthAgo }],
];

test('a page installed from one build shows the next within two reloads', async () => {
  for (const [how, headers] of servers) {
    const served = mkdtempSync(join(work, 'served-'));
    cpSync(siteDir, served, { recursive: true });
    const server = await serveSite(served, headers);
    const context = await launchChromium();
    try {
      const page = await openPage(context, server.url);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 20000 });

      rmSync(served, { recursive: true });
      cpSync(next, served, { recursive: true });
      for (let reload = 1; ; reload++) {
        await page.reload();
        await page.waitForSelector('html[data-ready="1"]', { timeout: 30000 });
        if (await page.evaluate(() => document.documentElement.dataset.build) === 'next') break;
        assert.ok(reload < 2, `${how}: the page still shows the first build after two reloads`);
        // The reload has the browser look for a new worker; wait until it is
        // in charge, with the first build's files dropped.
        await untilTrue(() => page.evaluate(async (name) => {
          const registration = await navigator.serviceWorker.getRegistration();
          const names = await caches.keys();
          return names.length === 1 && names[0] === `${name} ${registration.scope}` && registration.active?.state === 'activated'
            && !registration.installing && !registration.waiting;
        }, version(next)), `${how}: the next build's worker never took charge`);
      }

      const got = await page.evaluate(async (names) => {
        const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
        const digests = {};
        for (const name of names) {
          digests[name] = hex(await crypto.subtle.digest('SHA-256', await (await fetch(name)).arrayBuffer()));
        }
        return digests;
      }, readdirSync(next));
      const want = Object.fromEntries(readdirSync(next).map((name) => [name, sha256(readFileSync(join(next, name)))]));
      assert.deepEqual(got, want, `${how}: a file the page gets is not the new build's`);
      assert.deepEqual(page.consoleErrors, [], how);
    } finally {
      await context.close();
      await server.close();
    }
  }
});

test('two copies of the site on one address keep their own caches through an update', async () => {
  const served = mkdtempSync(join(work, 'copies-'));
  for (const copy of ['a', 'b']) cpSync(siteDir, join(served, copy), { recursive: true });
  writeFileSync(join(served, 'index.html'), ''); // the address's own page
  const server = await serveSite(served);
  const context = await launchChromium();
  try {
    const pages = [];
    for (const copy of ['a', 'b']) {
      const page = await openPage(context, `${server.url}${copy}/`);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 20000 });
      pages.push(page);
    }
    rmSync(join(served, 'b'), { recursive: true });
    cpSync(next, join(served, 'b'), { recursive: true });
    const kept = () => pages[0].evaluate(() => caches.keys());
    await pages[1].reload();
    await untilTrue(async () => (await kept()).includes(`${version(next)} ${server.url}b/`),
      'the copy in b never took its next build', 30000);
    assert.ok((await kept()).includes(`${version(siteDir)} ${server.url}a/`), 'the copy in a lost its files');
  } finally {
    await context.close();
    await server.close();
  }
});
