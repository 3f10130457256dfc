#pragma once
// Number conventions of the program's text files and input boxes, independent of the locale:
// "." is always the decimal separator.
//
// - RoundHalfEven: real to whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// - NumericValue: the leading decimal number of a text after blanks ("12.5m" -> 12.5, "abc" -> 0).
// - ShortestText / NumberLine: the standard numeric print (shortest decimal text, 7 significant
//   digits for single precision, 15 for double, exponent form outside the fixed range).
// - FormatFixed: the fixed formats "##0", "###0.0", "000000.00", "###.0000", "00" ...

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class Precision { Single, Double };

// Nearest whole number, halves to even. Values beyond the 64-bit range saturate.
std::int64_t RoundHalfEven(double value);

// Leading decimal number of `text` after blanks (spaces and tabs): optional sign, digits with an
// optional point, optional exponent (E or D, with sign). Text that does not begin with a number
// gives 0. A number whose magnitude is beyond the largest double gives the largest finite double
// with its sign; one whose magnitude is below the smallest gives 0 (told apart by the magnitude,
// so 1 followed by 400 zeros and "e-1" is large and "0." followed by 400 zeros and "1" is 0).
double NumericValue(std::string_view text);

// True when the text, blanks around it aside, is exactly one decimal number (sign, digits with an
// optional point, optional exponent): what a file field must hold to be read as a number.
bool IsNumberText(std::string_view text);

// True when a box's text, blanks around it aside, is a number or what may still become one as
// the user types ("", "-", ".", "1E-"): a box refuses anything else ("abc", "2x"), which would
// otherwise be read as 0 or 2 without a word.
bool IsNumberOrItsStart(std::string_view text);

// True when the text begins (after blanks) with a decimal number, i.e. NumericValue reads a
// number from it rather than falling back to 0.
bool HasLeadingNumber(std::string_view text);

// Shortest decimal text that reads back as the same value at the given precision, as the
// standard numeric print writes it: "-" for negatives and no blank before a positive value,
// no zero before the point of a value between -1 and 1 (".06", "-.5"), an exponent form
// ("1E+07", "1.234568E+07", "1E-05") outside 1e-4 .. 1e7 (single) or 1e-4 .. 1e15 (double).
// Non-finite values give "0".
std::string ShortestText(double value, Precision precision);

// Same text as ShortestText but with a zero before the point ("0.5", "-0.06"): the form the
// position boxes show.
std::string PlainText(double value, Precision precision);

// One number line of a text file: a blank (or "-"), ShortestText, a blank, CR LF.
std::string NumberLine(double value, Precision precision);

// Fixed format of a pattern made of '#', '0' and at most one '.': the integer part gets at
// least as many digits as it has '0's, the fraction exactly as many digits as the pattern has
// after the point. Rounding is decimal, halves away from zero (1.25 with "0.0" gives "1.3").
// A negative value that rounds to zero is written without a sign. No blanks are added.
// Examples: "##0" 7.5 -> "8"; "###0.0" 26.44 -> "26.4"; "000000.00" 3.14159 -> "000003.14";
// "###.0000" 0.5 -> ".5000"; "00" 5 -> "05".
std::string FormatFixed(double value, std::string_view pattern);

}  // namespace platform
