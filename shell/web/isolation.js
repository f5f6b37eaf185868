// The page's service worker (sw.js) keeps every file of the game for play without the server,
// and is registered on every visit. Threads also need a cross-origin isolated page (COOP
// same-origin, COEP require-corp): a host that sends those headers needs nothing more;
// elsewhere the service worker adds them to every response, and the page reloads once to be
// served through it. window.velnorIsolation tells page.js: 'isolated', 'pending' (a reload is
// coming) or 'unavailable'.
'use strict';

(() => {
  const RELOADED = 'velnor-isolation-reloaded';
  const canRegister = window.isSecureContext && 'serviceWorker' in navigator;
  const registered = canRegister ? navigator.serviceWorker.register('sw.js') : null;
  if (window.crossOriginIsolated) {
    window.velnorIsolation = 'isolated';
    sessionStorage.removeItem(RELOADED);
    if (registered) registered.catch(() => {});  // the game plays, only not offline
    return;
  }
  const unavailable = () => {
    window.velnorIsolation = 'unavailable';
    window.dispatchEvent(new Event('velnor-isolation'));
  };
  if (!registered) {
    unavailable();
    return;
  }
  window.velnorIsolation = 'pending';
  let reloading = false;
  const reloadOnce = () => {
    if (reloading) return;
    // Still not isolated after a reload through the worker: the browser refuses, stop here.
    if (sessionStorage.getItem(RELOADED)) {
      unavailable();
      return;
    }
    reloading = true;
    sessionStorage.setItem(RELOADED, '1');
    // Loaded anew as a navigation, once the page has loaded: from a hard reload's page,
    // Chromium's location.reload() never came back through the worker.
    const again = () => window.location.replace(window.location.href.split('#')[0]);
    if (document.readyState === 'complete') {
      again();
    } else {
      window.addEventListener('load', again, { once: true });
    }
  };
  registered.then((registration) => {
    // A worker already active but not serving this page: a hard reload (Ctrl+Shift+R) went
    // past it, and nothing of it will change. A plain reload is served through it.
    if (navigator.serviceWorker.controller || registration.active) {
      reloadOnce();
      return;
    }
    navigator.serviceWorker.addEventListener('controllerchange', reloadOnce, { once: true });
    // A worker that fails to install (a file of the game missing on the host) never takes over.
    const worker = registration.installing || registration.waiting;
    if (worker) {
      worker.addEventListener('statechange', () => {
        if (worker.state === 'redundant') unavailable();
      });
    }
  }, unavailable);
})();
