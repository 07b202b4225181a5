// Every text the page itself shows or says in Japanese, by name. Other
// languages hold the same names; a name one of them lacks is shown from
// here. `{name}` marks a value put in where the text is used.
//
// window.<control> is a caption of the window's control of that name, as
// the form writes it (window.<control>:<which> where a control has two);
// a11y.<control> is what a screen reader calls it. These Japanese texts are
// the form's own, word for word: the page shows the form's text in
// Japanese and the table's in any other language.
export default {
  // --- the window -------------------------------------------------------
  'window.main': 'ぴるての衝突',
  'window.title': 'ぴるての衝突',
  'window.title_s': 'し ょ う と つ',
  'window.subtitle1': '当てるぴるての重さや速さによって、',
  'window.subtitle2': '当てられるものの動く距離は、どのように変わるだろう。',
  'window.Command1': 'おわる',
  'window.start': 'スタート',
  'window.start:clear': 'クリア',
  'window.T1Frame': 'ぴるての重さ',
  'window.T2Frame': 'ぴるての半径',
  'window.RFrame': 'レール',
  'window.SPFrame': 'ｼﾐｭﾚｰｼｮﾝ速度',
  'window.Label7': '当てるぴるて',
  'window.Label18': '当てられるぴるて',
  'window.Label8': '当てるぴるて',
  'window.Label17': '当てられるぴるて',
  'window.Label1': '高さ：',
  'window.Label2': 'ななめの長さ：',
  'window.Label3': '速　 中 　遅',
  'window.kekka': '↑結果',

  // --- what a screen reader says of the window ----------------------------
  'a11y.Hscroll': 'レールの高さ (cm)',
  'a11y.Lscroll': 'ななめの長さ (cm)',
  'a11y.T1mScroll': '当てるぴるての重さ (g)',
  'a11y.T2mScroll': '当てられるぴるての重さ (g)',
  'a11y.T1rScroll': '当てるぴるての半径 (mm)',
  'a11y.T2rScroll': '当てられるぴるての半径 (mm)',
  'a11y.sp(0)': '速',
  'a11y.sp(1)': '中',
  'a11y.sp(2)': '遅',
  'a11y.work': '実験のようす',
  // The drawing area's description: the result (once there is one), the
  // question in its two lines, and the scene.
  'a11y.work.text': '{result}{first}{second}{scene}',
  'a11y.work.result': '結果：当てられるぴるての動いた距離は {result} です。',
  'a11y.work.scene':
    '青い当てるぴるて（重さ {m1}、半径 {r1}）が、高さ {height}、ななめの長さ {length} のレールを下って机の上を進み、机の右はしにある赤い当てられるぴるて（重さ {m2}、半径 {r2}）に当たります。',

  // --- the page's own messages -------------------------------------------
  loading: '読み込んでいます…',
  noWasmTitle: 'このブラウザでは うごきません',
  noWasmWhy:
    'このページは「WebAssembly（ウェブアセンブリ）」というしくみで うごきます。 このブラウザでは WebAssembly が つかえないか、止められています。',
  noWasmWhat:
    '新しい Chrome、Edge、Safari、Firefox で ひらいてください。 学校の たんまつで 止められているときは、先生に つたえてください。',
  loadFailedTitle: 'プログラムを 読み込めませんでした',
  loadFailedReload: 'ページを 読み込みなおしてください。',
  loadFailedFile:
    'ファイルから ひらいたときは、フォルダーの中の index.html ではなく、 shoutotsu.html を ひらいてください。',
  loadFailedBrowser: 'それでも うごかないときは、ブラウザを 新しくするか、ほかのブラウザで ひらいてください。',
  endedTitle: 'ぴるての衝突を おわりました',
  endedText: 'このタブは とじても だいじょうぶです。',
  restart: 'はじめから やりなおす',
  errorOk: 'OK',

  // --- the lesson's tools -----------------------------------------------------
  language: 'ことば',
  badLanguage:
    '「{asked}」という ことばは ありません。えらべるのは {codes} です。いまは 日本語で 見せています。',
  furigana: 'ふりがな',
};
