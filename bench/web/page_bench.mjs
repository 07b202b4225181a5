// The page's figures in headless Chromium: timing fidelity of whole runs at
// full speed and on a CPU 4 and 6 times slower, tick + paint cost per tick,
// time to the first frame against the page's own static copy and against a
// page that draws one canvas, and the single file's bytes.
// Usage: node bench/web/page_bench.mjs [--first-frame]   (after bash scripts/web.sh build)
import { mkdtempSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
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

// The page's own size on the screen the benchmark uses; the static copy is
// made at the same size, so both lay out the same window.
const viewport = { width: 1366, height: 768 };

// Runs the page's renderer `rate` times slower than the machine can, as the
// DevTools protocol does for a slow device: a school tablet rather than this
// machine. Rate 1 is full speed.
async function slowCpu(context, page, rate) {
  if (rate === 1) return;
  const session = await context.newCDPSession(page);
  await session.send('Emulation.setCPUThrottlingRate', { rate });
}

async function firstFrameMs(context, url, rate) {
  const page = await context.newPage();
  await page.setViewportSize(viewport);
  await slowCpu(context, page, rate);
  await page.goto(url);
  await page.waitForSelector('html[data-ready="1"]');
  const ms = await page.evaluate(() => window.benchReadyAt);
  await page.close();
  return ms;
}

// The floor of the first frame: the page itself as it stands right after
// start-up, saved as static HTML. Its styles, text and elements are the
// page's; each canvas is an image of what it drew, in the same place at the
// same size; no script is left (the WebAssembly text went with its script)
// but a marker that sets data-ready two frames after load, as the page and
// one_canvas.html do. It is made from the page each run, so it follows it.
async function staticCopyOf(context, url) {
  const page = await openPage(context, url, viewport);
  const html = await page.evaluate(() => {
    const live = [...document.querySelectorAll('canvas')];
    const copy = /** @type {HTMLElement} */ (document.documentElement.cloneNode(true));
    [...copy.querySelectorAll('canvas')].forEach((canvas, i) => {
      const image = document.createElement('img');
      image.src = live[i].toDataURL();
      image.alt = '';
      for (const name of ['class', 'style', 'aria-hidden']) {
        const value = canvas.getAttribute(name);
        if (value !== null) image.setAttribute(name, value);
      }
      canvas.replaceWith(image);
    });
    for (const script of copy.querySelectorAll('script')) script.remove();
    // Not ready until the marker says so; the loading note, which the
    // ready page hides, is left out so the copy shows what the page shows.
    copy.removeAttribute('data-ready');
    copy.querySelector('#loading')?.remove();
    const marker = document.createElement('script');
    marker.textContent = "requestAnimationFrame(() => requestAnimationFrame(() => { document.documentElement.dataset.ready = '1'; }));";
    copy.querySelector('body').append(marker);
    return `<!doctype html>\n${copy.outerHTML}`;
  });
  await page.close();
  const dir = mkdtempSync(join(tmpdir(), 'shoutotsu-static-'));
  const file = join(dir, 'static.html');
  writeFileSync(file, html);
  return { url: pathToFileURL(file).href, bytes: Buffer.byteLength(html), remove: () => rmSync(dir, { recursive: true, force: true }) };
}

// A whole default run at `speed`, clicked through its option `option`, with
// the renderer `rate` times slower: wall time ÷ (ticks × 10 ms) and what
// its callbacks cost.
async function timeRun(context, speed, option, rate) {
  const page = await openPage(context, singleFileUrl, viewport);
  await slowCpu(context, page, rate);
  await control(page, option).click();
  // The run's end is taken inside the page, as the form reports it.
  const [began, ended] = await page.evaluate(() => new Promise((done) => {
    const start = document.querySelector('[data-control="start"]');
    document.addEventListener('shoutotsu:run', () => {
      window.benchCosts.recording = false;
      done([began, performance.now()]);
    }, { once: true });
    window.benchCosts.recording = true;
    const began = performance.now();
    /** @type {HTMLElement} */ (start).click();
  }));
  const ticks = ticksOfRun(speed);
  const costs = await page.evaluate(() => window.benchCosts);
  await page.close();
  const total = costs.timeout.reduce((a, b) => a + b, 0) + costs.frame.reduce((a, b) => a + b, 0);
  return {
    ratio: (ended - began) / (ticks * 10),
    tick: median(costs.timeout),
    frame: median(costs.frame),
    perTick: total / ticks,
  };
}

// `--first-frame` measures only the first frame (and the bytes).
const onlyFirstFrame = process.argv.includes('--first-frame');
const context = await launchChromium();
await context.addInitScript(timeCallbacks);
await context.addInitScript(timeReady);
const speeds = [['fast', 'sp(0)'], ['medium', 'sp(1)'], ['slow', 'sp(2)']];
const report = [];
for (const rate of onlyFirstFrame ? [] : [1, 4, 6]) {
  for (const [speed, option] of speeds) {
    const runs = [];
    for (let run = 0; run < 3; run++) runs.push(await timeRun(context, speed, option, rate));
    const ratios = runs.map((r) => r.ratio);
    const timing = `wall/(ticks x 10 ms) median ${median(ratios).toFixed(4)} ` +
      `(runs ${ratios.map((r) => r.toFixed(4)).join(' ')})`;
    if (rate !== 1) {
      report.push(`${speed}, CPU ${rate}x slower: ${timing}`);
      continue;
    }
    report.push(`${speed}: ticks ${ticksOfRun(speed)}, ${timing}; tick callback median ` +
      `${median(runs.map((r) => r.tick)).toFixed(3)} ms, paint frame median ` +
      `${median(runs.map((r) => r.frame)).toFixed(3)} ms, tick + paint per tick ` +
      `${median(runs.map((r) => r.perTick)).toFixed(3)} ms`);
  }
}

// The first frame of the single file, of its static copy (the floor: the
// same page with nothing to run) and of a page that draws one canvas, loads
// interleaved, at full speed and six times slower. Another build's single
// file can be weighed in the same loop: SHOUTOTSU_BENCH_OTHER=path/to/shoutotsu.html.
const other = process.env.SHOUTOTSU_BENCH_OTHER;
const copy = await staticCopyOf(context, singleFileUrl);
const pages = [['single file', singleFileUrl], ['static copy', copy.url], ['one canvas', baselineUrl]];
if (other) pages.push([other, pathToFileURL(other).href]);
for (const rate of [1, 6]) {
  const times = new Map(pages.map(([name]) => [name, []]));
  for (let i = 0; i < 9; i++) {
    for (const [name, url] of pages) times.get(name).push(await firstFrameMs(context, url, rate));
  }
  const at = (name) => median(times.get(name));
  report.push(`first frame, CPU ${rate}x: ` + pages.map(([name]) => `${name} ${at(name).toFixed(1)} ms`).join(', '));
  report.push(`first frame, CPU ${rate}x: single file / static copy ${(at('single file') / at('static copy')).toFixed(2)}, ` +
    `static copy / one canvas ${(at('static copy') / at('one canvas')).toFixed(2)}, ` +
    `single file / one canvas ${(at('single file') / at('one canvas')).toFixed(2)}` +
    (other ? `, other / static copy ${(at(other) / at('static copy')).toFixed(2)}` : ''));
}
copy.remove();
report.push(`static copy: ${copy.bytes} bytes`);
report.push(`single file: ${statSync(singleFile).size} bytes (${(statSync(singleFile).size / 1024).toFixed(1)} KiB)`);
await context.close();
console.log(report.join('\n'));
