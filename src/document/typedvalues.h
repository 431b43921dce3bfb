#pragma once

#include <optional>
#include <string_view>

// How numbers typed by the user are read: the rosters editor's number and attribute boxes, and
// the answer to the import's roster question. Texts are the league's single bytes (Latin-1).
namespace kvx {

// The number a text begins with: leading blanks, an optional sign, digits with an optional
// decimal point and an optional exponent ("12abc" is 12, "2.5e1" is 25); 0 when the text does
// not begin with a number.
double leadingNumber(std::string_view text);

// The leading number rounded to a whole number, halves to the even neighbour (12.5 is 12, 13.5
// is 14).
double roundedLeadingNumber(std::string_view text);

// The attribute level a typed value stands for: the first level whose shown value (06, 13, ...,
// 99) is at least the typed number, so 50 is level 7 ("50") and 51 level 8 ("56"); text that is
// no number counts as 0. -1 when the number is above 99.
int typedLevel(std::string_view text);

// A jersey number box holds only text whose leading number, rounded, is 0..99: the images
// store two decimal digits, so a larger number is refused as it is typed, not at export.
bool isJerseyNumber(std::string_view text);

// The answer to "Which one do you want to import? (1-3)" as a roster choice: a number (rounded to
// an integer, halves to even) that is negative or above 3 gives 3; 0 stays 0 (read as roster 1).
// Nothing when the answer is not a finite number that fits a 16-bit integer.
std::optional<int> rosterChoiceFromAnswer(std::string_view answer);

} // namespace kvx
