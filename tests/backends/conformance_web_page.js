// The page of the web conformance program: its output (and exit code), for the browser tests.
Module.hsOutput = [];
Module.print = function (text) {
  Module.hsOutput.push(text);
  console.log(text);
};
Module.printErr = Module.print;
Module.onExit = function (code) {
  window.hsExitCode = code;
};
window.hsModule = Module;
