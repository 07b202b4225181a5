// How long the core takes to check a class's recorded results in the page:
// 1000 rows of different settings, each asked of shoutotsu_result_for, in
// headless Chromium, at full speed and with the CPU slowed as on a low-cost
// school device. After `bash scripts/web.sh build`:
//   node bench/web/result_check.mjs
import { launchChromium, openPage, serveSite } from '../../tests/web/harness.mjs';

const context = await launchChromium();
const site = await serveSite();
for (const rate of [1, 4, 6]) {
  const page = await openPage(context, site.url);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate });
  const ms = await page.evaluate(async () => {
    // A module of its own: the learner's window is not touched.
    // eslint-disable-next-line no-undef -- the page's module factory, a global of the page
    const module = await createShoutotsu({ print: () => {}, printErr: () => {} });
    const rows = [];
    for (let m1 = 10; m1 <= 50 && rows.length < 1000; m1++) {
      for (let m2 = 10; m2 <= 50 && rows.length < 1000; m2 += 2) {
        for (let height = 10; height <= 40 && rows.length < 1000; height += 3) rows.push([height, 60, m1, m2, 10, 10]);
      }
    }
    module._shoutotsu_result_for(...rows[0]); // the checking form loads once
    // The median of nine passes.
    const time = (call) => {
      const passes = [];
      for (let pass = 0; pass < 9; pass++) {
        const start = performance.now();
        for (const row of rows) module.UTF8ToString(call(row));
        passes.push(performance.now() - start);
      }
      return passes.sort((a, b) => a - b)[4];
    };
    // Beside it, the floor: a call into the module that does no work.
    return { check: time((row) => module._shoutotsu_result_for(...row)), floor: time(() => module._shoutotsu_error()) };
  });
  console.log(`CPU slowed ${rate}×: 1000 different rows checked in ${ms.check.toFixed(1)} ms `
    + `(1000 empty calls: ${ms.floor.toFixed(1)} ms)`);
  await page.close();
}
await context.close();
await site.close();
