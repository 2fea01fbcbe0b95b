// The web backend's side in the page: the elements that show the program's
// windows, the user's mouse, touch and keys handed to the core, the page's
// focus, the browser's turns (the waits the program is suspended in) and the
// message box. The backend's C++ calls it through EM_JS; it calls back through
// the functions the backend exports (_heat_...). Relies on page.html's styles.
var HeatPage = {
  windows: {},        // element of each window record (its pointer's number)
  waiting: null,      // the pending wait's resolve, null while the program runs
  waitTimer: 0,
  waited: 0,          // milliseconds the program spent waiting for the browser
  lastTurn: 0,        // performance.now() when the program last came back from a wait
  ended: false,
  frames: 0,          // pictures shown, and when the first was (tools/measure-web-performance)
  firstFrame: null,

  // ---- the browser's turns -----------------------------------------------------------
  // The program waits here until an event, the time (ms; negative: no limit)
  // or the page becoming visible; then it runs on.
  wait: function (ms) {
    var start = performance.now();
    return new Promise(function (resolve) {
      HeatPage.waiting = resolve;
      if (ms >= 0) HeatPage.waitTimer = setTimeout(HeatPage.wakeUp, ms);
    }).then(function () { HeatPage.cameBack(start); });
  },
  wakeUp: function () {
    var resolve = HeatPage.waiting;
    if (!resolve) return;
    HeatPage.waiting = null;
    clearTimeout(HeatPage.waitTimer);
    resolve();
  },
  cameBack: function (since) {
    var now = performance.now();
    HeatPage.waited += now - since;
    HeatPage.lastTurn = now;
    HeatPage.pixelRatioChanged();
  },
  // Until the browser has shown what was drawn: its next animation frame,
  // or the page hidden, where none comes.
  frame: function () {
    var start = performance.now();
    return new Promise(function (resolve) {
      if (document.hidden) return setTimeout(resolve, 0);
      var done = function () {
        document.removeEventListener('visibilitychange', done);
        resolve();
      };
      requestAnimationFrame(done);
      document.addEventListener('visibilitychange', done);
    }).then(function () {
      if (HeatPage.frames++ == 0) HeatPage.firstFrame = performance.now();
      HeatPage.cameBack(start);
    });
  },
  // A turn for the browser's events, without waiting for anything.
  turn: function () {
    var start = performance.now();
    return new Promise(function (resolve) {
      var channel = new MessageChannel();
      channel.port1.onmessage = function () { resolve(); };
      channel.port2.postMessage(0);
    }).then(function () { HeatPage.cameBack(start); });
  },

  // ---- windows -------------------------------------------------------------------------
  // The element of a top-level window goes into the page; a window's
  // client area is placed at (x, y), a dialog's frame around it.
  add: function (window, element) {
    HeatPage.windows[window] = element;
    element.style.visibility = 'hidden';   // laid out, not shown
    document.body.appendChild(element);
  },
  element: function (window) { return HeatPage.windows[window]; },
  remove: function (window) {
    var element = HeatPage.windows[window];
    delete HeatPage.windows[window];
    if (element && element.parentNode) element.parentNode.removeChild(element);
  },
  viewport: function () { return [window.innerWidth, window.innerHeight]; },

  // The main window: a canvas of the window's size in CSS pixels, its
  // drawing buffer devicePixelRatio times as large.
  addCanvas: function (window, id, x, y, width, height) {
    var canvas = document.createElement('canvas');
    canvas.id = id;
    canvas.className = 'heat-window';
    canvas.tabIndex = 0;
    canvas.setAttribute('role', 'img');
    HeatPage.add(window, canvas);
    HeatPage.place(window, x, y, width, height);
    HeatPage.followPointer(canvas, window);
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  },
  place: function (window, x, y, width, height) {
    var element = HeatPage.windows[window];
    element.style.left = x + 'px';
    element.style.top = y + 'px';
    element.style.width = width + 'px';
    element.style.height = height + 'px';
    if (element.classList.contains('heat-window')) {   // a new buffer size clears the picture: only when it changes
      var bufferWidth = Math.max(1, Math.round(width * devicePixelRatio));
      var bufferHeight = Math.max(1, Math.round(height * devicePixelRatio));
      if (element.width != bufferWidth) element.width = bufferWidth;
      if (element.height != bufferHeight) element.height = bufferHeight;
    }
  },
  // The drawing buffer's pixels to a CSS pixel, as the canvas was sized.
  pixelRatio: function (window) {
    var canvas = HeatPage.windows[window];
    return canvas.width / parseFloat(canvas.style.width);
  },
  // A new devicePixelRatio (another screen, the browser's zoom): every
  // canvas is sized again and the backend told. Asked when the resolution
  // media query or the viewport change, and whenever the program comes back
  // from a wait (a browser need not tell: Chromium's emulated screens do not).
  ratio: devicePixelRatio,
  pixelRatioChanged: function () {
    if (HeatPage.ended || devicePixelRatio == HeatPage.ratio) return;
    HeatPage.ratio = devicePixelRatio;
    for (var window in HeatPage.windows) {
      var element = HeatPage.windows[window];
      if (element.classList.contains('heat-window'))
        HeatPage.place(window, parseFloat(element.style.left), parseFloat(element.style.top),
                       parseFloat(element.style.width), parseFloat(element.style.height));
    }
    _heat_PixelRatioChanged();
    HeatPage.wakeUp();
    HeatPage.watchPixelRatio();
  },
  watchPixelRatio: function () {
    matchMedia('(resolution: ' + devicePixelRatio + 'dppx)')
        .addEventListener('change', HeatPage.pixelRatioChanged, {once: true});
  },

  // ---- the mouse and touch on a canvas ------------------------------------------------------
  // Mouse (and pen): the buttons held, compared with those the program was
  // told of, give the presses and releases (a second button pressed during a
  // drag comes as a move); the canvas keeps the pointer while a button is
  // held, so a drag goes on outside it, as under capture. Touch: one finger
  // is the left button (a tap, within a few pixels, is a click in place),
  // two fingers the right button at their midpoint; a finger lifted from
  // two ends the zoom, and nothing more happens until every finger is up.
  followPointer: function (canvas, window) {
    var WM_MOUSEMOVE = 0x200, DOWN = {1: 0x201, 2: 0x204}, UP = {1: 0x202, 2: 0x205};
    var TAP = 10;   // CSS pixels a tap may wander
    var told = 0;   // mouse buttons the program was told are down: 1 left, 2 right
    var touches = new Map(), gesture = null, press = null, wandered = false;
    function at(x, y) {
      var r = canvas.getBoundingClientRect();
      return [Math.floor(x - r.left), Math.floor(y - r.top)];
    }
    function tell(message, point) {
      if (HeatPage.ended) return;
      _heat_Mouse(window, message, point[0], point[1]);
      HeatPage.wakeUp();
    }
    function mouse(e) {
      var point = at(e.clientX, e.clientY), held = e.buttons & 3;
      for (var bit = 1; bit <= 2; bit <<= 1) {
        if ((held & bit) && !(told & bit)) tell(DOWN[bit], point);
        else if (!(held & bit) && (told & bit)) tell(UP[bit], point);
      }
      told = held;
      if (e.type == 'pointermove') tell(WM_MOUSEMOVE, point);
    }
    function midpoint() {
      var sum = [0, 0];
      touches.forEach(function (p) { sum[0] += p[0]; sum[1] += p[1]; });
      return [Math.floor(sum[0] / touches.size), Math.floor(sum[1] / touches.size)];
    }
    function touch(e) {
      var point = at(e.clientX, e.clientY), id = e.pointerId;
      if (e.type == 'pointerdown') {
        touches.set(id, point);
        if (touches.size == 1 && gesture === null) {
          gesture = 'turn';
          press = point;
          wandered = false;
          tell(DOWN[1], point);
        } else if (touches.size == 2 && gesture == 'turn') {
          tell(UP[1], press);   // the turn ends where it began: the model holds still
          gesture = 'zoom';
          tell(DOWN[2], midpoint());
        }
        return;
      }
      if (!touches.has(id)) return;
      var moved = e.type == 'pointermove';
      if (moved) touches.set(id, point);
      if (gesture == 'turn') {
        if (Math.abs(point[0] - press[0]) > TAP || Math.abs(point[1] - press[1]) > TAP) wandered = true;
        if (moved) tell(WM_MOUSEMOVE, point);
        else tell(UP[1], wandered ? point : press);
      } else if (gesture == 'zoom') {
        if (moved) tell(WM_MOUSEMOVE, midpoint());
        else tell(UP[2], midpoint());
      }
      if (!moved) {
        touches.delete(id);
        gesture = touches.size == 0 ? null : 'done';
      }
    }
    function pointer(e) {
      if (e.pointerType == 'touch') touch(e);
      else mouse(e);
    }
    canvas.addEventListener('pointerdown', function (e) {
      canvas.setPointerCapture(e.pointerId);
      pointer(e);
    });
    ['pointermove', 'pointerup', 'pointercancel'].forEach(function (type) {
      canvas.addEventListener(type, pointer);
    });
  },

  // ---- keys -------------------------------------------------------------------------------
  // A key pressed on one of the program's elements goes to the core with
  // Windows' virtual-key code and the character it types; the core hands
  // it to the window with the focus. Keys held with Ctrl, Alt or Meta are
  // the browser's. The program's keys do not do the browser's as well: no
  // scrolling, no button pressed twice (a button's Space and Enter press it
  // through the dialog manager). Tab is the browser's on a canvas, which
  // thus leads to the panel's buttons; in a dialog it is the dialog
  // manager's. F1 to F24 but F6 (reload, full screen, developer tools) stay
  // the browser's too.
  held: new Map(),      // the keys the core was told are down, by event.code, as what
  shiftTold: false,
  NAMED: {Tab: 0x09, Enter: 0x0D, Shift: 0x10, Escape: 0x1B, ' ': 0x20, PageUp: 0x21, PageDown: 0x22,
          End: 0x23, Home: 0x24, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
          Insert: 0x2D, Delete: 0x2E, Backspace: 0x08},
  KEYPAD: {NumpadAdd: 0x6B, NumpadSubtract: 0x6D, NumpadMultiply: 0x6A, NumpadDivide: 0x6F, NumpadEnter: 0x0D},
  CONTROL_CHARACTERS: {Tab: 9, Enter: 13, Escape: 27, Backspace: 8},
  // [virtual key, character]; a key known only by the character it types is
  // VK_PACKET; 0 for a key the program cannot hear of.
  keyOf: function (e) {
    var key = e.key, character = 0;
    if ([...key].length == 1) character = key.codePointAt(0);
    else if (key in HeatPage.CONTROL_CHARACTERS) character = HeatPage.CONTROL_CHARACTERS[key];
    if (e.code in HeatPage.KEYPAD) return [HeatPage.KEYPAD[e.code], character];
    if (/^Numpad[0-9]$/.test(e.code) && /^[0-9]$/.test(key)) return [0x60 + +key, character];
    if (key in HeatPage.NAMED) return [HeatPage.NAMED[key], character];
    var f = /^F([0-9]+)$/.exec(key);
    if (f && +f[1] >= 1 && +f[1] <= 24) return [0x6F + +f[1], 0];
    if (/^[a-zA-Z0-9]$/.test(key)) return [key.toUpperCase().charCodeAt(0), character];
    return [character ? 0xE7 : 0, character];
  },
  // The program's element the key was pressed on: a canvas or a dialog's control.
  ours: function (element) {
    return element && element.closest && !element.closest('.heat-box') &&
           (element.matches('canvas.heat-window') || !!element.closest('section.heat-dialog'));
  },
  key: function (e) {
    if (HeatPage.ended || !HeatPage.ours(e.target) || e.ctrlKey || e.altKey || e.metaKey) return;
    var down = e.type == 'keydown', told = HeatPage.held.get(e.code), vk, character = 0;
    if (down) {
      var known = HeatPage.keyOf(e);
      vk = known[0];
      character = known[1];
      if (!vk || (vk == 0x09 && e.target.matches('canvas.heat-window'))) return;
    } else {
      if (told === undefined) return;   // its press was not the program's
      vk = told;
      HeatPage.held.delete(e.code);
    }
    if (vk >= 0x70 && vk <= 0x87 && vk != 0x75) return;
    e.preventDefault();
    if (vk != 0x10 && e.shiftKey != HeatPage.shiftTold) {   // a Shift pressed before the key
      HeatPage.shiftTold = e.shiftKey;
      _heat_Key(0x10, e.shiftKey ? 1 : 0, 0);
    }
    if (vk == 0x10) HeatPage.shiftTold = down;
    if (down) HeatPage.held.set(e.code, vk);
    _heat_Key(vk, down ? 1 : 0, character);
    HeatPage.wakeUp();
  },
  // The page lost the keyboard: the keys held come up for the program.
  letGo: function () {
    if (HeatPage.ended) return;
    HeatPage.held.forEach(function (vk) { _heat_Key(vk, 0, 0); });
    HeatPage.held.clear();
    if (HeatPage.shiftTold) _heat_Key(0x10, 0, 0);
    HeatPage.shiftTold = false;
    HeatPage.wakeUp();
  },
  // The focus moved to one of the program's elements (by the browser's Tab,
  // a click, a touch): the core's focus goes there too.
  focused: function (e) {
    if (HeatPage.ended) return;
    for (var window in HeatPage.windows) {
      if (HeatPage.windows[window] === e.target) {
        _heat_Focus(+window);
        HeatPage.wakeUp();
        return;
      }
    }
  },

  // ---- the message box -------------------------------------------------------------------
  // A modal dialog of the page: its caption, the text (with the stop sign
  // for an error), OK. Resolves once it is closed (OK, Enter or Escape).
  messageBox: function (text, caption, stop) {
    return new Promise(function (resolve) {
      var box = document.createElement('dialog');
      box.className = 'heat-box';
      var title = document.createElement('header');
      title.textContent = caption;
      title.id = 'heat-box-caption';
      box.setAttribute('aria-labelledby', title.id);
      var body = document.createElement('div');
      body.className = 'heat-box-text' + (stop ? ' heat-box-stop' : '');
      body.textContent = text;
      var ok = document.createElement('button');
      ok.type = 'button';
      ok.textContent = 'OK';
      ok.addEventListener('click', function () { box.close(); });
      box.append(title, body, ok);
      box.addEventListener('close', function () {
        box.remove();
        resolve();
      });
      document.body.appendChild(box);
      box.showModal();
      ok.focus();
    });
  },

  // The program has ended: its windows go, and the page says so. A program
  // stopped by an error (abort(), a trap) ends with 134, as a process
  // aborted does.
  end: function (code) {
    if (HeatPage.ended) return;
    HeatPage.ended = true;
    for (var window in HeatPage.windows) HeatPage.remove(window);
    var notice = document.createElement('p');
    notice.className = 'heat-ended';
    notice.textContent = (code == 134 ? 'The program has stopped on an error' : 'The program has ended') +
                         (code ? ' (exit code ' + code + ')' : '') + '. Reload the page to start it again.';
    document.body.dataset.exitCode = code;
    document.body.appendChild(notice);
  },
};

document.addEventListener('visibilitychange', HeatPage.wakeUp);
document.addEventListener('keydown', HeatPage.key);
document.addEventListener('keyup', HeatPage.key);
document.addEventListener('focusin', HeatPage.focused);
addEventListener('blur', HeatPage.letGo);
// exit() unwinds the program by throwing its ExitStatus, which ends up in a
// callback of the browser's: not an error of the page.
addEventListener('error', function (e) { if (e.error instanceof ExitStatus) e.preventDefault(); });
addEventListener('unhandledrejection', function (e) { if (e.reason instanceof ExitStatus) e.preventDefault(); });
Module['onExit'] = HeatPage.end;
Module['onAbort'] = function () { HeatPage.end(134); };
HeatPage.watchPixelRatio();
addEventListener('resize', HeatPage.pixelRatioChanged);
