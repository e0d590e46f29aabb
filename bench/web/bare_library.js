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
    var edit = document.createElement('input');
    edit.type = 'text';
    edit.className = 'orb-edit';
    edit.style.left = '8px';
    edit.style.top = '9px';
    edit.style.width = '110px';
    edit.style.height = '21px';
    var button = document.createElement('button');
    button.type = 'button';
    button.className = 'orb-button';
    button.style.left = '126px';
    button.style.top = '8px';
    button.style.width = '66px';
    button.style.height = '23px';
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
