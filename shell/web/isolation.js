// Threads need a cross-origin isolated page (COOP same-origin, COEP require-corp). A host that
// sends those headers needs nothing more; elsewhere the page's own service worker (sw.js) adds
// them to every response, and the page reloads once to be served through it.
// window.velnorIsolation tells page.js: 'isolated', 'pending' (a reload is coming) or
// 'unavailable'.
'use strict';

(() => {
  const RELOADED = 'velnor-isolation-reloaded';
  if (window.crossOriginIsolated) {
    window.velnorIsolation = 'isolated';
    sessionStorage.removeItem(RELOADED);
    return;
  }
  const unavailable = () => {
    window.velnorIsolation = 'unavailable';
    window.dispatchEvent(new Event('velnor-isolation'));
  };
  if (!window.isSecureContext || !('serviceWorker' in navigator)) {
    unavailable();
    return;
  }
  window.velnorIsolation = 'pending';
  const reloadOnce = () => {
    // Still not isolated after a reload through the worker: the browser refuses, stop here.
    if (sessionStorage.getItem(RELOADED)) {
      unavailable();
      return;
    }
    sessionStorage.setItem(RELOADED, '1');
    window.location.reload();
  };
  navigator.serviceWorker.register('sw.js').then(() => {
    if (navigator.serviceWorker.controller) {
      reloadOnce();
    } else {
      navigator.serviceWorker.addEventListener('controllerchange', reloadOnce, { once: true });
    }
  }, unavailable);
})();
