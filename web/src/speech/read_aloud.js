// The button "よみあげ": reads the lesson's question, the conditions and the
// last result aloud (spoken_text.js) through the browser's speech, in a
// voice of the page's language, a little slower than usual for children.
// Pressed again, it stops. Where the browser cannot speak at all, or has no
// voice for the language, the button's note says which instead of staying
// silent.
import { LANGUAGES } from '../i18n/lang/all.js';
import { languageCode } from '../i18n/language.js';
import { spokenParts } from './spoken_text.js';
import { onFormState } from '../window/form_state.js';
import { setText } from '../furigana/furigana_text.js';
import { onTableChange, text } from '../i18n/text.js';

const kRate = 0.9;
// How long to wait for the browser to list its voices the first time.
const kVoicesWaitMs = 1500;

// Where a language's voices differ by region, the one to take first:
// Mandarin as spoken in mainland China for simplified Chinese.
const kFirstRegion = { 'zh-hans': 'zh-cn' };

/** @param {string} tag */
function voiceFor(tag) {
  const voices = window.speechSynthesis?.getVoices() ?? [];
  const base = tag.split('-')[0];
  // Filipino voices are often listed as Tagalog.
  const bases = base === 'fil' ? ['fil', 'tl'] : [base];
  const norm = (lang) => lang.replace('_', '-').toLowerCase();
  const first = kFirstRegion[tag.toLowerCase()] ?? tag.toLowerCase();
  return voices.find((v) => norm(v.lang) === first)
    ?? voices.find((v) => bases.includes(norm(v.lang).split('-')[0])) ?? null;
}

function voicesListed() {
  const synth = window.speechSynthesis;
  if (!synth || synth.getVoices().length > 0) return Promise.resolve();
  return new Promise((resolve) => {
    synth.addEventListener('voiceschanged', () => resolve(undefined), { once: true });
    setTimeout(resolve, kVoicesWaitMs);
  });
}

// One sentence to an utterance: some voices stop a long one halfway. A
// period ends a sentence only before a space ("37.9" is one number). (No
// look-behind in the pattern: Safari 15 cannot parse it.)
/** @param {string[]} parts */
const sentencesOf = (parts) => parts
  .flatMap((part) => part.replace(/([。？！])\s*/g, '$1\n').replace(/([.?!])\s+/g, '$1\n').split('\n'))
  .filter(Boolean);

function readAloudView() {
  const holder = document.createElement('span');
  holder.className = 'lesson-tool';
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.control = 'read-aloud';
  const note = document.createElement('span');
  note.className = 'lesson-problem';
  note.id = 'read-aloud-note';
  note.setAttribute('role', 'status');
  button.setAttribute('aria-describedby', note.id);
  holder.append(button, note);
  return { holder, button, note };
}

/**
 * The voice to read in language `tag`, or the name of the text that says
 * why nothing can be read: the browser has no speech, or no such voice.
 * @param {string} tag
 * @returns {Promise<SpeechSynthesisVoice | 'noSpeech' | 'noVoice'>}
 */
async function voiceOrSilence(tag) {
  if (!window.speechSynthesis || typeof SpeechSynthesisUtterance !== 'function') return 'noSpeech';
  await voicesListed();
  return voiceFor(tag) ?? 'noVoice';
}

/**
 * Each sentence as one utterance in `voice`; any that fails stops them all.
 * @param {string[]} sentences
 * @param {SpeechSynthesisVoice} voice
 * @param {() => void} stop
 */
function utterancesOf(sentences, voice, stop) {
  return sentences.map((sentence) => {
    const utterance = new SpeechSynthesisUtterance(sentence);
    utterance.voice = voice;
    utterance.lang = voice.lang;
    utterance.rate = kRate;
    utterance.onerror = () => stop();
    return utterance;
  });
}

/**
 * The button and its note; what it says comes from the page's state events.
 * @param {import('../window/page.js').FormPage} page
 * @returns {HTMLElement}
 */
export function readAloudButton(page) {
  const { holder, button, note } = readAloudView();
  /** @type {import('../window/form_state.js').FormState} */
  let form = page.state.now();
  /** @type {Record<string, any> | null} */
  let run = null;
  let speaking = false;
  /** @type {SpeechSynthesisUtterance[]} */
  let utterances = [];
  onFormState(page, (state) => {
    form = state;
    if (state.finished) run = state.finished;
  });

  const show = () => {
    button.textContent = text(speaking ? 'readAloudStop' : 'readAloud');
    button.setAttribute('aria-pressed', String(speaking));
  };
  const stop = () => {
    speaking = false;
    utterances = [];
    window.speechSynthesis?.cancel();
    show();
  };
  /** @param {SpeechSynthesisVoice} voice */
  const speak = (voice) => {
    speaking = true;
    show();
    // Held here until spoken: an utterance the page drops may never end.
    utterances = utterancesOf(sentencesOf(spokenParts(form, run, text, languageCode())), voice, stop);
    utterances[utterances.length - 1].onend = () => {
      speaking = false;
      utterances = [];
      show();
    };
    for (const utterance of utterances) window.speechSynthesis.speak(utterance);
  };
  button.addEventListener('click', async () => {
    if (speaking) {
      stop();
      return;
    }
    note.textContent = '';
    const voice = await voiceOrSilence(LANGUAGES[languageCode()].tag);
    if (typeof voice === 'string') setText(note, text(voice));
    else speak(voice);
  });
  // Another language: stop, and say it again only when asked.
  onTableChange(() => {
    if (speaking) stop();
    note.textContent = '';
    show();
  });
  show();
  return holder;
}
