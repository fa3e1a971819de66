// The page side of the hero sheet in the browser (included before the program's own script).
// While the program's code downloads and compiles: the settings kept in the browser's storage
// (config.ini, registry.ini) are read, ?data=URL is fetched and the web font is loaded. Once the
// run-time is up, before main: they go into the program folder /herosheet (also the current
// folder), over the sample files. Afterwards: herosheetCommand(line), and a file picker or a drop
// of choice.ini and array.ini restarts the sheet on them.
var HsPage = {
  folder: '/herosheet',
  store: '/herosheet-store',
  saves: 0,
  dataSource: 'sample',
  // ?data= files fetched before the run-time was up, written over the samples at its start.
  pending: null,

  // Keeps a file of the program folder in IndexedDB (called after the program wrote it).
  keep(path) {
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

  // Reads the kept files into the store folder; apply() copies them into the program folder.
  restore(done) {
    try {
      FS.mkdir(HsPage.store);
      FS.mount(IDBFS, {}, HsPage.store);
    } catch (e) {
      return done();
    }
    FS.syncfs(true, () => done());
  },

  // Before main, after the sample files are in place: kept settings and fetched data over them.
  apply() {
    for (const name of ['config.ini', 'registry.ini']) {
      try {
        const kept = HsPage.store + '/' + name;
        if (FS.analyzePath(kept).exists)
          FS.writeFile(HsPage.folder + '/' + name, FS.readFile(kept));
      } catch (e) {}
    }
    if (HsPage.pending) HsPage.writeData(HsPage.pending.choice, HsPage.pending.array);
    HsPage.pending = null;
  },

  // ?data=URL: a folder URL of the same origin holding choice.ini and array.ini.
  fetchData(done) {
    const param = new URLSearchParams(location.search).get('data');
    if (!param) return done();
    let base;
    try {
      base = new URL(param.endsWith('/') ? param : param + '/', location.href);
    } catch (e) {
      return done();
    }
    if (base.origin !== location.origin) return done();
    const get = (name) => fetch(new URL(name, base)).then((r) => {
      if (!r.ok) throw new Error(r.status);
      return r.arrayBuffer();
    });
    Promise.all([get('choice.ini'), get('array.ini')]).then(([choice, array]) => {
      HsPage.pending = {choice: new Uint8Array(choice), array: new Uint8Array(array)};
      HsPage.dataSource = base.href;
    }).catch(() => {}).finally(done);
  },

  writeData(choice, array) {
    FS.writeFile(HsPage.folder + '/choice.ini', choice);
    FS.writeFile(HsPage.folder + '/array.ini', array);
  },

  fonts(done) {
    if (!document.fonts || !document.fonts.load) return done();
    const faces = ['11px "Liberation Sans"', 'bold 11px "Liberation Sans"'];
    Promise.all(faces.map((f) => document.fonts.load(f))).catch(() => {}).finally(done);
  },

  // Files picked or dropped: choice.ini and array.ini by name (or the first two .ini files).
  takeFiles(list) {
    const files = Array.from(list || []);
    const byName = (n) => files.find((f) => f.name.toLowerCase() === n);
    const choice = byName('choice.ini'), array = byName('array.ini');
    if (!choice || !array) return Promise.resolve(false);
    return Promise.all([choice.arrayBuffer(), array.arrayBuffer()]).then(([c, a]) => {
      HsPage.writeData(new Uint8Array(c), new Uint8Array(a));
      HsPage.dataSource = 'files';
      Module._hs_web_data_replaced();
      return true;
    });
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
      HsPage.takeFiles(e.dataTransfer && e.dataTransfer.files);
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

// Started at once, before the program's code is ready: each holds the start until it is done.
Module.preInit = Module.preInit || [];
Module.preInit.push(() => {
  performance.mark('herosheet-preinit');
  for (const step of [HsPage.restore, HsPage.fetchData, HsPage.fonts]) {
    const name = 'herosheet-' + step.name;
    addRunDependency(name);
    step(() => {
      performance.mark(name);
      removeRunDependency(name);
    });
  }
});

Module.preRun = Module.preRun || [];
Module.preRun.push(() => {
  // The data bundle may fill the folder after this: make it first.
  try {
    FS.mkdirTree(HsPage.folder);
  } catch (e) {}
  FS.chdir(HsPage.folder);
  performance.mark('herosheet-prerun');
});

Module.onRuntimeInitialized = () => {
  HsPage.apply();
  performance.mark('herosheet-runtime');
};

Module.postRun = Module.postRun || [];
Module.postRun.push(() => {
  HsPage.wireFiles();
  HsPage.wireCopy();
  const command = Module.cwrap('herosheet_command', 'string', ['string']);
  window.herosheetCommand = (line) => command(String(line));
  window.herosheetPage = HsPage;
  HsPage.keepOffline();
  document.dispatchEvent(new Event('herosheet-ready'));
  if (window.herosheetReadyResolve) window.herosheetReadyResolve();
});
