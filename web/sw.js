// The offline copy of Zorvane 2: this build's files kept in a cache of its own, so a visit
// without a network plays as well as one with. scripts/build-web.sh writes the build's version
// (a digest of its files) and the list of them in place of the two marks below; a new build is
// a new worker with a new cache, which replaces the old one whole once it has every file.
'use strict';
const Version = '@VERSION@';
const Files = @FILES@;
const Cache = 'zorvane2-' + Version;

self.addEventListener('install', event => {
  // Every file fresh from the server (not a stale copy from the browser's HTTP cache), or none.
  event.waitUntil(caches.open(Cache)
    .then(cache => cache.addAll(Files.map(f => new Request(f, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(n => n.startsWith('zorvane2-') && n !== Cache).map(n => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// This build's files from the cache; anything else (a test's script, a file the build does
// not have) from the network. The page itself is the same whatever its address says after '?'.
self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  const page = request.mode === 'navigate';
  event.respondWith(caches.open(Cache)
    .then(cache => cache.match(page ? 'index.html' : request, { ignoreSearch: page }))
    .then(hit => hit || fetch(request)));
});
