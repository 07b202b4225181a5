// The page's figures in headless Chromium, each beside the same figure of a
// baseline build measured in the same run: a run's pace (wall time from
// "スタート" to the run's end over its ticks × 10 ms) at full speed and on a
// CPU 4 and 6 times slower, what a frame of a run costs the main thread by
// phase (Chromium's timeline trace) beside the least a frame of a bare
// canvas of the window's size costs, the first frame against the page's own
// static copy, and the single file's bytes.
// Usage: node bench/web/page_bench.mjs [--baseline OLD.html] [--first-frame | --frame-cost | --pace]
//          [--no-trace] [--runs N] [--rate R] [--speed fast|medium]
//   (after bash scripts/web.sh build; OLD.html: the single file of the
//   build to compare with, e.g. main's; --pace: the pace alone, N runs per
//   build (3), at CPU R× only and one speed only if given)
import { mkdtempSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { join, resolve } from 'node:path';
import { control, launchChromium, nativeTrace, openPage, singleFile } from '../../tests/web/harness.mjs';
import { frameCosts, recordTrace } from './frame_trace.mjs';

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

// The moment the page's first frame is on the screen, taken inside the
// page (how long Playwright takes to notice is not the page's): the page
// marks it with data-shown="1" (what lies below the window comes after it,
// and data-ready="1" once that is shown too); a page without that mark
// (an older build, the static copy) with data-ready="1".
const timeReady = () => {
  // Set up before the document has its root element, so it watches the
  // whole document.
  new MutationObserver((records, observer) => {
    const root = document.documentElement;
    if (root?.dataset.shown !== '1' && root?.dataset.ready !== '1') return;
    window.benchReadyAt = performance.now();
    observer.disconnect();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready', 'data-shown'] });
};

// The page's own size on the screen the benchmark uses; the static copy is
// made at the same size, so both lay out the same window.
const viewport = { width: 1366, height: 768 };
const floorPage = new URL('one_canvas.html', import.meta.url).href;

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
    copy.removeAttribute('data-shown');
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
// the renderer `rate` times slower: wall time ÷ (ticks × 10 ms). With
// `trace`, also the run's timeline: what its frames cost by phase.
async function timeRun(context, url, speed, option, rate, trace = false) {
  const page = await openPage(context, url, viewport);
  await slowCpu(context, page, rate);
  await control(page, option).click();
  // The run's end is taken inside the page, as the form reports it.
  const run = () => page.evaluate(() => new Promise((done) => {
    const start = document.querySelector('[data-control="start"]');
    document.addEventListener('shoutotsu:run', () => done(performance.now() - began), { once: true });
    const began = performance.now();
    /** @type {HTMLElement} */ (start).click();
  }));
  let wall = 0;
  let costs = null;
  if (trace) {
    costs = frameCosts(await recordTrace(context, page, async () => { wall = await run(); }));
  } else {
    wall = await run();
  }
  await page.close();
  return { ratio: wall / (ticksOfRun(speed) * 10), costs };
}

// The page's drawing canvas, in device pixels.
async function drawingSize(context, url) {
  const page = await openPage(context, url, viewport);
  const size = await page.evaluate(() => [...document.querySelectorAll('canvas')]
    .map((canvas) => ({ width: canvas.width, height: canvas.height }))
    .reduce((a, b) => (b.width * b.height > a.width * a.height ? b : a)));
  await page.close();
  return size;
}

// What `frames` frames of one bob moving on a canvas of `size` alone cost
// at 4x, traced as the page's run is: the least any frame of a drawing of
// the window's size costs this browser.
async function canvasFloorCosts(context, size, frames) {
  const page = await context.newPage();
  await page.setViewportSize(viewport);
  await page.goto(`${floorPage}?width=${size.width}&height=${size.height}`);
  await page.waitForSelector('html[data-ready="1"]');
  await slowCpu(context, page, 4);
  const costs = frameCosts(await recordTrace(context, page, () => page.evaluate((n) => window.animate(n), frames)));
  await page.close();
  return costs;
}

const args = process.argv.slice(2);
const option = (name) => (args.includes(name) ? args[args.indexOf(name) + 1] : undefined);
const onlyFirstFrame = args.includes('--first-frame');
const onlyFrameCost = args.includes('--frame-cost');
const onlyPace = args.includes('--pace');
const paceRuns = Number(option('--runs') ?? 3);
const baselineFile = option('--baseline') ?? process.env.SHOUTOTSU_BENCH_BASELINE;
const builds = [['page', singleFile]];
if (baselineFile) builds.push(['baseline', resolve(baselineFile)]);
const urls = new Map(builds.map(([name, file]) => [name, pathToFileURL(file).href]));
const context = await launchChromium();
await context.addInitScript(timeReady);
const speeds = [['fast', 'sp(0)'], ['medium', 'sp(1)']].filter(([speed]) => [speed, undefined].includes(option('--speed')));
const rates = option('--rate') ? [Number(option('--rate'))] : [1, 4, 6];
const report = [`load average at the start: ${execFileSync('cat', ['/proc/loadavg'], { encoding: 'utf8' }).trim()}`];
const side = (name, values, digits) => `${name} ${median(values).toFixed(digits)} (${values.map((v) => v.toFixed(digits)).join(' ')})`;

// The pace: median of 3 runs per build, the builds interleaved.
for (const rate of onlyFirstFrame || onlyFrameCost ? [] : rates) {
  for (const [speed, radio] of speeds) {
    const ratios = new Map(builds.map(([name]) => [name, []]));
    for (let run = 0; run < paceRuns; run++) {
      for (const [name] of builds) ratios.get(name).push((await timeRun(context, urls.get(name), speed, radio, rate)).ratio);
    }
    report.push(`pace, ${speed} (${ticksOfRun(speed)} ticks), CPU ${rate}x: wall/(ticks x 10 ms) ` +
      builds.map(([name]) => side(name, ratios.get(name), 3)).join(' | '));
  }
}

// A frame's cost: a medium run at 4x traced, 3 runs per build; each
// phase's main-thread time per frame drawn and per tick, median of the runs.
if (!onlyFirstFrame && !onlyPace && !args.includes('--no-trace')) {
  const phases = ['script', 'style', 'layout', 'paint', 'commit', 'other'];
  const drawn = phases.slice(0, 5);
  const ticks = ticksOfRun('medium');
  const traced = new Map(builds.map(([name]) => [name, []]));
  for (let run = 0; run < 3; run++) {
    for (const [name] of builds) traced.get(name).push((await timeRun(context, urls.get(name), 'medium', 'sp(1)', 4, true)).costs);
  }
  // The floor: a page with only a canvas of the window's drawing size,
  // one bob moved on it per frame, as many frames as the page drew.
  const size = await drawingSize(context, urls.get('page'));
  const frames = median(traced.get('page').map((r) => r.frames));
  const floor = `one canvas ${size.width}x${size.height}`;
  traced.set(floor, []);
  for (let run = 0; run < 3; run++) traced.get(floor).push(await canvasFloorCosts(context, size, frames));
  for (const name of [...builds.map(([build]) => build), floor]) {
    const runs = traced.get(name);
    const per = (divisor, p) => median(runs.map((r) => r.totals[p] / divisor(r)));
    const sum = (divisor) => median(runs.map((r) => drawn.reduce((total, p) => total + r.totals[p], 0) / divisor(r)));
    const frame = (r) => r.frames;
    const tick = () => ticks;
    report.push(`frame cost, medium at CPU 4x, ${name}: ${median(runs.map(frame))} frames for ${ticks} ticks; ` +
      `per frame ms ${phases.map((p) => `${p} ${per(frame, p).toFixed(2)}`).join(', ')}; ` +
      `script+style+layout+paint+commit per frame ${sum(frame).toFixed(2)}, per tick ${sum(tick).toFixed(2)}`);
  }
}

// The first frame of each build against its own static copy (the floor:
// the same page with nothing to run), loads interleaved, at full speed and
// six times slower.
const copies = new Map();
if (!onlyFrameCost && !onlyPace) for (const [name] of builds) copies.set(name, await staticCopyOf(context, urls.get(name)));
for (const rate of onlyFrameCost || onlyPace ? [] : [1, 6]) {
  const pages = builds.flatMap(([name]) => [[name, urls.get(name)], [`${name}'s static copy`, copies.get(name).url]]);
  const times = new Map(pages.map(([name]) => [name, []]));
  for (let i = 0; i < 9; i++) {
    for (const [name, url] of pages) times.get(name).push(await firstFrameMs(context, url, rate));
  }
  const at = (name) => median(times.get(name));
  report.push(`first frame, CPU ${rate}x: ` + builds.map(([name]) =>
    `${name} ${at(name).toFixed(1)} ms / static copy ${at(`${name}'s static copy`).toFixed(1)} ms = ` +
    `${(at(name) / at(`${name}'s static copy`)).toFixed(2)}`).join(' | '));
}
for (const [name, file] of builds) {
  const copy = copies.get(name);
  report.push(`${name}: single file ${statSync(file).size} bytes (${(statSync(file).size / 1024).toFixed(1)} KiB)` +
    (copy ? `, static copy ${copy.bytes} bytes` : ''));
  copy?.remove();
}
report.push(`load average at the end: ${execFileSync('cat', ['/proc/loadavg'], { encoding: 'utf8' }).trim()}`);
await context.close();
console.log(report.join('\n'));
