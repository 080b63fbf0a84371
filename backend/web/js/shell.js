// The page half of the browser platform (PageShell.cpp is the other): the canvas
// sized by devicePixelRatio, the requestAnimationFrame loop, Pointer Events (one id
// per finger), keys, typed text, resizes and turns, the back button (a history
// entry of the page's own), full screen, and the audio context, unlocked by the
// first tap or key and suspended while the page is hidden.
mergeInto(LibraryManager.library, {
  $LimnShell: {
    canvas: null,
    context: null,
    scale: 1,
    audio: null,
    textInput: null,

    modifiers: function (e) {
      return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) |
             (e.metaKey ? 8 : 0) | (e.getModifierState && e.getModifierState('CapsLock') ? 16 : 0);
    },

    withString: function (text, call) {
      var size = lengthBytesUTF8(text) + 1;
      var at = _malloc(size);
      stringToUTF8(text, at, size);
      try { call(at); } finally { _free(at); }
    },

    resize: function () {
      var shell = LimnShell;
      var rect = shell.canvas.getBoundingClientRect();
      var ratio = window.devicePixelRatio || 1;
      shell.canvas.width = Math.max(1, Math.round(rect.width * ratio));
      shell.canvas.height = Math.max(1, Math.round(rect.height * ratio));
      shell.scale = ratio;
      _limn_web_resize(rect.width, rect.height, ratio);
    },

    unlockAudio: function () {
      var shell = LimnShell;
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return;
      if (!shell.audio) shell.audio = Module['limnAudio'] = new Context();
      if (shell.audio.state === 'suspended' && !document.hidden) shell.audio.resume();
    },

    listen: function () {
      var shell = LimnShell;
      var canvas = shell.canvas;
      var kinds = { pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3 };
      var onPointer = function (e) {
        var rect = canvas.getBoundingClientRect();
        var touch = e.pointerType === 'touch' ? 1 : 0;
        if (e.type === 'pointerdown') {
          shell.unlockAudio();
          if (canvas.setPointerCapture) canvas.setPointerCapture(e.pointerId);
        }
        _limn_web_pointer(kinds[e.type], e.pointerId, e.clientX - rect.left, e.clientY - rect.top,
                          e.buttons, touch, e.isPrimary ? 1 : 0);
        e.preventDefault();
      };
      for (var type in kinds) canvas.addEventListener(type, onPointer, { passive: false });
      canvas.style.touchAction = 'none';
      canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });

      var onKey = function (e) {
        shell.unlockAudio();
        if (e.type === 'keydown' && e.code === 'F11') {
          _limn_shell_toggle_full_screen();
          e.preventDefault();
          return;
        }
        var down = e.type === 'keydown' ? 1 : 0;
        shell.withString(e.code || '', function (code) { _limn_web_key(down, code, shell.modifiers(e)); });
        // Printable keys come as text too, unless a shortcut is held.
        if (down && e.key && e.key.length <= 2 && !e.ctrlKey && !e.metaKey && !e.isComposing) {
          shell.withString(e.key, function (text) { _limn_web_text(text); });
        }
        if (e.code === 'Tab' || e.code === 'Backspace' || e.code === 'Space' || e.code.startsWith('Arrow')) {
          e.preventDefault();
        }
      };
      window.addEventListener('keydown', onKey);
      window.addEventListener('keyup', onKey);
      // Text composed by an input method (and a phone's keyboard) arrives whole.
      window.addEventListener('compositionend', function (e) {
        if (e.data) shell.withString(e.data, function (text) { _limn_web_text(text); });
      });

      window.addEventListener('resize', shell.resize);
      if (screen.orientation) screen.orientation.addEventListener('change', shell.resize);

      // The back button: the page keeps a history entry of its own; going back
      // from it is key 27, and the entry is put back for the next one.
      history.pushState({ limn: true }, '');
      window.addEventListener('popstate', function () {
        if (shell.leaving) return;
        history.pushState({ limn: true }, '');
        _limn_web_back();
      });

      document.addEventListener('visibilitychange', function () {
        var hidden = document.hidden;
        if (shell.audio) { if (hidden) shell.audio.suspend(); else shell.audio.resume(); }
        _limn_web_visibility(hidden ? 1 : 0);
      });
    },
  },

  limn_shell_start__deps: ['$LimnShell', 'malloc', 'free'],
  limn_shell_start: function () {
    var shell = LimnShell;
    shell.canvas = Module['canvas'] || document.getElementById('canvas');
    shell.context = shell.canvas.getContext('2d');
    shell.listen();
    shell.resize();
    // A page that keeps an array in window.limnFrameTimes (a benchmark) gets the time
    // of each frame's own work: input, timers, enterFrame, tweens, render and present.
    var loop = function (time) {
      var times = window.limnFrameTimes;
      var start = times ? performance.now() : 0;
      _limn_web_frame(time);
      if (times) times.push(performance.now() - start);
      window.requestAnimationFrame(loop);
    };
    window.requestAnimationFrame(loop);
  },

  limn_shell_leave__deps: ['$LimnShell'],
  limn_shell_leave: function () {
    // A page recording or replaying a session stays, for its file and report.
    if (Module['limnStay']) return;
    LimnShell.leaving = true;
    history.go(-2);
  },

  limn_shell_toggle_full_screen__deps: ['$LimnShell'],
  limn_shell_toggle_full_screen: function () {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (LimnShell.canvas.requestFullscreen) LimnShell.canvas.requestFullscreen().catch(function () {});
  },

  limn_canvas_clear__deps: ['$LimnShell'],
  limn_canvas_clear: function (rgb) {
    var c = LimnShell.context;
    c.setTransform(1, 0, 0, 1, 0, 0);
    c.fillStyle = '#' + (rgb & 0xFFFFFF).toString(16).padStart(6, '0');
    c.fillRect(0, 0, LimnShell.canvas.width, LimnShell.canvas.height);
  },

  limn_canvas_fill_rect__deps: ['$LimnShell'],
  limn_canvas_fill_rect: function (x, y, width, height, rgb) {
    var c = LimnShell.context;
    var s = LimnShell.scale;
    c.setTransform(s, 0, 0, s, 0, 0);
    c.fillStyle = '#' + (rgb & 0xFFFFFF).toString(16).padStart(6, '0');
    c.fillRect(x, y, width, height);
  },
});
