// The field "予想" in the lesson bar: the distance the learner expects,
// typed before pressing "スタート". A run that ends takes it into its row and
// empties the field for the next run. What is typed but not yet used is
// kept across a reload.
import { html } from '../dom.js';
import { addLessonTool } from './lesson_bar.js';
import { predictionFrom } from './prediction.js';
import { onTableChange, text } from '../i18n/text.js';
import { languageCode } from '../i18n/language.js';

const kDraftKey = 'shoutotsu.prediction.v1';

/**
 * @param {Storage | null} storage where the typed prediction is kept
 * @returns {{ take: () => string, field: HTMLInputElement }}
 */
export function mountPrediction(storage) {
  const label = html('label', { class: 'lesson-prediction' });
  const name = html('span');
  const field = html('input', {
    type: 'text', inputmode: 'decimal', autocomplete: 'off', size: 5, maxlength: 12,
    'data-control': 'prediction', 'aria-describedby': 'prediction-problem',
  });
  const unit = html('span');
  label.append(name, field, unit);
  // Said where it is seen and heard at once: what the field accepts.
  const problem = html('span', { id: 'prediction-problem', class: 'lesson-problem', role: 'alert' });
  problem.hidden = true;
  const tool = html('span', { class: 'lesson-tool' });
  tool.append(label, problem);

  function drawTexts() {
    name.textContent = text('predictionLabel');
    unit.textContent = text('predictionUnit');
    field.title = text('predictionHint');
    if (!problem.hidden) problem.textContent = text('predictionBad');
  }

  function check() {
    const bad = predictionFrom(field.value, languageCode()) === null;
    field.setAttribute('aria-invalid', String(bad));
    problem.hidden = !bad;
    problem.textContent = bad ? text('predictionBad') : '';
    return !bad;
  }

  function keep() {
    try {
      if (field.value) storage?.setItem(kDraftKey, field.value);
      else storage?.removeItem(kDraftKey);
    } catch {
      // Not kept across a reload; the field itself still holds it.
    }
  }

  try {
    field.value = storage?.getItem(kDraftKey)?.slice(0, 12) ?? '';
  } catch {
    field.value = '';
  }
  field.addEventListener('input', () => {
    check();
    keep();
  });
  drawTexts();
  if (field.value) check();
  onTableChange(drawTexts);
  addLessonTool(tool);

  return {
    field,
    // The prediction for the run that just ended ('' for none). A value the
    // field refuses stays in it, with its message, and is not used.
    take() {
      const prediction = predictionFrom(field.value, languageCode());
      if (prediction === null) {
        check();
        return '';
      }
      field.value = '';
      keep();
      check();
      return prediction;
    },
  };
}
