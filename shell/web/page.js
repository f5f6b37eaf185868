// The page around the game: the canvas that shows the game's picture, the menu bar, the click
// sound, and the message when the game has ended. The game itself runs in velnor.js on
// threads of its own; it calls the velnor* functions below on this, the browser's main thread.
'use strict';

(() => {
  const WIDTH = 531;
  const HEIGHT = 351;
  const canvas = document.getElementById('screen');
  const notice = document.getElementById('notice');

  // A phone narrower than the window shows it whole, zoomed out, instead of cut at both sides;
  // a wider screen keeps CSS pixels at their size, so the picture stays sharp.
  const PAGE_WIDTH = WIDTH + 2 + 2 * 8;  // the window's border and a margin each side
  const viewport = document.querySelector('meta[name="viewport"]');
  if (viewport && window.screen.width < PAGE_WIDTH) {
    viewport.content = `width=${PAGE_WIDTH}, initial-scale=${window.screen.width / PAGE_WIDTH}`;
  }

  // The picture at one pixel per pixel; the canvas shows it scaled by whole device pixels.
  const picture = document.createElement('canvas');
  picture.width = WIDTH;
  picture.height = HEIGHT;
  const pictureContext = picture.getContext('2d');
  pictureContext.fillStyle = '#fff';
  pictureContext.fillRect(0, 0, WIDTH, HEIGHT);
  let screenContext = null;
  let scale = 1;

  function fitCanvas() {
    scale = Math.max(1, Math.round(window.devicePixelRatio || 1));
    canvas.width = WIDTH * scale;
    canvas.height = HEIGHT * scale;
    screenContext = canvas.getContext('2d', { alpha: false });
    screenContext.imageSmoothingEnabled = false;  // reset with every resize
    screenContext.drawImage(picture, 0, 0, WIDTH * scale, HEIGHT * scale);
    // Moved to a screen of another density: fit again.
    window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
      .addEventListener('change', fitCanvas, { once: true });
  }

  function showRect(pixels, x, y, width, height) {
    const data = new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, pixels.length);
    pictureContext.putImageData(new ImageData(data, width, height), x, y);
    screenContext.drawImage(picture, x, y, width, height,
      x * scale, y * scale, width * scale, height * scale);
  }

  function showNotice(lines, withReload) {
    notice.replaceChildren();
    for (const [text, english] of lines) {
      const p = document.createElement('p');
      p.textContent = text;
      notice.append(p);
      if (english) {
        const e = document.createElement('p');
        e.className = 'english';
        e.textContent = english;
        notice.append(e);
      }
    }
    if (withReload) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = '再読み込み';
      button.addEventListener('click', () => window.location.reload());
      notice.append(button);
    }
    notice.hidden = false;
  }

  // The click: decoded once as the page starts; played only after the page's first user
  // gesture, as browsers require; a new click cuts off the one still playing.
  let clickBuffer = null;
  let audio = null;
  let playing = null;

  function decodeClick(bytes) {
    const Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
    if (!Offline) return;
    new Offline(1, 1, 22050).decodeAudioData(bytes.buffer).then(
      (buffer) => { clickBuffer = buffer; },
      () => {});  // no sound, then
  }

  function unlockAudio() {
    if (audio) return;
    if (navigator.userActivation && !navigator.userActivation.isActive) return;
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    audio = new Context();
    audio.resume().catch(() => {});
  }

  function playClick() {
    if (!audio || !clickBuffer) return;
    if (playing) playing.stop();
    const source = audio.createBufferSource();
    source.buffer = clickBuffer;
    source.connect(audio.destination);
    source.onended = () => { if (playing === source) playing = null; };
    source.start();
    playing = source;
  }

  let game = null;  // the module, once its runtime runs
  let menu = null;
  let ended = false;

  // The board's clicks in the picture's own pixels, whatever the canvas's size on screen.
  function onPointerDown(event) {
    if (!game || ended || event.button !== 0) return;
    event.preventDefault();
    const box = canvas.getBoundingClientRect();
    const x = Math.floor((event.clientX - box.left) * WIDTH / box.width);
    const y = Math.floor((event.clientY - box.top) * HEIGHT / box.height);
    if (x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT) return;
    game._velnor_click(x, y);
  }

  function onEnded() {
    ended = true;
    if (menu) menu.disable();
    showNotice([
      ['ゲームは終了しました。', 'The game has ended.'],
      ['もう一度遊ぶには、ページを再読み込みしてください。', 'Reload the page to play again.'],
    ], true);
  }

  function start() {
    fitCanvas();
    for (const type of ['pointerdown', 'keydown']) {
      window.addEventListener(type, unlockAudio, true);
    }
    canvas.addEventListener('pointerdown', onPointerDown);
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    const module = {
      velnorShowRect: showRect,
      velnorCheckMenuItem: (id, checked) => { if (menu) menu.setChecked(id, checked !== 0); },
      velnorPlayClick: playClick,
      velnorEnded: onEnded,
      // Before main starts on its thread: everything the game's first calls reach is here.
      onRuntimeInitialized() {
        const table = JSON.parse(module.UTF8ToString(module._velnor_menu_json()));
        menu = VelnorMenu.create(document.getElementById('menubar'),
          document.getElementById('window'), table, (id) => module._velnor_command(id));
        const wav = module._velnor_click_wav();
        decodeClick(module.HEAPU8.slice(wav, wav + module._velnor_click_wav_size()));
        game = module;
      },
    };
    const script = document.createElement('script');
    script.src = 'velnor.js';
    script.onload = () => {
      createVelnor(module).catch((error) => {
        showNotice([['ゲームを開始できませんでした。', `The game could not start: ${error}`]], true);
      });
    };
    document.body.append(script);
  }

  function refuse() {
    showNotice([
      ['このページはクロスオリジン分離が必要です。scripts/serve-web で開いてください。',
        'This page needs cross-origin isolation (COOP and COEP headers): serve it with ' +
        'scripts/serve-web, or over HTTPS or localhost so that its service worker can add them.'],
    ], false);
  }

  if (window.crossOriginIsolated) {
    start();
  } else if (window.velnorIsolation === 'pending') {
    showNotice([['準備しています…', 'Preparing the page…']], false);
    window.addEventListener('velnor-isolation', refuse, { once: true });
  } else {
    refuse();
  }
})();
