import { openPage, singleFileUrl, control, waitForRunEnd } from './harness.mjs';
import { launchLearnerBrowser } from './random_learner.mjs';
const context = await launchLearnerBrowser();
const page = await openPage(context, singleFileUrl);
const start = control(page, 'start');
await start.click();
await waitForRunEnd(page);
console.log('ended', await start.textContent());
await start.click();
console.log('after clear click', await start.textContent(), await start.isVisible());
await start.click();
for (let k = 0; k < 4; k++) { await page.waitForTimeout(300); console.log(await start.textContent(), await start.isVisible()); }
console.log(page.consoleErrors);
await context.close();
