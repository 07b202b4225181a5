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
  // A learner reads these: kanji a grade-5 learner has learned, no word
  // spacing, at most two short sentences.
  loading: '読みこんでいます…',
  noWasmTitle: 'このブラウザでは動きません',
  noWasmWhy:
    'このページは「WebAssembly（ウェブアセンブリ）」というしくみで動きます。このブラウザでは、それが使えないか、止められています。',
  noWasmWhat:
    '新しい Chrome、Edge、Safari、Firefox で開いてください。学校の機械で止められているときは、先生に伝えてください。',
  loadFailedTitle: 'プログラムを読みこめませんでした',
  loadFailedReload: 'ページを読みこみなおしてください。',
  loadFailedFile:
    'ファイルから開いたときは、フォルダーの中の index.html ではなく、shoutotsu.html を開いてください。',
  loadFailedBrowser: 'それでも動かないときは、ブラウザを新しくするか、ほかのブラウザで開いてください。',
  endedTitle: 'ぴるての衝突を終わりました',
  endedText: 'このタブはとじてもだいじょうぶです。',
  restart: 'はじめからやりなおす',
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
  changedMany: '2つ以上の条件を変えました。どの条件で結果が変わったのか、わかりません。',
  runSaid: '{n}回目：{result}',
  runSaidWithPrediction: '{n}回目：予想 {prediction}cm、結果 {result}',
  axisChoice: 'グラフの横のじく：',
  chartCaption: '{result}と{setting}',
  chartLabel: 'グラフ：横は{setting}、たては{result}（cm）。数は表と同じです。',
  chartPoint: '{n}回目：{setting} {value}{unit} → {result}',
  chartPrediction: '{n}回目の予想：{prediction}cm',
  chartPredictionKey: '白ぬきの形は予想',
  notesTitle: 'わかったこと',
  csvButton: 'CSV',
  csvHint: '記録を、表計算ソフトで開けるファイルにして、ほぞんします',
  copyButton: 'コピー',
  copyHint: '表をコピーして、表計算ソフトにはりつけられるようにします',
  copyDone: '表をコピーしました。表計算ソフトにはりつけられます。',
  copyByHand: 'コピーできませんでした。下の文字をえらんであるので、Ctrl+C（iPad のキーボードでは ⌘C）でコピーしてください。',
  copyClose: 'とじる',
  pngButton: 'グラフを画像でほぞんする',
  pngFailed: 'グラフを画像にできませんでした。もう一度おしてみてください。',
  clearButton: '記録を消す',
  clearAsk: '記録（{count}回分）と「わかったこと」をすべて消します。消した記録はもどせません。よろしいですか？',
  clearBlockedAsk: '前の記録は読み取れないので、消します。消した記録はもどせません。よろしいですか？',
  clearedSaid: '記録を消しました',
  clearedBlockedSaid: '読み取れない記録を消しました',
  noticeMemory: 'この機械では記録をほぞんできません。ページをとじると、記録も消えます。',
  noticeSetAside: '前の記録が読み取れなかったので、消さずに取っておきました。新しい記録を始めます。',
  noticeOtherVersion: '前の記録はこのページの別の版で作られたので、消さずに取っておきました。新しい記録を始めます。',
  noticeSetAsideFailed: '前の記録が読み取れないので、今の記録はほぞんできません。ほぞんするには「記録を消す」で前の記録を消してください。',
  noticeCap: '記録は{max}回分までです。古いものから消して、新しい記録を残しています。',

  // --- the class's record ---
  // The column names are the header cells of the record's CSV: a file is
  // read by them, in every language's words, so they match the CSV exactly.
  // The rest is for the teacher, written as one teacher writes to another.
  classColumnGroup: '班',
  classColumnRun: '回',
  classColumnM1: '当てるぴるての重さ (g)',
  classColumnM2: '当てられるぴるての重さ (g)',
  classColumnR1: '当てるぴるての半径 (mm)',
  classColumnR2: '当てられるぴるての半径 (mm)',
  classColumnHeight: 'レールの高さ (cm)',
  classColumnLength: 'ななめの長さ (cm)',
  classColumnSpeed: 'シミュレーション速度',
  classColumnSpeedBefore: '速さ',
  classColumnPrediction: '予想 (cm)',
  classColumnResult: '結果（当てられるぴるての動いた距離）',
  classColumnCheck: '確認',
  classTitle: 'クラスの記録',
  classTitleCount: 'クラスの記録（{groups}班、{rows}回分）',
  classHelp: '各班が「CSV」で保存した記録のファイルをまとめて読み込むと、一つの表とグラフになります。ファイルはここへドロップすることもできます。',
  classChoose: 'CSV ファイルを選ぶ（いくつでも）',
  classGroups: '班の名前（変更できます）',
  classGroupName: '{name}の名前',
  classRemove: '外す',
  classRemoveLabel: '{name}を外す',
  classEmpty: 'ファイルはまだ読み込まれていません。',
  classCaption: 'クラスの記録',
  classAxis: 'グラフの横軸：',
  classChartName: '当てられるぴるての動いた距離 (cm)',
  classChartLabel: 'グラフ：横軸は{axis}、縦軸は当てられるぴるての動いた距離（cm）。班ごとに印の形と色が異なります。値は表と同じです。',
  classPredictionKey: '白抜きの印は予想です。',
  classPoint: '{group} {n}回目：{axis} {value} → {result}',
  classPredictionPoint: '{group} {n}回目の予想：{prediction}cm',
  classMismatch: '実験の結果と一致しません',
  classMismatchCount: '{rows}行が実験の結果と一致しません（「{mismatch}」と表示した行）。',
  classCsvTitle: 'クラスの記録を、表計算ソフトで開けるファイルとして保存します',
  classClear: '記録を消す',
  classClearConfirm: 'クラスの記録（{groups}班、{rows}回分）をすべて消去します。元に戻せません。よろしいですか？',
  classClearBlockedConfirm: '以前に保存されたクラスの記録は読み取れないため、消去します。元に戻せません。よろしいですか？',
  classCleared: 'クラスの記録を消去しました',
  classAdded: '「{file}」を読み込みました（{rows}回分）。',
  classSameFile: '「{file}」は「{group}」と同じ内容のため、読み込みませんでした。',
  classFileEmpty: '「{file}」は空です。このページの「CSV」で保存したファイルを読み込んでください。',
  classFileTooBig: '「{file}」は大きすぎます（1 MB まで）。このページの「CSV」で保存したファイルを読み込んでください。',
  classFileNotText: '「{file}」はテキストファイルではありません。このページの「CSV」で保存したファイルを読み込んでください。',
  classFileUnread: '「{file}」を読み込めませんでした。もう一度お試しください。',
  classBadHeader: '「{file}」の{line}行目が記録の見出しではありません。見出しは「{header}」です。このページの「CSV」で保存したファイルを読み込んでください。',
  classBadCount: '「{file}」の{line}行目は値が{count}個あります。正しくは{expected}個です。',
  classBadQuote: '「{file}」の{line}行目の「"」が閉じていません。',
  classBadRun: '「{file}」の{line}行目の「{column}」が「{value}」です。1、2、3のような回の番号が入ります。',
  classBadSetting: '「{file}」の{line}行目の「{column}」が「{value}」です。{min}から{max}までの整数が入ります。',
  classBadSpeed: '「{file}」の{line}行目の「{column}」が「{value}」です。「{speeds}」のいずれかが入ります。',
  classBadPrediction: '「{file}」の{line}行目の「{column}」が「{value}」です。0から200までの数（小数は1けたまで）が入るか、空欄です。',
  classBadResult: '「{file}」の{line}行目の「{column}」が「{value}」です。「37.9」のような距離が入ります。',
  classNoRows: '「{file}」には記録の行がありません。実験をしてから「CSV」で保存したファイルを読み込んでください。',
  classStoreMemory: 'この端末ではクラスの記録を保存できません。ページを閉じるまでの間だけ残ります。',
  classStoreSetAside: '以前に保存されたクラスの記録が読み取れなかったため、消去せずに別に保管しました。新しいクラスの記録を始めます。',
  classStoreBlocked: '以前に保存されたクラスの記録が読み取れないため、今のクラスの記録は保存しません。保存するには「記録を消す」を押してください。',

  // --- the teacher's link ---------------------------------------------------
  // lessonFixed and lessonIgnored are for the learner; the faults of a link
  // are for the teacher who wrote it.
  lessonFixed: '先生が決めた条件（変えられません）：{list}',
  lessonFixedItem: '{name} {value} {unit}',
  lessonListSeparator: '、',
  lessonIgnored: 'リンクの中に使えないところがありました。そこは使わずに開きました。',
  lessonBadValue: '「{name}={value}」：{label}は{minimum}から{maximum}まで、{step}きざみの数（{unit}）にしてください。',
  lessonBadSpeed: '「speed={value}」：シミュレーション速度は{accepted}のいずれかにしてください。',
  lessonBadLock: '「lock」の中の「{value}」：その条件はありません。lock に書けるのは{accepted}です。',
  lessonUnknown: '「{name}」：その名前は使えません。使えるのは{accepted}です。',
  lessonRepeated: '「{name}」が2回以上、書いてあるため、どれも使いませんでした。1回だけ書いてください。',
  teacherTitle: '先生用',
  teacherIntro: '今の窓の条件で始まるリンクを作ります。チェックした条件は、児童が変更できなくなります。',
  teacherLockLegend: '固定する条件',
  teacherSpeed: 'シミュレーション速度：{name}',
  teacherOffStep: '{name}が{value} {unit}のため、リンクに入れられません（{step} {unit}きざみの値のみ）。スクロールバーの矢印で合わせてください。',
  teacherLinkLabel: 'リンク',
  teacherCopy: 'リンクをコピー',
  teacherCopied: 'コピーしました。Google Classroom や Teams に貼り付けて配布できます。',
  teacherCopyByHand: 'コピーできませんでした。選択されているリンクを Ctrl+C（iPad のキーボードでは ⌘C）でコピーしてください。',
  teacherFromDisk: 'このページはファイルから開かれています。リンクは、ページが Web サーバーや学習サイトにあるときに使えます。下の「?」以降がリンクに付ける部分です。',

  // --- the lesson's tools -----------------------------------------------------
  language: 'ことば',
  badLanguage:
    '「{asked}」ということばはありません。えらべるのは {codes} です。いまは日本語で見せています。',
  furigana: 'ふりがな',

  // --- reading aloud: written to be spoken, units as words ---
  readAloud: 'よみあげ',
  readAloudStop: 'とめる',
  noVoice: 'この機械には日本語の声がないので、よみあげができません。',
  speakQuestion: '当てるぴるての重さや速さによって、当てられるものの動く距離は、どのように変わるでしょうか。',
  speakConditions: '今の条件です。当てるぴるての重さは {m1}グラム。当てられるぴるての重さは {m2}グラム。当てるぴるての半径は {r1}ミリメートル。当てられるぴるての半径は {r2}ミリメートル。レールの高さは {height}センチメートル。ななめの長さは {length}センチメートル。シミュレーション速度は {speed}です。',
  speakSpeed0: 'はやい',
  speakSpeed1: 'ちゅうくらい',
  speakSpeed2: 'おそい',
  speakResult: '当てられるぴるての動いた距離は、{distance}センチメートルです。',

  // --- words: the names the CSV's columns had before, still read ---
  formerRun: '回',
  formerM1: '当てるぴるての重さ (g)',
  formerM2: '当てられるぴるての重さ (g)',
  formerSpeed: 'シミュレーション速度',
  formerPrediction: '予想 (cm)',
  formerResult: '結果（当てられるぴるての動いた距離）',
  // --- words: reading aloud where the browser has no speech at all ---
  noSpeech: 'このブラウザでは、よみあげが使えません。',
  // --- the measuring aids: a ruler and a strobe ---
  aidsRuler: 'ものさし',
  aidsRulerSaid: 'ゆかに、つくえのはしを0cmとするものさしをおきます。1cmごとにめもり、10cmごとにすうじがあります。',
  aidsStrobe: 'ストロボ',
  aidsStrobeSaid: 'ストロボ：0.02びょうごとに、2つのぴるてのいたところを、うすいわでのこします。わとわがはなれているほど、速く動いています。',
  lessonBadTool: '「tools」の中の「{value}」：そういう道具はありません。toolsに書けるのは{accepted}です。',
  teacherToolsLegend: '最初から使う道具',

  // --- the lesson's tools: what the teacher's link fixed, the prediction a run took ---
  teacherFixedHere: '先生のリンクで開いたページです。決めた条件は、ここでは外せません。',
  predictionTaken: 'この実験の予想：{prediction}cm',
  lessonFromLink: '先生のリンク',

  // --- the records' rows as numbers, the class's size and tabs ---
  listJoin: '、',
  classSpeedsJoin: '」「',
  classTooManyRows: '「{file}」は行が多すぎます。クラスの記録は合わせて{max}回分までです。',
  classFull: '「{file}」は入りきりません。クラスの記録は合わせて{max}回分までです。',
  classReading: '「{file}」を読み込んでいます（{n}/{count}）…',
  noticeNotesJoined: 'ほかのタブで書いた「わかったこと」と合わせました。たしかめてください。',

};
