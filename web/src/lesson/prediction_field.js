// The field "予想" in the lesson bar: the distance the learner expects,
// typed before pressing "スタート". The run takes it as it starts (the
// field empties and a note says what the run took); what is typed during
// the run belongs to the next one. What is typed but not yet taken is kept
// across a reload. A word typed through an input method is checked once it
// is committed, not at each step of composing it.
import { html } from '../dom.js';
import { addLessonTool } from './lesson_bar.js';
import { predictionFrom } from './prediction.js';
import { setText } from '../furigana/furigana_text.js';
import { onTableChange, text } from '../i18n/text.js';
import { languageCode } from '../i18n/language.js';

const kDraftKey = 'shoutotsu.prediction.v1';

/** @param {Storage | null} storage */
function draftStore(storage) {
  return {
    read() {
      try {
        return storage?.getItem(kDraftKey)?.slice(0, 12) ?? '';
      } catch {
        return '';
      }
    },
    /** @param {string} value */
    keep(value) {
      try {
        if (value) storage?.setItem(kDraftKey, value);
        else storage?.removeItem(kDraftKey);
      } catch {
        // Not kept across a reload; the field itself still holds it.
      }
    },
  };
}

function predictionView() {
  const label = html('label', { class: 'lesson-prediction' });
  const name = html('span');
  const field = html('input', {
    type: 'text', inputmode: 'decimal', autocomplete: 'off', size: 5, maxlength: 12,
    'data-control': 'prediction', 'aria-describedby': 'prediction-problem prediction-taken',
  });
  const unit = html('span');
  label.append(name, field, unit);
  // Said where it is seen and heard at once: what the field accepts.
  const problem = html('span', { id: 'prediction-problem', class: 'lesson-problem', role: 'alert' });
  const taken = html('span', { id: 'prediction-taken', class: 'lesson-taken', 'data-control': 'predictionTaken' });
  const tool = html('span', { class: 'lesson-tool' });
  tool.append(label, taken, problem);
  return { tool, name, field, unit, problem, taken };
}

/**
 * Shows the field's name, what it accepts and what the run took.
 * @param {ReturnType<typeof predictionView>} view
 * @param {{ bad: boolean, taken: string | null }} state
 */
function drawPrediction(view, state) {
  setText(view.name, text('predictionLabel'));
  setText(view.unit, text('predictionUnit'));
  view.field.title = text('predictionHint');
  view.field.setAttribute('aria-invalid', String(state.bad));
  // Written only when it changes: an alert says again what is written again.
  const problem = state.bad ? text('predictionBad') : '';
  if (view.problem.dataset.said !== problem) {
    view.problem.dataset.said = problem;
    setText(view.problem, problem);
  }
  view.problem.hidden = !state.bad;
  setText(view.taken, state.taken ? text('predictionTaken', { prediction: state.taken }) : '');
  view.taken.hidden = !state.taken;
}

/**
 * @param {Storage | null} storage where the typed prediction is kept
 * @returns {{ take: () => string, field: HTMLInputElement }}
 */
export function mountPrediction(storage) {
  const view = predictionView();
  const { field } = view;
  const drafts = draftStore(storage);
  const state = { bad: false, taken: /** @type {string | null} */ (null), running: false };

  const draw = () => drawPrediction(view, state);
  const check = () => {
    state.bad = predictionFrom(field.value, languageCode()) === null;
    drafts.keep(field.value);
    draw();
  };

  field.value = drafts.read();
  field.addEventListener('input', (event) => {
    if (!(/** @type {InputEvent} */ (event).isComposing)) check();
  });
  field.addEventListener('compositionend', check);
  document.addEventListener('shoutotsu:state', (event) => {
    const { running } = /** @type {CustomEvent} */ (event).detail;
    if (running === state.running) return;
    state.running = running;
    if (running) {
      // スタート: the run takes what the field holds, if the field takes it.
      const prediction = predictionFrom(field.value, languageCode());
      if (!prediction) return;
      state.taken = prediction;
      field.value = '';
    } else {
      // A run stopped before its end gives back what it took, unless a new
      // one was typed meanwhile.
      if (state.taken && field.value === '') field.value = state.taken;
      state.taken = null;
    }
    check();
  });
  if (field.value) check();
  else draw();
  onTableChange(draw);
  addLessonTool(view.tool);

  return {
    field,
    // The prediction of the run that just ended ('' for none).
    take() {
      const prediction = state.taken ?? '';
      state.taken = null;
      draw();
      return prediction;
    },
  };
}
