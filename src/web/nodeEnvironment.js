// Under Node the program sees the process's environment (TAMBERLY_HOME, XDG_*, HOME), as
// the native program does, rather than Emscripten's made-up one.
Module.preRun = Module.preRun || [];
Module.preRun.push(() => Object.assign(ENV, process.env));
