// The map as a picture, laid out as the desktop's map picture: a 4 px margin, cells at least
// 25 px, 13 px DejaVu Sans, the labels' band in silver, grid lines in grey, a diagonal in the
// corner between the row and the column names, the chosen term filled, a loop per term.
// One layout, three files: SVG, PNG (the SVG rasterized) and TeX (TikZ).

import { LOOP_COLOURS, loopBox, loopPath } from './loops.js';

const MARGIN = 4, CELL_MIN = 25, FONT_PX = 13;
const FONT = `${FONT_PX}px "DejaVu Sans", sans-serif`;
const TERM_COLOUR = '#008080';

let measure = null;
function metrics(text) {
  measure = measure || document.createElement('canvas').getContext('2d');
  measure.font = FONT;
  const m = measure.measureText(text);
  return { width: m.width, ascent: m.fontBoundingBoxAscent, descent: m.fontBoundingBoxDescent };
}

// picture: {layout, names, cells (by minterm), highlight (minterms), loops ([{blocks}])}
export function pictureLayout(p) {
  const l = p.layout;
  const cols = l.colGray.length, rows = l.rowGray.length;
  const names = p.names.slice(0, p.layout.vars);
  const rowNames = names.slice(0, l.rowVars).join(' ');
  const colNames = names.slice(l.rowVars).join(' ');
  // The line height as the desktop's picture takes it (DejaVu Sans: ascent 0.928 em, descent
  // 0.236 em): browsers round their font box, which would make the band a pixel shorter.
  const f = { ascent: 0.928 * FONT_PX, descent: 0.236 * FONT_PX };
  let widest = metrics(l.colGray[0]).width;
  const cells = [];
  for (let r = 0; r < rows; ++r)
    for (let c = 0; c < cols; ++c) {
      const m = l.minterms[r * cols + c];
      const v = p.cells[m] === '-' ? '' : p.cells[m];
      cells.push({ c, r, m, v });
      widest = Math.max(widest, metrics(v).width);
    }
  const cellW = Math.max(CELL_MIN, Math.ceil(widest) + 12);
  const headW = Math.max(cellW, Math.ceil(metrics(l.rowGray[0]).width) + 12,
    Math.ceil(Math.max(metrics(rowNames).width, metrics(colNames).width)) + 16);
  const headH = Math.max(CELL_MIN, Math.ceil(2 * (f.ascent + f.descent)) + 8);
  return {
    cols, rows, cellW, headW, headH, rowNames, colNames, cells, f, l,
    highlight: new Set(p.highlight), loops: p.loops,
    X: (c) => MARGIN + headW + c * cellW,  // left edge of map column c (from 0)
    Y: (r) => MARGIN + headH + r * CELL_MIN,
    width: Math.ceil(2 * MARGIN + headW + cols * cellW),
    height: Math.ceil(2 * MARGIN + headH + rows * CELL_MIN),
  };
}

// The drawing as shapes, for both writers: rects, lines, texts and loop paths.
function shapes(g) {
  const right = g.X(g.cols), bottom = g.Y(g.rows);
  const out = [];
  out.push({ rect: [MARGIN, MARGIN, right - MARGIN, g.headH], fill: '#c0c0c0' });
  out.push({ rect: [MARGIN, MARGIN + g.headH, g.headW, bottom - MARGIN - g.headH], fill: '#c0c0c0' });
  for (const cell of g.cells)
    if (g.highlight.has(cell.m)) out.push({ rect: [g.X(cell.c), g.Y(cell.r), g.cellW, CELL_MIN], fill: TERM_COLOUR });
  out.push({ line: [MARGIN, MARGIN, right, MARGIN] });
  for (let r = 0; r <= g.rows; ++r) out.push({ line: [MARGIN, g.Y(r), right, g.Y(r)] });
  out.push({ line: [MARGIN, MARGIN, MARGIN, bottom] });
  for (let c = 0; c <= g.cols; ++c) out.push({ line: [g.X(c), MARGIN, g.X(c), bottom] });
  out.push({ line: [MARGIN, MARGIN, g.X(0), g.Y(0)] });
  const base = (top, h) => top + (h + g.f.ascent - g.f.descent) / 2;
  const centred = (text, left, top, w, h, fill) =>
    out.push({ text, x: left + (w - metrics(text).width) / 2, y: base(top, h), fill });
  out.push({ text: g.colNames, x: g.X(0) - 4 - metrics(g.colNames).width, y: MARGIN + 3 + g.f.ascent });
  out.push({ text: g.rowNames, x: MARGIN + 4, y: g.Y(0) - 3 - g.f.descent });
  g.l.colGray.forEach((t, c) => centred(t, g.X(c), MARGIN, g.cellW, g.headH));
  g.l.rowGray.forEach((t, r) => centred(t, MARGIN, g.Y(r), g.headW, CELL_MIN));
  for (const cell of g.cells)
    centred(cell.v, g.X(cell.c), g.Y(cell.r), g.cellW, CELL_MIN, g.highlight.has(cell.m) ? '#ffffff' : '#000000');
  g.loops.forEach((loop, t) => {
    for (const b of loop.blocks) out.push({ loop: b, inset: 2.5 + (t % 3) * 2, colour: LOOP_COLOURS[t % LOOP_COLOURS.length] });
  });
  return out;
}

const esc = (t) => String(t).replace(/[&<>"]/g, (ch) => `&#${ch.charCodeAt(0)};`);
const n = (v) => Number(v.toFixed(2));

// A loop block of the picture.
const boxOf = (g, s) => loopBox(s.loop, g.X(0), g.Y(0), g.cellW, CELL_MIN, g.cols, g.rows, s.inset);

function svgLoop(g, s) {
  return `<path d="${loopPath(boxOf(g, s))}" fill="none" stroke="${s.colour}" stroke-width="2" stroke-linecap="round"/>`;
}

export function svgText(p) {
  const g = pictureLayout(p);
  const body = shapes(g).map((s) => {
    if (s.rect) return `<rect x="${n(s.rect[0])}" y="${n(s.rect[1])}" width="${n(s.rect[2])}" height="${n(s.rect[3])}" fill="${s.fill}"/>`;
    if (s.line) return `<line x1="${n(s.line[0])}" y1="${n(s.line[1])}" x2="${n(s.line[2])}" y2="${n(s.line[3])}" stroke="#808080"/>`;
    if (s.loop) return svgLoop(g, s);
    return s.text === '' ? '' : `<text x="${n(s.x)}" y="${n(s.y)}"${s.fill ? ` fill="${s.fill}"` : ''}>${esc(s.text)}</text>`;
  }).join('\n');
  return `<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="${g.width}" height="${g.height}" viewBox="0 0 ${g.width} ${g.height}" font-family="DejaVu Sans, sans-serif" font-size="${FONT_PX}">
<title>Karnaugh Map</title>
<rect width="100%" height="100%" fill="#ffffff"/>
${body}
</svg>
`;
}

export function pngBlob(p, scale = 1) {
  const svg = svgText(p);
  const g = pictureLayout(p);
  return new Promise((resolve, reject) => {
    const img = new Image();
    const url = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
    img.onload = () => {
      const canvas = document.createElement('canvas');
      canvas.width = Math.round(g.width * scale);
      canvas.height = Math.round(g.height * scale);
      const ctx = canvas.getContext('2d');
      ctx.scale(scale, scale);
      ctx.drawImage(img, 0, 0);
      URL.revokeObjectURL(url);
      canvas.toBlob(resolve, 'image/png');
    };
    img.onerror = () => reject(new Error('The picture could not be drawn.'));
    img.src = url;
  });
}

const texEsc = (t) => String(t).replace(/[\\{}$&#^_%~]/g, (ch) => (ch === '\\' ? '\\textbackslash{}' : `\\${ch}`));
const rgb = (hex) => `{rgb,255:red,${parseInt(hex.slice(1, 3), 16)};green,${parseInt(hex.slice(3, 5), 16)};blue,${parseInt(hex.slice(5, 7), 16)}}`;

// A document pdflatex makes into a page cropped to the picture, 1 px = 1 pt.
export function texText(p) {
  const g = pictureLayout(p);
  const lines = shapes(g).map((s) => {
    if (s.rect) return `\\fill[color=${rgb(s.fill)}] (${n(s.rect[0])},${n(s.rect[1])}) rectangle ++(${n(s.rect[2])},${n(s.rect[3])});`;
    if (s.line) return `\\draw[color=${rgb('#808080')}] (${n(s.line[0])},${n(s.line[1])}) -- (${n(s.line[2])},${n(s.line[3])});`;
    if (s.loop) {
      const { x1, x2, y1, y2, r, top, right, bottom, left } = boxOf(g, s);
      const open = !(top && right && bottom && left);
      if (!open) return `\\draw[line width=2pt,color=${rgb(s.colour)},rounded corners=${n(r)}pt] (${n(x1)},${n(y1)}) rectangle (${n(x2)},${n(y2)});`;
      const parts = [];
      if (top) parts.push(`(${n(x1)},${n(y1)}) -- (${n(x2)},${n(y1)})`);
      if (right) parts.push(`(${n(x2)},${n(y1)}) -- (${n(x2)},${n(y2)})`);
      if (bottom) parts.push(`(${n(x2)},${n(y2)}) -- (${n(x1)},${n(y2)})`);
      if (left) parts.push(`(${n(x1)},${n(y2)}) -- (${n(x1)},${n(y1)})`);
      return `\\draw[line width=2pt,line cap=round,color=${rgb(s.colour)}] ${parts.join(' ')};`;
    }
    if (s.text === '') return '';
    return `\\node[anchor=base west,inner sep=0pt,color=${rgb(s.fill || '#000000')}] at (${n(s.x)},${n(s.y)}) {${texEsc(s.text)}};`;
  }).filter(Boolean);
  // The desktop's frame: the page takes the picture's size (pdfTeX's page size registers,
  // LuaTeX's as a fallback), so that only LaTeX's base and TikZ are needed.
  return `% Karnaugh Map
\\documentclass{article}
\\usepackage{fix-cm}
\\usepackage{tikz}
\\pagestyle{empty}
\\newsavebox{\\mwpicture}
\\begin{document}
\\savebox{\\mwpicture}{%
\\begin{tikzpicture}[x=1pt,y=-1pt,font=\\fontsize{13}{15}\\selectfont\\sffamily]
\\useasboundingbox (0,0) rectangle (${g.width},${g.height});
${lines.join('\n')}
\\end{tikzpicture}}%
\\ifdefined\\pdfpagewidth
  \\pdfpagewidth=\\wd\\mwpicture \\pdfpageheight=\\dimexpr\\ht\\mwpicture+\\dp\\mwpicture\\relax
\\else\\ifdefined\\pagewidth
  \\pagewidth=\\wd\\mwpicture \\pageheight=\\dimexpr\\ht\\mwpicture+\\dp\\mwpicture\\relax
\\fi\\fi
\\hoffset=-1in \\voffset=-1in
\\shipout\\hbox{\\usebox{\\mwpicture}}
\\end{document}
`;
}
