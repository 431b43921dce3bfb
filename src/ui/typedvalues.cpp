#include "ui/typedvalues.h"

#include "document/tables.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <string>

namespace kvx {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(const QString& text) {
    const std::string s = text.toLatin1().toStdString();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    // The number's own characters, gathered for from_chars (which takes no leading "+").
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number += '-';
        ++i;
    }
    bool digits = false;
    for (; i < s.size() && isDigit(s[i]); ++i, digits = true)
        number += s[i];
    if (i < s.size() && s[i] == '.') {
        number += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, digits = true)
            number += s[i];
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when digits follow it: "2e" is 2.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                exponent += s[j];
            number += exponent;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: what matters here is only which.
        const bool tiny = number.find("e-") != std::string::npos;
        const bool negative = number.front() == '-';
        return tiny ? 0.0 : (negative ? -HUGE_VAL : HUGE_VAL);
    }
    return value;
}

double roundedLeadingNumber(const QString& text) {
    // The default rounding mode rounds halves to even.
    return std::nearbyint(leadingNumber(text));
}

int typedLevel(const QString& text) {
    const double value = leadingNumber(text);
    for (std::size_t level = 0; level < AttributeScale.size(); ++level)
        if (AttributeScale[level] >= value)
            return static_cast<int>(level);
    return -1;
}

QValidator::State JerseyNumberValidator::validate(QString& input, int& /*pos*/) const {
    const double number = roundedLeadingNumber(input);
    return number >= 0 && number <= 99 ? Acceptable : Invalid;
}

} // namespace kvx
