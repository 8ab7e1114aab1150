// Keeps the whole site of one build after the first visit, so that the game starts and
// plays without the network. The cache is named after the build's content: a new build is
// a new worker with a cache of its own, which takes over once no page of the old build is
// open, and then drops the old cache. A page is served by one build's cache alone.
'use strict';

const build = '@QUENFORD_BUILD@';
const files = [@QUENFORD_FILES@];
const cacheName = 'quenford-' + build;

// Past the browser's own cache, which may still hold files of an older build.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith('quenford-') && name !== cacheName)
    .map((name) => caches.delete(name)))));
});

// The address's parameters choose how the game plays, not what the page is.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
