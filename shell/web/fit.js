// The picture on screen in whole device pixels: each of its pixels is a k x k block of the
// screen's pixels, k the whole number nearest the device pixel ratio, lowered while the game's
// window does not fit the browser's. Fitted again on every resize, zoom, rotation and move to a
// screen of another density. Where even k = 1 does not fit, the page scrolls.
'use strict';

const VelnorFit = (() => {
  // A pointer reported at a device pixel's corner, divided by the ratio and multiplied back,
  // may fall a hair short of that pixel.
  const POINTER_SLACK = 1e-3;

  // frame: the game's window; client: the box that holds the canvas; width x height: the
  // picture's own size; onScale(k): the canvas has been resized for k and must be redrawn.
  function create(frame, client, canvas, width, height, onScale) {
    let ratio = 1;
    let scale = 0;
    let shift = { x: 0, y: 0 };  // CSS px that move the window onto the grid (place())

    // The browser's window without scroll bars; on a phone, the screen at scale 1 (the layout
    // viewport there grows to hold a wider page, so innerWidth would say it fits).
    function available() {
      const root = document.documentElement;
      const overflow = root.style.overflow;
      root.style.overflow = 'hidden';
      const size = { width: root.clientWidth, height: root.clientHeight };
      root.style.overflow = overflow;
      return size;
    }

    // The shortest whole number of CSS px that is also a whole number of device pixels (2 at
    // a ratio of 1.5, 8 at 2.625): there, both the layout's and the screen's grids meet.
    function grid() {
      for (let t = 1; t <= 64; t++) {
        if (Math.abs(t * ratio - Math.round(t * ratio)) < 1e-6) return t;
      }
      return 1;
    }

    function chooseScale() {
      const room = available();
      const canvasBox = canvas.getBoundingClientRect();
      const frameBox = frame.getBoundingClientRect();
      // The border; the caption and the menu bar; and room for place()'s shift.
      const extraWidth = frameBox.width - canvasBox.width + grid();
      const extraHeight = frameBox.height - canvasBox.height + grid();
      let k = Math.max(1, Math.round(ratio));
      while (k > 1 && (width * k / ratio + extraWidth > room.width ||
                       height * k / ratio + extraHeight > room.height)) {
        k--;
      }
      return k;
    }

    // Moves the window by less than that grid so that the canvas starts on it: the browser
    // then maps the canvas's pixels one to one onto the screen's.
    function place() {
      const t = grid();
      const box = canvas.getBoundingClientRect();
      const x = box.left + window.scrollX - shift.x;  // where the layout alone puts it
      const y = box.top + window.scrollY - shift.y;
      shift = { x: Math.ceil(x / t - 1e-6) * t - x, y: Math.ceil(y / t - 1e-6) * t - y };
      frame.style.left = `${shift.x}px`;
      frame.style.top = `${shift.y}px`;
    }

    function fit() {
      ratio = window.devicePixelRatio || 1;
      const k = chooseScale();
      const cssWidth = `${width * k / ratio}px`;
      const cssHeight = `${height * k / ratio}px`;
      client.style.width = canvas.style.width = cssWidth;
      client.style.height = canvas.style.height = cssHeight;
      if (k !== scale) {
        scale = k;
        canvas.width = width * k;
        canvas.height = height * k;
        onScale(k);
      }
      place();
    }

    // A change of density with no change of size (a move to another screen) fires no resize.
    function watchDensity() {
      window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener(
        'change', () => { fit(); watchDensity(); }, { once: true });
    }

    // The size in device pixels as the browser lays the canvas out: off by one where its start
    // is not on a whole device pixel, which place() then mends.
    function watchDevicePixels() {
      if (typeof ResizeObserver !== 'function') return;
      const observer = new ResizeObserver((entries) => {
        const size = entries[0].devicePixelContentBoxSize;
        if (!size) return;
        if (size[0].inlineSize !== canvas.width || size[0].blockSize !== canvas.height) place();
      });
      try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
      } catch (error) {
        observer.disconnect();  // a browser without that box: the measured placing stands
      }
    }

    // The picture's pixel under a pointer, or null off the picture: whole device pixels from
    // the canvas's start, divided by k.
    function pictureAt(clientX, clientY) {
      const box = canvas.getBoundingClientRect();
      const deviceX = Math.floor((clientX - box.left) * ratio + POINTER_SLACK);
      const deviceY = Math.floor((clientY - box.top) * ratio + POINTER_SLACK);
      const x = Math.floor(deviceX / scale);
      const y = Math.floor(deviceY / scale);
      if (x < 0 || y < 0 || x >= width || y >= height) return null;
      return { x, y };
    }

    fit();
    window.addEventListener('resize', fit);
    watchDensity();
    watchDevicePixels();
    return { pictureAt, scale: () => scale };
  }

  return { create };
})();
