// What the scripted user reads from the page (the DOM as the web platform built it) and its
// input, which the host (orbalta-replay-web) sends through the browser as real events.
// Element ids: window "orb-w<handle>", control "orb-w<handle>-c<index>".

var LibraryOrbaltaReplay = {
  $OrbRep: {
    el: function(handle, index) {
      return document.getElementById('orb-w' + handle + '-c' + index);
    },
    // The element that takes the keyboard: the box of a check box or radio button.
    focusTarget: function(handle, index) {
      return document.getElementById('orb-w' + handle + '-c' + index + '-input') ||
             OrbRep.el(handle, index);
    },
    shown: function(el) {
      return !!el && el.getClientRects().length > 0 && getComputedStyle(el).visibility !== 'hidden';
    },
    // [handle, index] of the control element `node` belongs to, or null.
    owner: function(node) {
      for (var n = node; n && n !== document.body; n = n.parentElement) {
        var m = /^orb-w(\d+)-c(\d+)$/.exec(n.id || '');
        if (m) return [Number(m[1]), Number(m[2])];
      }
      return null;
    },
  },

  orbrep_rect__deps: ['$OrbRep'],
  orbrep_rect: function(handle, index, out) {
    var el = OrbRep.el(handle, index);
    if (!el) return 0;
    var r = el.getBoundingClientRect();
    HEAP32[out >> 2] = Math.round(r.left);
    HEAP32[(out >> 2) + 1] = Math.round(r.top);
    HEAP32[(out >> 2) + 2] = Math.round(r.width);
    HEAP32[(out >> 2) + 3] = Math.round(r.height);
    return OrbRep.shown(el) ? 1 : 0;
  },

  orbrep_focus__deps: ['$OrbRep'],
  orbrep_focus: function(out) {
    var a = document.activeElement;
    if (!a || a === document.body || !a.closest || !a.closest('.orb-window')) return 0;
    var o = OrbRep.owner(a);
    var w = /^orb-w(\d+)/.exec(a.closest('.orb-window').id || '');
    HEAP32[out >> 2] = o ? o[0] : (w ? Number(w[1]) : 0);
    HEAP32[(out >> 2) + 1] = o ? o[1] : -1;
    return 1;
  },

  orbrep_edit__deps: ['$OrbRep'],
  orbrep_edit: function(handle, index, out) {
    var el = OrbRep.el(handle, index);
    if (!el || el.tagName !== 'INPUT' || el.type !== 'text') return 0;
    HEAP32[out >> 2] = el.value.length;
    HEAP32[(out >> 2) + 1] = el.selectionDirection === 'backward' ? el.selectionStart : el.selectionEnd;
    HEAP32[(out >> 2) + 2] = el.selectionStart !== el.selectionEnd ? 1 : 0;
    return 1;
  },

  // Where in the edit (x from its left edge) a click puts the caret before `pos`: the middle
  // between the two characters around it, as the browser places the caret at the nearer edge.
  orbrep_caret_x__deps: ['$OrbRep'],
  orbrep_caret_x: function(handle, index, pos) {
    var el = OrbRep.el(handle, index);
    if (!el) return -1;
    var style = getComputedStyle(el);
    var ctx = (OrbRep.canvas || (OrbRep.canvas = document.createElement('canvas'))).getContext('2d');
    ctx.font = style.font;
    var v = el.value;
    var at = function(i) { return ctx.measureText(v.substring(0, i)).width; };
    var left = parseFloat(style.borderLeftWidth) + parseFloat(style.paddingLeft) - el.scrollLeft;
    var here = at(pos);
    var before = pos > 0 ? (at(pos - 1) + here) / 2 : here - 2;
    var after = pos < v.length ? (at(pos + 1) + here) / 2 : here + 4;
    var x = Math.round(left + (before + after) / 2);
    var inner = el.clientWidth + parseFloat(style.borderLeftWidth);
    return x >= 1 && x < inner - 1 ? x : -1;
  },

  orbrep_items__deps: ['$OrbRep'],
  orbrep_items: function(handle, index) {
    var el = OrbRep.el(handle, index);
    return el && el.getAttribute('role') === 'listbox' ? el.querySelectorAll('.orb-item').length : -1;
  },

  orbrep_item__deps: ['$OrbRep'],
  orbrep_item: function(handle, index, item, out) {
    var el = OrbRep.el(handle, index);
    var it = el ? el.querySelectorAll('.orb-item')[item] : null;
    if (!it) return 0;
    it.scrollIntoView({block: 'nearest'});
    var r = el.getBoundingClientRect(), i = it.getBoundingClientRect();
    var top = Math.max(i.top, r.top), bottom = Math.min(i.bottom, r.top + el.clientHeight);
    if (bottom <= top) return 0;
    HEAP32[out >> 2] = Math.round((i.left + Math.min(i.right, r.left + el.clientWidth)) / 2 - r.left);
    HEAP32[(out >> 2) + 1] = Math.round((top + bottom) / 2 - r.top);
    return 1;
  },

  // The middle of a control; of its box for a check box or radio button.
  orbrep_aim__deps: ['$OrbRep'],
  orbrep_aim: function(handle, index, out) {
    var el = OrbRep.el(handle, index);
    var r = el.getBoundingClientRect();
    var box = el.querySelector('input');
    var b = box ? box.getBoundingClientRect() : r;
    HEAP32[out >> 2] = Math.round(b.left + b.width / 2 - r.left);
    HEAP32[(out >> 2) + 1] = Math.round(b.top + b.height / 2 - r.top);
  },

  // 1 when a click at (x, y) reaches the control; else 0, with the covering control's index.
  orbrep_hit__deps: ['$OrbRep'],
  orbrep_hit: function(handle, index, x, y, covering) {
    var hit = document.elementFromPoint(x, y);
    var el = OrbRep.el(handle, index);
    if (hit && el && (hit === el || el.contains(hit))) return 1;
    var o = hit ? OrbRep.owner(hit) : null;
    HEAP32[covering >> 2] = o && o[0] === handle ? o[1] : -1;
    return 0;
  },

  orbrep_topmost: function() {
    var best = 0, z = -1;
    var all = document.querySelectorAll('.orb-window');
    for (var i = 0; i < all.length; ++i) {
      var m = /^orb-w(\d+)$/.exec(all[i].id || '');
      var zi = Number(all[i].style.zIndex || 0);
      if (m && all[i].style.display !== 'none' && zi > z) {
        z = zi;
        best = Number(m[1]);
      }
    }
    return best;
  },

  orbrep_in_edit: function() {
    var a = document.activeElement;
    return a && a.classList && a.classList.contains('orb-edit') ? 1 : 0;
  },

  // Input through the host; resolves with the host's answer (a paste: the changes it made).
  orbrep_input__deps: ['$OrbRep', '$OrbDom'],
  orbrep_input: function(op, a, b, tp, tl) {
    return Asyncify.handleSleep(function(wakeUp) {
      var text = OrbDom.str(tp, tl);
      var changes = 0;
      var target = document.activeElement;
      var count = function() { ++changes; };
      if (op === 4 && target) target.addEventListener('input', count);
      window['orbReplayInput']({op: op, a: a, b: b, text: text}).then(function(answer) {
        if (op === 4 && target) target.removeEventListener('input', count);
        wakeUp(op === 4 && answer >= 0 ? changes : answer);
      }, function() { wakeUp(-1); });
    });
  },
};

mergeInto(LibraryManager.library, LibraryOrbaltaReplay);
