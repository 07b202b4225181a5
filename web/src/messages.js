// What the page itself says, in the learners' language. The form's own
// words (captions, what a screen reader hears) come from the form.
export const messages = {
  endedTitle: 'ぴるての衝突を おわりました',
  endedText: 'このタブは とじても だいじょうぶです。',
  restart: 'はじめから やりなおす',
  errorOk: 'OK',
};

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
