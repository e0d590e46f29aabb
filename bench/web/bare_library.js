// The bare page's DOM: a window of the program's own classes (orbalta.css) with an edit and a
// button, and the wait of its loop, as dom_library.js and dom_dialogs.js do them.

var LibraryOrbaltaBare = {
  $OrbBare: {
    queue: [],
    wake: null,
    str: function(ptr, len) {
      return String.fromCharCode.apply(null, HEAPU16.subarray(ptr >> 1, (ptr >> 1) + len));
    },
    post: function(kind) {
      OrbBare.queue.push(kind);
      if (OrbBare.wake) {
        var w = OrbBare.wake;
        OrbBare.wake = null;
        w();
      }
    },
  },

  orbbare_build__deps: ['$OrbBare'],
  orbbare_build: function(tp, tl, cp, cl) {
    var el = document.createElement('div');
    el.className = 'orb-window';
    el.setAttribute('role', 'dialog');
    var bar = document.createElement('div');
    bar.className = 'orb-titlebar';
    var title = document.createElement('span');
    title.className = 'orb-title';
    title.textContent = OrbBare.str(tp, tl);
    bar.appendChild(title);
    var client = document.createElement('div');
    client.className = 'orb-client';
    client.style.width = '200px';
    client.style.height = '40px';
    client.style.font = '11px "Orbalta Sans", sans-serif';
    // The two controls at the pixels the real page gives such controls.
    var control = function(tag, type, cls, x, y, w, h) {
      var c = document.createElement(tag);
      c.type = type;
      c.className = cls;
      c.style.left = x + 'px';
      c.style.top = y + 'px';
      c.style.width = w + 'px';
      c.style.height = h + 'px';
      return c;
    };
    var edit = control('input', 'text', 'orb-edit', 8, 9, 110, 21);
    var button = control('button', 'button', 'orb-button', 126, 8, 66, 23);
    var caption = document.createElement('span');
    caption.textContent = OrbBare.str(cp, cl);
    button.appendChild(caption);
    button.addEventListener('click', function() { OrbBare.post(1); });
    edit.addEventListener('input', function() { OrbBare.post(2); });
    client.appendChild(edit);
    client.appendChild(button);
    el.appendChild(bar);
    el.appendChild(client);
    document.body.appendChild(el);
    el.style.left = Math.max(0, Math.round((window.innerWidth - el.offsetWidth) / 2)) + 'px';
    el.style.top = Math.max(0, Math.round((window.innerHeight - el.offsetHeight) / 2)) + 'px';
    edit.focus();
  },

  orbbare_wait__deps: ['$OrbBare'],
  orbbare_wait: function(out) {
    return Asyncify.handleSleep(function(wakeUp) {
      var deliver = function() {
        HEAP32[out >> 2] = OrbBare.queue.shift();
        wakeUp(0);
      };
      if (OrbBare.queue.length) setTimeout(deliver, 0);
      else OrbBare.wake = deliver;
    });
  },
};

mergeInto(LibraryManager.library, LibraryOrbaltaBare);
