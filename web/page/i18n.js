// The page's texts in the chosen language, from the program's own language files (built into
// the logic): data-key names a caption of the desktop's windows, data-msg an English text of
// its messages.

import { call } from './logic.js';

let messages = new Map();

export function t(english) {
  return messages.get(english) ?? english;
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
    'Minimal solutions', 'Prime', 'Term', 'Cells', 'Literals', 'Essential', 'Formula', 'Terms'];
  const own = [...document.querySelectorAll('[data-msg]')].map((el) => el.dataset.msg);
  const all = [...new Set([...english, ...own])];
  const { texts } = await call('translate', ...all);
  messages = new Map(all.map((e, i) => [e, texts[i]]));
  for (const el of document.querySelectorAll('[data-msg]')) el.textContent = t(el.dataset.msg);
  document.documentElement.lang = { english: 'en', german: 'de', french: 'fr', russian: 'ru' }[name] || 'en';
}
