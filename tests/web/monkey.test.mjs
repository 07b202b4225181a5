// A seeded random learner on the page: a thousand taps, clicks,
// drags and keys anywhere on the window, among them class files added, the
// page opened again from teachers' links, and languages, furigana and the
// measuring aids switched. Nothing may go to the console as an error, and
// the run rules hold throughout: at most one phase timer on, the scroll
// bars disabled exactly while a run is under way or shows its result or
// their condition is locked, and each class file taken or refused as its
// kind says. The learner itself lives in random_learner.mjs, which the long
// run (scripts/random-learner.sh) shares.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, singleFileUrl } from './harness.mjs';
import { assertRules, defaultSeed, launchLearnerBrowser, learn } from './random_learner.mjs';

const seed = Number(process.env.SHOUTOTSU_MONKEY_SEED || defaultSeed);
const events = Number(process.env.SHOUTOTSU_MONKEY_EVENTS || 1000);

test(`a random learner (seed ${seed}, ${events} events) keeps the run rules`, { timeout: 600000 }, async () => {
  const context = await launchLearnerBrowser();
  try {
    const page = await openPage(context, singleFileUrl);
    await learn(page, { seed, events, check: assertRules });
    assert.deepEqual(page.consoleErrors, [], `seed ${seed}`);
  } finally {
    await context.close();
  }
});
