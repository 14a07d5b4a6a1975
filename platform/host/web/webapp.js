// What makes the page a web app: its manifest, for installing it on a phone's home screen, and
// the worker that keeps the build for offline play (service-worker.js). Both come in once
// "Jugar" is offered, so that on a first visit their downloads (the icons, every file of the
// build) never compete with what the round needs; the browser's cache then answers most of them.
(function () {
  'use strict';
  var play = document.getElementById('play');

  function addManifest() {
    var link = document.createElement('link');
    link.rel = 'manifest';
    link.href = 'rovuzu.webmanifest';
    document.head.appendChild(link);
  }

  function keepForOffline() {
    if (!('serviceWorker' in navigator)) return;  // an insecure page, or an old browser: online only
    navigator.serviceWorker.register('service-worker.js').catch(function (e) {
      // Offline, a game already kept cannot look for a new build; it plays on as it is.
      if (!navigator.serviceWorker.controller) console.warn('rovuzu: the game is not kept for offline play: ' + e.message);
    });
  }

  function offered() {
    addManifest();
    keepForOffline();
  }

  if (!play.disabled) return offered();
  var watch = new MutationObserver(function () {
    if (play.disabled) return;
    watch.disconnect();
    offered();
  });
  watch.observe(play, { attributes: true, attributeFilter: ['disabled'] });
})();
