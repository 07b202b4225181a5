// Every text the page itself shows or says in Japanese, by name. Other
// languages hold the same names; a name one of them lacks is shown from
// here. `{name}` marks a value put in where the text is used.
export default {
  // --- the page's own messages -------------------------------------------
  endedTitle: 'ぴるての衝突を おわりました',
  endedText: 'このタブは とじても だいじょうぶです。',
  restart: 'はじめから やりなおす',
  errorOk: 'OK',
};
