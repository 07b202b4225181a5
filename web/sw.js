// Keeps every file of the page, so after one visit it runs with no network.
// The list of files and the version's name (which changes with their
// contents) are written in when the page is built. The cache is named
// after the worker's scope as well: two copies of the site in two folders
// of one address each keep their own files, and one's update leaves the
// other's alone.
const VERSION = '@cache@';
const SCOPE = self.registration.scope;
const CACHE = `${VERSION} ${SCOPE}`;
const FILES = @files@;
// A cache of this scope, or one named before caches had a scope.
const ours = (name) => name.endsWith(` ${SCOPE}`) || !name.includes(' ');

// A new version's files come from the server itself, never from the
// browser's HTTP cache: a server that lets files live long there (or sends
// only a modification date) would otherwise hand this version the previous
// version's files, and the site would stay on them for good. A file that
// does not come back whole fails the install, so the version in charge
// keeps its own files rather than give way to an error page.
async function fetchFiles() {
  return Promise.all(FILES.map(async (file) => {
    const request = new Request(file, { cache: 'reload' });
    const response = await fetch(request);
    if (!response.ok) throw new Error(`${file}: ${response.status}`);
    return [request, response];
  }));
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const fetched = await fetchFiles();
    const cache = await caches.open(CACHE);
    await Promise.all(fetched.map(([request, response]) => cache.put(request, response)));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  // Older versions of the page are dropped once this one is in charge.
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE && ours(name)).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  // Looked up by name rather than opened: a request this version was still
  // answering when a newer one dropped its cache must not bring the cache
  // back, empty.
  const kept = (what) => caches.match(what, { cacheName: CACHE, ignoreSearch: true });
  event.respondWith((async () => {
    const file = await kept(request);
    if (file) return file;
    if (request.mode === 'navigate') {
      const page = await kept('./');
      if (page) return page;
    }
    return fetch(request);
  })());
});
