// The faces the page asks for, by the page's language: the faces of that
// language's letters first where the form's Japanese faces would draw them
// wrongly, then the face the form names, then the Japanese Gothic faces of
// Windows, ChromeOS, iPadOS and Linux, so no text is drawn as empty boxes.
export const kGothicFaces = [
  'ＭＳ Ｐゴシック',
  'MS PGothic',
  'Meiryo',
  'Yu Gothic',
  'Hiragino Kaku Gothic ProN',
  'Hiragino Sans',
  'Noto Sans JP',
  'Noto Sans CJK JP',
  'IPAPGothic',
];

// Faces drawn first for a language: the Simplified Chinese faces of iPads,
// Windows and Chromebooks (a Japanese face draws the characters the two
// share in their Japanese forms), and faces that carry every Vietnamese
// letter with its marks (a Japanese face lacks most of them, and a word
// would be drawn in two faces).
const kLeadingFaces = {
  zh: ['PingFang SC', 'Microsoft YaHei', 'Noto Sans CJK SC', 'Noto Sans SC', 'Source Han Sans SC'],
  vi: ['Segoe UI', 'Helvetica Neue', 'Arial', 'Roboto', 'Noto Sans'],
};

/**
 * A CSS font-family list for text in language `lang` (a language tag such
 * as "ja", "zh-Hans", "vi"): that language's own faces, the stated face,
 * then the Gothic faces.
 * @param {string} face
 * @param {string} [lang]
 */
export function fontFamily(face, lang = 'ja') {
  const leading = kLeadingFaces[lang.split('-')[0].toLowerCase()] ?? [];
  const faces = [...leading, face, ...kGothicFaces].filter((name, i, all) => name && all.indexOf(name) === i);
  return [...faces.map((name) => `"${name.replace(/["\\]/g, '')}"`), 'sans-serif'].join(', ');
}

/**
 * Sets `element`'s font to the stated `face` in the page's language, and
 * remembers the face so that showFaces can set it again.
 * @param {HTMLElement} element
 * @param {string} face
 */
export function useFace(element, face) {
  element.dataset.face = face;
  element.style.fontFamily = fontFamily(face, document.documentElement.lang);
}

/**
 * The faces of the page's language (its <html lang>) on the page and on
 * `root` and every element in it that states a face.
 * @param {HTMLElement} root
 */
export function showFaces(root) {
  const lang = document.documentElement.lang || 'ja';
  document.documentElement.style.fontFamily = fontFamily('', lang);
  for (const element of [root, ...root.querySelectorAll('[data-face]')]) {
    const face = /** @type {HTMLElement} */ (element).dataset.face;
    if (face !== undefined) /** @type {HTMLElement} */ (element).style.fontFamily = fontFamily(face, lang);
  }
}
