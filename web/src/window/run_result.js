// A finished run's result as the window's label writes it: the core reports
// whole millimetres (resultMm), the label shows centimetres with "cm", a
// whole centimetre without ".0" (379 → "37.9cm", 380 → "38cm"). Dividing an
// integer by ten gives that text exactly, as the core's own number format
// does. To be replaced by the page's number formatting (i18n/numbers.js).

/**
 * @param {number} mm
 * @returns {string}
 */
export const resultText = (mm) => `${mm / 10}cm`;
