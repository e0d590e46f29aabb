// The web platform's system dialogs and its wait: message boxes as modal DOM dialogs, the save
// dialog (file picker or download), the write of the picked file, and the event wait.

var LibraryOrbaltaDialogs = {
  // A message box: a modal DOM dialog with one OK button; closing it posts event 9.
  orbdom_message_box__deps: ['$OrbDom'],
  orbdom_message_box: function(tp, tl, hp, hl, icon) {
    var box = document.createElement('div');
    box.className = 'orb-window orb-msgbox';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    var bar = document.createElement('div');
    bar.className = 'orb-titlebar';
    var title = document.createElement('span');
    title.className = 'orb-title';
    title.id = 'orb-msgbox-title';
    title.textContent = OrbDom.str(hp, hl);
    bar.appendChild(title);
    var body = document.createElement('div');
    body.className = 'orb-msgbox-body';
    if (icon > 0) {
      var sign = document.createElement('span');
      sign.className = 'orb-msgbox-icon orb-icon-' + ['', 'information', 'warning', 'error'][icon];
      sign.textContent = ['', 'i', '!', '\u00D7'][icon];
      sign.setAttribute('aria-hidden', 'true');
      body.appendChild(sign);
    }
    var text = document.createElement('div');
    text.className = 'orb-msgbox-text';
    text.id = 'orb-msgbox-text';
    text.textContent = OrbDom.str(tp, tl);
    body.appendChild(text);
    var ok = document.createElement('button');
    ok.type = 'button';
    ok.className = 'orb-button orb-default orb-msgbox-ok';
    ok.textContent = 'OK';
    box.appendChild(bar);
    box.appendChild(body);
    box.appendChild(ok);
    box.setAttribute('aria-labelledby', title.id);
    box.setAttribute('aria-describedby', text.id);
    var previous = document.activeElement;
    var done = function() {
      box.remove();
      OrbDom.boxEl = null;
      var i = OrbDom.modalStack.lastIndexOf(-1);
      if (i >= 0) OrbDom.modalStack.splice(i, 1);
      OrbDom.placeBlocker();
      if (previous && previous.focus) previous.focus();
      OrbDom.post(9, 0, 0, 0);
    };
    ok.addEventListener('click', done);
    box.addEventListener('keydown', function(e) {
      e.stopPropagation();
      if (e.key === 'Enter' || e.key === 'Escape' || e.key === ' ') {
        e.preventDefault();
        done();
      } else if (e.key === 'Tab') {
        e.preventDefault();
      }
    });
    document.body.appendChild(box);
    OrbDom.boxEl = box;
    OrbDom.modalStack.push(-1);
    OrbDom.placeBlocker();
    box.style.left = Math.max(0, Math.round((window.innerWidth - box.offsetWidth) / 2)) + 'px';
    box.style.top = Math.max(0, Math.round((window.innerHeight - box.offsetHeight) / 3)) + 'px';
    ok.focus();
  },

  // The program waits here for the next user event: [kind, handle, index, arg] into out.
  orbdom_wait__deps: ['$OrbDom'],
  orbdom_wait: function(out) {
    return Asyncify.handleSleep(function(wakeUp) {
      var deliver = function() {
        var e = OrbDom.queue.shift();
        for (var i = 0; i < 4; ++i) HEAP32[(out >> 2) + i] = e[i];
        wakeUp(0);
      };
      if (OrbDom.queue.length) {
        setTimeout(deliver, 0);
      } else {
        OrbDom.wake = deliver;
      }
    });
  },

  // The save dialog: the browser's file picker where there is one, otherwise a name for a
  // download. Writes the chosen name (UTF-16) to buf; -1 when cancelled.
  orbdom_pick_file__deps: ['$OrbDom'],
  orbdom_pick_file: function(np, nl, dp, dl, pp, pl, buf, cap) {
    return Asyncify.handleSleep(function(wakeUp) {
      var name = OrbDom.str(np, nl).trim();
      var description = OrbDom.str(dp, dl);
      var pattern = OrbDom.str(pp, pl);
      var ext = pattern.indexOf('*.') === 0 && pattern !== '*.*' ? pattern.substring(1) : '';
      var answer = function(chosen, target) {
        if (chosen === null) {
          wakeUp(-1);
          return;
        }
        OrbDom.files[chosen] = target;
        wakeUp(OrbDom.put(chosen, buf, cap));
      };
      var download = function() {
        OrbDom.askName(name, function(typed) {
          answer(typed, typed === null ? null : {download: typed});
        });
      };
      if (window.showSaveFilePicker) {
        var options = {suggestedName: name || ('summary' + (ext || '.txt'))};
        if (ext) {
          var accept = {};
          accept['text/plain'] = [ext];
          options.types = [{description: description, accept: accept}];
        }
        // Only the user's cancel ends the save; a picker the browser refuses to show (a
        // policy, a frame) leaves the download.
        window.showSaveFilePicker(options).then(function(h) {
          answer(h.name, {handle: h});
        }, function(err) {
          if (err && err.name === 'AbortError') {
            answer(null);
          } else {
            download();
          }
        });
        return;
      }
      download();
    });
  },

  // Writes the bytes to the file picked under that name; 0, or the reason's length in buf.
  orbdom_write_file__deps: ['$OrbDom'],
  orbdom_write_file: function(np, nl, pp, pl, data, len, buf, cap) {
    return Asyncify.handleSleep(function(wakeUp) {
      var name = OrbDom.str(np, nl);
      var target = OrbDom.files[name];
      var bytes = HEAPU8.slice(data, data + len);
      var fail = function(reason) { wakeUp(Math.max(1, OrbDom.put(String(reason), buf, cap))); };
      // The scripted user's files are written by its host, under the path as the bytes name it.
      if (Module['orbWriteFile']) {
        Module['orbWriteFile'](HEAPU8.slice(pp, pp + pl), bytes).then(function(reason) {
          if (reason) fail(reason);
          else wakeUp(0);
        }, function(e) { fail(String(e)); });
        return;
      }
      if (!target) {
        fail('No such file or directory');
        return;
      }
      if (target.download !== undefined) {
        var a = document.createElement('a');
        a.href = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
        a.download = target.download;
        document.body.appendChild(a);
        a.click();
        a.remove();
        wakeUp(0);
        return;
      }
      target.handle.createWritable().then(function(w) {
        return w.write(bytes).then(function() { return w.close(); }, function(e) {
          return w.abort().then(function() { throw e; }, function() { throw e; });
        });
      }).then(function() { wakeUp(0); }, function(e) {
        fail(e && e.message ? e.message : 'Write failed');
      });
    });
  },
};

mergeInto(LibraryManager.library, LibraryOrbaltaDialogs);
