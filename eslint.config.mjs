// Lint for the page's JavaScript, its build scripts and its tests: ESLint's
// recommended rules, the browser's or Node's globals where each runs, and a
// few rules the code keeps on top.
import js from '@eslint/js';
import globals from 'globals';

export default [
  // sw.js is a template: the build writes its cache name and file list in.
  { ignores: ['build/**', 'build-*/**', 'node_modules/**', 'web/sw.js'] },
  js.configs.recommended,
  {
    rules: {
      eqeqeq: ['error', 'always'],
      'no-var': 'error',
      'prefer-const': 'error',
      'no-unused-vars': ['error', { argsIgnorePattern: '^_', caughtErrors: 'none' }],
    },
  },
  {
    // The page runs in the browser beside the module the WebAssembly build
    // writes, which defines createShoutotsu.
    files: ['web/src/**/*.js', 'web/start_compiling.js'],
    languageOptions: {
      sourceType: 'module',
      globals: { ...globals.browser, createShoutotsu: 'readonly' },
    },
  },
  {
    // Functions short and plain enough to read at a glance, in every folder
    // of the page.
    files: ['web/src/**/*.js'],
    rules: {
      'max-lines-per-function': ['error', { max: 60, skipBlankLines: true, skipComments: true }],
      complexity: ['error', 12],
    },
  },
  {
    // A language's table is made by one function that only lists its texts,
    // so that it is built when the language is first shown.
    files: ['web/src/i18n/lang/*.js'],
    rules: { 'max-lines-per-function': 'off' },
  },
  {
    // Runs before anything else, in whatever browser opened the file, so
    // that even an old one learns it cannot run the program: written for
    // the oldest syntax.
    files: ['web/start_compiling.js'],
    languageOptions: {
      sourceType: 'script',
      ecmaVersion: 5,
      globals: { ...globals.browser, Uint8Array: 'readonly', Promise: 'readonly' },
    },
    rules: { 'no-var': 'off' },
  },
  {
    files: ['**/*.mjs', 'tests/**/*.js', 'bench/**/*.js'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
