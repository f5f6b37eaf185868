// The page around the game: the canvas that shows the game's picture, the menu bar, the click
// sound, and the notice when the game has ended or cannot start. The game itself runs in
// velnor.js on threads of its own; it calls the velnor* functions below on this, the
// browser's main thread.
'use strict';

(() => {
  const canvas = document.getElementById('screen');
  const notice = document.getElementById('notice');
  // The build writes the picture's size into the canvas's attributes; the fitting resizes the
  // canvas itself.
  const WIDTH = canvas.width;
  const HEIGHT = canvas.height;

  // The picture at one pixel per pixel; the canvas shows it scaled by whole device pixels.
  const picture = document.createElement('canvas');
  picture.width = WIDTH;
  picture.height = HEIGHT;
  const pictureContext = picture.getContext('2d');
  pictureContext.fillStyle = '#fff';
  pictureContext.fillRect(0, 0, WIDTH, HEIGHT);
  let screenContext = null;
  let scale = 1;

  function redraw(k) {
    scale = k;
    screenContext = canvas.getContext('2d', { alpha: false });
    screenContext.imageSmoothingEnabled = false;  // reset with every resize
    screenContext.drawImage(picture, 0, 0, WIDTH * k, HEIGHT * k);
  }

  const fit = VelnorFit.create(document.getElementById('window'),
    document.querySelector('.client'), canvas, WIDTH, HEIGHT, redraw);

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

  const BROWSERS = ['Chrome、Edge、Firefox の最新版で遊べます。',
    'The game plays in current Chrome, Edge and Firefox.'];

  // The game cannot start: what is missing, and where it plays.
  function cannotStart(what, english, withReload) {
    showNotice([['ゲームを開始できません。' + what, `The game cannot start: ${english}`], BROWSERS],
      withReload);
  }

  // The click: decoded once as the page starts; played only after the page's first user
  // gesture, as browsers require; a new click cuts off the one still playing. A mouse button or
  // a key is such a gesture as it goes down, a finger only as it lifts, when the game has
  // already asked for that tap's click: a click asked for just before the sound may start
  // plays as it starts.
  let clickBuffer = null;
  let audio = null;
  let playing = null;
  let owedSince = -Infinity;  // when a click was asked for before the sound could start
  const OWED_MS = 1000;

  function decodeClick(bytes) {
    const Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
    if (!Offline) return;
    new Offline(1, 1, 22050).decodeAudioData(bytes.buffer).then(
      (buffer) => { clickBuffer = buffer; },
      () => {});  // no sound, then
  }

  function unlockAudio() {
    if (audio && audio.state !== 'suspended') return;
    if (navigator.userActivation && !navigator.userActivation.isActive) return;
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    if (!audio) audio = new Context();
    audio.resume().catch(() => {});
    if (performance.now() - owedSince < OWED_MS) {
      owedSince = -Infinity;
      playClick();
    }
  }

  function playClick() {
    if (!audio) owedSince = performance.now();
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

  // The board's clicks and taps in the picture's own pixels.
  function onPointerDown(event) {
    if (!game || ended || event.button !== 0) return;
    event.preventDefault();
    const at = fit.pictureAt(event.clientX, event.clientY);
    if (at) game._velnor_click(at.x, at.y);
  }

  function onEnded() {
    ended = true;
    if (menu) menu.disable();
    showNotice([
      ['ゲームは終了しました。', 'The game has ended.'],
      ['もう一度遊ぶには、ページを再読み込みしてください。', 'Reload the page to play again.'],
    ], true);
  }

  // An exception or an abort of the runtime, before the game started or while it played.
  function failed(error) {
    const what = String(error && error.message ? error.message : error);
    if (game && !ended) {
      showNotice([['エラーのためゲームが止まりました。', `The game stopped on an error: ${what}`]],
        true);
    } else if (!ended) {
      cannotStart('エラーが起きました。', what, true);
    }
    ended = true;
    if (menu) menu.disable();
  }

  function start() {
    // Checked first: the runtime itself fails on them without a word.
    if (typeof WebAssembly !== 'object') {
      cannotStart('このブラウザーは WebAssembly に対応していません。',
        'this browser has no WebAssembly.', false);
      return;
    }
    if (typeof SharedArrayBuffer !== 'function') {
      cannotStart('このブラウザーでは SharedArrayBuffer が使えません (スレッドに必要です)。',
        'this browser has no SharedArrayBuffer, which the game\'s threads need.', false);
      return;
    }
    for (const type of ['pointerdown', 'pointerup', 'touchend', 'click', 'keydown']) {
      window.addEventListener(type, unlockAudio, true);
    }
    canvas.addEventListener('pointerdown', onPointerDown);
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    const module = {
      velnorShowRect: showRect,
      velnorCheckMenuItem: (id, checked) => { if (menu) menu.setChecked(id, checked !== 0); },
      velnorPlayClick: playClick,
      velnorEnded: onEnded,
      onAbort: failed,
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
    script.onerror = () => {
      cannotStart('velnor.js を読み込めませんでした。', 'velnor.js could not be downloaded.', true);
    };
    script.onload = () => {
      try {
        createVelnor(module).catch(failed);
      } catch (error) {
        failed(error);
      }
    };
    document.body.append(script);
  }

  function refuse() {
    showNotice([
      ['このページはクロスオリジン分離が必要です。scripts/serve-web で開いてください。',
        'This page needs cross-origin isolation (COOP and COEP headers): serve it with ' +
        'scripts/serve-web, or over HTTPS or localhost so that its service worker can add them.'],
      BROWSERS,
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
