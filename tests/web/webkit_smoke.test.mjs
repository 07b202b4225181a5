// The engine of every iPad browser: WebKit opens the single file from disk
// and runs the default experiment to its result. Driven through WebKit's own
// W3C WebDriver; run under a virtual X display (xvfb-run).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { singleFile, singleFileUrl } from './harness.mjs';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

async function startDriver() {
  const port = 20000 + Math.floor(Math.random() * 20000);
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
  const base = `http://127.0.0.1:${port}`;
  for (let i = 0; i < 100; i++) {
    try {
      await fetch(`${base}/status`);
      return { base, driver };
    } catch {
      await sleep(100);
    }
  }
  driver.kill();
  throw new Error('WebKitWebDriver did not start');
}

async function call(base, method, path, body) {
  const response = await fetch(base + path, {
    method,
    headers: { 'content-type': 'application/json; charset=utf-8' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const { value } = await response.json();
  if (value && value.error) throw new Error(`${path}: ${value.error}: ${value.message}`);
  return value;
}

test('WebKit runs the single file to the default result', { timeout: 120000 }, async () => {
  assert.ok(existsSync(singleFile), `no single file at ${singleFile}`);
  const { base, driver } = await startDriver();
  try {
    const session = await call(base, 'POST', '/session', {
      capabilities: {
        alwaysMatch: { 'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] } },
      },
    });
    const at = `/session/${session.sessionId}`;
    const script = (source) => call(base, 'POST', `${at}/execute/sync`, { script: source, args: [] });
    await call(base, 'POST', `${at}/url`, { url: singleFileUrl });
    const until = async (source, what) => {
      for (let i = 0; i < 600; i++) {
        if (await script(source)) return;
        await sleep(100);
      }
      throw new Error(`timed out waiting for ${what}`);
    };
    await until('return document.documentElement.dataset.ready === "1"', 'the page to load');
    const found = await call(base, 'POST', `${at}/element`, {
      using: 'css selector',
      value: '[data-control="start"]',
    });
    await call(base, 'POST', `${at}/element/${Object.values(found)[0]}/click`, {});
    await until(
      'const s = document.querySelector(\'[data-control="start"]\');' +
        ' return s.textContent.trim() === "クリア" && s.offsetParent !== null',
      'the run to end',
    );
    const result = await script('return document.querySelector(\'[data-control="kekka"]\').textContent.trim()');
    assert.equal(result, '37.9cm');
    await call(base, 'DELETE', at);
  } finally {
    driver.kill();
  }
});
