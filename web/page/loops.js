// A loop's block on a map drawn from (x0, y0) with cells w by h: its outline, rounded where two
// drawn sides meet; an open side is left out and its neighbours run on to the map's edge.
// Blocks come from the logic: [col0, col1, row0, row1, openLeft, openRight, openTop, openBottom].

export const LOOP_COLOURS = ['#d62728', '#1f77b4', '#2ca02c', '#ff7f0e', '#9467bd', '#8c564b',
  '#e377c2', '#17becf'];

export function loopBox(b, x0, y0, w, h, cols, rows, inset) {
  const [c0, c1, r0, r1, openL, openR, openT, openB] = b;
  const x1 = openL ? x0 : x0 + c0 * w + inset;
  const x2 = openR ? x0 + cols * w : x0 + (c1 + 1) * w - inset;
  const y1 = openT ? y0 : y0 + r0 * h + inset;
  const y2 = openB ? y0 + rows * h : y0 + (r1 + 1) * h - inset;
  return { x1, x2, y1, y2, r: Math.min(8, (x2 - x1) / 2, (y2 - y1) / 2),
    top: !openT, right: !openR, bottom: !openB, left: !openL };
}

// The SVG path of loopBox's outline.
export function loopPath(box) {
  const { x1, x2, y1, y2, r, top, right, bottom, left } = box;
  const f = (v) => Number(v.toFixed(2));
  const arc = (x, y) => `A${f(r)} ${f(r)} 0 0 1 ${f(x)} ${f(y)}`;
  let d = '';
  if (top) d += `M${f(x1 + (left ? r : 0))} ${f(y1)}H${f(x2 - (right ? r : 0))}` + (right ? arc(x2, y1 + r) : '');
  if (right) d += `M${f(x2)} ${f(y1 + (top ? r : 0))}V${f(y2 - (bottom ? r : 0))}` + (bottom ? arc(x2 - r, y2) : '');
  if (bottom) d += `M${f(x2 - (right ? r : 0))} ${f(y2)}H${f(x1 + (left ? r : 0))}` + (left ? arc(x1, y2 - r) : '');
  if (left) d += `M${f(x1)} ${f(y2 - (bottom ? r : 0))}V${f(y1 + (top ? r : 0))}` + (top ? arc(x1 + r, y1) : '');
  return d;
}
