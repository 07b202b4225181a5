// A table's text split into lines of cells, as a spreadsheet writes it:
// cells apart by commas, or by semicolons (where a comma is the decimal
// mark) or tabs (a sheet saved as text), a cell in quotes where it holds
// one of them, a quote doubled inside quotes.

/**
 * The separator of a table: a tab if its first line has one, else the
 * semicolon if it has more of them than commas, else the comma.
 * @param {string} text
 */
export function separatorOf(text) {
  const first = text.split(/\r\n?|\n/).find((line) => line.trim() !== '') ?? '';
  if (first.includes('\t')) return '\t';
  const count = (/** @type {string} */ c) => first.split(c).length - 1;
  return count(';') > count(',') ? ';' : ',';
}

/**
 * Where the split has got to: the records so far, the line being read, and
 * whether a quote is open (since which line).
 * @typedef {{ records: { line: number, cells: string[] }[], cells: string[], cell: string, quoted: boolean,
 *   line: number, start: number, quoteLine: number }} Split
 */

/**
 * The table's records with the line each starts on, lines with nothing in
 * any cell left out; a quote left open is reported as { open: line }.
 * @param {string} text
 * @returns {{ records: { line: number, cells: string[] }[] } | { open: number }}
 */
export function splitTable(text) {
  const separator = separatorOf(text);
  /** @type {Split} */
  const split = { records: [], cells: [], cell: '', quoted: false, line: 1, start: 1, quoteLine: 0 };
  for (let i = 0; i < text.length; i++) i = split.quoted ? inQuotes(split, text, i) : outsideQuotes(split, text, i, separator);
  if (split.quoted) return { open: split.quoteLine };
  const { records, cells, cell, start } = split;
  if (cell !== '' || cells.length) records.push({ line: start, cells: [...cells, cell] });
  return { records: records.filter((record) => record.cells.some((one) => one.trim() !== '')) };
}

/**
 * Reads the character at `i` inside quotes; the index of the last one read.
 * @param {Split} split
 * @param {string} text
 * @param {number} i
 */
function inQuotes(split, text, i) {
  const c = text[i];
  if (c === '"' && text[i + 1] === '"') {
    split.cell += '"';
    return i + 1;
  }
  if (c === '"') {
    split.quoted = false;
  } else {
    if (c === '\n') split.line++;
    split.cell += c;
  }
  return i;
}

/**
 * Reads the character at `i` outside quotes; the index of the last one read.
 * @param {Split} split
 * @param {string} text
 * @param {number} i
 * @param {string} separator
 */
function outsideQuotes(split, text, i, separator) {
  const c = text[i];
  if (c === '"') {
    split.quoted = true;
    split.quoteLine = split.line;
  } else if (c === separator) {
    split.cells.push(split.cell);
    split.cell = '';
  } else if (c === '\n' || c === '\r') {
    split.cells.push(split.cell);
    split.records.push({ line: split.start, cells: split.cells });
    split.cells = [];
    split.cell = '';
    split.start = ++split.line;
    if (c === '\r' && text[i + 1] === '\n') return i + 1;
  } else {
    split.cell += c;
  }
  return i;
}
