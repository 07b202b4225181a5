// Starts the page: checks that the browser can run the program, loads the
// WebAssembly module (which fits the form to the viewport and loads it),
// and hands the form to the page. Any failure on the way is said in the
// page, in Japanese; the page is never left blank.
import { AidsLayer } from './aids/aids_layer.js';
import { mountMeasuringAids } from './aids/measuring_aids.js';
import { keepClassRecord } from './class/class_hook.js';
import { furiganaSwitch } from './furigana/furigana_switch.js';
import { startLanguage } from './i18n/language.js';
import { languagePicker } from './i18n/language_picker.js';
import { addLessonTool } from './lesson/lesson_bar.js';
import { setUpLesson } from './lesson/lesson_setup.js';
import { takeChanges } from './window/change_list.js';
import { FormPage } from './window/page.js';
import { followScreen, keptSettings, restoreSettings } from './window/relayout.js';
import { readAloudButton } from './speech/read_aloud.js';
import { keepRecord } from './record/record_hook.js';

// The module's entries, as the page uses them.
function formApi(module) {
  const text = (pointer) => module.UTF8ToString(pointer);
  const platform = JSON.parse(text(module._shoutotsu_platform()));
  return {
    platform,
    controls: () => JSON.parse(text(module._shoutotsu_controls())),
    changes: () => takeChanges(module),
    click: (id) => module._shoutotsu_click(id, performance.now()) === 1,
    scroll: (id, action, thumb) => module._shoutotsu_scroll(id, platform.scrollActions[action], thumb) === 1,
    select: (id) => module._shoutotsu_select(id) === 1,
    optionAfter: (id, step) => module._shoutotsu_option_after(id, step),
    tick: (id) => module._shoutotsu_tick(id) === 1,
    resultFor: (height, length, m1, m2, r1, r2) => text(module._shoutotsu_result_for(height, length, m1, m2, r1, r2)),
    resultMmFor: (height, length, m1, m2, r1, r2) => module._shoutotsu_result_mm_for(height, length, m1, m2, r1, r2),
    status: () => module._shoutotsu_status(),
    setParameter: (parameter, value) => module._shoutotsu_set_parameter(parameter, value) === 1,
    lockParameter: (parameter) => module._shoutotsu_lock_parameter(parameter) === 1,
    selectSpeed: (speed) => module._shoutotsu_select_speed(speed) === 1,
    settings: () => JSON.parse(text(module._shoutotsu_settings())),
    floorScale: () => JSON.parse(text(module._shoutotsu_floor_scale())),
    strobe: () => JSON.parse(text(module._shoutotsu_strobe())),
    finishedRun: () => {
      const run = text(module._shoutotsu_finished_run());
      return run ? JSON.parse(run) : null;
    },
    error: () => {
      const report = text(module._shoutotsu_error());
      return report ? JSON.parse(report) : null;
    },
  };
}

// Shows one of the page's prepared messages (see index.html).
function showProblem(kind, detail) {
  const root = document.documentElement;
  if (root.dataset.ready === '1') return;
  root.dataset.problem = kind;
  const where = document.getElementById('problem-detail');
  if (where && detail) where.textContent = String(detail);
}

function registerOfflineWorker() {
  // Only the folder on a web server has a worker; the single file needs none.
  if (!document.documentElement.hasAttribute('data-offline') || !('serviceWorker' in navigator)) return;
  if (!/^https?:$/.test(location.protocol)) return;
  // The worker's own script is always asked of the server, however long the
  // server lets it live in the HTTP cache: it is how a new version is found.
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).then((registration) => {
    // A new version is looked for now (a first visit is still installing
    // the worker it registered), every hour the page stays open, and when
    // the learner comes back to it. Found, it takes charge as soon as its
    // files are kept, so the next reload shows it; the page in front of the
    // learner is never reloaded for them.
    const check = () => registration.update().catch(() => {});
    if (registration.active) check();
    setInterval(check, 60 * 60 * 1000);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible') check();
    });
  }).catch(() => {
    // Without the worker the page still runs; it only needs the network.
  });
}

// The module, with its WebAssembly either fetched by the module's own script
// (the folder) or compiled already by start_compiling.js (the single file).
async function loadModule() {
  const options = {
    print: (line) => console.log(line),
    printErr: (line) => console.error(line),
  };
  const compiling = window.shoutotsuProgram;
  if (!compiling) return createShoutotsu(options);
  const program = await compiling;
  // The module's script waits for its instance through this hook and has no
  // way to hear of a failure, so a failed instantiation ends the wait here.
  let failed;
  const failure = new Promise((resolve, reject) => { failed = reject; });
  options.instantiateWasm = (imports, receive) => {
    WebAssembly.instantiate(program, imports).then((instance) => receive(instance), failed);
    return {};
  };
  return Promise.race([createShoutotsu(options), failure]);
}

async function boot() {
  // The language first, so that even the loading note is in it.
  const languageProblem = startLanguage();
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    showProblem('no-wasm');
    return;
  }
  if (typeof createShoutotsu !== 'function') {
    showProblem('load-failed', 'shoutotsu-page.js');
    return;
  }
  let module;
  try {
    module = await loadModule();
  } catch (error) {
    showProblem('load-failed', error && error.message ? error.message : error);
    return;
  }
  const desk = /** @type {HTMLElement} */ (document.getElementById('desk'));
  const icon = /** @type {HTMLLinkElement | null} */ (document.querySelector('link[rel="icon"]'))?.href ?? '';
  let page = new FormPage(formApi(module), desk, icon);
  page.start();
  // The window laid out afresh for a turned or resized screen is a new
  // page; what holds on to the page reaches the one shown now.
  const shown = {
    get api() { return page.api; },
    get desk() { return desk; },
    get state() { return page.state; },
    event: (/** @type {() => void} */ run) => page.event(run),
  };
  followScreen(() => page, async () => {
    const kept = keptSettings(page, location.search);
    const next = new FormPage(formApi(await loadModule()), desk, icon);
    page.dispose();
    page = next;
    page.start();
    restoreSettings(page, kept);
    new AidsLayer(page, page.api); // the aids' layer lives in the window
  }, desk);
  // The first frame shows the window, as the lesson's link sets it, and the
  // lesson's tools beside it; what lies below the window (the record, the
  // class's record, the teacher's panel) and the offline worker wait until
  // that frame is on the screen.
  const mountTeacherPanel = setUpLesson(/** @type {FormPage} */ (/** @type {unknown} */ (shown)));
  addLessonTool(languagePicker(languageProblem));
  addLessonTool(furiganaSwitch());
  addLessonTool(readAloudButton(page));
  mountMeasuringAids(page);
  await nextFrame();
  document.documentElement.dataset.shown = '1';
  keepBelowWindow(desk, (...values) => page.api.resultFor(...values));
  mountTeacherPanel();
  registerOfflineWorker();
  // Ready once the frame with all of it is on the screen.
  await nextFrame();
  document.documentElement.dataset.ready = '1';
}

// The record and the class's record below the window, each part where it
// stood when they were made before the first frame.
function keepBelowWindow(desk, resultFor) {
  keepRecord(desk);
  // The record's prediction field leads the lesson's tools, as it did when
  // the record came first.
  const tools = document.querySelector('.lesson-bar');
  const prediction = tools?.querySelector('.lesson-prediction')?.closest('.lesson-tool');
  if (tools && prediction) tools.prepend(prediction);
  const recordHost = /** @type {HTMLElement} */ (document.querySelector('.record-host'));
  // The lesson's line stands just above the record, as it would had the
  // record been there first.
  const lesson = recordHost.nextElementSibling;
  if (lesson?.classList.contains('lesson')) recordHost.before(lesson);
  keepClassRecord(recordHost, resultFor);
}

// Resolves once the next frame has been shown: the frame after the next
// animation frame has begun.
const nextFrame = () => new Promise((shown) => requestAnimationFrame(() => requestAnimationFrame(() => shown(undefined))));

boot().catch((error) => showProblem('load-failed', error && error.message ? error.message : error));
