// The window as page elements: its frame with the caption bar and the
// client area, and every control inside it, in the page's reading order and
// the form's stacking order. The figures get a canvas per container.
import { createControlElement } from './control_elements.js';
import { isFigure } from './figure_surfaces.js';
import { showFaces, useFace } from './font_faces.js';
import { onTableChange } from '../i18n/text.js';

/**
 * Builds the window `main` of `controls` (detached; the caller attaches
 * it). `page` gives what the elements need: views (id -> view), ids
 * (element -> id), surfaces (a FigureSurfaces), first (the first control
 * of the focus order), inputOf(c) and hitBox(element).
 * Returns { element, captionText, client }.
 */
export function buildWindowElements(main, controls, icon, page) {
  const element = document.createElement('div');
  element.className = 'window';
  element.dataset.control = main.displayName;
  useFace(element, main.fontFace);
  // Another language may want other faces (simplified Chinese forms).
  onTableChange(() => showFaces(element));
  element.style.fontSize = `${main.fontPoints}pt`;
  element.style.color = main.foreColor;
  const bar = document.createElement('div');
  bar.className = 'caption-bar';
  const image = document.createElement('img');
  image.className = 'caption-icon';
  image.alt = '';
  image.src = icon;
  const captionText = document.createElement('h1');
  captionText.className = 'caption-text';
  bar.append(image, captionText);
  const client = document.createElement('div');
  client.className = 'client';
  client.style.background = main.backColor;
  element.append(bar, client);
  page.views.set(main.id, { element });
  buildChildren(main, client, { ...page, controls, client, windowId: main.id });
  return { element, captionText, client };
}

function buildChildren(container, parent, page) {
  const { controls } = page;
  const children = container.children.map((id) => controls[id]);
  if (children.some(isFigure)) {
    const over = container.id === page.windowId ? page.client : parent;
    page.surfaces.add(container, parent, () => over);
  }
  // Stacking follows the form's order (rearmost first); the result is never
  // hidden behind a figure, as on the desktop. The page's order is the
  // reading order, top to bottom and left to right, except that the first
  // control of the tab order comes first, so that Tab enters and leaves the
  // window at the ends of its own order.
  const stacking = (c) => (c.aboveFigures ? children.length + 1 : children.indexOf(c) + 1);
  const leads = (c) => (c === page.first ? 0 : 1);
  const shown = children.filter((c) => !isFigure(c));
  shown.sort((a, b) => leads(a) - leads(b) || a.top - b.top || a.left - b.left);
  for (const c of shown) {
    const view = createControlElement(c, page.inputOf(c), {
      holdsOptions: c.children.some((id) => controls[id].kind === 'option'),
      hitBox: page.hitBox,
    });
    const { element } = view;
    element.dataset.control = c.displayName;
    element.style.zIndex = String(stacking(c));
    page.views.set(c.id, view);
    page.ids.set(element, c.id);
    parent.append(element);
    if (c.children.length > 0) buildChildren(c, element, page);
  }
}
