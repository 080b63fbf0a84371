// Web Audio for the mixer (WebAudioOut.cpp is the other half): a
// ScriptProcessorNode on the page's audio context (made and unlocked by
// shell.js on the first tap, suspended while the page is hidden) pulls mixed
// blocks of interleaved float stereo from limn_web_audio_pull. While that
// context is missing or not running, a timer pulls the frames that real time
// owes and drops them, so that sounds still end after their length.
mergeInto(LibraryManager.library, {
  $LimnAudio: {
    rate: 44100,
    node: null,
    timer: null,
    last: 0,
    owed: 0,
    // Frames of the mixer kept for the next callback when the context's rate
    // differs from the mixer's (interpolated between), and where we are in them.
    held: [0, 0],
    place: 0,

    context: function () {
      return (typeof Module !== 'undefined' && Module['limnAudio']) || null;
    },

    running: function () {
      var context = LimnAudio.context();
      return !!(context && LimnAudio.node && context.state === 'running');
    },

    // Silent pulls for the time that passed without the node.
    tick: function () {
      var audio = LimnAudio;
      var now = performance.now();
      if (!audio.node && audio.context()) audio.connect();
      if (audio.running()) {
        audio.last = now;
        audio.owed = 0;
        return;
      }
      audio.owed += (now - audio.last) * audio.rate / 1000;
      audio.last = now;
      while (audio.owed >= 512) {
        _limn_web_audio_pull(512);
        audio.owed -= 512;
      }
    },

    connect: function () {
      var audio = LimnAudio;
      var context = audio.context();
      if (!context.createScriptProcessor) return;
      var node = context.createScriptProcessor(1024, 0, 2);
      node.onaudioprocess = function (event) { audio.fill(event.outputBuffer); };
      node.connect(context.destination);
      audio.node = node;
    },

    fill: function (buffer) {
      var audio = LimnAudio;
      var left = buffer.getChannelData(0);
      var right = buffer.getChannelData(1);
      var count = left.length;
      var step = audio.rate / buffer.sampleRate;
      if (step === 1) {
        var at = _limn_web_audio_pull(count) >> 2;
        for (var i = 0; i < count; ++i) {
          left[i] = HEAPF32[at + 2 * i];
          right[i] = HEAPF32[at + 2 * i + 1];
        }
        return;
      }
      // Another rate: the frames this buffer spans, one held from before.
      var first = audio.place;
      var needed = Math.floor(first + step * count);
      var from = needed > 0 ? _limn_web_audio_pull(needed) >> 2 : 0;
      var frame = function (k, side) {
        return k === 0 ? audio.held[side] : HEAPF32[from + 2 * (k - 1) + side];
      };
      for (var j = 0; j < count; ++j) {
        var p = first + step * j;
        var k = Math.floor(p);
        var t = p - k;
        // Past the frames pulled only at the very end: the last one stands in.
        var n = Math.min(k + 1, needed);
        left[j] = frame(k, 0) + (frame(n, 0) - frame(k, 0)) * t;
        right[j] = frame(k, 1) + (frame(n, 1) - frame(k, 1)) * t;
      }
      if (needed > 0) audio.held = [frame(needed, 0), frame(needed, 1)];
      audio.place = first + step * count - needed;
    },
  },

  limn_web_audio_open__deps: ['$LimnAudio'],
  limn_web_audio_open: function (rate) {
    LimnAudio.rate = rate;
    if (typeof window === 'undefined') return 0;
    return (window.AudioContext || window.webkitAudioContext) ? 1 : 0;
  },

  limn_web_audio_start__deps: ['$LimnAudio'],
  limn_web_audio_start: function () {
    var audio = LimnAudio;
    if (typeof window === 'undefined' || audio.timer) return;
    audio.last = performance.now();
    audio.timer = setInterval(audio.tick, 10);
  },

  limn_web_audio_close__deps: ['$LimnAudio'],
  limn_web_audio_close: function () {
    var audio = LimnAudio;
    if (audio.timer) clearInterval(audio.timer);
    audio.timer = null;
    if (audio.node) audio.node.disconnect();
    audio.node = null;
  },
});
