// The page under the system's high-contrast colours (forced colours), light
// and dark, judged by its pixels: the chosen speed shows as chosen, every
// scroll arrow points its own way, and the floor's hatching and the table's
// outline stand out from the drawing area.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { control, decodePng, launchChromium, modelLayout, openPage, singleFileUrl } from './harness.mjs';

const kViewport = { width: 1366, height: 768 };
const kScale = 2; // device pixels per CSS pixel, so a small glyph has a shape
const kThemes = ['light', 'dark'];

// The contrast ratio of two colours, as the web's guidelines reckon it; 3 is
// what they ask of the parts of a control or a picture.
function contrast(one, two) {
  const luminance = (rgb) => {
    const [r, g, b] = rgb.map((v) => {
      const s = v / 255;
      return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(one), luminance(two)].sort((x, y) => y - x);
  return (light + 0.05) / (dark + 0.05);
}
const standsOut = (one, two) => contrast(one, two) >= 3;

async function shot(page, target) {
  const png = await (target.x === undefined ? target.screenshot() : page.screenshot({ clip: target }));
  return decodePng(png);
}

let context;
before(async () => {
  context = await launchChromium({ deviceScaleFactor: kScale });
});
after(() => context?.close());

async function openThemed(scheme) {
  const page = await openPage(context, singleFileUrl, kViewport);
  await page.emulateMedia({ forcedColors: 'active', colorScheme: scheme });
  return page;
}

test('the chosen speed\'s mark differs from the others\'', async () => {
  for (const scheme of kThemes) {
    const page = await openThemed(scheme);
    const marks = {};
    for (const name of ['sp(0)', 'sp(1)', 'sp(2)']) {
      marks[name] = { chosen: await control(page, name).getAttribute('aria-checked') === 'true',
        image: await shot(page, control(page, name).locator('.mark')) };
    }
    const chosen = Object.values(marks).filter((m) => m.chosen);
    assert.equal(chosen.length, 1, `${scheme}: one speed is chosen`);
    for (const [name, mark] of Object.entries(marks)) {
      if (mark.chosen) continue;
      const { image } = chosen[0];
      let differing = 0;
      for (let y = 0; y < image.height; y++) {
        for (let x = 0; x < image.width; x++) differing += standsOut(image.pixel(x, y), mark.image.pixel(x, y));
      }
      assert.ok(differing >= 4 * kScale * kScale, `${scheme}: the chosen mark and ${name}'s differ in ${differing} pixels`);
    }
    await page.close();
  }
});

// A glyph points where its narrow end is: across the bar, the first line of
// its ink is shorter than the last for an arrow to the minimum (left, up).
// Only the arrow's middle is looked at, clear of its rounded border.
function glyphEnds(image, vertical) {
  const reach = 5 * kScale;
  const [midX, midY] = [Math.floor(image.width / 2), Math.floor(image.height / 2)];
  const background = image.pixel(midX - reach, midY - reach);
  const lines = [];
  for (let a = -reach; a <= reach; a++) {
    let ink = 0;
    for (let c = -reach; c <= reach; c++) {
      ink += standsOut(vertical ? image.pixel(midX + c, midY + a) : image.pixel(midX + a, midY + c), background);
    }
    if (ink > 0) lines.push(ink);
  }
  return lines.length === 0 ? null : { first: lines[0], last: lines.at(-1) };
}

test('every scroll arrow\'s glyph shows and points its own way', async () => {
  for (const scheme of kThemes) {
    const page = await openThemed(scheme);
    for (const [bar, vertical] of [['T1mScroll', false], ['Hscroll', true]]) {
      for (const end of ['decrement', 'increment']) {
        const where = `${scheme}: ${bar}'s ${end} arrow`;
        const ends = glyphEnds(await shot(page, control(page, bar).locator(`.arrow.${end}`)), vertical);
        assert.ok(ends, `${where} has a glyph`);
        const pointsToMinimum = ends.first < ends.last;
        const pointsToMaximum = ends.first > ends.last;
        assert.ok(end === 'decrement' ? pointsToMinimum : pointsToMaximum,
          `${where} points the wrong way (ink ${ends.first} then ${ends.last} across)`);
      }
    }
    await page.close();
  }
});

test('the floor\'s hatching and the table\'s outline stand out from the drawing area', async () => {
  const model = modelLayout(kViewport.width * 15, kViewport.height * 15);
  const box = (name) => ['Left', 'Top', 'Width', 'Height'].map((key) => Number(model[name][key]) / 15);
  const [tableLeft, tableTop, , tableHeight] = box('hako');
  const [floorLeft, floorTop, floorWidth, floorHeight] = box('yukaB');
  for (const scheme of kThemes) {
    const page = await openThemed(scheme);
    const area = await control(page, 'work').boundingBox();
    // A row across the table's left edge: the drawing area's own colour, then
    // the outline, then the table's green.
    const row = await shot(page, { x: area.x + tableLeft - 4, y: area.y + tableTop + tableHeight / 2, width: 8, height: 1 });
    const background = row.pixel(0, 0);
    const fill = row.pixel(row.width - 1, 0);
    let outline = false;
    for (let x = 0; x < row.width; x++) {
      const pixel = row.pixel(x, 0);
      outline ||= standsOut(pixel, background) && standsOut(pixel, fill);
    }
    assert.ok(outline, `${scheme}: the table's outline (background ${background}, table ${fill})`);
    // The floor's strip, below the line along its top.
    const floor = await shot(page, { x: area.x + floorLeft, y: area.y + floorTop + 2, width: floorWidth, height: floorHeight - 3 });
    let hatched = 0;
    for (let y = 0; y < floor.height; y++) {
      for (let x = 0; x < floor.width; x++) hatched += standsOut(floor.pixel(x, y), background);
    }
    const share = hatched / (floor.width * floor.height);
    assert.ok(share > 0.05, `${scheme}: ${(share * 100).toFixed(1)}% of the floor stands out from ${background}`);
    await page.close();
  }
});
