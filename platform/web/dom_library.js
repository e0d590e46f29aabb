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
      if (e.key === 'ArrowDown') s = s < 0 ? 0 : Math.min(n - 1, s + 1);
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
    el.addEventListener('mousedown', function() {
      if (!OrbDom.blocked(handle)) OrbDom.raise(el);
    }, true);
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

  // kind: 0 push, 1 default push, 2 check box, 3 radio, 4 group box, 5 edit, 6 list, 7 static,
  // 8 static no wrap, 9 icon, 10 bitmap. flags: 1 tab stop (unused here), 2 read-only,
  // 4 digits only, 8 border, 16 static edge, 32 hidden, 64 disabled, 128 centre image.
  orbdom_control_create__deps: ['$OrbDom'],
  orbdom_control_create: function(handle, index, kind, flags, x, y, w, h, tp, tl, group) {
    var win = OrbDom.windows[handle];
    var text = OrbDom.str(tp, tl);
    var c = {kind: kind, handle: handle, index: index, el: null, input: null, items: [],
             selected: -1, caption: null};
    var el;
    var id = 'orb-w' + handle + '-c' + index;
    if (kind === 0 || kind === 1) {
      el = document.createElement('button');
      el.type = 'button';
      el.className = kind === 1 ? 'orb-button orb-default' : 'orb-button';
      c.caption = document.createElement('span');
      el.appendChild(c.caption);
      el.addEventListener('click', function() { OrbDom.post(1, handle, index, 0); });
      el.addEventListener('mousedown', function(e) { if (OrbDom.blocked(handle)) e.preventDefault(); });
    } else if (kind === 2 || kind === 3) {
      el = document.createElement('label');
      el.className = kind === 2 ? 'orb-check' : 'orb-radio';
      var input = document.createElement('input');
      input.type = kind === 2 ? 'checkbox' : 'radio';
      if (kind === 3) input.name = 'orb-w' + handle + '-g' + group;
      input.id = id + '-input';
      c.caption = document.createElement('span');
      el.appendChild(input);
      el.appendChild(c.caption);
      c.input = input;
      input.addEventListener('click', function() { OrbDom.post(1, handle, index, 0); });
    } else if (kind === 4) {
      el = document.createElement('div');
      el.className = 'orb-group';
      el.setAttribute('role', 'group');
      c.caption = document.createElement('span');
      c.caption.className = 'orb-group-caption';
      el.appendChild(c.caption);
    } else if (kind === 5) {
      el = document.createElement('input');
      el.type = 'text';
      el.className = 'orb-edit';
      el.spellcheck = false;
      el.autocomplete = 'off';
      if (flags & 2) el.readOnly = true;
      if (flags & 4) {
        el.inputMode = 'numeric';
        el.addEventListener('beforeinput', function(e) {
          if (e.inputType === 'insertText' && e.data && /[^0-9]/.test(e.data)) e.preventDefault();
        });
      }
      el.addEventListener('input', function() { OrbDom.post(2, handle, index, 0); });
      el.addEventListener('focus', function() { OrbDom.post(3, handle, index, 0); });
      el.addEventListener('blur', function() { OrbDom.post(4, handle, index, 0); });
    } else if (kind === 6) {
      el = document.createElement('div');
      el.className = 'orb-list';
      el.setAttribute('role', 'listbox');
      el.tabIndex = 0;
      el.addEventListener('dblclick', function(e) {
        if (e.target.classList.contains('orb-item')) OrbDom.post(6, handle, index, 0);
      });
    } else if (kind === 9 || kind === 10) {
      el = document.createElement('img');
      el.className = 'orb-picture';
      el.alt = '';
      if (flags & 128) el.classList.add('orb-center');
    } else {
      el = document.createElement('div');
      el.className = kind === 8 ? 'orb-static orb-nowrap' : 'orb-static';
      c.caption = el;
    }
    el.id = el.id || id;
    if (flags & 8) el.classList.add('orb-border');
    if (flags & 16) el.classList.add('orb-staticedge');
    el.style.left = x + 'px';
    el.style.top = y + 'px';
    el.style.width = w + 'px';
    el.style.height = h + 'px';
    if (flags & 32) el.style.display = 'none';
    c.el = el;
    if (kind === 3) {
      // Each group of radio buttons is one radio group for assistive technologies.
      var g = win.groups[group];
      if (!g) {
        g = document.createElement('div');
        g.className = 'orb-radiogroup';
        g.setAttribute('role', 'radiogroup');
        win.client.appendChild(g);
        win.groups[group] = g;
      }
      g.appendChild(el);
    } else {
      win.client.appendChild(el);
    }
    win.controls[index] = c;
    OrbDom.setText(c, text);
    if (flags & 64) OrbDom.setEnabled(c, false);
  },

  orbdom_set_text__deps: ['$OrbDom'],
  orbdom_set_text: function(handle, index, p, l) {
    var c = OrbDom.ctl(handle, index);
    if (c) OrbDom.setText(c, OrbDom.str(p, l));
  },

  orbdom_get_text__deps: ['$OrbDom'],
  orbdom_get_text: function(handle, index, buf, cap) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return 0;
    return OrbDom.put(c.kind === 5 ? c.el.value : (c.text || ''), buf, cap);
  },

  orbdom_set_enabled__deps: ['$OrbDom'],
  orbdom_set_enabled: function(handle, index, on) {
    var c = OrbDom.ctl(handle, index);
    if (c) OrbDom.setEnabled(c, on !== 0);
  },

  orbdom_set_visible__deps: ['$OrbDom'],
  orbdom_set_visible: function(handle, index, on) {
    var c = OrbDom.ctl(handle, index);
    if (c) c.el.style.display = on ? '' : 'none';
  },

  orbdom_set_checked__deps: ['$OrbDom'],
  orbdom_set_checked: function(handle, index, on) {
    var c = OrbDom.ctl(handle, index);
    if (c && c.input) c.input.checked = on !== 0;
  },

  orbdom_get_checked__deps: ['$OrbDom'],
  orbdom_get_checked: function(handle, index) {
    var c = OrbDom.ctl(handle, index);
    return c && c.input && c.input.checked ? 1 : 0;
  },

  orbdom_set_caret__deps: ['$OrbDom'],
  orbdom_set_caret: function(handle, index, pos) {
    var c = OrbDom.ctl(handle, index);
    if (c && c.kind === 5) c.el.setSelectionRange(pos, pos);
  },

  orbdom_get_caret__deps: ['$OrbDom'],
  orbdom_get_caret: function(handle, index) {
    var c = OrbDom.ctl(handle, index);
    if (!c || c.kind !== 5) return 0;
    return c.el.selectionDirection === 'backward' ? c.el.selectionStart : c.el.selectionEnd;
  },

  // Items joined by U+0001, which no Windows-1252 text the program writes contains.
  orbdom_set_list__deps: ['$OrbDom'],
  orbdom_set_list: function(handle, index, p, l) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return;
    c.el.textContent = '';
    c.items = [];
    c.selected = -1;
    var texts = l ? OrbDom.str(p, l).split('\u0001') : [];
    for (var i = 0; i < texts.length; ++i) {
      var item = document.createElement('div');
      item.className = 'orb-item';
      item.id = c.el.id + '-i' + i;
      item.setAttribute('role', 'option');
      item.setAttribute('aria-selected', 'false');
      item.textContent = texts[i];
      (function(n) {
        item.addEventListener('mousedown', function(e) {
          if (OrbDom.blocked(handle) || c.el.classList.contains('orb-disabled')) return;
          e.preventDefault();
          c.el.focus();
          if (c.selected !== n) {
            OrbDom.selectItem(c, n);
            OrbDom.post(5, handle, index, 0);
          }
        });
      })(i);
      c.el.appendChild(item);
      c.items.push(item);
    }
  },

  orbdom_set_list_sel__deps: ['$OrbDom'],
  orbdom_set_list_sel: function(handle, index, sel) {
    var c = OrbDom.ctl(handle, index);
    if (c) OrbDom.selectItem(c, sel >= 0 && sel < c.items.length ? sel : -1);
  },

  orbdom_get_list_sel__deps: ['$OrbDom'],
  orbdom_get_list_sel: function(handle, index) {
    var c = OrbDom.ctl(handle, index);
    return c ? c.selected : -1;
  },

  orbdom_set_image__deps: ['$OrbDom'],
  orbdom_set_image: function(handle, index, data, len, bitmap, size) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return;
    var url = URL.createObjectURL(new Blob([HEAPU8.slice(data, data + len)],
                                           {type: bitmap ? 'image/bmp' : 'image/x-icon'}));
    var img = c.el;
    if (c.kind === 0 || c.kind === 1) {
      img = c.img || (c.img = document.createElement('img'));
      img.alt = '';
      img.className = 'orb-button-image';
      c.el.insertBefore(img, c.el.firstChild);
      c.caption.className = 'orb-hidden-caption';
    }
    img.src = url;
    if (size > 0) {
      img.style.width = size + 'px';
      img.style.height = size + 'px';
    }
  },

  orbdom_set_name__deps: ['$OrbDom'],
  orbdom_set_name: function(handle, index, p, l) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return;
    var t = OrbDom.input(c);
    if (l) t.setAttribute('aria-label', OrbDom.str(p, l));
    else t.removeAttribute('aria-label');
  },

  orbdom_set_label_for__deps: ['$OrbDom'],
  orbdom_set_label_for: function(handle, labelIndex, index) {
    var l = OrbDom.ctl(handle, labelIndex);
    var c = OrbDom.ctl(handle, index);
    if (l && c) OrbDom.input(c).setAttribute('aria-labelledby', l.el.id);
  },

  orbdom_set_tip__deps: ['$OrbDom'],
  orbdom_set_tip: function(handle, index, p, l) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return;
    if (l) c.el.title = OrbDom.str(p, l);
    else c.el.removeAttribute('title');
  },

  orbdom_focus__deps: ['$OrbDom'],
  orbdom_focus: function(handle, index) {
    var c = OrbDom.ctl(handle, index);
    if (c) OrbDom.input(c).focus();
  },

  orbdom_focused__deps: ['$OrbDom'],
  orbdom_focused: function(handle) {
    var w = OrbDom.windows[handle];
    if (!w) return -1;
    for (var i = 0; i < w.controls.length; ++i) {
      var c = w.controls[i];
      if (c && OrbDom.input(c) === document.activeElement) return i;
    }
    return -1;
  },

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
      if (window.showSaveFilePicker) {
        var options = {suggestedName: name || ('summary' + (ext || '.txt'))};
        if (ext) {
          var accept = {};
          accept['text/plain'] = [ext];
          options.types = [{description: description, accept: accept}];
        }
        window.showSaveFilePicker(options).then(function(h) {
          answer(h.name, {handle: h});
        }, function() { answer(null); });
        return;
      }
      OrbDom.askName(name, function(typed) {
        answer(typed, typed === null ? null : {download: typed});
      });
    });
  },

  // Writes the bytes to the file picked under that name; 0, or the reason's length in buf.
  orbdom_write_file__deps: ['$OrbDom'],
  orbdom_write_file: function(np, nl, data, len, buf, cap) {
    return Asyncify.handleSleep(function(wakeUp) {
      var name = OrbDom.str(np, nl);
      var target = OrbDom.files[name];
      var bytes = HEAPU8.slice(data, data + len);
      var fail = function(reason) { wakeUp(Math.max(1, OrbDom.put(String(reason), buf, cap))); };
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

mergeInto(LibraryManager.library, LibraryOrbaltaDom);
