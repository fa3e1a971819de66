// The page side of the hero sheet in the browser (included before the program's own script).
// While the program's code downloads and compiles, the settings kept in the browser's storage
// (config.ini, registry.ini) are read and the web font is loaded; once the code is ready,
// ?data=URL is checked and fetched. Once the run-time is up, before main, they go into the
// program folder /herosheet (also the current folder), over the sample files. Afterwards:
// herosheetCommand(line), and a file picker or a drop of choice.ini and array.ini restarts the
// sheet on them.
var HsPage = {
  folder: '/herosheet',
  store: '/herosheet-store',
  saves: 0,
  dataSource: 'sample',
  // ?data= files fetched before the run-time was up, written over the samples at its start.
  fetched: null,

  // Whether the browser's storage opened; without it the program's settings cannot be kept.
  storage: true,

  // Keeps a file of the program folder in IndexedDB (called after the program wrote it).
  keep(path) {
    if (!HsPage.storage) return;
    const name = path.split('/').pop();
    try {
      FS.writeFile(HsPage.store + '/' + name, FS.readFile(path));
    } catch (e) {
      return;
    }
    FS.syncfs(false, () => {
      HsPage.saves++;
      document.dispatchEvent(new CustomEvent('herosheet-saved', {detail: name}));
    });
  },

  // The storage did not open: nothing is kept.
  noStorage() {
    HsPage.storage = false;
  },

  // No storage: config.ini turns read-only (once the data bundle wrote it), so a language pick
  // is refused and the settings panel says it could not be saved, as the desktop program does
  // for a read-only config.ini.
  protectSettings() {
    if (HsPage.storage) return;
    try {
      FS.chmod(HsPage.folder + '/config.ini', 0o444);
    } catch (e) {}
  },

  // The kept files, as the page's head read them while the code downloaded.
  kept: {},
  restore(done) {
    const kept = window.herosheetKept || Promise.resolve({ok: false, files: {}});
    kept.then(({ok, files}) => {
      if (ok) HsPage.kept = files;
      else HsPage.noStorage();
    }, HsPage.noStorage).finally(done);
  },

  // Before main, after the sample files are in place: kept settings and fetched data over them.
  // The kept files also go into the store folder, mounted on the same database, so that later
  // keeps write it whole.
  apply() {
    try {
      if (HsPage.storage) {
        FS.mkdir(HsPage.store);
        FS.mount(IDBFS, {}, HsPage.store);
      }
    } catch (e) {
      HsPage.noStorage();
    }
    // (No destructuring in a for-of here: the build's code shrinker mangles it.)
    for (const name of Object.keys(HsPage.storage ? HsPage.kept : {})) {
      try {
        FS.writeFile(HsPage.store + '/' + name, HsPage.kept[name]);
        FS.writeFile(HsPage.folder + '/' + name, HsPage.kept[name]);
      } catch (e) {}
    }
    HsPage.kept = {};
    if (HsPage.fetched) HsPage.writeData(HsPage.fetched.choice, HsPage.fetched.array);
    HsPage.fetched = null;
  },

  // ?data=URL: a folder of the page's own site holding choice.ini and array.ini (the program
  // decides which addresses are taken). A refused or unreadable pair leaves the sample and a note.
  fetchData(done) {
    const param = new URLSearchParams(location.search).get('data');
    if (!param) return done();
    const answer = cwrap('hs_web_data_address', 'string', ['string', 'string'])(
        location.href.split('#')[0], param);
    if (answer.startsWith('!')) {
      HsPage.say(answer.slice(1));
      return done();
    }
    let base;
    try {
      base = new URL(answer);
      if (base.origin !== location.origin) throw new Error('origin');
    } catch (e) {
      HsPage.say('msg_data_bad_address');
      return done();
    }
    const get = (name) => fetch(new URL(name, base)).then((r) => {
      if (!r.ok) throw new Error('msg_data_missing');
      return HsPage.readBounded(r);
    });
    Promise.all([get('choice.ini'), get('array.ini')]).then(([choice, array]) => {
      if (!HsPage.isData(choice, array)) throw new Error('msg_files_not_data');
      HsPage.fetched = {choice, array};
      HsPage.dataSource = base.href;
    }).catch((e) => {
      HsPage.say(/^msg_/.test(e.message) ? e.message : 'msg_data_missing');
    }).finally(done);
  },

  // The bytes of a response, refused past the data files' bound (by its length when it tells
  // one, else while reading).
  readBounded(response) {
    const max = Module._hs_web_data_max();
    const tooBig = () => new Error('msg_data_too_big');
    if (Number(response.headers.get('content-length')) > max) {
      if (response.body) response.body.cancel().catch(() => {});
      return Promise.reject(tooBig());
    }
    if (!response.body) return response.arrayBuffer().then((b) => {
      if (b.byteLength > max) throw tooBig();
      return new Uint8Array(b);
    });
    const reader = response.body.getReader();
    const parts = [];
    let size = 0;
    const next = () => reader.read().then(({done, value}) => {
      if (done) {
        const all = new Uint8Array(size);
        let at = 0;
        for (const p of parts) {
          all.set(p, at);
          at += p.length;
        }
        return all;
      }
      size += value.length;
      if (size > max) {
        reader.cancel().catch(() => {});
        throw tooBig();
      }
      parts.push(value);
      return next();
    });
    return next();
  },

  // Whether the program reads the pair as data (bytes copied into its memory for the check).
  isData(choice, array) {
    const c = Module._malloc(choice.length + 1), a = Module._malloc(array.length + 1);
    try {
      HEAPU8.set(choice, c);
      HEAPU8.set(array, a);
      return Module._hs_web_is_data(c, choice.length, a, array.length) !== 0;
    } finally {
      Module._free(c);
      Module._free(a);
    }
  },

  writeData(choice, array) {
    FS.writeFile(HsPage.folder + '/choice.ini', choice);
    FS.writeFile(HsPage.folder + '/array.ini', array);
  },

  // A page message by key, in the sheet's language; kept until the page is ready to show it.
  pending: [],
  ready: false,
  say(key) {
    if (!HsPage.ready) return void HsPage.pending.push(key);
    const text = cwrap('hs_web_message', 'string', ['string'])(key);
    document.dispatchEvent(new CustomEvent('herosheet-message',
        {detail: {text, caption: document.title, key}}));
  },

  fonts(done) {
    if (!document.fonts || !document.fonts.load) return done();
    const faces = ['11px "Liberation Sans"', 'bold 11px "Liberation Sans"'];
    Promise.all(faces.map((f) => document.fonts.load(f))).catch(() => {}).finally(done);
  },

  // Files picked or dropped: choice.ini and array.ini by name. Anything else (one file, a folder,
  // a file past the bound, bytes that are not data) leaves the sheet as it was, with a note.
  // Resolves to whether the sheet restarted on the files.
  takeFiles(list, items) {
    const refuse = (key) => {
      HsPage.say(key);
      return Promise.resolve(false);
    };
    const entries = Array.from(items || []).map((i) => i.webkitGetAsEntry && i.webkitGetAsEntry());
    if (entries.some((e) => e && e.isDirectory)) return refuse('msg_files_folder');
    const files = Array.from(list || []);
    const byName = (n) => files.find((f) => f.name.toLowerCase() === n);
    const choice = byName('choice.ini'), array = byName('array.ini');
    if (!choice || !array) return refuse('msg_files_pair');
    const max = Module._hs_web_data_max();
    if (choice.size > max || array.size > max) return refuse('msg_data_too_big');
    return Promise.all([choice.arrayBuffer(), array.arrayBuffer()]).then(([c, a]) => {
      c = new Uint8Array(c);
      a = new Uint8Array(a);
      if (!HsPage.isData(c, a)) return refuse('msg_files_not_data');
      HsPage.writeData(c, a);
      HsPage.dataSource = 'files';
      const note = document.getElementById('herosheet-note');
      if (note) note.textContent = '';  // an earlier refusal no longer holds
      Module._hs_web_data_replaced();
      return true;
    }, () => refuse('msg_files_not_data'));
  },

  // The Copy button presses Ctrl+C on the sheet; the sheet's messages show beside it.
  wireCopy() {
    const button = document.getElementById('herosheet-copy');
    if (button) button.addEventListener('click', () => window.herosheetCommand('key Ctrl+C'));
    const note = document.getElementById('herosheet-note');
    document.addEventListener('herosheet-message', (e) => {
      if (note) note.textContent = e.detail.text;
    });
    // A new paste or copy takes the last note away first (capture: before the sheet sees it).
    const clear = () => { if (note) note.textContent = ''; };
    window.addEventListener('paste', clear, true);
    window.addEventListener('keydown', (e) => { if (e.ctrlKey) clear(); }, true);
    if (button) button.addEventListener('click', clear, true);
  },

  // The service worker keeps the site for a start without a network; registered once the sheet
  // is drawn, so that its downloads never delay the first one.
  keepOffline() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    const register = () => navigator.serviceWorker.register('sw.js').catch(() => {});
    requestAnimationFrame(() => setTimeout(register, 0));
  },

  wireFiles() {
    const picker = document.getElementById('herosheet-files');
    if (picker) picker.addEventListener('change', () => {
      HsPage.takeFiles(picker.files).finally(() => { picker.value = ''; });
    });
    document.addEventListener('dragover', (e) => e.preventDefault());
    document.addEventListener('drop', (e) => {
      e.preventDefault();
      const t = e.dataTransfer;
      HsPage.takeFiles(t && t.files, t && t.items);
    });
  },
};

// The program's code, compiled from the download the page started in its head (else fetched
// here), so that compiling overlaps the download of this script.
Module.instantiateWasm = (imports, receive) => {
  const compile = (response) => WebAssembly.compileStreaming ?
    WebAssembly.compileStreaming(response) :
    response.then((r) => r.arrayBuffer()).then((b) => WebAssembly.compile(b));
  const compiled = window.herosheetWasm || compile(fetch('herosheet.wasm'));
  compiled.catch(() => compile(fetch('herosheet.wasm')))
    .then((module) => WebAssembly.instantiate(module, imports)
      .then((instance) => receive(instance, module)))
    .catch((e) => {
      document.dispatchEvent(new CustomEvent('herosheet-message',
        {detail: {text: 'The program could not be loaded: ' + e}}));
    });
  return {};
};

// Each step holds the start until it is done.
function hsStartSteps(steps) {
  for (const step of steps) {
    const name = 'herosheet-' + step.name;
    addRunDependency(name);
    step(() => {
      performance.mark(name);
      removeRunDependency(name);
    });
  }
}

// Started at once, while the program's code downloads and compiles.
Module.preInit = Module.preInit || [];
Module.preInit.push(() => {
  performance.mark('herosheet-preinit');
  hsStartSteps([HsPage.restore, HsPage.fonts]);
});

Module.preRun = Module.preRun || [];
Module.preRun.push(() => {
  // The data bundle may fill the folder after this: make it first.
  try {
    FS.mkdirTree(HsPage.folder);
  } catch (e) {}
  FS.chdir(HsPage.folder);
  performance.mark('herosheet-prerun');
  // The address check is the program's: its code is ready now.
  hsStartSteps([HsPage.fetchData]);
});

Module.onRuntimeInitialized = () => {
  HsPage.apply();
  HsPage.protectSettings();
  performance.mark('herosheet-runtime');
};

Module.postRun = Module.postRun || [];
Module.postRun.push(() => {
  HsPage.wireFiles();
  HsPage.wireCopy();
  const command = Module.cwrap('herosheet_command', 'string', ['string']);
  window.herosheetCommand = (line) => command(String(line));
  window.herosheetPage = HsPage;
  HsPage.ready = true;
  for (const key of HsPage.pending.splice(0)) HsPage.say(key);
  HsPage.keepOffline();
  document.dispatchEvent(new Event('herosheet-ready'));
  if (window.herosheetReadyResolve) window.herosheetReadyResolve();
});
