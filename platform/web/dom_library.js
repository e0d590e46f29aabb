// The browser half of the web platform: windows and controls as DOM elements, user input
// queued for the program, which takes it one event at a time in its own loops (web_platform.cpp).
// Texts cross as UTF-16 code units (pointer and length); the C++ side converts to Windows-1252.
// Written for emscripten's library mechanism; no destructuring in loops (its minifier breaks it).

var LibraryOrbaltaDom = {
  $OrbDom: {
    windows: {},      // handle -> {el, client, title, controls: [], owner, modal}
    queue: [],        // [kind, handle, index, arg]
    wake: null,       // resolves the program's pending wait
    zTop: 10,
    modalStack: [],   // handles of running modal windows and message boxes
    files: {},        // picked file key -> FileSystemFileHandle or {download: name}
    nextFile: 1,
    str: function(ptr, len) {
      var s = '';
      for (var i = 0; i < len; i += 4096) {
        s += String.fromCharCode.apply(null, HEAPU16.subarray((ptr >> 1) + i, (ptr >> 1) + Math.min(len, i + 4096)));
      }
      return s;
    },
    put: function(s, buf, cap) {
      var n = Math.min(s.length, cap);
      for (var i = 0; i < n; ++i) HEAPU16[(buf >> 1) + i] = s.charCodeAt(i);
      return s.length;
    },
    post: function(kind, handle, index, arg) {
      OrbDom.queue.push([kind, handle, index, arg | 0]);
      if (OrbDom.wake) {
        var w = OrbDom.wake;
        OrbDom.wake = null;
        w();
      }
    },
    ctl: function(handle, index) {
      var w = OrbDom.windows[handle];
      return w ? w.controls[index] : null;
    },
    // The element that takes focus and input: the input inside a check box or radio label.
    input: function(c) {
      return c ? (c.input || c.el) : null;
    },
    blocked: function(handle) {
      var top = OrbDom.modalStack.length ? OrbDom.modalStack[OrbDom.modalStack.length - 1] : 0;
      return top !== 0 && top !== handle;
    },
    raise: function(el) {
      el.style.zIndex = String(++OrbDom.zTop);
    },
    blocker: null,
    // The layer below the topmost modal window that takes every click meant for the others.
    placeBlocker: function() {
      if (!OrbDom.blocker) {
        OrbDom.blocker = document.createElement('div');
        OrbDom.blocker.className = 'orb-blocker';
        OrbDom.blocker.addEventListener('mousedown', function(e) { e.preventDefault(); });
        document.body.appendChild(OrbDom.blocker);
      }
      var n = OrbDom.modalStack.length;
      if (n === 0) {
        OrbDom.blocker.style.display = 'none';
        return;
      }
      var top = OrbDom.modalStack[n - 1];
      var el = top === -1 ? OrbDom.boxEl : (OrbDom.windows[top] ? OrbDom.windows[top].el : null);
      OrbDom.blocker.style.display = 'block';
      OrbDom.blocker.style.zIndex = String(++OrbDom.zTop);
      if (el) OrbDom.raise(el);
    },
    boxEl: null,
    keyOf: function(e, c) {
      if (e.ctrlKey || e.altKey || e.metaKey) return -1;
      switch (e.key) {
        case 'Tab': return e.shiftKey ? 1 : 0;
        case 'Enter': return 2;
        case 'Escape': return 3;
      }
      if (!c || c.kind !== 3) return -1;  // arrows: only within a radio group
      switch (e.key) {
        case 'ArrowLeft': return 4;
        case 'ArrowRight': return 5;
        case 'ArrowUp': return 6;
        case 'ArrowDown': return 7;
      }
      return -1;
    },
    listKey: function(c, e) {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      var n = c.items.length;
      if (n === 0) return;
      var s = c.selected;
      // With nothing selected the first row is still the current one, as on Linux.
      if (e.key === 'ArrowDown') s = Math.min(n - 1, s < 0 ? 1 : s + 1);
      else if (e.key === 'ArrowUp') s = s < 0 ? 0 : Math.max(0, s - 1);
      else if (e.key === 'Home') s = 0;
      else if (e.key === 'End') s = n - 1;
      else return;
      e.preventDefault();
      if (s !== c.selected) {
        OrbDom.selectItem(c, s);
        OrbDom.post(5, c.handle, c.index, 0);
      }
    },
    selectItem: function(c, s) {
      c.selected = s;
      for (var i = 0; i < c.items.length; ++i) {
        var on = i === s;
        c.items[i].className = on ? 'orb-item orb-item-selected' : 'orb-item';
        c.items[i].setAttribute('aria-selected', on ? 'true' : 'false');
      }
      if (s >= 0) c.el.setAttribute('aria-activedescendant', c.items[s].id);
      else c.el.removeAttribute('aria-activedescendant');
    },
    setText: function(c, s) {
      if (c.kind === 5) {
        c.el.value = s;
        return;
      }
      if (!c.caption) return;
      c.text = s;
      // '&' marks the mnemonic and is not drawn; '&&' is one '&'.
      var shown = s.split('&&').map(function(part) { return part.split('&').join(''); }).join('&');
      c.caption.textContent = shown;
    },
    setEnabled: function(c, on) {
      var t = OrbDom.input(c);
      if (c.kind === 6) {
        t.setAttribute('aria-disabled', on ? 'false' : 'true');
        t.tabIndex = on ? 0 : -1;
      } else if ('disabled' in t) {
        t.disabled = !on;
      }
      c.el.classList.toggle('orb-disabled', !on);
    },
    // The name box of a download where the browser has no file picker: a small modal form.
    askName: function(initial, done) {
      var box = document.createElement('form');
      box.className = 'orb-window orb-msgbox orb-askname';
      box.setAttribute('role', 'dialog');
      box.setAttribute('aria-label', 'Save As');
      var label = document.createElement('label');
      label.textContent = 'File name: ';
      var input = document.createElement('input');
      input.type = 'text';
      input.value = initial;
      label.appendChild(input);
      box.appendChild(label);
      var ok = document.createElement('button');
      ok.type = 'submit';
      ok.textContent = 'Save';
      var cancel = document.createElement('button');
      cancel.type = 'button';
      cancel.textContent = 'Cancel';
      box.appendChild(ok);
      box.appendChild(cancel);
      var finish = function(v) {
        box.remove();
        var i = OrbDom.modalStack.lastIndexOf(-2);
        if (i >= 0) OrbDom.modalStack.splice(i, 1);
        OrbDom.placeBlocker();
        done(v);
      };
      box.addEventListener('submit', function(e) {
        e.preventDefault();
        var v = input.value.trim();
        finish(v ? v : null);
      });
      cancel.addEventListener('click', function() { finish(null); });
      box.addEventListener('keydown', function(e) {
        e.stopPropagation();
        if (e.key === 'Escape') finish(null);
      });
      document.body.appendChild(box);
      OrbDom.modalStack.push(-2);
      OrbDom.placeBlocker();
      OrbDom.raise(box);
      box.style.left = '40px';
      box.style.top = '40px';
      input.focus();
      input.select();
    },
    fontFamily: function(family) {
      return family === 1 ? '"Orbalta Serif", serif' : '"Orbalta Sans", sans-serif';
    },
  },

  orbdom_font_units__deps: ['$OrbDom'],
  orbdom_font_units: function(family, px, italic, out) {
    var canvas = OrbDom.canvas || (OrbDom.canvas = document.createElement('canvas'));
    var ctx = canvas.getContext('2d');
    ctx.font = (italic ? 'italic ' : '') + px + 'px ' + OrbDom.fontFamily(family);
    var m = ctx.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
    HEAP32[out >> 2] = Math.floor(m.width);
    HEAP32[(out >> 2) + 1] = Math.ceil(m.fontBoundingBoxAscent) + Math.ceil(m.fontBoundingBoxDescent);
  },

  orbdom_window_create__deps: ['$OrbDom'],
  orbdom_window_create: function(handle, tp, tl, x, y, w, h, centered, family, px, italic, owner, appWindow) {
    var el = document.createElement('div');
    el.className = 'orb-window';
    el.id = 'orb-w' + handle;
    el.setAttribute('role', 'dialog');
    el.style.display = 'none';
    var bar = document.createElement('div');
    bar.className = 'orb-titlebar';
    var icon = document.createElement('img');
    icon.className = 'orb-title-icon';
    icon.alt = '';
    icon.style.display = 'none';
    var title = document.createElement('span');
    title.className = 'orb-title';
    title.id = 'orb-w' + handle + '-title';
    title.textContent = OrbDom.str(tp, tl);
    var close = document.createElement('button');
    close.className = 'orb-close';
    close.tabIndex = -1;
    close.setAttribute('aria-label', 'Close');
    close.textContent = '\u00D7';
    close.addEventListener('click', function() {
      if (!OrbDom.blocked(handle)) OrbDom.post(8, handle, 0, 0);
    });
    bar.appendChild(icon);
    bar.appendChild(title);
    bar.appendChild(close);
    var client = document.createElement('div');
    client.className = 'orb-client';
    client.style.width = w + 'px';
    client.style.height = h + 'px';
    client.style.font = (italic ? 'italic ' : '') + px + 'px ' + OrbDom.fontFamily(family);
    el.appendChild(bar);
    el.appendChild(client);
    el.setAttribute('aria-labelledby', title.id);
    document.body.appendChild(el);
    var rec = {el: el, client: client, title: title, icon: icon, controls: [], owner: owner,
               x: x, y: y, centered: centered, placed: false, groups: {}};
    OrbDom.windows[handle] = rec;
    // A press on the title bar or the window's face activates it and keeps the keyboard
    // where it was in that window.
    el.addEventListener('mousedown', function(e) {
      if (OrbDom.blocked(handle)) return;
      OrbDom.raise(el);
      if (e.target === el || e.target === client || bar.contains(e.target)) {
        e.preventDefault();
        if (!el.contains(document.activeElement) && rec.lastFocus) rec.lastFocus.focus();
      }
      OrbDom.post(11, handle, -1, 0);
    }, true);
    // A window given back the keyboard gives it to the control that had it.
    el.addEventListener('focusin', function(e) { rec.lastFocus = e.target; });
    el.addEventListener('keydown', function(e) {
      if (OrbDom.blocked(handle)) {
        e.preventDefault();
        return;
      }
      var index = -1;
      for (var i = 0; i < rec.controls.length; ++i) {
        var c = rec.controls[i];
        if (c && OrbDom.input(c) === document.activeElement) index = i;
      }
      var c2 = index >= 0 ? rec.controls[index] : null;
      var key = OrbDom.keyOf(e, c2);
      if (key >= 0) {
        e.preventDefault();
        OrbDom.post(7, handle, index, key);
        return;
      }
      if (c2 && c2.kind === 6) OrbDom.listKey(c2, e);
    });
  },

  orbdom_window_show__deps: ['$OrbDom'],
  orbdom_window_show: function(handle, show) {
    var w = OrbDom.windows[handle];
    if (!w) return;
    w.el.style.display = show ? 'block' : 'none';
    if (show && !w.placed) {
      w.placed = true;
      var left = w.x, top = w.y;
      var ow = w.owner ? OrbDom.windows[w.owner] : null;
      if (w.centered) {
        left = Math.max(0, Math.round((window.innerWidth - w.el.offsetWidth) / 2));
        top = Math.max(0, Math.round((window.innerHeight - w.el.offsetHeight) / 2));
      } else if (ow) {
        left += ow.el.offsetLeft + ow.client.offsetLeft;
        top += ow.el.offsetTop + ow.client.offsetTop;
      }
      w.el.style.left = left + 'px';
      w.el.style.top = top + 'px';
    }
    if (show) OrbDom.raise(w.el);
  },

  orbdom_pending__deps: ['$OrbDom'],
  orbdom_pending: function() {
    return OrbDom.queue.length;
  },

  orbdom_timer__deps: ['$OrbDom'],
  orbdom_timer: function(id, delay) {
    setTimeout(function() { OrbDom.post(12, 0, 0, id); }, delay);
  },

  orbdom_window_front__deps: ['$OrbDom'],
  orbdom_window_front: function(handle) {
    var w = OrbDom.windows[handle];
    if (w) OrbDom.raise(w.el);
  },

  orbdom_window_title__deps: ['$OrbDom'],
  orbdom_window_title: function(handle, p, l) {
    var w = OrbDom.windows[handle];
    if (w) w.title.textContent = OrbDom.str(p, l);
  },

  orbdom_window_destroy__deps: ['$OrbDom'],
  orbdom_window_destroy: function(handle) {
    var w = OrbDom.windows[handle];
    if (!w) return;
    w.el.remove();
    delete OrbDom.windows[handle];
  },

  orbdom_window_modal__deps: ['$OrbDom'],
  orbdom_window_modal: function(handle, on) {
    var i = OrbDom.modalStack.indexOf(handle);
    if (on && i < 0) OrbDom.modalStack.push(handle);
    if (!on && i >= 0) OrbDom.modalStack.splice(i, 1);
    OrbDom.placeBlocker();
  },

  orbdom_window_icon__deps: ['$OrbDom'],
  orbdom_window_icon: function(handle, data, len, mime) {
    var w = OrbDom.windows[handle];
    if (!w) return;
    var url = URL.createObjectURL(new Blob([HEAPU8.slice(data, data + len)],
                                           {type: mime ? 'image/bmp' : 'image/x-icon'}));
    w.icon.src = url;
    w.icon.style.display = '';
  },
};

mergeInto(LibraryManager.library, LibraryOrbaltaDom);
