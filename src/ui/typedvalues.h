#pragma once

#include <QValidator>

class QString;

// How the rosters editor reads what was typed into its number and attribute boxes.
namespace kvx {

// The number a text begins with: leading blanks, an optional sign, digits with an optional
// decimal point and an optional exponent ("12abc" is 12, "2.5e1" is 25); 0 when the text does
// not begin with a number.
double leadingNumber(const QString& text);

// The leading number rounded to a whole number, halves to the even neighbour (12.5 is 12, 13.5
// is 14).
double roundedLeadingNumber(const QString& text);

// The attribute level a typed value stands for: the first level whose shown value (06, 13, ...,
// 99) is at least the typed number, so 50 is level 7 ("50") and 51 level 8 ("56"); text that is
// no number counts as 0. -1 when the number is above 99.
int typedLevel(const QString& text);

// A jersey number box accepts only text whose leading number, rounded, is 0..99: the images
// store two decimal digits, so a larger number is refused as it is typed, not at export.
class JerseyNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace kvx
