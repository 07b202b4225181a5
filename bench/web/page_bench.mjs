// The page's figures in headless Chromium: timing fidelity of whole runs,
// tick + paint cost per tick, time to the first frame against a page that
// draws one canvas, and the single file's bytes.
// Usage: node bench/web/page_bench.mjs   (after bash scripts/web.sh build)
import { statSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { join } from 'node:path';
import { control, launchChromium, nativeTrace, openPage, singleFile, singleFileUrl } from '../../tests/web/harness.mjs';

const baselineUrl = pathToFileURL(join(new URL('.', import.meta.url).pathname, 'one_canvas.html')).href;
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

// Ticks of one default run at a speed on the page's 1366x768 screen, as the
// core counts them.
function ticksOfRun(speed) {
  const rows = execFileSync(nativeTrace, ['--speed', speed, '--screen', '20490,11520'], { encoding: 'utf8' })
    .trim().split('\n');
  return rows.length - 1;
}

// Times every timer and animation-frame callback of the page from outside,
// so the page carries nothing for the benchmark: a tick is one timer
// callback, the canvas is painted in animation frames.
const timeCallbacks = () => {
  window.benchCosts = { timeout: [], frame: [] };
  const wrap = (original, list) => function (callback, ...rest) {
    return original.call(this, function (...args) {
      const began = performance.now();
      try {
        return callback.apply(this, args);
      } finally {
        if (window.benchCosts.recording) list.push(performance.now() - began);
      }
    }, ...rest);
  };
  window.setTimeout = wrap(window.setTimeout, window.benchCosts.timeout);
  window.requestAnimationFrame = wrap(window.requestAnimationFrame, window.benchCosts.frame);
};

// The moment the page marks itself ready, taken inside the page: how long
// Playwright takes to notice the mark is not the page's.
const timeReady = () => {
  // Set up before the document has its root element, so it watches the
  // whole document.
  new MutationObserver((records, observer) => {
    if (document.documentElement?.dataset.ready !== '1') return;
    window.benchReadyAt = performance.now();
    observer.disconnect();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
};

async function firstFrameMs(context, url) {
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready="1"]');
  const ms = await page.evaluate(() => window.benchReadyAt);
  await page.close();
  return ms;
}

const context = await launchChromium();
await context.addInitScript(timeCallbacks);
await context.addInitScript(timeReady);
const speeds = [['fast', 'sp(0)'], ['medium', 'sp(1)'], ['slow', 'sp(2)']];
const report = [];
for (const [speed, option] of speeds) {
  const ratios = [];
  const tickCosts = [];
  for (let run = 0; run < 3; run++) {
    const page = await openPage(context, singleFileUrl);
    await control(page, option).click();
    // The run's end is taken inside the page, the moment the caption turns.
    const [began, ended] = await page.evaluate(() => new Promise((done) => {
      const start = document.querySelector('[data-control="start"]');
      const watch = new MutationObserver(() => {
        if (start.textContent.trim() === 'クリア') {
          window.benchCosts.recording = false;
          watch.disconnect();
          done([began, performance.now()]);
        }
      });
      watch.observe(start, { childList: true, characterData: true, subtree: true });
      window.benchCosts.recording = true;
      const began = performance.now();
      start.click();
    }));
    const ticks = ticksOfRun(speed);
    ratios.push((ended - began) / (ticks * 10));
    const costs = await page.evaluate(() => window.benchCosts);
    const total = costs.timeout.reduce((a, b) => a + b, 0) + costs.frame.reduce((a, b) => a + b, 0);
    tickCosts.push({ tick: median(costs.timeout), frame: median(costs.frame), perTick: total / ticks });
    await page.close();
  }
  report.push(`${speed}: ticks ${ticksOfRun(speed)}, wall/(ticks x 10 ms) median ${median(ratios).toFixed(4)} ` +
    `(runs ${ratios.map((r) => r.toFixed(4)).join(' ')}); tick callback median ` +
    `${median(tickCosts.map((c) => c.tick)).toFixed(3)} ms, paint frame median ` +
    `${median(tickCosts.map((c) => c.frame)).toFixed(3)} ms, tick + paint per tick ` +
    `${median(tickCosts.map((c) => c.perTick)).toFixed(3)} ms`);
}

// Another build's single file, to weigh a change in the same run:
// SHOUTOTSU_BENCH_OTHER=path/to/shoutotsu.html.
const other = process.env.SHOUTOTSU_BENCH_OTHER;
const page = [];
const baseline = [];
const otherPage = [];
for (let i = 0; i < 11; i++) {
  baseline.push(await firstFrameMs(context, baselineUrl));
  page.push(await firstFrameMs(context, singleFileUrl));
  if (other) otherPage.push(await firstFrameMs(context, pathToFileURL(other).href));
}
report.push(`first frame: page median ${median(page).toFixed(1)} ms, one-canvas page ${median(baseline).toFixed(1)} ms, ` +
  `ratio ${(median(page) / median(baseline)).toFixed(2)}`);
if (other) {
  report.push(`first frame: ${other} median ${median(otherPage).toFixed(1)} ms, ` +
    `ratio ${(median(otherPage) / median(baseline)).toFixed(2)}`);
}
report.push(`single file: ${statSync(singleFile).size} bytes (${(statSync(singleFile).size / 1024).toFixed(1)} KiB)`);
await context.close();
console.log(report.join('\n'));
