// The single file carries the program's WebAssembly gzip-packed, as base64
// text in the element #program. This classic script runs as soon as the
// parser reaches it, before the page's larger scripts: it decodes the text,
// unpacks it (shoutotsuGunzip, the inflater inlined just before) and hands
// the bytes to the browser, which compiles them on its own threads while
// the main thread reads the rest of the page. boot.js then only
// instantiates.
// A failure is kept in the promise, for boot.js to say in the page.
(function () {
  var source = document.getElementById('program');
  if (!source || typeof WebAssembly !== 'object') return;
  var text = source.textContent;
  // The text is not needed once decoded; the element would keep it alive.
  source.parentNode.removeChild(source);
  try {
    var bytes;
    if (typeof Uint8Array.fromBase64 === 'function') {
      bytes = Uint8Array.fromBase64(text);
    } else {
      var raw = atob(text);
      bytes = new Uint8Array(raw.length);
      for (var i = 0; i < raw.length; i++) bytes[i] = raw.charCodeAt(i);
    }
    window.shoutotsuProgram = WebAssembly.compile(window.shoutotsuGunzip(bytes));
  } catch (error) {
    window.shoutotsuProgram = Promise.reject(error);
  }
  // Handled in boot.js; without this the browser would also log it as
  // unhandled before boot.js runs.
  window.shoutotsuProgram.catch(function () {});
})();
