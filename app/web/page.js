// The page side of the hero sheet in the browser (included before the program's own script).
// Before main: the program folder /herosheet (also the current folder) gets config.ini and
// registry.ini (the registry store) back from the browser's storage, ?data=URL replaces the
// sample data files, and the web font is loaded so that text is measured with it. Afterwards: herosheetCommand(line), and a file
// picker or a drop of choice.ini and array.ini restarts the sheet on them.
var HsPage = {
  folder: '/herosheet',
  store: '/herosheet-store',
  saves: 0,
  dataSource: 'sample',

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

  restore(done) {
    try {
      FS.mkdir(HsPage.store);
      FS.mount(IDBFS, {}, HsPage.store);
    } catch (e) {
      return done();
    }
    FS.syncfs(true, () => {
      for (const name of ['config.ini', 'registry.ini']) {
        try {
          const kept = HsPage.store + '/' + name;
          if (FS.analyzePath(kept).exists)
            FS.writeFile(HsPage.folder + '/' + name, FS.readFile(kept));
        } catch (e) {}
      }
      done();
    });
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
      HsPage.writeData(new Uint8Array(choice), new Uint8Array(array));
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

Module.preRun = Module.preRun || [];
Module.preRun.push(() => {
  // The data bundle may fill the folder after this: make it first.
  try {
    FS.mkdirTree(HsPage.folder);
  } catch (e) {}
  FS.chdir(HsPage.folder);
  performance.mark('herosheet-prerun');
  for (const step of [HsPage.restore, HsPage.fetchData, HsPage.fonts]) {
    const name = 'herosheet-' + step.name;
    addRunDependency(name);
    step(() => {
      performance.mark(name);
      removeRunDependency(name);
    });
  }
});

Module.onRuntimeInitialized = () => {
  performance.mark('herosheet-runtime');
};

Module.postRun = Module.postRun || [];
Module.postRun.push(() => {
  HsPage.wireFiles();
  HsPage.wireCopy();
  const command = Module.cwrap('herosheet_command', 'string', ['string']);
  window.herosheetCommand = (line) => command(String(line));
  window.herosheetPage = HsPage;
  document.dispatchEvent(new Event('herosheet-ready'));
  if (window.herosheetReadyResolve) window.herosheetReadyResolve();
});
