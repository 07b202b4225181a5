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
  lessonBar: '授業の道具',

  // --- the prediction ------------------------------------------------------
  predictionLabel: '予想',
  predictionUnit: 'cm',
  predictionHint: '当てられるぴるてが動くと思う距離',
  predictionBad: '予想は、0から200までの数で入れてね（小数は1けたまで。れい：40、37.5）。',

  // --- the learner's record --------------------------------------------------
  recordTitle: '記録',
  recordName: 'なまえ（　　　　　　　　　　　　）',
  recordEmpty: 'まだ記録がありません。「スタート」で実験すると、ここに1回ずつ記録されます。',
  recordCaption: '実験の記録',
  runColumn: '回',
  setting_m1: '当てるぴるての重さ',
  setting_m2: '当てられるぴるての重さ',
  setting_r1: '当てるぴるての半径',
  setting_r2: '当てられるぴるての半径',
  setting_height: 'レールの高さ',
  setting_length: 'ななめの長さ',
  speedColumn: 'シミュレーション速度',
  predictionColumn: '予想',
  resultName: '当てられるぴるての動いた距離',
  resultColumn: '結果（{result}）',
  changedColumn: '変えた条件',
  changedMark: '（変えた条件）',
  changedNone: 'なし',
  changedMany: '2つ以上の条件を変えたので、どの条件で結果が変わったのか、わかりません。',
  runSaid: '{n}回目: {result}',
  runSaidWithPrediction: '{n}回目: 予想 {prediction}cm、結果 {result}',
  axisChoice: 'グラフの横のじく：',
  chartCaption: '{result}と{setting}',
  chartLabel: 'グラフ：横は{setting}、縦は{result} (cm)。数は表と同じです。',
  chartPoint: '{n}回目: {setting} {value}{unit} → {result}',
  chartPrediction: '{n}回目の予想: {prediction}cm',
  chartPredictionKey: '白ぬきの形は予想',
  notesTitle: 'わかったこと',
  csvButton: 'CSV',
  csvHint: '記録を表計算ソフトで開けるファイルにして保存します',
  copyButton: 'コピー',
  copyHint: '表をコピーして、表計算ソフトにはりつけられるようにします',
  copyDone: '表をコピーしました。表計算ソフトにはりつけられます。',
  copyByHand: 'コピーできませんでした。下の文字がえらばれているので、Ctrl+C（iPad のキーボードでは ⌘C）でコピーしてください。',
  copyClose: 'とじる',
  pngButton: 'グラフを画像で保存',
  pngFailed: 'グラフを画像にできませんでした。もう一度おしてみてください。',
  clearButton: '記録を消す',
  clearAsk: '記録（{count}回分）と「わかったこと」をすべて消します。消した記録は もどせません。よろしいですか？',
  clearBlockedAsk: '前に保存されていた記録は 読み取れないので、消します。消すと、これからの記録を保存できるようになります。消した記録は もどせません。よろしいですか？',
  clearedSaid: '記録を消しました',
  clearedBlockedSaid: '読み取れない記録を消しました',
  noticeMemory: 'この端末では記録を保存できません。記録は、このページを閉じるまでのあいだだけ残ります。',
  noticeSetAside: '前に保存されていた記録が読み取れなかったので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  noticeOtherVersion: '前に保存されていた記録は、このページの別の版で作られたものなので、消さずに別の場所に取っておきました。新しい記録を始めます。',
  noticeSetAsideFailed: '前に保存されていた記録が読み取れません。その記録を消さないように、今の記録は保存しません（このページを閉じると消えます）。保存したいときは、「記録を消す」で前の記録を消してください。',
  noticeCap: '記録は {max} 回分までです。それより多くなったので、古いものから消して新しい記録を残しています。',

  // --- the lesson's tools -----------------------------------------------------
  language: 'ことば',
  badLanguage:
    '「{asked}」という ことばは ありません。えらべるのは {codes} です。いまは 日本語で 見せています。',
  furigana: 'ふりがな',

  // --- reading aloud: written to be spoken, units as words ---
  readAloud: 'よみあげ',
  readAloudStop: 'とめる',
  noVoice: 'この たんまつには 日本語の 声が ないので、よみあげが できません。',
  speakQuestion: '当てるぴるての おもさや はやさによって、当てられるものの 動くきょりは、どのように かわるでしょうか。',
  speakConditions: 'いまの じょうけんです。当てるぴるての おもさは {m1}グラム。当てられるぴるての おもさは {m2}グラム。当てるぴるての はんけいは {r1}ミリメートル。当てられるぴるての はんけいは {r2}ミリメートル。レールの たかさは {height}センチメートル。ななめの ながさは {length}センチメートル。シミュレーションの はやさは {speed}です。',
  speakSpeed0: 'はやい',
  speakSpeed1: 'ちゅうくらい',
  speakSpeed2: 'おそい',
  speakResult: '当てられるぴるての動いた距離は、{distance}センチメートルです。',
};
