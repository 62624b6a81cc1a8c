// The page's own texts in English or Japanese: Japanese where the browser's first
// language is, English otherwise, and a switch between the two. What the program
// writes into the terminal stays as it is.
//
//   agvLanguage.current()       'en' or 'ja'
//   agvLanguage.set(language)   switches, renders and tells the listeners
//   agvLanguage.add({key: {en: '...', ja: '...'}, ...})
//                               registers texts and renders the elements that use them
//   agvLanguage.text(key)       the text in the current language
//   agvLanguage.onChange(fn)    fn(language) after every switch, for texts rendered by code
//
// An element with data-text="key" gets the text as its content, one with
// data-title="key" as its title; <html lang> follows the language.
'use strict';

const agvLanguage = (() => {
  const texts = {};
  const listeners = [];
  const first = (navigator.languages && navigator.languages[0]) || navigator.language || '';
  let language = first.toLowerCase().startsWith('ja') ? 'ja' : 'en';

  function text(key) {
    const entry = texts[key];
    if (!entry) return key;
    return entry[language] !== undefined ? entry[language] : entry.en;
  }

  // Elements whose key is not registered yet keep the text they have.
  function render() {
    document.documentElement.lang = language;
    for (const element of document.querySelectorAll('[data-text]')) {
      if (element.dataset.text in texts) element.textContent = text(element.dataset.text);
    }
    for (const element of document.querySelectorAll('[data-title]')) {
      if (element.dataset.title in texts) element.title = text(element.dataset.title);
    }
  }

  return {
    current: () => language,
    text,
    add(entries) {
      Object.assign(texts, entries);
      render();
    },
    set(wanted) {
      if (wanted !== 'en' && wanted !== 'ja') throw new Error('no language ' + wanted);
      language = wanted;
      render();
      for (const listener of listeners) listener(language);
    },
    onChange(listener) {
      listeners.push(listener);
    },
  };
})();

agvLanguage.add({
  subtitle: {en: 'AGV path following under P and PI control', ja: 'AGVの経路追従：P制御とPI制御'},
  'what-to-do': {
    en: 'Answer the dialog in the terminal, then press keys in the window (1 2 3 mechanism, P I law, ' +
      'space play) or drag fn and ζ on the bench and watch the errors converge.',
    ja: '文字画面の問いに答えたら、描画画面でキーを押すか（1 2 3 で車両の機構、P I で制御則、スペースで再生）、' +
      'ベンチで fn と ζ をドラッグして、誤差が収束していく様子を見てください。',
  },
  // The switch names the other language in that language.
  language: {en: '日本語', ja: 'English'},
  'copy-link': {en: 'Copy link', ja: 'リンクをコピー'},
  'download-csv': {en: 'Download CSV', ja: 'CSVを保存'},
});
(() => {
  const languageSwitch = document.getElementById('language');
  const other = () => (agvLanguage.current() === 'ja' ? 'en' : 'ja');
  const label = () => { languageSwitch.lang = other(); };
  label();
  agvLanguage.onChange(label);
  languageSwitch.addEventListener('click', () => agvLanguage.set(other()));
})();
