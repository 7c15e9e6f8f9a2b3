// The map as the page holds it: variable count, names, one value per minterm ('1', '0', '*',
// '-' empty, '?' a text the logic refused), and the undo history of whole states.

export const DEFAULT_NAMES = ['A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'];
const HISTORY_LIMIT = 200;

export class MapState {
  constructor() {
    this.vars = 4;
    this.names = DEFAULT_NAMES.slice();
    this.title = '';  // the function's name a PLA or CSV brought; the CSV writer gives it back
    this.cells = new Array(256).fill('-');  // kept for 8 variables: a smaller map hides, not loses
    this.undo = [];
    this.redo = [];
    this.listeners = [];
  }

  get size() { return 1 << this.vars; }
  visibleCells() { return this.cells.slice(0, this.size).join(''); }
  namesField() {
    const names = this.names.slice(0, this.vars).join('\x1d');
    return this.title ? `${names}\x1e${this.title}` : names;
  }
  // The fields every call of the logic takes first.
  fields() { return [String(this.vars), this.namesField(), this.visibleCells()]; }

  snapshot() { return { vars: this.vars, names: this.names.slice(), cells: this.cells.slice(), title: this.title }; }
  restore(s) { this.vars = s.vars; this.names = s.names.slice(); this.cells = s.cells.slice(); this.title = s.title; }

  // Every edit goes through here, so one undo step puts it back whole.
  edit(change) {
    const before = this.snapshot();
    change(this);
    if (JSON.stringify(before) === JSON.stringify(this.snapshot())) return false;
    this.undo.push(before);
    if (this.undo.length > HISTORY_LIMIT) this.undo.shift();
    this.redo = [];
    this.notify();
    return true;
  }

  // A state the logic answered: {vars, names, cells, title} for the visible map.
  take(answer) {
    return this.edit((s) => {
      s.vars = answer.vars;
      s.title = answer.title || '';
      answer.names.forEach((n, i) => { s.names[i] = n; });
      for (let m = 0; m < answer.cells.length; ++m) s.cells[m] = answer.cells[m];
    });
  }

  setCells(minterms, value) {
    return this.edit((s) => { for (const m of minterms) s.cells[m] = value; });
  }

  undoStep() { return this.step(this.undo, this.redo); }
  redoStep() { return this.step(this.redo, this.undo); }
  step(from, to) {
    if (!from.length) return false;
    to.push(this.snapshot());
    this.restore(from.pop());
    this.notify();
    return true;
  }

  onChange(f) { this.listeners.push(f); }
  notify() { for (const f of this.listeners) f(this); }
}

// "0-3,5": minterm numbers with runs of three or more as ranges, as the sets dialog writes them.
export function setsText(minterms) {
  const parts = [];
  for (let i = 0; i < minterms.length;) {
    let j = i;
    while (j + 1 < minterms.length && minterms[j + 1] === minterms[j] + 1) ++j;
    if (j - i >= 2) parts.push(`${minterms[i]}-${minterms[j]}`);
    else for (let k = i; k <= j; ++k) parts.push(String(minterms[k]));
    i = j + 1;
  }
  return parts.join(',');
}

function mintermsOf(state, value) {
  const list = [];
  for (let m = 0; m < state.size; ++m) if (state.cells[m] === value) list.push(m);
  return list;
}

// The link of a map: v, ones and dc; zeros too while some cells are still empty (a link
// without them means every other cell is 0); pos for a product of sums.
export function linkOf(state, pos) {
  const q = [`v=${state.vars}`];
  const ones = mintermsOf(state, '1');
  const dc = mintermsOf(state, '*');
  const empty = mintermsOf(state, '-').length > 0;
  if (ones.length) q.push(`ones=${setsText(ones)}`);
  if (empty) {
    const zeros = mintermsOf(state, '0');
    if (zeros.length) q.push(`zeros=${setsText(zeros)}`);
  }
  if (dc.length) q.push(`dc=${setsText(dc)}`);
  if (pos) q.push('pos');
  return '#' + q.join('&');
}

// The parts of a link, untouched: the logic reads the lists and says what is wrong with them.
export function parseLink(hash) {
  const text = hash.replace(/^#/, '');
  if (!text) return null;
  const out = { pos: false };
  for (const part of text.split('&')) {
    const eq = part.indexOf('=');
    const key = eq < 0 ? part : part.slice(0, eq);
    const value = eq < 0 ? '' : decodeURIComponent(part.slice(eq + 1));
    if (key === 'pos') out.pos = true;
    else if (['v', 'ones', 'zeros', 'dc'].includes(key)) out[key] = value;
  }
  return out.v === undefined ? null : out;
}
