#pragma once

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with
// halves away from zero; -1 for a zero divisor or a result beyond 32 bits,
// as the Windows call answers.
int MulDiv32(int a, int b, int c);
