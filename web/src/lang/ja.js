// Every text the page itself shows or says in Japanese, by name. Other
// languages hold the same names; a name one of them lacks is shown from
// here. `{name}` marks a value put in where the text is used.
export default {
  // --- the page's own messages -------------------------------------------
  endedTitle: 'ぴるての衝突を おわりました',
  endedText: 'このタブは とじても だいじょうぶです。',
  restart: 'はじめから やりなおす',
  errorOk: 'OK',

  // --- the teacher's link ---------------------------------------------------
  lessonFixed: '先生が 決めた 条件（かえられません）：{list}',
  lessonFixedItem: '{name} {value} {unit}',
  lessonListSeparator: '、',
  lessonIgnored: 'リンクの 中に つかえない ところが あったので、そこは つかわずに ひらきました。',
  lessonBadValue: '「{name}={value}」：{label}は {minimum}から {maximum}までの {step}ごとの 数（{unit}）に してください。',
  lessonBadSpeed: '「speed={value}」：速さは {accepted} の どれかに してください。',
  lessonBadLock: '「lock」の 中の「{value}」：そういう 条件は ありません。lock に 書けるのは {accepted} です。',
  lessonUnknown: '「{name}」：そういう 名前は つかえません。つかえるのは {accepted} です。',
  lessonRepeated: '「{name}」が 2回 以上 書いてあるので、どれも つかいませんでした。1回だけ 書いてください。',
  teacherTitle: '先生用',
  teacherIntro: '今の 窓の 条件で はじまる リンクを 作ります。チェックした 条件は、子どもが かえられないように なります。',
  teacherLockLegend: '固定する 条件',
  teacherSpeed: '速さ：{name}',
  teacherOffStep: '{name}が {value} {unit}に なっているので、リンクには 入れません（{step} {unit}ごとの 数だけ 入れられます）。スクロールバーの 矢印で 合わせてください。',
  teacherLinkLabel: 'リンク',
  teacherCopy: 'リンクをコピー',
  teacherCopied: 'コピーしました。Google Classroom や Teams に はりつけて わたせます。',
  teacherCopyByHand: 'コピーできませんでした。選ばれている リンクを Ctrl+C（iPad の キーボードでは ⌘C）で コピーしてください。',
  teacherFromDisk: 'このページは ファイルから ひらかれています。リンクが つかえるのは、ページが Web サーバーや 学習の サイトに のっているときです。下の「?」から あとが、リンクに つける 部分です。',
};
