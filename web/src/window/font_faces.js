// The faces the form names first, then the Japanese Gothic faces of
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

// A CSS font-family list: the stated face, then the Gothic faces.
export function fontFamily(face) {
  const faces = [face, ...kGothicFaces].filter((name, i, all) => name && all.indexOf(name) === i);
  return [...faces.map((name) => `"${name.replace(/["\\]/g, '')}"`), 'sans-serif'].join(', ');
}
