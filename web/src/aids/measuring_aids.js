// The measuring aids: their layer on the drawing area and their switches in
// the lesson bar. Off at first; the choices kept on this device (or a
// teacher's link) may have turned them on already.
import { addLessonTool } from '../lesson/lesson_bar.js';
import { AidsLayer } from './aids_layer.js';
import { aidSwitch } from './aids_switches.js';
import { AIDS } from './aids_store.js';

/** @param {import('../window/page.js').FormPage} page the started page */
export function mountMeasuringAids(page) {
  new AidsLayer(page, page.api);
  for (const aid of AIDS) addLessonTool(aidSwitch(aid));
}
