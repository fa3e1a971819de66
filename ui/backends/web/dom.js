// The DOM side of the web backend: one absolutely placed element per control, inside the page's
// #herosheet element. Input goes back to the C++ side through Module._hs_web_event(type, id, x,
// y, button, keys, detail); x and y are in the client area of the control the event is for.
// Element kinds: the window layer's control kinds by their names and numbers, and a combo box
// with an edit field (web_kinds.h; the build checks that both lists agree).
var HsKind = {
  Form: 1, Label: 2, RadioButton: 3, GroupBox: 4, Panel: 5, ComboBox: 6, ToolTip: 7,
  EditableComboBox: 8,
};

var HsDom = {
  nodes: new Map(), // id -> {kind, el, client, input, text, tip...}
  root: null,
  // Event types shared with backend_web.cpp.
  MOVE: 1, DOWN: 2, UP: 3, LEAVE: 4, CHANGE: 5, KEYDOWN: 6, KEYUP: 7, WHEEL: 8, CHAR: 9,
  ACTIVATE: 10, PRESS: 11,

  css: '#herosheet{position:relative}' +
    '.hs-window,.hs-window *{box-sizing:border-box;margin:0;padding:0;user-select:none}' +
    '.hs-window{position:absolute;border:3px solid #d4d0c8;box-shadow:inset 1px 1px #fff,' +
    'inset -1px -1px #404040;background:#d4d0c8;overflow:hidden}' +
    '.hs-caption{position:absolute;left:0;top:0;right:0;height:19px;padding:0 4px;color:#fff;' +
    'background:linear-gradient(90deg,#0a246a,#a6caf0);font:bold 11px "Liberation Sans",Arial,' +
    'sans-serif;line-height:19px;white-space:pre;overflow:hidden}' +
    '.hs-client,.hs-label,.hs-radio,.hs-group,.hs-panel,.hs-combo{position:absolute;' +
    'overflow:hidden;white-space:pre}' +
    '.hs-label{line-height:normal}' +
    // Each control lays out and paints on its own: a change inside stays inside.
    '.hs-window,.hs-label,.hs-radio,.hs-panel,.hs-combo{contain:strict}' +
    '.hs-radio input{position:absolute;left:0;width:13px;height:13px;pointer-events:none}' +
    '.hs-radio span{position:absolute;left:17px;right:0;top:0;bottom:0;display:flex;' +
    'align-items:center;overflow:hidden}' +
    '.hs-group{pointer-events:none;overflow:visible;background:transparent!important}' +
    '.hs-group>*{pointer-events:auto}' +
    '.hs-group>.hs-frame,.hs-group>.hs-title{pointer-events:none;position:absolute}' +
    '.hs-frame{left:0;right:0;bottom:0;border:1px solid #a0a0a0;box-shadow:1px 1px #fff,' +
    'inset 1px 1px #fff}' +
    '.hs-title{left:8px;top:0;padding:0 2px;line-height:normal}' +
    '.hs-panel.hs-edge{border:1px solid #646464;box-shadow:inset 1px 1px #a0a0a0,' +
    'inset -1px -1px #fff}' +
    '.hs-combo{padding:0 2px;border:1px solid #7a7a7a;border-radius:0}' +
    '.hs-combo-edit>select{left:0;top:0;width:100%;height:100%}' +
    '.hs-combo-edit>input{position:absolute;left:1px;top:1px;bottom:1px;right:18px;border:0;' +
    'padding:0 2px;font:inherit;color:inherit;background:inherit}' +
    '.hs-hidden{display:none!important}.hs-disabled{color:#808080!important}' +
    '.hs-tip{position:absolute;z-index:10;border:1px solid;white-space:pre;' +
    'pointer-events:none;line-height:normal}' +
    '.hs-tip-head{display:flex;align-items:center;gap:4px;min-height:16px;margin-bottom:2px;' +
    'font-weight:bold}' +
    '.hs-tip-icon{width:16px;height:16px;border-radius:8px;color:#fff;font:bold 12px/16px ' +
    'sans-serif;text-align:center}' +
    '.hs-tip-icon.i1{background:#1c5fb8}.hs-tip-icon.i2{background:#d9a400}' +
    '.hs-tip-icon.i3{background:#c4161c}' +
    // A balloon: round corners and a stem on the top edge, towards the mouse above it.
    '.hs-tip.hs-balloon{border-radius:8px}' +
    '.hs-balloon::before{content:"";position:absolute;left:10px;top:-5px;width:8px;height:8px;' +
    'background:inherit;border:inherit;border-right:0;border-bottom:0;transform:rotate(45deg)}' +
    '.hs-items{position:absolute;left:0;top:0;width:0;height:0}' +
    '.hs-sr{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);' +
    'white-space:nowrap}',

  init() {
    if (HsDom.root) return;
    let root = document.getElementById('herosheet');
    if (!root) {
      root = document.createElement('div');
      root.id = 'herosheet';
      document.body.appendChild(root);
    }
    HsDom.root = root;
    // What a click changed, read out when the reader is idle (outside the sheet's own box).
    HsDom.live = HsDom.el('div', 'hs-sr', null);
    HsDom.live.id = 'herosheet-live';
    HsDom.live.setAttribute('role', 'status');
    HsDom.live.setAttribute('aria-live', 'polite');
    root.parentNode.insertBefore(HsDom.live, root.nextSibling);
    // The descriptions the controls refer to, never shown.
    HsDom.descs = HsDom.el('div', 'hs-hidden', null);
    root.parentNode.insertBefore(HsDom.descs, HsDom.live);
    const style = document.createElement('style');
    style.textContent = HsDom.css;
    document.head.appendChild(style);
    root.addEventListener('mousemove', (e) => HsDom.mouse(e, HsDom.MOVE));
    root.addEventListener('mousedown', (e) => HsDom.mouse(e, HsDom.DOWN));
    root.addEventListener('mouseup', (e) => HsDom.mouse(e, HsDom.UP));
    root.addEventListener('wheel', (e) => HsDom.mouse(e, HsDom.WHEEL), {passive: true});
    root.addEventListener('mouseleave', () => HsDom.send(HsDom.LEAVE, 0, 0, 0, 0, 0, 0));
    root.addEventListener('click', (e) => {
      // The layer decides the check state of a radio button, not the browser.
      if (e.target instanceof HTMLInputElement) e.preventDefault();
      // A click with no mouse behind it (a screen reader's, a script's) activates the control.
      const id = e.detail === 0 ? HsDom.idOf(e.target) : 0;
      if (id) HsDom.send(HsDom.PRESS, id, 0, 0, 0, 0, 0);
    });
    root.addEventListener('change', (e) => {
      const id = HsDom.idOf(e.target);
      if (id) HsDom.send(HsDom.CHANGE, id, e.target.selectedIndex, 0, 0, 0, 0);
    });
    window.addEventListener('focus', () => HsDom.send(HsDom.ACTIVATE, 0, 1, 0, 0, 0, 0));
    window.addEventListener('blur', () => HsDom.send(HsDom.ACTIVATE, 0, 0, 0, 0, 0, 0));
    document.addEventListener('keydown', (e) => HsDom.key(e, HsDom.KEYDOWN));
    document.addEventListener('keyup', (e) => HsDom.key(e, HsDom.KEYUP));
    document.addEventListener('copy', (e) => {
      if (HsDom.clipPending === null) return;
      e.clipboardData.setData('text/plain', HsDom.clipPending);
      e.preventDefault();
    });
    document.addEventListener('paste', (e) => {
      if (!HsDom.root.firstChild || HsDom.editing(e.target) || !e.clipboardData) return;
      e.preventDefault();
      const bytes = new TextEncoder().encode(e.clipboardData.getData('text/plain'));
      const p = Module._malloc(bytes.length + 1);
      HEAPU8.set(bytes, p);
      HEAPU8[p + bytes.length] = 0;
      Module._hs_web_paste(p);
      Module._free(p);
    });
  },

  clipPending: null,
  // Puts text on the system clipboard: through the page's copy while the user's key press or
  // click lasts, else through the asynchronous clipboard (which may be refused).
  clipboardWrite(text) {
    let done = false;
    HsDom.clipPending = text;
    try {
      done = document.execCommand('copy');
    } catch (e) {}
    HsDom.clipPending = null;
    if (!done && navigator.clipboard && navigator.clipboard.writeText)
      navigator.clipboard.writeText(text).catch(() => {});
  },

  // A field of the page's own that keeps its keys and clipboard (not the sheet's).
  editing(el) {
    return el instanceof HTMLElement && !!el.closest('input[type=file],input[type=text],textarea');
  },

  send(type, id, x, y, button, keys, detail) {
    Module._hs_web_event(type, id, x, y, button, keys, detail);
  },

  // The id of the control an element belongs to (0: none).
  idOf(el) {
    for (; el && el !== HsDom.root; el = el.parentNode)
      if (el._hsId) return el._hsId;
    return 0;
  },

  keysOf(e) {
    let k = 0;
    if (e.buttons & 1) k |= 1;
    if (e.buttons & 2) k |= 2;
    if (e.shiftKey) k |= 4;
    if (e.ctrlKey) k |= 8;
    if (e.buttons & 4) k |= 16;
    return k;
  },

  mouse(e, type) {
    const id = HsDom.idOf(e.target);
    if (!id) return;
    const n = HsDom.nodes.get(id);
    const r = n.client.getBoundingClientRect();
    const x = Math.floor(e.clientX - r.left - n.client.clientLeft);
    const y = Math.floor(e.clientY - r.top - n.client.clientTop);
    const button = type === HsDom.MOVE || type === HsDom.WHEEL ? 0 : [1, 3, 2][e.button] || 0;
    // Wheel: 120 a notch, away from the user positive (a line is 40, a pixel 1.2).
    const detail = type === HsDom.WHEEL ?
      Math.round(-e.deltaY * [1.2, 40, 120][e.deltaMode]) : e.detail;
    // No text selection, no focus.
    if (type === HsDom.DOWN && n.kind !== HsKind.ComboBox) e.preventDefault();
    HsDom.send(type, id, x, y, button, HsDom.keysOf(e), detail);
  },

  key(e, type) {
    if (!HsDom.root || !HsDom.root.firstChild) return;
    if (HsDom.editing(e.target)) return;
    const code = e.keyCode | 0;
    if (e.ctrlKey && type === HsDom.KEYDOWN && (code === 67 || code === 86)) {
      // Ctrl+V of the user's keyboard comes with the paste event that follows; Ctrl+C copies
      // the page's own selection where there is one.
      if (code === 86 && e.isTrusted) return;
      if (code === 67 && !window.getSelection().isCollapsed) return;
      e.preventDefault();
    }
    HsDom.send(type, 0, code, e.shiftKey ? 1 : 0, 0, HsDom.keysOf(e), 0);
    if (code === 9) e.preventDefault(); // Tab belongs to the window layer
    if (type === HsDom.KEYDOWN && e.key.length === 1 && !e.ctrlKey && !e.altKey) {
      const bytes = new TextEncoder().encode(e.key);
      const p = Module._malloc(bytes.length + 1);
      HEAPU8.set(bytes, p);
      HEAPU8[p + bytes.length] = 0;
      HsDom.send(HsDom.CHAR, 0, p, 0, 0, 0, 0);
      Module._free(p);
    }
  },

  el(tag, cls, parent) {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (parent) parent.appendChild(e);
    return e;
  },

  // kind: one of HsKind.
  create(id, kind, parentId) {
    HsDom.init();
    const parent = HsDom.nodes.get(parentId);
    const n = {kind};
    let host = parent ? parent.client : HsDom.root;
    switch (kind) {
      case HsKind.Form:
        n.el = HsDom.el('div', 'hs-window');
        n.caption = HsDom.el('div', 'hs-caption', n.el);
        n.client = HsDom.el('div', 'hs-client', n.el);
        host = HsDom.root;
        break;
      case HsKind.Label:
        n.el = n.client = HsDom.el('div', 'hs-label');
        break;
      case HsKind.RadioButton:
        n.el = n.client = HsDom.el('div', 'hs-radio');
        n.input = HsDom.el('input', '', n.el);
        n.input.type = 'radio';
        n.input.tabIndex = -1;
        n.text = HsDom.el('span', '', n.el);
        break;
      case HsKind.GroupBox:
        n.el = n.client = HsDom.el('div', 'hs-group');
        n.frame = HsDom.el('div', 'hs-frame', n.el);
        n.text = HsDom.el('span', 'hs-title', n.el);
        break;
      case HsKind.Panel:
        n.el = HsDom.el('div', 'hs-panel');
        n.client = HsDom.el('div', 'hs-client', n.el);
        n.client.style.background = 'transparent';
        break;
      case HsKind.ComboBox:
        n.el = n.client = HsDom.el('select', 'hs-combo');
        break;
      case HsKind.EditableComboBox: // a text field over the list's button
        n.el = n.client = HsDom.el('div', 'hs-combo-edit');
        n.list = HsDom.el('select', 'hs-combo', n.el);
        n.edit = HsDom.el('input', '', n.el);
        n.edit.type = 'text';
        kind = n.kind = HsKind.ComboBox;
        break;
      case HsKind.ToolTip:
        n.el = n.client = HsDom.el('div', 'hs-tip hs-hidden');
        n.head = HsDom.el('div', 'hs-tip-head', n.el);
        n.icon = HsDom.el('span', 'hs-tip-icon', n.head);
        n.title = HsDom.el('span', '', n.head);
        n.text = HsDom.el('div', '', n.el);
        host = HsDom.root;
        break;
    }
    n.el._hsId = id;
    n.el.id = 'hs' + id;
    n.el.dataset.hsId = id;
    if (n.client !== n.el) n.client._hsId = id;
    // A new child paints over its older siblings, as on the other backends: rows of labels
    // overlap by a few pixels, and a younger row's text is not cut by an older background.
    host.appendChild(n.el);
    HsDom.nodes.set(id, n);
  },

  destroy(id) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    n.el.remove();
    if (n.desc) n.desc.remove();
    HsDom.nodes.delete(id);
  },

  // Left, top, width, height; inset: the client area's offset inside the element.
  bounds(id, l, t, w, h, inset) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind === HsKind.ToolTip) return;
    const s = n.el.style;
    s.left = l + 'px';
    s.top = t + 'px';
    s.width = Math.max(0, w) + 'px';
    s.height = Math.max(0, h) + 'px';
    if (n.kind === HsKind.Form) {
      HsDom.root.style.minWidth = (l + w) + 'px';
      HsDom.root.style.minHeight = (t + h) + 'px';
      const c = n.client.style;
      c.left = '0px';
      c.top = inset + 'px';
      c.right = '0px';
      c.bottom = '0px';
      n.caption.classList.toggle('hs-hidden', inset === 0);
    } else if (n.kind === HsKind.Panel) {
      const c = n.client.style;
      const edge = n.el.classList.contains('hs-edge') ? 2 : 0; // inside the 1 px border
      c.left = c.top = edge + 'px';
      c.right = c.bottom = edge + 'px';
    } else if (n.kind === HsKind.RadioButton) {
      n.input.style.top = Math.floor((h - 13) / 2) + 'px';
    }
  },

  text(id, text) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    if (n.kind === HsKind.Form) {
      n.caption.textContent = text;
      document.title = text;
    } else if (n.kind === HsKind.RadioButton || n.kind === HsKind.GroupBox) {
      n.text.textContent = text;
      if (n.kind === HsKind.GroupBox) n.text.classList.toggle('hs-hidden', text === '');
    } else if (n.edit) {
      n.edit.value = text;
    } else if (n.kind === HsKind.Label || n.kind === HsKind.Panel) {
      const el = n.kind === HsKind.Panel ? n.label || (n.label = HsDom.panelLabel(n)) : n.el;
      el.textContent = text;
    }
  },

  panelLabel(n) {
    const l = HsDom.el('div', '', n.el);
    const s = l.style;
    s.position = 'absolute';
    s.left = s.top = s.right = s.bottom = '3px';
    s.display = 'flex';
    s.alignItems = 'center';
    s.pointerEvents = 'none';
    s.overflow = 'hidden';
    n.el.insertBefore(l, n.client);
    return l;
  },

  // Font shorthand, text colour, background colour, decoration; height: the font's pixel size.
  font(id, font, color, back, decoration, height) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind === HsKind.ToolTip) return;
    const s = n.el.style;
    s.font = font;
    s.color = color;
    s.textDecoration = decoration;
    if (n.kind === HsKind.Form) n.client.style.background = back;
    else s.background = back;
    if (n.kind === HsKind.GroupBox) {
      n.text.style.background = back;
      n.frame.style.top = Math.floor(HsDom.lineHeight(font) / 2) + 'px';
    }
    if (n.kind === HsKind.Panel && n.label)
      n.label.style.justifyContent = n.label.style.justifyContent;
  },

  align(id, align) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    n.el.style.textAlign = align;
    if (n.label)
      n.label.style.justifyContent = {left: 'flex-start', right: 'flex-end'}[align] || 'center';
  },

  edge(id, on) {
    const n = HsDom.nodes.get(id);
    if (n && n.kind === HsKind.Panel) n.el.classList.toggle('hs-edge', !!on);
  },

  visible(id, on) {
    const n = HsDom.nodes.get(id);
    if (n && n.kind !== HsKind.ToolTip) n.el.classList.toggle('hs-hidden', !on);
  },

  // A form's opacity, 0 to 255 (its whole box, frame included).
  opacity(id, alpha) {
    const n = HsDom.nodes.get(id);
    if (n && n.kind === HsKind.Form) n.el.style.opacity = alpha >= 255 ? '' : String(alpha / 255);
  },

  enabled(id, on) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    if (n.input) n.input.disabled = !on;
    if (n.kind === HsKind.ComboBox) n.el.disabled = !on;
    n.el.style.opacity = '';
    // A disabled form (a modal form is up) takes no pointer or keyboard input at all.
    if (n.kind === HsKind.Form) n.el.inert = !on;
    if (n.kind === HsKind.Label || n.kind === HsKind.RadioButton || n.kind === HsKind.GroupBox)
      n.el.classList.toggle('hs-disabled', !on);
  },

  cursor(id, cursor) {
    const n = HsDom.nodes.get(id);
    if (n) n.el.style.cursor = cursor;
  },

  check(id, on) {
    const n = HsDom.nodes.get(id);
    if (n && n.input) n.input.checked = !!on;
  },

  // Items joined by "\n"; the selected index (-1: none).
  items(id, joined, selected) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind !== HsKind.ComboBox) return;
    const list = n.list || n.el;
    list.textContent = '';
    if (joined !== '' || selected >= 0)
      for (const t of joined.split('\n')) HsDom.el('option', '', list).textContent = t;
    list.selectedIndex = selected;
  },

  select(id, selected) {
    const n = HsDom.nodes.get(id);
    if (n && n.kind === HsKind.ComboBox) (n.list || n.el).selectedIndex = selected;
  },

  restack(id, toFront) {
    const n = HsDom.nodes.get(id);
    if (!n || !n.el.parentNode) return;
    const p = n.el.parentNode;
    // Front first in the layer; the DOM paints later children on top.
    if (toFront) p.appendChild(n.el);
    else p.insertBefore(n.el, p.firstChild);
  },

  focus(id) {
    const n = HsDom.nodes.get(id);
    if (n && n.kind === HsKind.ComboBox) n.el.focus({preventScroll: true});
  },

  // Tool tip: title, text, icon (0 .. 3), colours, font, margin.
  tip(id, title, text, icon, color, back, font, margin, balloon) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind !== HsKind.ToolTip) return;
    const s = n.el.style;
    s.font = font;
    s.color = color;
    s.borderColor = color;
    s.background = back;
    s.padding = (margin + 3) + 'px';
    n.el.classList.toggle('hs-balloon', !!balloon);
    n.head.classList.toggle('hs-hidden', !title && !icon);
    n.icon.className = 'hs-tip-icon i' + icon + (icon ? '' : ' hs-hidden');
    n.icon.textContent = ['', 'i', '!', '\u00d7'][icon] || '';
    n.title.textContent = title;
    n.text.textContent = text.replace(/\r\n/g, '\n');
    n.text.classList.toggle('hs-hidden', text === '');
  },

  // Shows a tool tip at (x, y) of the form's client area (-1: hides it).
  showTip(id, formId, x, y) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind !== HsKind.ToolTip) return;
    if (x < 0) return n.el.classList.add('hs-hidden');
    const f = HsDom.nodes.get(formId);
    const r = f ? f.client.getBoundingClientRect() : {left: 0, top: 0};
    const root = HsDom.root.getBoundingClientRect();
    n.el.style.left = Math.round(r.left - root.left + x) + 'px';
    n.el.style.top = Math.round(r.top - root.top + y) + 'px';
    n.el.classList.remove('hs-hidden');
  },

  // One context, its font set only when it changes (setting it parses the font each time).
  measureContext: null,
  measureFont: '',
  metrics(font, text) {
    if (!HsDom.measureContext)
      HsDom.measureContext = document.createElement('canvas').getContext('2d');
    const g = HsDom.measureContext;
    if (font !== HsDom.measureFont) {
      g.font = font;
      HsDom.measureFont = font;
    }
    return g.measureText(text);
  },
  measure(font, text) {
    return Math.round(HsDom.metrics(font, text).width);
  },
  heights: new Map(),
  lineHeight(font) {
    let h = HsDom.heights.get(font);
    if (h === undefined) {
      const m = HsDom.metrics(font, 'Hg');
      h = Math.round(m.fontBoundingBoxAscent) + Math.round(m.fontBoundingBoxDescent);
      HsDom.heights.set(font, h);
    }
    return h;
  },

  // Synthetic input at (x, y) of a control's client area: a real DOM event at that spot, which
  // reaches the backend through the same listeners as the user's own.
  // button: 1 left, 2 right, 3 middle (0 for moves); wheel: a delta in 120ths of a notch.
  pointer(id, type, x, y, button, wheel) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    const r = n.client.getBoundingClientRect();
    const cx = r.left + n.client.clientLeft + x + 0.5, cy = r.top + n.client.clientTop + y + 0.5;
    const target = document.elementFromPoint(cx, cy) || n.client;
    const flag = [0, 1, 2, 4][button] || 0;
    const init = {bubbles: true, cancelable: true, view: window, clientX: cx, clientY: cy,
      button: [0, 0, 2, 1][button] || 0, buttons: type === 'mousedown' ? flag : 0, detail: 1};
    if (type === 'wheel')
      return target.dispatchEvent(new WheelEvent('wheel', Object.assign(init, {deltaMode: 1, deltaY: -wheel / 40})));
    target.dispatchEvent(new MouseEvent(type, init));
  },
  keyEvent(type, code, shift, ctrl) {
    const e = new KeyboardEvent(type, {bubbles: true, cancelable: true, shiftKey: !!shift,
                                       ctrlKey: !!ctrl, key: String.fromCharCode(code)});
    Object.defineProperty(e, 'keyCode', {get: () => code});
    document.dispatchEvent(e);
  },
  // Whether id's element shows, and its top-left corner in ofId's client area (tests).
  placeOf(id, ofId) {
    const n = HsDom.nodes.get(id), o = HsDom.nodes.get(ofId);
    if (!n || !o) return '';
    const r = n.el.getBoundingClientRect(), c = (o.client || o.el).getBoundingClientRect();
    const shown = getComputedStyle(n.el).display !== 'none';
    return [shown ? 1 : 0, Math.round(r.left - c.left), Math.round(r.top - c.top)].join(',');
  },
  // What an element holds now, read back from the page (tests): fields joined by "\x1f".
  inspect(id) {
    const n = HsDom.nodes.get(id);
    if (!n || !n.el.isConnected) return '';
    const textEl = n.kind === HsKind.Form ? n.caption :
      n.kind === HsKind.Panel ? n.label : n.edit || n.text || n.el;
    const framed = n.kind === HsKind.RadioButton || n.kind === HsKind.GroupBox;
    const s = getComputedStyle(framed ? n.text : n.el);
    const back = getComputedStyle(n.kind === HsKind.Form ? n.client :
      n.kind === HsKind.GroupBox ? n.text : n.el);
    const rgb = (c) => {
      const m = /(\d+), (\d+), (\d+)/.exec(c) || [0, 0, 0, 0];
      return (+m[1]) | (+m[2] << 8) | (+m[3] << 16);
    };
    const align = n.kind === HsKind.Panel && n.label ?
      {'flex-end': 'right', 'center': 'center'}[n.label.style.justifyContent] || 'left' :
      s.textAlign;
    const list = n.kind === HsKind.ComboBox ? n.list || n.el : null;
    const el = n.el;
    const shown = getComputedStyle(el).display !== 'none';
    const enabled = n.kind === HsKind.Form ? !el.inert : n.input ? !n.input.disabled :
      list ? !list.disabled : !el.classList.contains('hs-disabled');
    return [textEl ? (textEl.value !== undefined && n.edit ? textEl.value : textEl.textContent) : '',
      parseFloat(s.fontSize), +s.fontWeight >= 600 ? 1 : 0, s.fontStyle === 'italic' ? 1 : 0,
      s.textDecorationLine.includes('underline') ? 1 : 0, rgb(s.color), rgb(back.backgroundColor),
      align, shown ? 1 : 0, enabled ? 1 : 0, n.input && n.input.checked ? 1 : 0,
      list ? Array.from(list.options).map((o) => o.text).join('\n') : '',
      list ? list.selectedIndex : -1, el.offsetLeft, el.offsetTop, el.offsetWidth, el.offsetHeight,
    ].join('\x1f');
  },
  // The id of the control whose client area holds id's element (0: none), and the ids of the
  // elements in a client area in painting order (back first).
  parentOf(id) {
    const n = HsDom.nodes.get(id);
    return n && n.el.parentNode ? HsDom.idOf(n.el.parentNode) : 0;
  },
  order(id) {
    const n = HsDom.nodes.get(id);
    if (!n) return '';
    return Array.from(n.client.children).map((e) => e._hsId || 0).filter((x) => x).join(',');
  },
  exists(id) {
    const n = HsDom.nodes.get(id);
    return n && n.el.isConnected ? 1 : 0;
  },

  // Role (ARIA, "hidden" or "" for the element's own), the element ids whose texts name it
  // (space separated), a description. A group takes the role its members need: radiogroup
  // for radio buttons, list for items.
  access(id, role, labels, text) {
    const n = HsDom.nodes.get(id);
    if (!n) return;
    const target = n.input || n.el;
    const set = (el, a, v) => (v ? el.setAttribute(a, v) : el.removeAttribute(a));
    if (n.kind === HsKind.ComboBox) role = ''; // the <select>'s own
    if (n.input) role = ''; // the <input type=radio>'s own, with its checked state
    if (role === 'hidden') {
      set(n.el, 'aria-hidden', 'true');
      role = '';
    } else {
      set(n.el, 'aria-hidden', '');
    }
    if (role === 'group' && n.up) role = n.up;
    set(n.kind === HsKind.ComboBox && n.list ? n.list : n.el, 'role',
      n.kind === HsKind.ComboBox ? '' : role);
    // Names: the labels' elements, or the element's own caption.
    let ids = labels ? labels.split(' ').map((l) => 'hs' + l) : [];
    if (!ids.length && n.text && (n.input || n.kind === HsKind.GroupBox)) {
      n.text.id = 'hs-text' + id;
      n.text.setAttribute('aria-hidden', 'true');
      ids = [n.text.id];
    }
    // An alert or an item is not named by its contents: by its own text, then.
    if (!ids.length && n.kind === HsKind.Label && role) ids = [n.el.id];
    if (!ids.length && n.kind === HsKind.Form) {
      n.caption.id = 'hs-text' + id;
      ids = [n.caption.id];
    }
    if (!ids.length && n.kind === HsKind.Panel && n.label) {
      n.label.id = 'hs-text' + id;
      ids = [n.label.id];
    }
    set(n.list || target, 'aria-labelledby', ids.join(' '));
    if (text && !n.desc) {
      n.desc = HsDom.el('span', '', HsDom.descs);
      n.desc.id = 'hs-desc' + id;
    }
    if (n.desc) n.desc.textContent = text;
    set(n.list || target, 'aria-describedby', text ? n.desc.id : '');
    // A group of radio buttons is a radiogroup; the items of a group are owned by a list in it
    // (the group may hold other members, such as an alert).
    const parent = HsDom.nodes.get(HsDom.idOf(n.el.parentNode));
    if (!parent || parent.kind !== HsKind.GroupBox) return;
    if (n.input) {
      parent.up = 'radiogroup';
      if (parent.el.getAttribute('role') === 'group') parent.el.setAttribute('role', parent.up);
    } else if (role === 'listitem') {
      if (!parent.items) {
        parent.items = HsDom.el('div', 'hs-items', parent.el);
        parent.items.setAttribute('role', 'list');
      }
      const owned = (parent.items.getAttribute('aria-owns') || '').split(' ').filter((x) => x);
      if (!owned.includes(n.el.id)) owned.push(n.el.id);
      parent.items.setAttribute('aria-owns', owned.join(' '));
    }
  },
  announce(text) {
    if (!HsDom.live) return;
    // A new text node each time, so that the same summary twice is read twice.
    HsDom.live.textContent = '';
    HsDom.live.appendChild(document.createTextNode(text));
  },
  // role, name, checked, description, as the page gives them (tests).
  accessSeen(id) {
    const n = HsDom.nodes.get(id);
    if (!n) return '';
    const el = n.input || n.list || n.el;
    const textOf = (ids) => (ids || '').split(' ').filter((x) => x)
      .map((x) => document.getElementById(x)).filter((x) => x)
      .map((x) => x.textContent).join(' ');
    const roleEl = n.list || n.el;
    const role = n.el.getAttribute('aria-hidden') === 'true' ? 'hidden' :
      n.input ? 'radio' : n.kind === HsKind.ComboBox ? 'combobox' :
      roleEl.getAttribute('role') || '';
    const by = el.getAttribute('aria-labelledby');
    return [role, by ? textOf(by) : n.kind === HsKind.Label ? n.el.textContent : '',
      n.input ? (n.input.checked ? '1' : '0') : '',
      textOf(el.getAttribute('aria-describedby'))].join('\x1f');
  },

  leave() {
    if (HsDom.root) HsDom.root.dispatchEvent(new MouseEvent('mouseleave', {}));
  },
  pick(id, index) {
    const n = HsDom.nodes.get(id);
    if (!n || n.kind !== HsKind.ComboBox || n.el.disabled) return 0;
    n.el.selectedIndex = index;
    n.el.dispatchEvent(new Event('change', {bubbles: true}));
    return 1;
  },
};
