// The Emscripten factory of the generator module (build/wasm/bin/engine.js).
declare module 'zu-engine' {
  const createEngine: () => Promise<unknown>;
  export default createEngine;
}
