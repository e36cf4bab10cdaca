// The text of a number in the DXF writer's files.
#pragma once

// The largest text DXFNumber writes.
inline constexpr int kDXFNumberMax = 32;

// Writes v at out, without terminator, and returns the end. Whole numbers below 1e15 are
// written as integers; a value that a decimal of at most six places reads back as, in fixed
// point (with the fewest places at which v times the power of ten is that decimal's whole
// number, so now and then with a trailing zero); any other as the shortest text that reads
// back as v. C locale; not finite is written as 0.
char* DXFNumber(char* out, double v);
