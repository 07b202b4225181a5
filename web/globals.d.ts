// What the page's scripts find on the window besides the browser's own: the
// WebAssembly module's factory (written by the browser build) and, in the
// single file, the program start_compiling.js is already compiling.
declare function createShoutotsu(options?: object): Promise<any>;
interface Window {
  shoutotsuProgram?: Promise<WebAssembly.Module>;
}
