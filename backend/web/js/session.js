// Record and replay in the page (PageSession.cpp is the C++ half). The page's address
// chooses, before the program starts (its preRun), what backend/replay reads from the
// environment:
//   ?record           records to a file in memory; a bar offers it as a download
//   ?replay=URL       fetches the recording first, then replays it as fast as it goes
//   ?replay           a file picker; the picked recording replays (the page reloads)
//   &capture=T1,T2    with either: frames as PNG at those clock times (in memory)
// For scripts: Module.limnRecording() ends the recording and gives its bytes,
// Module.limnReplay is the replay's report once it ended, Module.limnCaptures() the
// captured frames as { name: bytes }.
mergeInto(LibraryManager.library, {
  $LimnSession__deps: ['$FS', '$ENV'],
  $LimnSession__postset: 'LimnSession.prepare();',
  $LimnSession: {
    folder: '/session',
    recordPath: '/session/recording.limnrec',
    replayPath: '/session/replay.limnrec',
    captureFolder: '/session/captures/',
    pickedKey: 'limn-picked-recording',

    prepare: function () {
      var query = new URLSearchParams(window.location.search);
      var session = LimnSession;
      if (!query.has('record') && !query.has('replay')) return;
      // What the page does when the program closes: stay, so the session's
      // file and report can still be had.
      Module['limnStay'] = true;
      Module['limnRecording'] = session.finishRecording;
      Module['limnCaptures'] = session.captures;
      addOnPreRun(function () {
        FS.mkdirTree(session.folder);
        if (query.has('capture')) {
          ENV['LIMN_CAPTURE'] = session.captureFolder;
          ENV['LIMN_CAPTURE_AT'] = query.get('capture');
        }
        if (query.has('record')) {
          ENV['LIMN_RECORD'] = session.recordPath;
          session.bar('Recording.', 'Stop and download', function () {
            session.download(session.finishRecording(), 'session.limnrec');
          });
          return;
        }
        var url = query.get('replay');
        if (!url) return session.pick();
        if (url === 'picked') {
          var kept = window.sessionStorage.getItem(session.pickedKey);
          if (!kept) return session.pick();
          var text = atob(kept);
          var bytes = new Uint8Array(text.length);
          for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
          return session.replayBytes(bytes);
        }
        addRunDependency('limn-replay');
        fetch(url).then(function (response) {
          if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
          return response.arrayBuffer();
        }).then(function (buffer) {
          session.replayBytes(new Uint8Array(buffer));
          removeRunDependency('limn-replay');
        }).catch(function (error) {
          console.warn('limn: replay: cannot fetch ' + url + ': ' + error.message);
          removeRunDependency('limn-replay');
        });
      });
    },

    replayBytes: function (bytes) {
      FS.writeFile(LimnSession.replayPath, bytes);
      ENV['LIMN_REPLAY'] = LimnSession.replayPath;
    },

    // The recording with its end mark (the program plays on, unrecorded).
    finishRecording: function () {
      _limn_session_finish();
      try {
        return FS.readFile(LimnSession.recordPath);
      } catch (e) {
        return new Uint8Array(0);
      }
    },

    captures: function () {
      var found = {};
      var folder = LimnSession.captureFolder;
      try {
        FS.readdir(folder).forEach(function (name) {
          if (name.endsWith('.png')) found[name] = FS.readFile(folder + name);
        });
      } catch (e) {}
      return found;
    },

    download: function (bytes, name) {
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
    },

    // A bar over the foot of the page: a line of text and a button.
    bar: function (text, label, onClick) {
      var bar = document.createElement('div');
      bar.id = 'limn-session';
      bar.style.cssText = 'position:fixed;left:0;right:0;bottom:0;display:flex;gap:8px;' +
          'align-items:center;padding:4px 8px;background:rgba(0,0,0,0.6);color:#eee;' +
          'font:13px sans-serif;z-index:10';
      var line = document.createElement('span');
      line.textContent = text;
      bar.appendChild(line);
      if (label) {
        var button = document.createElement('button');
        button.textContent = label;
        button.addEventListener('click', onClick);
        bar.appendChild(button);
      }
      document.body.appendChild(bar);
      return line;
    },

    // A recording picked from a file: kept for this tab, replayed on reload.
    pick: function () {
      addRunDependency('limn-pick');
      var input = document.createElement('input');
      input.type = 'file';
      input.accept = '.limnrec';
      input.addEventListener('change', function () {
        var file = input.files[0];
        if (!file) return;
        file.arrayBuffer().then(function (buffer) {
          var bytes = new Uint8Array(buffer);
          var text = '';
          for (var i = 0; i < bytes.length; i += 0x8000) {
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
          }
          window.sessionStorage.setItem(LimnSession.pickedKey, btoa(text));
          var query = new URLSearchParams(window.location.search);
          query.set('replay', 'picked');
          window.location.search = query.toString();
        });
      });
      var line = LimnSession.bar('Replay a recording: ', null, null);
      line.parentNode.appendChild(input);
      var status = document.getElementById('status');
      if (status) status.classList.add('gone');
    },
  },

  limn_session_replayed__deps: ['$LimnSession'],
  limn_session_replayed: function (frames, divergedAt, divergence, error, cutShort, pixelsChecked) {
    var report = {
      frames: frames,
      divergedAt: divergedAt,
      divergence: UTF8ToString(divergence),
      error: UTF8ToString(error),
      cutShort: !!cutShort,
      pixelsChecked: !!pixelsChecked,
    };
    report.ok = !report.error && report.divergedAt < 0 && !report.cutShort;
    Module['limnReplay'] = report;
    var text = report.error ? 'cannot replay: ' + report.error
        : report.divergedAt >= 0 ? 'diverged at frame ' + report.divergedAt + ': ' + report.divergence
        : report.frames + ' frames, as recorded' + (report.cutShort ? ' (cut short)' : '');
    LimnSession.bar('Replay: ' + text, null, null);
  },
});
