// The table and the chart of a record, built the one way for both records:
// a table in a scrolling region with its caption, and a figure with the
// choice of the chart's horizontal axis (only where more than one condition
// differs), the drawing and its caption.
import { html } from '../dom.js';
import { CONDITIONS, conditionLabel } from './columns.js';
import { textElement } from '../furigana/furigana_text.js';

/**
 * @param {string} id a prefix for the ids of the parts' labels
 * @param {string} control the axis choice's data-control
 */
export function sheetView(id, control) {
  const table = html('div', { class: 'record-table', role: 'region', 'aria-labelledby': `${id}-caption`, tabindex: '0' });
  const caption = html('caption', { id: `${id}-caption` });
  const headRow = html('tr');
  const head = html('thead');
  head.append(headRow);
  const body = html('tbody');
  const grid = html('table');
  grid.append(caption, head, body);
  table.append(grid);

  const chart = html('figure', { class: 'record-chart' });
  const choice = html('p', { class: 'record-axis-choice', 'data-print': 'hide' });
  const choiceLabel = html('label', { for: `${id}-axis` });
  const select = html('select', { id: `${id}-axis`, 'data-control': control });
  choice.append(choiceLabel, select);
  const drawing = html('div', { class: 'record-drawing' });
  const chartCaption = html('figcaption');
  chart.append(choice, drawing, chartCaption);

  return {
    table, chart, caption, body, choiceLabel, select, drawing, chartCaption,
    /** @param {string[]} names */
    setHeader(names) {
      headRow.replaceChildren(...names.map((name) => textElement('th', { scope: 'col' }, name)));
    },
    /**
     * The conditions to choose from, the chosen one selected.
     * @param {import('./columns.js').Words} words
     * @param {string[]} differing
     * @param {string} axis
     */
    setAxes(words, differing, axis) {
      choice.hidden = differing.length < 2;
      select.replaceChildren(...CONDITIONS.filter((c) => differing.includes(c.key)).map((c) => {
        const option = html('option', { value: c.key }, conditionLabel(words, c));
        option.selected = c.key === axis;
        return option;
      }));
    },
  };
}
