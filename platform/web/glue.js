// The page's side of the web backend (platform/web.cpp): it queues the
// canvas's pointer, wheel and focus events as they come, puts the memory
// frame on the canvas, hides the system pointer and reads the clock. What an
// event means for the buttons is decided in platform/webinput.cpp.
mergeInto(LibraryManager.library, {
  $web: {canvas: null, context: null, image: null, queue: []},

  webstart__deps: ['$web'],
  webstart: function () {
    var canvas = document.getElementById('field');
    web.canvas = canvas;
    web.context = canvas.getContext('2d', {alpha: false});
    window.grainpitFrames = 0;

    // Kinds as in webinput.h: 0 pointer, 1 cancel, 2 wheel, 3 focus.
    function queue(kind, e, edge) {
      var r = canvas.getBoundingClientRect();
      var x = (e.clientX - r.left) * canvas.width / r.width, y = (e.clientY - r.top) * canvas.height / r.height;
      if (edge) {
        x = Math.min(Math.max(x, 0), canvas.width - 1);
        y = Math.min(Math.max(y, 0), canvas.height - 1);
      }
      web.queue.push([kind, x, y, e.button, e.buttons, e.pointerType == 'mouse' ? 1 : 0, e.isPrimary ? 1 : 0,
                      0, 0, 0]);
    }
    function pointer(kind) {
      return function (e) {
        // While a button is held the canvas keeps the pointer, so a drag
        // that leaves it goes on reporting positions, as on the desktop.
        if (e.type == 'pointerdown') canvas.setPointerCapture(e.pointerId);
        queue(kind, e, false);
      };
    }
    ['pointerdown', 'pointermove', 'pointerup'].forEach(function (type) {
      canvas.addEventListener(type, pointer(0));
    });
    canvas.addEventListener('pointercancel', pointer(1));
    // A pointer that leaves the field is last seen on its edge, as the
    // desktop's window reports it; but one released outside after a drag
    // stays where it was released, as there (the leave comes after the
    // capture is lost).
    var released = false;
    canvas.addEventListener('lostpointercapture', function () { released = true; });
    canvas.addEventListener('pointermove', function () { released = false; });
    canvas.addEventListener('pointerleave', function (e) {
      if (!released) queue(0, e, true);
      released = false;
    });
    canvas.addEventListener('wheel', function (e) {
      // Ctrl with the wheel, or a touchpad's pinch, zooms the page: a
      // shortcut of the browser's, like its keys.
      if (e.ctrlKey) return;
      e.preventDefault();  // counted, never scrolls the page
      var rotation = 'wheelDeltaY' in e ? e.wheelDeltaY : NaN;
      web.queue.push([2, 0, 0, -1, 0, 1, 1, rotation, e.deltaY, e.deltaMode]);
    }, {passive: false});
    function focus() { web.queue.push([3, 0, 0, -1, 0, 1, 1, 0, 0, 0]); }
    window.addEventListener('blur', focus);
    window.addEventListener('focus', focus);

    // No context menu, auto-scroll, paste, selection or dragging over the
    // field: its buttons are the program's.
    ['contextmenu', 'mousedown', 'auxclick', 'dragstart', 'selectstart'].forEach(function (type) {
      canvas.addEventListener(type, function (e) { e.preventDefault(); });
    });
  },

  webopen__deps: ['$web'],
  webopen: function (title, width, height) {
    document.title = UTF8ToString(title);
    web.canvas.width = width;
    web.canvas.height = height;
  },

  webcursor__deps: ['$web'],
  webcursor: function (visible) {
    web.canvas.style.cursor = visible ? '' : 'none';
  },

  // The frame's rows lie stride pixels apart in memory: the image spans the
  // whole stride, and only its first size columns are put on the canvas. The
  // image is a view of the program's memory, made once: that memory is
  // never grown, so the view stays valid.
  webpresent__deps: ['$web'],
  webpresent: function (frame, stride, size) {
    if (!web.image)
      web.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, frame, stride * size * 4), stride, size);
    web.context.putImageData(web.image, 0, 0, 0, 0, size, size);
    window.grainpitFrames++;
  },

  webclock: function () {
    return performance.timeOrigin + performance.now();
  },

  webnext__deps: ['$web'],
  webnext: function (out) {
    var e = web.queue.shift();
    if (!e) return 0;
    for (var k = 0; k < e.length; k++) HEAPF64[(out >> 3) + k] = e[k];
    return 1;
  },
});
