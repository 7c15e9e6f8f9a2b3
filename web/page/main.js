// The page: the map, its inputs, the analysis and the "Minimal solutions" view, wired to the
// logic in the worker. The map lives in the address, so a link opens it analysed.

import { startLogic, call, writeFile, readFile } from './logic.js';
import { MapState, linkOf, parseLink } from './state.js';
import { MapView } from './mapview.js';
import { showResult, showExplanation } from './panels.js';
import { svgText, pngBlob, texText } from './picture.js';
import { applyLanguage, t } from './i18n.js';
import { renderTruthTable } from './truthtable.js';

const $ = (id) => document.getElementById(id);
const state = new MapState();
let view = null;
let result = null;       // the last analysis, while the map is as analysed
let explanation = null;
let generation = 0;      // bumped by every edit: answers for an older map are dropped

const pos = () => document.querySelector('input[name=form]:checked').value === 'pos';
const notation = () => ($('textbook').checked ? 'textbook' : 'typed');

function say(messages) {
  $('messages').textContent = (messages || []).join('\n\n');
}

function clearResults() {
  result = explanation = null;
  if (view) view.show([], []);  // no term or loop of a result that is gone
  $('formula-out').textContent = '';
  for (const id of ['terms', 'primes', 'solutions', 'steps']) $(id).innerHTML = '';
  for (const id of ['summary', 'count', 'chart', 'primes-head', 'solutions-head']) $(id).textContent = '';
}

function changed() {
  ++generation;
  clearResults();
  view.render();
  renderTruthTable($('truth-table'), state, $('tt-box').open);
  $('vars').value = String(state.vars);
  showNames();
  history.replaceState(null, '', linkOf(state, pos()));
}

function showNames() {
  const box = $('names');
  box.innerHTML = state.names.slice(0, state.vars).map((n, i) =>
    `<input aria-label="${t('Name of variable %1', i + 1)}" maxlength="10" autocomplete="off" spellcheck="false">`).join('');
  [...box.children].forEach((input, i) => { input.value = state.names[i]; });
}

async function analyze() {
  say([]);
  const asked = generation;
  const a = await call('analyze', ...state.fields(), pos() ? 'pos' : '', $('method').value);
  if (asked !== generation) return;  // the map changed meanwhile
  say(a.messages);
  if (a.cells) state.take(a);  // the analysis gives the empty cells their value
  if (!a.ok) return;
  result = a;
  const mine = generation;
  showResult(resultEls(), a, notation(), view);
  const e = await call('explain', ...state.fields(), pos() ? 'pos' : '', $('limit').value);
  if (mine !== generation) return;
  if (!e.ok) {
    say(e.refused ? [e.refused] : e.messages);
    return;
  }
  explanation = e;
  $('primes-title').textContent = t(pos() ? 'Prime implicates' : 'Prime implicants');
  showExplanation(explainEls(), e, t, view);
  document.body.dataset.analysed = String(++analysedCount);
}
let analysedCount = 0;

const resultEls = () => ({ formula: $('formula-out'), terms: $('terms') });
const explainEls = () => ({
  summary: $('summary'), count: $('count'), primes: $('primes'), primesHead: $('primes-head'),
  chart: $('chart'), steps: $('steps'), solutions: $('solutions'), solutionsHead: $('solutions-head'),
});

// A refused fill leaves the map as it was and says why.
async function fill(command, ...fields) {
  say([]);
  const a = await call(command, ...state.fields(), ...fields);
  say(a.messages);
  if (a.ok) state.take(a);
  return a.ok;
}

async function openLink(link) {
  const v = Number(link.v);
  if (!Number.isInteger(v) || v < 2 || v > 8) {
    say([await translated('Invalid number of variables')]);
    return false;
  }
  // A link without zeros names the function by its ones and don't cares: the rest are 0.
  const base = (link.zeros === undefined ? '0' : '-').repeat(1 << v);
  const a = await call('sets', String(v), state.namesField(), base, link.ones || '', link.zeros || '', link.dc || '');
  say(a.messages);
  if (!a.ok) return false;
  document.querySelector(`input[name=form][value=${link.pos ? 'pos' : 'sop'}]`).checked = true;
  state.take(a);
  await analyze();
  return true;
}

async function translated(text) {
  return (await call('translate', text)).texts[0];
}

async function openFile(file) {
  // Any other name is read as a map file, whose reader says what is wrong with it.
  const ext = file.name.toLowerCase().split('.').pop();
  const kind = ['csv', 'pla'].includes(ext) ? ext : 'km';
  const path = `/tmp/open.${kind}`;
  await writeFile(path, await file.arrayBuffer());
  let a = await call('open', kind, path, '');
  if (a.outputs) {
    const choice = window.prompt(`${await translated('The file has several outputs. Open:')}\n${a.outputs.join(', ')}`, a.outputs[0]);
    if (choice === null) return;
    const index = a.outputs.indexOf(choice);
    a = await call('open', kind, path, String(index >= 0 ? index : Number(choice) - 1));
  }
  say(a.messages);
  if (a.ok) state.take(a);
}

function download(name, blob) {
  const a = $('download');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

async function saveAs(kind) {
  say([]);
  const path = `/tmp/save.${kind}`;
  const a = await call('save', kind, path, ...state.fields());
  say(a.messages);
  if (!a.ok) return null;
  const bytes = await readFile(path);
  if (bytes) download(`map.${kind}`, new Blob([bytes]));
  return bytes ? new TextDecoder().decode(bytes) : null;
}

// What the picture shows: the map, the selected term filled, the loops drawn on screen.
function picture() {
  return { layout: view.layout, names: state.names, cells: state.cells, highlight: view.highlight, loops: view.loops };
}

async function copyFormula() {
  const text = $('formula-out').textContent;
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const area = Object.assign(document.createElement('textarea'), { value: text });
    document.body.append(area);
    area.select();
    document.execCommand('copy');
    area.remove();
  }
}

function bind() {
  $('vars').onchange = () => state.edit((s) => { s.vars = Number($('vars').value); });
  for (const r of document.querySelectorAll('input[name=form]'))
    r.onchange = () => { clearResults(); history.replaceState(null, '', linkOf(state, pos())); };
  $('method').onchange = clearResults;
  $('analyze').onclick = analyze;
  $('undo').onclick = () => state.undoStep();
  $('redo').onclick = () => state.redoStep();
  const fillAll = (v) => () => state.setCells([...Array(state.size).keys()], v);
  $('fill1').onclick = fillAll('1');
  $('fill0').onclick = fillAll('0');
  $('fillx').onclick = fillAll('*');
  $('clear').onclick = fillAll('-');
  $('invert').onclick = () => state.edit((s) => {
    for (let m = 0; m < s.size; ++m) s.cells[m] = { 1: '0', 0: '1' }[s.cells[m]] || s.cells[m];
  });
  for (const b of document.querySelectorAll('.pad button'))
    b.onclick = () => state.setCells([...view.selection], b.dataset.value);
  $('formula-form').onsubmit = (e) => {
    e.preventDefault();
    fill('formula', $('formula').value, document.querySelector('input[name=ftype]:checked').value);
  };
  $('sets-form').onsubmit = (e) => {
    e.preventDefault();
    fill('sets', $('ones').value, $('zeros').value, $('dcs').value);
  };
  $('names-form').onsubmit = (e) => {
    e.preventDefault();
    // As the options dialog: upper case, at most 10 characters, then the one rule for names.
    const names = [...$('names').querySelectorAll('input')].map((i) => i.value.toUpperCase().slice(0, 10));
    fill('names', ...names);
  };
  $('tt-box').ontoggle = () => renderTruthTable($('truth-table'), state, $('tt-box').open);
  $('truth-table').onchange = (e) => {
    const m = Number(e.target.dataset.m);
    if (Number.isInteger(m)) state.setCells([m], e.target.value);
  };
  for (const r of document.querySelectorAll('input[name=notation]'))
    r.onchange = () => { if (result) showResult(resultEls(), result, notation(), view); };
  $('limit').onchange = () => { if (result) analyze(); };
  $('copy').onclick = copyFormula;
  $('open').onchange = (e) => { if (e.target.files[0]) openFile(e.target.files[0]); e.target.value = ''; };
  $('save').onchange = (e) => { if (e.target.value) saveAs(e.target.value); e.target.value = ''; };
  $('svg').onclick = () => download('map.svg', new Blob([svgText(picture())], { type: 'image/svg+xml' }));
  $('png').onclick = async () => download('map.png', await pngBlob(picture()));
  $('tex').onclick = () => download('map.tex', new Blob([texText(picture())], { type: 'application/x-tex' }));
  $('language').onchange = async () => {
    await applyLanguage($('language').value);
    // The screen reader's labels of the map and the names follow the language too.
    view.render();
    showNames();
    if (result) analyze();
  };
  window.addEventListener('hashchange', () => {
    const link = parseLink(location.hash);
    if (link && location.hash !== linkOf(state, pos())) openLink(link);
  });
  document.addEventListener('keydown', (e) => {
    const typing = e.target.matches('input[type=text], input:not([type]), textarea');
    if ((e.ctrlKey || e.metaKey) && e.key === 'Enter') { analyze(); e.preventDefault(); return; }
    if (typing || !(e.ctrlKey || e.metaKey)) return;
    const key = e.key.toLowerCase();
    if (key === 'z' && !e.shiftKey) { state.undoStep(); e.preventDefault(); }
    if (key === 'y' || (key === 'z' && e.shiftKey)) { state.redoStep(); e.preventDefault(); }
  });
}

async function boot() {
  const logic = startLogic();  // compiles in the worker while the map takes keys
  const layouts = JSON.parse($('mw-layouts').textContent);
  view = new MapView($('map'), state, layouts, { enter: (minterms, v) => state.setCells(minterms, v) });
  state.onChange(changed);
  bind();
  showNames();
  document.body.dataset.ready = 'true';
  window.mapwright.readyMs = performance.now();
  await logic;
  window.mapwright.logicMs = performance.now();
  await applyLanguage('english');
  const link = parseLink(location.hash);
  if (link) await openLink(link);
  else history.replaceState(null, '', linkOf(state, pos()));
  document.body.dataset.linked = 'true';
}

// What the tests read besides the page itself: the exports' texts and the time to ready.
window.mapwright = {
  svg: () => svgText(picture()),
  tex: () => texText(picture()),
  pngSize: async () => {
    const bitmap = await createImageBitmap(await pngBlob(picture()));
    return [bitmap.width, bitmap.height];
  },
  saveAs,
  readyMs: null,
  logicMs: null,
};
boot().catch((e) => say([String(e && e.message ? e.message : e)]));
