// The worker's side: the compiled logic (MapwrightLogic, defined just above this in the same
// source) answers one request at a time.
const logicReady = MapwrightLogic();

onmessage = async (e) => {
  const { id, kind } = e.data;
  try {
    const logic = await logicReady;
    if (kind === 'ready') {
      postMessage({ id, answer: '{"ok":true}' });
    } else if (kind === 'call') {
      const answer = logic.ccall('mw_call', 'string', ['string'], [e.data.request]);
      postMessage({ id, answer });
    } else if (kind === 'write') {
      logic.FS.writeFile(e.data.path, new Uint8Array(e.data.bytes));
      postMessage({ id, answer: '{"ok":true}' });
    } else if (kind === 'read') {
      let bytes = null;
      try {
        bytes = logic.FS.readFile(e.data.path);
      } catch (err) {
        bytes = null;  // nothing written: the writer has said why
      }
      postMessage({ id, bytes });
    }
  } catch (err) {
    postMessage({ id, error: String(err && err.message ? err.message : err) });
  }
};
