// The form's state as the lesson's tools need it, sent as one event each
// time it changes: after a learner's input, a timer's tick, a link's
// setting, and a run's start and end. The window's element sends a bubbling
// "shoutotsu:state" whose detail is
//   { values: { m1, m2, r1, r2, height, length }, speed, locks, running,
//     resultShown, finished? }
// values and speed as the core's settings entry gives them, locks the
// conditions the core locked, running whether a run is under way (the core
// hides スタート for it), resultShown whether the window shows a run's
// result (the core shows its label kekka), and finished the run that
// ended with this change (the shoutotsu:run detail), if one did. Nothing
// is read from the page's elements.

/**
 * @typedef {{ values: Record<string, number>, speed: string, locks: string[],
 *   running: boolean, resultShown: boolean, finished?: Record<string, any> }} FormState
 */

export class FormStateEvents {
  /**
   * @param {{ settings(): any }} api the module's entries
   * @param {any[]} controls the form's controls as the page mirrors them
   */
  constructor(api, controls) {
    this.api = api;
    this.start = controls.find((c) => c.displayName === 'start');
    this.result = controls.find((c) => c.displayName === 'kekka');
    /** @type {string[]} */
    this.locks = [];
    this.last = '';
  }

  /**
   * Notes that the core locked condition `key` (its lock entry said yes).
   * @param {string} key
   */
  locked(key) {
    if (!this.locks.includes(key)) this.locks.push(key);
  }

  /** The state now. @returns {FormState} */
  now() {
    const { speed, ...values } = this.api.settings();
    return {
      values, speed, locks: [...this.locks],
      running: this.start ? !this.start.visible : false,
      resultShown: Boolean(this.result?.visible),
    };
  }

  /**
   * Sends the state from `target` when it differs from the last one sent,
   * or when a run ended (`finished`).
   * @param {EventTarget} target
   * @param {Record<string, any> | null} finished
   */
  send(target, finished) {
    const state = this.now();
    const key = JSON.stringify(state);
    if (key === this.last && !finished) return;
    this.last = key;
    /** @type {FormState} */
    const detail = finished ? { ...state, finished: { ...finished } } : state;
    // As the run event has it: its sentence is heard once, by the page.
    delete detail.finished?.spoken;
    target.dispatchEvent(new CustomEvent('shoutotsu:state', { bubbles: true, detail }));
  }
}

/**
 * Calls `listener` with each state the page sends, and once now.
 * @param {{ desk: HTMLElement, state: FormStateEvents }} page
 * @param {(state: FormState) => void} listener
 */
export function onFormState(page, listener) {
  page.desk.addEventListener('shoutotsu:state', (event) => listener(/** @type {CustomEvent} */ (event).detail));
  listener(page.state.now());
}
