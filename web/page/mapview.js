// The map on screen: a grid of cells with Gray labels and the variable names, selection by
// click, drag or arrows, values typed from the keyboard, the selected term filled and loops
// drawn over the cells, open on a side where a term continues across the map's edge.

import { loopBox, loopPath } from './loops.js';
import { t } from './i18n.js';

export class MapView {
  constructor(root, state, layouts, actions) {
    this.root = root;
    this.state = state;
    this.layouts = layouts;  // by variable count, from the logic
    this.actions = actions;  // {enter(minterms, value), undo(), redo()}
    this.selection = new Set();
    this.anchor = null;  // [col, row] from 0
    this.focus = [0, 0];
    this.highlight = [];  // minterms filled in the term colour
    this.loops = [];      // [{blocks, colour}]
    this.dragging = false;
    this.render();
  }

  get layout() { return this.layouts[this.state.vars - 2]; }
  cols() { return this.layout.colGray.length; }
  rows() { return this.layout.rowGray.length; }
  mintermAt(c, r) { return this.layout.minterms[r * this.cols() + c]; }

  render() {
    // An edit redraws the map: the keyboard stays on the focused cell.
    const hadFocus = this.root.contains(document.activeElement);
    const l = this.layout;
    const names = this.state.names.slice(0, this.state.vars);
    const rowNames = names.slice(0, l.rowVars).join(' ');
    const colNames = names.slice(l.rowVars).join(' ');
    const esc = (t) => String(t).replace(/[&<>"]/g, (ch) => `&#${ch.charCodeAt(0)};`);
    let html = `<table class="map" role="grid" aria-label="${esc(t('Karnaugh map'))}"
      aria-rowcount="${this.rows() + 1}" aria-colcount="${this.cols() + 1}"><thead><tr>
      <th class="corner" scope="col"><span class="colnames">${esc(colNames)}</span>
      <span class="rownames">${esc(rowNames)}</span></th>`;
    for (const g of l.colGray) html += `<th scope="col">${g}</th>`;
    html += '</tr></thead><tbody>';
    for (let r = 0; r < this.rows(); ++r) {
      html += `<tr><th scope="row">${l.rowGray[r]}</th>`;
      for (let c = 0; c < this.cols(); ++c) {
        const m = this.mintermAt(c, r);
        const v = this.state.cells[m];
        const shown = v === '-' ? '' : v;
        html += `<td role="gridcell" tabindex="-1" data-c="${c}" data-r="${r}" data-m="${m}"
          aria-label="${esc(this.cellLabel(m, shown))}">${esc(shown)}</td>`;
      }
      html += '</tr>';
    }
    html += '</tbody></table><svg class="loops" aria-hidden="true"></svg>';
    this.root.innerHTML = html;
    this.table = this.root.querySelector('table');
    this.svg = this.root.querySelector('svg');
    this.bind();
    this.paintMarks();
    if (this.focus[0] >= this.cols() || this.focus[1] >= this.rows()) this.focus = [0, 0];
    const focused = this.cell(this.focus[0], this.focus[1]);
    focused.setAttribute('tabindex', '0');
    if (hadFocus) focused.focus();
  }

  cellLabel(m, shown) {
    return t('Minterm %1: %2', m, shown === '' ? '–' : shown);
  }

  cell(c, r) {
    return this.table.querySelector(`td[data-c="${c}"][data-r="${r}"]`);
  }

  bind() {
    const at = (e) => {
      const td = e.target.closest && e.target.closest('td[role=gridcell]');
      return td ? [Number(td.dataset.c), Number(td.dataset.r)] : null;
    };
    this.table.addEventListener('pointerdown', (e) => {
      const p = at(e);
      if (!p) return;
      this.dragging = e.pointerType === 'mouse';
      this.anchor = e.shiftKey && this.anchor ? this.anchor : p;
      this.moveFocus(p, e.shiftKey);
    });
    this.table.addEventListener('pointerover', (e) => {
      if (!this.dragging || !(e.buttons & 1)) return;
      const p = at(e);
      if (p) this.moveFocus(p, true);
    });
    window.addEventListener('pointerup', () => { this.dragging = false; });
    this.table.addEventListener('keydown', (e) => this.key(e));
  }

  key(e) {
    const moves = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
    if (moves[e.key]) {
      const [dc, dr] = moves[e.key];
      const c = Math.min(this.cols() - 1, Math.max(0, this.focus[0] + dc));
      const r = Math.min(this.rows() - 1, Math.max(0, this.focus[1] + dr));
      if (!e.shiftKey) this.anchor = [c, r];
      this.moveFocus([c, r], e.shiftKey);
      e.preventDefault();
      return;
    }
    if (e.ctrlKey || e.metaKey || e.altKey) return;  // the page's shortcuts handle these
    const values = { '1': '1', '0': '0', '*': '*', ' ': '-', Delete: '-', Backspace: '-' };
    if (values[e.key] !== undefined) {
      this.actions.enter([...this.selection], values[e.key]);
      e.preventDefault();
    }
  }

  // The focus moves to p; extend selects the rectangle from the anchor to p.
  moveFocus(p, extend) {
    this.cell(this.focus[0], this.focus[1])?.setAttribute('tabindex', '-1');
    this.focus = p;
    this.selection.clear();
    const [c0, r0] = extend && this.anchor ? this.anchor : p;
    for (let c = Math.min(c0, p[0]); c <= Math.max(c0, p[0]); ++c)
      for (let r = Math.min(r0, p[1]); r <= Math.max(r0, p[1]); ++r)
        this.selection.add(this.mintermAt(c, r));
    const td = this.cell(p[0], p[1]);
    td.setAttribute('tabindex', '0');
    td.focus({ preventScroll: false });
    this.paintMarks();
  }

  paintMarks() {
    const high = new Set(this.highlight);
    for (const td of this.table.querySelectorAll('td[role=gridcell]')) {
      const m = Number(td.dataset.m);
      td.classList.toggle('selected', this.selection.has(m));
      td.setAttribute('aria-selected', this.selection.has(m) ? 'true' : 'false');
      td.classList.toggle('term', high.has(m));
    }
    this.drawLoops();
  }

  // loops: [{blocks: [[col0, col1, row0, row1, openL, openR, openT, openB]], colour}]
  show(highlight, loops) {
    this.highlight = highlight;
    this.loops = loops;
    this.paintMarks();
  }

  drawLoops() {
    const box = this.root.getBoundingClientRect();
    const firstCell = this.cell(0, 0), lastCell = this.cell(this.cols() - 1, this.rows() - 1);
    if (!firstCell || !lastCell) return;  // the table is of another size until the next render
    const first = firstCell.getBoundingClientRect();
    const last = lastCell.getBoundingClientRect();
    const w = (last.right - first.left) / this.cols();
    const h = (last.bottom - first.top) / this.rows();
    const x0 = first.left - box.left, y0 = first.top - box.top;
    this.svg.setAttribute('width', box.width);
    this.svg.setAttribute('height', box.height);
    this.svg.innerHTML = this.loops.map((loop, k) => loop.blocks.map((b) =>
      `<path d="${loopPath(loopBox(b, x0, y0, w, h, this.cols(), this.rows(), 3 + (k % 3) * 2))}"
        stroke="${loop.colour}" />`).join('')).join('');
  }
}
