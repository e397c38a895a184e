// Numbers written bare into SQL or JSON must come back as the text they were.
#pragma once

// True when text is a decimal number that databases and JSON readers give
// back as the same text: an optional minus, an integer part without leading
// zeros, an optional fraction that ends in a digit other than 0 (".0" alone
// excepted), at most 15 digits in all (a double holds them exactly), no
// negative zero, and at most three zeros after the point before the first
// other digit, which databases would print in exponent form. 0220, +5, 2.50,
// 0.00001 and 1.0e3 are not.
bool number_keeps_text(const char *text);
