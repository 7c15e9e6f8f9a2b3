// The page's texts in the chosen language, from the program's own language files (built into
// the logic): data-key names a caption of the desktop's windows, data-msg an English text of
// its messages, data-aria-msg the English text of a screen reader's label.

import { call } from './logic.js';

let messages = new Map();

export function t(english, ...args) {
  const text = messages.get(english) ?? english;
  return text.replace(/%(\d)/g, (all, k) => (args[k - 1] === undefined ? all : String(args[k - 1])));
}

export async function applyLanguage(name) {
  const { captions } = await call('language', name);
  for (const el of document.querySelectorAll('[data-key]')) {
    const text = captions[el.dataset.key];
    if (text !== undefined) el.textContent = text.replace(/&(.)/g, '$1');
    else if (el.dataset.english) el.textContent = el.dataset.english;
    el.dataset.english = el.dataset.english || el.textContent;
  }
  const english = ['Designed gluing:', 'Prime implicants', 'Prime implicates', 'Prime chart',
    'Minimal solutions', 'Prime', 'Term', 'Cells', 'Literals', 'Essential', 'Formula', 'Terms',
    'Karnaugh map', 'Minterm %1: %2', 'Name of variable %1',
    'The chart is too large to show here.'];
  const own = [...document.querySelectorAll('[data-msg]')].map((el) => el.dataset.msg)
    .concat([...document.querySelectorAll('[data-aria-msg]')].map((el) => el.dataset.ariaMsg));
  const all = [...new Set([...english, ...own])];
  const { texts } = await call('translate', ...all);
  messages = new Map(all.map((e, i) => [e, texts[i]]));
  for (const el of document.querySelectorAll('[data-msg]')) el.textContent = t(el.dataset.msg);
  for (const el of document.querySelectorAll('[data-aria-msg]')) el.setAttribute('aria-label', t(el.dataset.ariaMsg));
  document.documentElement.lang = { english: 'en', german: 'de', french: 'fr', russian: 'ru' }[name] || 'en';
}
