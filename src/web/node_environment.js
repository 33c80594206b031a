// The batch tool under node sees the real environment (XDG_CONFIG_HOME, HOME),
// as the native tool does, instead of emscripten's stand-in.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Object.assign(ENV, process.env);
});
