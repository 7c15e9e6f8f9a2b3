// The logic runs in a worker made from the page itself (its source sits in a script block of
// the page), so typing never waits for an analysis. Calls are answered in the order sent.

const SEP = '\x1f';

let worker = null;
let nextId = 1;
const pending = new Map();

export function startLogic() {
  const source = document.getElementById('mw-logic').textContent;
  const url = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
  worker = new Worker(url);
  worker.onmessage = (e) => {
    const { id, answer, bytes, error } = e.data;
    const p = pending.get(id);
    if (!p) return;
    pending.delete(id);
    if (error) p.reject(new Error(error));
    else p.resolve(bytes !== undefined ? bytes : JSON.parse(answer));
  };
  return post({ kind: 'ready' });
}

function post(message) {
  const id = nextId++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject });
    worker.postMessage({ id, ...message });
  });
}

// A field never holds the separator: a typed one becomes a blank.
const clean = (v) => String(v ?? '').split(SEP).join(' ');

export function call(command, ...fields) {
  return post({ kind: 'call', request: [command, ...fields.map(clean)].join(SEP) });
}

// Files go through the worker's memory: the readers and writers are the program's own.
export function writeFile(path, bytes) {
  return post({ kind: 'write', path, bytes });
}

export function readFile(path) {
  return post({ kind: 'read', path });
}
