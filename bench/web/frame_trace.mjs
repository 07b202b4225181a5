// What a run's frames cost the page's main thread, from Chromium's own
// timeline trace (the `devtools.timeline` events DevTools' Performance panel
// records): every event's self time on the renderer's main thread, sorted
// into script, style, layout, paint and commit, per frame the run drew.

// Event names of the timeline, by the phase of a frame they belong to. A
// name not listed is counted as "other" (the task's own bookkeeping).
const phases = {
  script: ['FunctionCall', 'EvaluateScript', 'TimerFire', 'TimerInstall', 'TimerRemove', 'FireAnimationFrame',
    'RequestAnimationFrame', 'CancelAnimationFrame', 'EventDispatch', 'v8.compile', 'v8.run', 'V8.Execute',
    'MinorGC', 'MajorGC', 'BlinkGC.AtomicPhase', 'v8.callFunction', 'ThreadState::performIdleLazySweep',
    'XHRReadyStateChange', 'FireIdleCallback'],
  style: ['UpdateLayoutTree', 'RecalculateStyles', 'ScheduleStyleRecalculation', 'ParseAuthorStyleSheet',
    'InvalidateLayout'],
  layout: ['Layout', 'LayoutShift', 'IntersectionObserverController::computeIntersections', 'UpdateLayerTree'],
  paint: ['PrePaint', 'Paint', 'PaintImage', 'PaintSetup', 'Layerize', 'UpdateLayer', 'Decode Image',
    'Draw LazyPixelRef', 'Decode LazyPixelRef', 'RasterTask'],
  commit: ['Commit', 'CompositeLayers', 'ProxyMain::BeginMainFrame::commit', 'BeginMainThreadFrame'],
};
const phaseOf = new Map(Object.entries(phases).flatMap(([phase, names]) => names.map((name) => [name, phase])));

// Records a timeline trace of the page while `during()` runs; returns the
// trace's events. SHOUTOTSU_TRACE_CATEGORIES adds others (e.g. cc,viz,blink,
// to see what a commit does); the phases below count the timeline's alone.
export async function recordTrace(context, page, during) {
  const session = await context.newCDPSession(page);
  const events = [];
  session.on('Tracing.dataCollected', ({ value }) => events.push(...value));
  const complete = new Promise((resolve) => session.once('Tracing.tracingComplete', resolve));
  await session.send('Tracing.start', {
    categories: ['devtools.timeline,disabled-by-default-devtools.timeline,toplevel', process.env.SHOUTOTSU_TRACE_CATEGORIES].filter(Boolean).join(','),
    transferMode: 'ReportEvents',
  });
  try {
    await during();
  } finally {
    await session.send('Tracing.end');
    await complete;
    await session.detach();
  }
  return events;
}

// The renderer main thread(s) of the trace: where the page's frames are made.
function mainThreads(events) {
  return new Set(events
    .filter((e) => e.ph === 'M' && e.name === 'thread_name' && e.args?.name === 'CrRendererMain')
    .map((e) => `${e.pid}:${e.tid}`));
}

// Self time (ms) of every phase on the main thread, and the number of
// frames committed, over the whole trace.
export function frameCosts(events) {
  const main = mainThreads(events);
  const spans = events
    .filter((e) => e.ph === 'X' && typeof e.dur === 'number' && main.has(`${e.pid}:${e.tid}`))
    .sort((a, b) => a.ts - b.ts || b.dur - a.dur);
  const totals = { script: 0, style: 0, layout: 0, paint: 0, commit: 0, other: 0 };
  // Self time: an event's duration less that of the events nested in it.
  const stack = [];
  const close = (end) => {
    while (stack.length > 0 && stack[stack.length - 1].end <= end) {
      const done = stack.pop();
      totals[done.phase] += done.self / 1000;
    }
  };
  for (const e of spans) {
    close(e.ts);
    const parent = stack[stack.length - 1];
    if (parent) parent.self -= e.dur;
    const phase = phaseOf.get(e.name) ?? (parent && e.name.startsWith('v8') ? parent.phase : 'other');
    stack.push({ end: e.ts + e.dur, self: e.dur, phase });
  }
  close(Infinity);
  const frames = events.filter((e) => e.name === 'Commit' && main.has(`${e.pid}:${e.tid}`)).length;
  return { totals, frames };
}
