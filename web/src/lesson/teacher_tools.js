// The teacher's panel's boxes for the measuring aids: each ticked one goes
// into the link as "tools=…", so the page it opens starts with it on.
import { html } from '../dom.js';
import { AIDS } from '../aids/aids_store.js';
import { onTableChange, text } from '../i18n/text.js';

const kNames = { ruler: 'aidsRuler', strobe: 'aidsStrobe' };

/**
 * @param {string[]} ticked the aids this page's own link turned on: ticked at first
 * @returns {{ element: HTMLFieldSetElement, ticked(): string[] }}
 */
export function teacherToolBoxes(ticked) {
  const element = html('fieldset', { 'data-control': 'teacherTools' });
  const legend = html('legend');
  element.append(legend);
  const boxes = AIDS.map((aid) => {
    const input = html('input', { type: 'checkbox', 'data-tool': aid });
    input.checked = ticked.includes(aid);
    const name = html('span');
    const label = html('label');
    label.append(input, name);
    element.append(label);
    return { aid, input, name };
  });
  const words = () => {
    legend.textContent = text('teacherToolsLegend');
    for (const box of boxes) box.name.textContent = text(kNames[box.aid]);
  };
  words();
  onTableChange(words);
  return { element, ticked: () => boxes.filter((box) => box.input.checked).map((box) => box.aid) };
}
