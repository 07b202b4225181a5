// The readings of the kanji in the page's fixed Japanese texts, written and
// checked by hand as a grade-5 textbook gives them (no dictionary is asked
// at run time), and the splitting of a text into kanji words with their
// readings and the kana between them.
//
// A name is a run of kanji, alone or followed by the kana that tell its
// reading apart (速さ はや, 速度 そくど, 中の なか); the reading is the
// kanji's only. The longest name that matches where a run starts is used.
const kReadings = {
  衝突: 'しょうとつ',
  当て: 'あ',
  当た: 'あ',
  重さ: 'おも',
  重: 'おも',
  速さ: 'はや',
  速度: 'そくど',
  速: 'はや',
  中: 'ちゅう',
  中の: 'なか',
  中に: 'なか',
  中で: 'なか',
  遅: 'おそ',
  動く: 'うご',
  動い: 'うご',
  距離: 'きょり',
  変わ: 'か',
  半径: 'はんけい',
  高さ: 'たか',
  長さ: 'なが',
  結果: 'けっか',
  予想: 'よそう',
  実験: 'じっけん',
  青い: 'あお',
  赤い: 'あか',
  下っ: 'くだ',
  机: 'つくえ',
  上: 'うえ',
  進み: 'すす',
  右: 'みぎ',
  読み: 'よ',
  込ん: 'こ',
  込め: 'こ',
  込み: 'こ',
  止め: 'と',
  新しい: 'あたら',
  新しく: 'あたら',
  学校: 'がっこう',
  先生: 'せんせい',
  日本語: 'にほんご',
  見せ: 'み',
  // the record
  記録: 'きろく',
  端末: 'たんまつ',
  保存: 'ほぞん',
  閉じ: 'と',
  残り: 'のこ',
  前: 'まえ',
  取れ: 'と',
  取っ: 'と',
  消さ: 'け',
  消す: 'け',
  消し: 'け',
  消え: 'き',
  別: 'べつ',
  場所: 'ばしょ',
  始め: 'はじ',
  版: 'はん',
  作ら: 'つく',
  今: 'いま',
  回: 'かい',
  横: 'よこ',
  表計算: 'ひょうけいさん',
  開け: 'ひら',
  変え: 'か',
  条件: 'じょうけん',
  以上: 'いじょう',
  回目: 'かいめ',
  回分: 'かいぶん',
  縦: 'たて',
  表: 'ひょう',
  数: 'かず',
  同じ: 'おな',
  白: 'しろ',
  形: 'かたち',
  下の: 'した',
  文字: 'もじ',
  画像: 'がぞう',
  一度: 'いちど',
  多く: 'おお',
  古い: 'ふる',
  残し: 'のこ',
  // the lesson bar
  授業: 'じゅぎょう',
  道具: 'どうぐ',
  思う: 'おも',
  入れ: 'い',
  小数: 'しょうすう',
  声: 'こえ',
  // the class's record and the teacher's link
  中身: 'なかみ',
  作り: 'つく',
  値: 'あたい',
  先生用: 'せんせいよう',
  入り: 'はい',
  入っ: 'はい',
  入る: 'はい',
  合い: 'あ',
  名前: 'なまえ',
  固定: 'こてい',
  大き: 'おお',
  子: 'こ',
  押し: 'お',
  整数: 'せいすう',
  書き: 'か',
  書い: 'か',
  書け: 'か',
  決め: 'き',
  班: 'はん',
  番号: 'ばんごう',
  矢印: 'やじるし',
  空っ: 'から',
  窓: 'まど',
  色: 'いろ',
  行: 'ぎょう',
  行目: 'ぎょうめ',
  見出し: 'みだ',
  読め: 'よ',
  合わせ: 'あ',
  選ば: 'えら',
  学習: 'がくしゅう',
  部分: 'ぶぶん',
  // the page's notes and the teacher's texts
  動き: 'うご',
  動か: 'うご',
  使え: 'つか',
  使い: 'つか',
  使わ: 'つか',
  開い: 'ひら',
  開き: 'ひら',
  開か: 'ひら',
  機械: 'きかい',
  伝え: 'つた',
  終わ: 'お',
  確認: 'かくにん',
  各班: 'かくはん',
  込む: 'こ',
  込ま: 'こ',
  一つ: 'ひと',
  選ぶ: 'えら',
  変更: 'へんこう',
  外す: 'はず',
  横軸: 'よこじく',
  縦軸: 'たてじく',
  印: 'しるし',
  異な: 'こと',
  白抜き: 'しろぬ',
  一致: 'いっち',
  表示: 'ひょうじ',
  消去: 'しょうきょ',
  元に: 'もと',
  戻せ: 'もど',
  以前: 'いぜん',
  内容: 'ないよう',
  空で: 'から',
  試し: 'ため',
  個: 'こ',
  正しく: 'ただ',
  空欄: 'くうらん',
  間: 'あいだ',
  保管: 'ほかん',
  始ま: 'はじ',
  児童: 'じどう',
  貼り: 'は',
  付け: 'つ',
  配布: 'はいふ',
  選択: 'せんたく',
  以降: 'いこう',
  回以上: 'かいいじょう',
  外せ: 'はず',
  最初: 'さいしょ',
  使う: 'つか',
  多す: 'おお',
};

const kKanjiRun = /[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff々〆]+/g;
/** @param {string} ch */
const isKanji = (ch) => /[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff々〆]/.test(ch);

// kanji run -> [kana that must follow, reading], the longest kana first.
/** @type {Map<string, [string, string][]>} */
const byRun = new Map();
for (const [name, reading] of Object.entries(kReadings)) {
  let end = 0;
  while (end < name.length && isKanji(name[end])) end++;
  const run = name.slice(0, end);
  const choices = byRun.get(run) ?? [];
  byRun.set(run, choices);
  choices.push([name.slice(end), reading]);
}
for (const choices of byRun.values()) choices.sort((a, b) => b[0].length - a[0].length);

/** Whether `text` holds a kanji. @param {string} text */
export const hasKanji = (text) => /[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff々〆]/.test(text);

/**
 * `text` as parts in order: { text } for what needs no reading and
 * { text, reading } for each kanji word. A kanji word the table lacks is a
 * part with reading null.
 * @param {string} text
 * @returns {{ text: string, reading?: string | null }[]}
 */
export function rubyParts(text) {
  const parts = [];
  let at = 0;
  for (const match of text.matchAll(kKanjiRun)) {
    const start = match.index ?? 0;
    const run = match[0];
    if (start > at) parts.push({ text: text.slice(at, start) });
    const after = text.slice(start + run.length);
    const choice = (byRun.get(run) ?? []).find(([kana]) => after.startsWith(kana));
    parts.push({ text: run, reading: choice ? choice[1] : null });
    at = start + run.length;
  }
  if (at < text.length) parts.push({ text: text.slice(at) });
  return parts;
}
