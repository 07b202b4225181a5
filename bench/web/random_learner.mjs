// A long random run: the seeded random learner of tests/web/monkey.test.mjs,
// played for many more events, over several seeds, on both forms of the page
// (the single file opened from disk and the site folder served over http),
// one browser at a time. Besides the run rules and the console, every run
// that ends has its six values and its result, as the window shows them,
// checked against the trace tool.
//
//   node bench/web/random_learner.mjs [EVENTS] [SEEDS]
//
// EVENTS in all (default 100000) are shared evenly over SEEDS seeds
// (default 4, counting up from SHOUTOTSU_LEARNER_SEED, default the test's)
// and the two forms. SHOUTOTSU_WEB_BUILD_DIR and SHOUTOTSU_TRACE_TOOL choose
// the build, as for the tests; SHOUTOTSU_LEARNER_PROGRESS is the number of
// events between two progress lines (default 2500).
//
// Exit status: 0 when every event was played and nothing was wrong; 1 after
// any error or mismatch; 2 when stopped early (SIGINT, SIGTERM) with nothing
// wrong so far. A stopped run still prints its summary.
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import {
  nativeTrace, openPage, serveSite, singleFile, singleFileUrl, siteDir, webBuild,
} from '../../tests/web/harness.mjs';
import {
  assertRules, clearCaptions, defaultSeed, launchLearnerBrowser, learn,
} from '../../tests/web/random_learner.mjs';
import { mmFromText } from '../../web/src/runs/distance.js';

const usage = 'usage: node bench/web/random_learner.mjs [EVENTS] [SEEDS]';
const [eventsArg = '100000', seedsArg = '4', ...extra] = process.argv.slice(2);
const total = Number(eventsArg);
const seedCount = Number(seedsArg);
if (extra.length || !Number.isInteger(total) || total < 1 || !Number.isInteger(seedCount) || seedCount < 1) {
  console.error(usage);
  process.exit(2);
}
const firstSeed = Number(process.env.SHOUTOTSU_LEARNER_SEED || defaultSeed);
const progressEvery = Number(process.env.SHOUTOTSU_LEARNER_PROGRESS || 2500);
for (const [what, path] of [['single file', singleFile], ['site folder', siteDir], ['trace tool', nativeTrace]]) {
  if (!existsSync(path)) {
    console.error(`random learner: no ${what} at ${path}`);
    process.exit(2);
  }
}

// How many messages of each kind the summary quotes; all are counted.
const quoted = 10;

// --- results against the trace tool ----------------------------------------

// Each finished run as the window showed it the moment the start button
// turned to "クリア" in the page's language (the moment the record below
// the window takes its row), kept in the page until the runner fetches it.
// Installed on every document the context opens, so a reload does not lose
// it.
function watchRuns(clears) {
  const runs = [];
  Object.defineProperty(window, '__learnerRuns', { value: runs });
  const shown = (name) => document.querySelector(`[data-control="${name}"]`)?.textContent.trim();
  let caption = null;
  new MutationObserver(() => {
    const now = shown('start');
    if (clears.includes(now) && !clears.includes(caption)) {
      const kekka = document.querySelector('[data-control="kekka"]');
      runs.push({
        m1: shown('T1m'), m2: shown('T2m'), r1: shown('T1r'), r2: shown('T2r'),
        height: shown('htext'), length: shown('ltext'),
        speed: document.querySelector('[data-control^="sp("][aria-checked="true"]')?.getAttribute('aria-label'),
        result: shown('kekka'),
        resultShown: kekka?.offsetParent !== null,
      });
    }
    caption = now;
  }).observe(document, { childList: true, characterData: true, subtree: true });
}

const traced = new Map();
// The rarer events played, by what they were, over every leg.
const tally = {};
// A value as the window writes it in any language, as the number it is.
const whole = (shown) => String(shown ?? '').normalize('NFKC').replace(/\D/g, '');
const mmShown = (shown) => mmFromText(String(shown ?? '').normalize('NFKC').replace(/[^\d.,]/g, ''));

function traceResult(run) {
  const args = ['--m1', whole(run.m1), '--m2', whole(run.m2), '--r1', whole(run.r1), '--r2', whole(run.r2),
    '--height', whole(run.height), '--length', whole(run.length)];
  const key = args.join(' ');
  if (!traced.has(key)) {
    try {
      const rows = execFileSync(nativeTrace, ['--results', ...args, '--speed', 'fast'], {
        encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'],
      }).trim().split('\n');
      traced.set(key, { result: rows.at(-1).split(',').at(-1) });
    } catch (error) {
      traced.set(key, { refused: (error.stderr || error.message).trim() });
    }
  }
  return { key, ...traced.get(key) };
}

// --- the run ----------------------------------------------------------------

const forms = [['single file', () => singleFileUrl], ['site folder', (site) => site.url]];
const legs = [];
for (let s = 0; s < seedCount; s++) {
  for (const [form, url] of forms) legs.push({ seed: firstSeed + s, form, url });
}
legs.forEach((leg, n) => {
  leg.planned = Math.floor(total / legs.length) + (n < total % legs.length ? 1 : 0);
  Object.assign(leg, { events: 0, runs: 0, checked: 0, mismatches: [], ruleBreaks: [], consoleErrors: [], failures: [], ms: 0 });
});

const stop = new AbortController();
let stoppedBy = null;
for (const signal of ['SIGINT', 'SIGTERM']) {
  process.on(signal, () => {
    if (stoppedBy) process.exit(stoppedBy === 'SIGINT' ? 130 : 143); // a second signal: at once
    stoppedBy = signal;
    console.log(`random learner: ${signal}, stopping after this event`);
    stop.abort();
  });
}

const started = Date.now();
const clock = (ms) => {
  const s = Math.round(ms / 1000);
  return `${Math.floor(s / 3600)}:${String(Math.floor(s / 60) % 60).padStart(2, '0')}:${String(s % 60).padStart(2, '0')}`;
};
const sum = (key) => legs.reduce((n, leg) => n + (Array.isArray(leg[key]) ? leg[key].length : leg[key]), 0);
const errorCount = (leg) => leg.ruleBreaks.length + leg.consoleErrors.length + leg.failures.length;
const allErrors = () => legs.reduce((n, leg) => n + errorCount(leg), 0);

function progress(leg) {
  console.log(`${String(sum('events')).padStart(7)}/${total} events  ${clock(Date.now() - started)}  ` +
    `(seed ${leg.seed}, ${leg.form} at ${leg.events})  runs ${sum('runs')}  checked ${sum('checked')}  ` +
    `mismatches ${sum('mismatches')}  errors ${allErrors()}`);
}

async function fetchRuns(page, leg) {
  const runs = await page.evaluate(() => window.__learnerRuns?.splice(0) ?? []);
  for (const run of runs) {
    leg.runs++;
    const shown = `m1 ${run.m1} m2 ${run.m2} r1 ${run.r1} r2 ${run.r2} height ${run.height} length ${run.length}` +
      ` (${run.speed}): "${run.result}"`;
    const trace = traceResult(run);
    if (trace.refused) {
      leg.mismatches.push(`${shown}, the trace tool refused ${trace.key}: ${trace.refused}`);
      continue;
    }
    leg.checked++;
    if (mmShown(run.result) === null || mmShown(run.result) !== mmFromText(trace.result)) leg.mismatches.push(`${shown}, the trace tool says "${trace.result}"`);
    else if (!run.resultShown) leg.mismatches.push(`${shown}, but kekka is hidden`);
  }
}

async function play(leg, site) {
  const legStart = Date.now();
  const context = await launchLearnerBrowser({ handleSIGINT: false, handleSIGTERM: false, handleSIGHUP: false });
  let page;
  try {
    await context.addInitScript(watchRuns, clearCaptions);
    page = await openPage(context, leg.url(site));
    await learn(page, {
      seed: leg.seed,
      events: leg.planned,
      signal: stop.signal,
      tally,
      check: (rules, where) => {
        try {
          assertRules(rules, where);
        } catch (error) {
          if (error?.code !== 'ERR_ASSERTION') throw error;
          leg.ruleBreaks.push(error.message.split('\n')[0]);
        }
      },
      each: async (i) => {
        leg.events = i + 1;
        if (leg.events % 100 === 0) await fetchRuns(page, leg);
        if (sum('events') % progressEvery === 0) progress(leg);
      },
    });
  } catch (error) {
    leg.failures.push(`after event ${leg.events}: ${String(error?.message ?? error).split('\n')[0]}`);
  } finally {
    try {
      if (page && !page.isClosed()) await fetchRuns(page, leg);
    } catch (error) {
      leg.failures.push(`fetching the last runs: ${String(error?.message ?? error).split('\n')[0]}`);
    }
    leg.consoleErrors.push(...(page?.consoleErrors ?? []));
    await context.close().catch(() => {});
    leg.ms = Date.now() - legStart;
  }
}

function summary() {
  const wall = Date.now() - started;
  const done = sum('events');
  console.log('');
  console.log(`random learner: ${done} of ${total} events${stoppedBy ? `, stopped early by ${stoppedBy}` : ''}, ` +
    `wall time ${clock(wall)}`);
  console.log(`build ${webBuild}, trace tool ${nativeTrace}`);
  console.log('');
  const head = ['seed', 'form', 'events', 'runs', 'checked', 'mismatches', 'rule breaks', 'console errors', 'failures', 'time'];
  const rows = legs.map((leg) => [leg.seed, leg.form, `${leg.events}/${leg.planned}`, leg.runs, leg.checked,
    leg.mismatches.length, leg.ruleBreaks.length, leg.consoleErrors.length, leg.failures.length, clock(leg.ms)]);
  rows.push(['all', '', `${done}/${total}`, sum('runs'), sum('checked'), sum('mismatches'), sum('ruleBreaks'),
    sum('consoleErrors'), sum('failures'), clock(wall)]);
  const widths = head.map((h, c) => Math.max(h.length, ...rows.map((r) => String(r[c]).length)));
  const line = (cells) => `| ${cells.map((cell, c) => String(cell).padEnd(widths[c])).join(' | ')} |`;
  console.log(line(head));
  console.log(`| ${widths.map((w) => '-'.repeat(w)).join(' | ')} |`);
  for (const row of rows) console.log(line(row));
  console.log(`\nrarer events: ${Object.entries(tally).sort().map(([what, n]) => `${what} ${n}`).join(', ')}`);
  console.log(`${traced.size} combinations of the six values asked of the trace tool`);
  for (const [kind, label] of [['mismatches', 'mismatch'], ['ruleBreaks', 'rule broken'],
    ['consoleErrors', 'console error'], ['failures', 'failure']]) {
    for (const leg of legs) {
      for (const message of leg[kind].slice(0, quoted)) console.log(`${label} (seed ${leg.seed}, ${leg.form}): ${message}`);
      if (leg[kind].length > quoted) console.log(`  … and ${leg[kind].length - quoted} more`);
    }
  }
}

console.log(`random learner: ${total} events over ${seedCount} seed${seedCount === 1 ? '' : 's'} from ${firstSeed} and two forms, ` +
  `${legs.map((leg) => leg.planned).join('/')} per seed and form`);
const site = await serveSite();
try {
  for (const leg of legs) {
    if (stop.signal.aborted) break;
    console.log(`seed ${leg.seed}, ${leg.form}: ${leg.planned} events`);
    await play(leg, site);
    console.log(`seed ${leg.seed}, ${leg.form}: ${leg.events} events in ${clock(leg.ms)}, runs ${leg.runs}, ` +
      `checked ${leg.checked}, mismatches ${leg.mismatches.length}, errors ${errorCount(leg)}`);
  }
} finally {
  await site.close();
}
summary();
process.exit(sum('mismatches') + allErrors() > 0 ? 1 : stoppedBy || sum('events') < total ? 2 : 0);
