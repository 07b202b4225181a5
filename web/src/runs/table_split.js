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
 * The table's records with the line each starts on, lines with nothing in
 * any cell left out; a quote left open is reported as { open: line }.
 * @param {string} text
 * @returns {{ records: { line: number, cells: string[] }[] } | { open: number }}
 */
export function splitTable(text) {
  const separator = separatorOf(text);
  /** @type {{ line: number, cells: string[] }[]} */
  const records = [];
  /** @type {string[]} */
  let cells = [];
  let cell = '';
  let quoted = false;
  let line = 1;
  let start = 1;
  let quoteLine = 0;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') {
        cell += '"';
        i++;
      } else if (c === '"') {
        quoted = false;
      } else {
        if (c === '\n') line++;
        cell += c;
      }
    } else if (c === '"') {
      quoted = true;
      quoteLine = line;
    } else if (c === separator) {
      cells.push(cell);
      cell = '';
    } else if (c === '\n' || c === '\r') {
      if (c === '\r' && text[i + 1] === '\n') i++;
      cells.push(cell);
      records.push({ line: start, cells });
      cells = [];
      cell = '';
      start = ++line;
    } else {
      cell += c;
    }
  }
  if (quoted) return { open: quoteLine };
  if (cell !== '' || cells.length) records.push({ line: start, cells: [...cells, cell] });
  return { records: records.filter((record) => record.cells.some((one) => one.trim() !== '')) };
}
