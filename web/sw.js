// Keeps every file of the page, so after one visit it runs with no network.
// The list of files and the cache's name (which changes with their
// contents) are written in when the page is built.
const CACHE = '@cache@';
const FILES = @files@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  // Older versions of the page are dropped once this one is in charge.
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith(
    caches.open(CACHE).then(async (cache) => {
      const kept = await cache.match(request, { ignoreSearch: true });
      if (kept) return kept;
      if (request.mode === 'navigate') {
        const page = await cache.match('./');
        if (page) return page;
      }
      return fetch(request);
    }),
  );
});
