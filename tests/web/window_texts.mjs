// What the language and furigana tests measure of the window's texts: the
// core's controls as the page received them, and where each shown text
// lies against its control's box.

// Keeps the module the page makes, so that a test can ask the core itself
// (window.shoutotsuModule) what it sent the page.
export async function keepModule(page) {
  await page.addInitScript(() => {
    Object.defineProperty(window, 'createShoutotsu', {
      configurable: true,
      get: () => undefined,
      set(create) {
        Object.defineProperty(window, 'createShoutotsu', {
          configurable: true,
          writable: true,
          value: async (options) => (window.shoutotsuModule = await create(options)),
        });
      },
    });
  });
}

// The core's controls, as its JSON has them now.
export function coreControls(page) {
  return page.evaluate(() => {
    const module = window.shoutotsuModule;
    return JSON.parse(module.UTF8ToString(module._shoutotsu_controls()));
  });
}

// Every text shown in the window (labels, buttons, frames' captions):
// { name, text, fontPx, box, glyphs, rubies } with rectangles in page
// pixels; box is the room the control gives its text (a frame's caption
// may use its frame's width less its edges), glyphs the text itself
// without readings, rubies each reading over it.
export function windowTexts(page) {
  return page.evaluate(() => {
    const rect = (r) => ({ left: r.left, top: r.top, right: r.right, bottom: r.bottom });
    const out = [];
    for (const element of document.querySelectorAll('.window [data-control]')) {
      const holder = element.localName === 'fieldset' ? element.querySelector('legend') : element;
      if (!['label', 'button', 'frame'].some((c) => element.classList.contains(c))) continue;
      if (!element.checkVisibility({ visibilityProperty: true }) || !holder.textContent.trim()) continue;
      let box = rect(element.getBoundingClientRect());
      if (holder !== element) {
        const inset = holder.getBoundingClientRect().left - box.left;
        box = { ...box, left: box.left + inset, right: box.right - inset };
      }
      const glyphs = [];
      const walker = document.createTreeWalker(holder, NodeFilter.SHOW_TEXT);
      for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        if (node.parentElement.closest('rt, .furigana-plain') || !node.textContent.trim()) continue;
        const range = document.createRange();
        range.selectNodeContents(node);
        for (const r of range.getClientRects()) glyphs.push(rect(r));
      }
      const rubies = [...holder.querySelectorAll('rt')].map((rt) => ({
        ...rect(rt.getBoundingClientRect()),
        px: parseFloat(getComputedStyle(rt).fontSize),
      }));
      out.push({
        name: element.dataset.control,
        text: holder.textContent,
        fontPx: parseFloat(getComputedStyle(holder).fontSize),
        box,
        glyphs,
        rubies,
      });
    }
    return out;
  });
}

// A text's rectangle is its line's, taller than its ink by the font's
// leading: up and down it may pass its box by a tenth of its size.
export const inside = (r, box, fontPx, slack = 1) => {
  const leading = slack + 0.1 * fontPx;
  return r.left >= box.left - slack && r.right <= box.right + slack && r.top >= box.top - leading &&
    r.bottom <= box.bottom + leading;
};

export const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
