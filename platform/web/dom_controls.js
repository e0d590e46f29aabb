// The controls of the web platform's windows: built from their templates, then set and read by
// the program (dom_library.js holds the shared state and the windows).

var LibraryOrbaltaControls = {
  // The element of each kind of control, its place in the window and its radio group.
  $OrbCtl__deps: ['$OrbDom'],
  $OrbCtl: {
    button: function(c) {
      var el = document.createElement('button');
      el.type = 'button';
      el.className = c.kind === 1 ? 'orb-button orb-default' : 'orb-button';
      c.caption = document.createElement('span');
      el.appendChild(c.caption);
      el.addEventListener('click', function() { OrbDom.post(1, c.handle, c.index, 0); });
      el.addEventListener('mousedown', function(e) { if (OrbDom.blocked(c.handle)) e.preventDefault(); });
      return el;
    },
    // A check box or radio button: the input and its caption inside one label.
    toggle: function(c, id, group) {
      var el = document.createElement('label');
      el.className = c.kind === 2 ? 'orb-check' : 'orb-radio';
      var input = document.createElement('input');
      input.type = c.kind === 2 ? 'checkbox' : 'radio';
      if (c.kind === 3) input.name = 'orb-w' + c.handle + '-g' + group;
      input.id = id + '-input';
      c.caption = document.createElement('span');
      el.appendChild(input);
      el.appendChild(c.caption);
      c.input = input;
      input.addEventListener('click', function() { OrbDom.post(1, c.handle, c.index, 0); });
      return el;
    },
    groupBox: function(c) {
      var el = document.createElement('div');
      el.className = 'orb-group';
      el.setAttribute('role', 'group');
      c.caption = document.createElement('span');
      c.caption.className = 'orb-group-caption';
      el.appendChild(c.caption);
      return el;
    },
    edit: function(c, flags) {
      var el = document.createElement('input');
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
      el.addEventListener('input', function() { OrbDom.post(2, c.handle, c.index, 0); });
      el.addEventListener('focus', function() { OrbDom.post(3, c.handle, c.index, 0); });
      el.addEventListener('blur', function() { OrbDom.post(4, c.handle, c.index, 0); });
      return el;
    },
    list: function(c) {
      var el = document.createElement('div');
      el.className = 'orb-list';
      el.setAttribute('role', 'listbox');
      el.tabIndex = 0;
      el.addEventListener('dblclick', function(e) {
        if (e.target.classList.contains('orb-item')) OrbDom.post(6, c.handle, c.index, 0);
      });
      return el;
    },
    picture: function(flags) {
      var el = document.createElement('img');
      el.className = 'orb-picture';
      el.alt = '';
      if (flags & 128) el.classList.add('orb-center');
      return el;
    },
    // A static text is its own caption.
    label: function(c) {
      var el = document.createElement('div');
      el.className = c.kind === 8 ? 'orb-static orb-nowrap' : 'orb-static';
      c.caption = el;
      return el;
    },
    element: function(c, flags, id, group) {
      switch (c.kind) {
        case 0: case 1: return OrbCtl.button(c);
        case 2: case 3: return OrbCtl.toggle(c, id, group);
        case 4: return OrbCtl.groupBox(c);
        case 5: return OrbCtl.edit(c, flags);
        case 6: return OrbCtl.list(c);
        case 9: case 10: return OrbCtl.picture(flags);
        default: return OrbCtl.label(c);
      }
    },
    place: function(el, flags, x, y, w, h) {
      if (flags & 8) el.classList.add('orb-border');
      if (flags & 16) el.classList.add('orb-staticedge');
      el.style.left = x + 'px';
      el.style.top = y + 'px';
      el.style.width = w + 'px';
      el.style.height = h + 'px';
      if (flags & 32) el.style.display = 'none';
    },
    // Each group of radio buttons is one radio group for assistive technologies.
    attach: function(win, c, group) {
      if (c.kind !== 3) {
        win.client.appendChild(c.el);
        return;
      }
      var g = win.groups[group];
      if (!g) {
        g = document.createElement('div');
        g.className = 'orb-radiogroup';
        g.setAttribute('role', 'radiogroup');
        win.client.appendChild(g);
        win.groups[group] = g;
      }
      g.appendChild(c.el);
    },
  },

  // kind: 0 push, 1 default push, 2 check box, 3 radio, 4 group box, 5 edit, 6 list, 7 static,
  // 8 static no wrap, 9 icon, 10 bitmap. flags: 1 tab stop (unused here), 2 read-only,
  // 4 digits only, 8 border, 16 static edge, 32 hidden, 64 disabled, 128 centre image.
  orbdom_control_create__deps: ['$OrbDom', '$OrbCtl'],
  orbdom_control_create: function(handle, index, kind, flags, x, y, w, h, tp, tl, group) {
    var win = OrbDom.windows[handle];
    var text = OrbDom.str(tp, tl);
    var c = {kind: kind, handle: handle, index: index, el: null, input: null, items: [],
             selected: -1, caption: null};
    var id = 'orb-w' + handle + '-c' + index;
    var el = OrbCtl.element(c, flags, id, group);
    el.id = el.id || id;
    OrbCtl.place(el, flags, x, y, w, h);
    c.el = el;
    OrbCtl.attach(win, c, group);
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
          // A click reports the selection even when it picks the item already selected, as
          // the desktop's list boxes do.
          OrbDom.selectItem(c, n);
          OrbDom.post(5, handle, index, 0);
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

  // Read after the name and role.
  orbdom_set_description__deps: ['$OrbDom'],
  orbdom_set_description: function(handle, index, p, l) {
    var c = OrbDom.ctl(handle, index);
    if (!c) return;
    var t = OrbDom.input(c);
    if (l) t.setAttribute('aria-description', OrbDom.str(p, l));
    else t.removeAttribute('aria-description');
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

  // Tab into an edit selects its whole text, so that typing replaces it.
  orbdom_select_all__deps: ['$OrbDom'],
  orbdom_select_all: function(handle, index) {
    var c = OrbDom.ctl(handle, index);
    if (c && c.kind === 5) c.el.select();
  },

  // An activated window gives the keyboard back to the control that last had it.
  orbdom_restore_focus__deps: ['$OrbDom'],
  orbdom_restore_focus: function(handle) {
    var w = OrbDom.windows[handle];
    if (!w || w.el.style.display === 'none' || w.el.contains(document.activeElement)) return;
    if (w.lastFocus && w.el.contains(w.lastFocus)) w.lastFocus.focus();
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
};

mergeInto(LibraryManager.library, LibraryOrbaltaControls);
