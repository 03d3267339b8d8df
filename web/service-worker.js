// Keeps the page working without its server: at install the worker stores every file of the page
// in a cache named after this build's version, and from then on answers the page's requests from
// that cache first. A build with other files writes another version into this file, which makes
// the browser install the new worker; once active it deletes the caches of older versions.
// Nothing else is stored and nothing is sent anywhere.
const version = "@SITE_VERSION@";
const files = [@SITE_FILES@];
const cacheName = `schnackomat-${version}`;

self.addEventListener("install", (event) => {
    event.waitUntil((async () => {
        // From the server itself: the browser's HTTP cache may still hold the files of the
        // version before.
        const cache = await caches.open(cacheName);
        await cache.addAll(files.map((file) => new Request(file, { cache: "reload" })));
        await self.skipWaiting();
    })());
});

self.addEventListener("activate", (event) => {
    event.waitUntil((async () => {
        const names = await caches.keys();
        await Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name)));
        await self.clients.claim();
    })());
});

// The page's own files from the cache, and the page itself for the site's own address (the
// folder it lies in); anything else goes to the network as without the worker.
self.addEventListener("fetch", (event) => {
    const request = event.request;
    const address = new URL(request.url);
    if (request.method !== "GET" || address.origin !== self.location.origin) {
        return;
    }
    const isSite = address.pathname === new URL(self.registration.scope).pathname;
    event.respondWith((async () => {
        const cache = await caches.open(cacheName);
        const stored = await cache.match(isSite ? "index.html" : request, { ignoreSearch: true });
        return stored ?? fetch(request);
    })());
});
