#include "document/typedvalues.h"

#include "document/tables.h"

#include <charconv>
#include <cmath>
#include <string>

namespace kvx {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An unsigned number at the start of a text: digits with an optional decimal point and, where
// asked for, an exponent that counts only when digits follow it ("2e" is 2).
struct Scanned {
    double value = 0.0;
    std::size_t length = 0; // 0: the text does not begin with a number
    bool outOfRange = false;
};

Scanned scanNumber(std::string_view s, bool exponent) {
    // The number's own characters, gathered for from_chars.
    std::string number;
    std::size_t i = 0;
    bool digits = false;
    for (; i < s.size() && isDigit(s[i]); ++i, digits = true)
        number += s[i];
    if (i < s.size() && s[i] == '.') {
        number += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, digits = true)
            number += s[i];
    }
    if (!digits)
        return {};
    if (exponent && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string tail = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            tail += s[j++];
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                tail += s[j];
            number += tail;
            i = j;
        }
    }
    Scanned scanned{0.0, i, false};
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), scanned.value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: what matters here is only which.
        scanned.outOfRange = true;
        scanned.value = number.find("e-") != std::string::npos ? 0.0 : HUGE_VAL;
    }
    return scanned;
}

} // namespace

double leadingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const Scanned scanned = scanNumber(text, true);
    if (scanned.length == 0)
        return 0.0;
    return negative ? -scanned.value : scanned.value;
}

double roundedLeadingNumber(std::string_view text) {
    // The default rounding mode rounds halves to even.
    return std::nearbyint(leadingNumber(text));
}

int typedLevel(std::string_view text) {
    const double value = leadingNumber(text);
    for (std::size_t level = 0; level < AttributeScale.size(); ++level)
        if (AttributeScale[level] >= value)
            return static_cast<int>(level);
    return -1;
}

bool isJerseyNumber(std::string_view text) {
    const double number = roundedLeadingNumber(text);
    return number >= 0 && number <= 99;
}

std::optional<int> rosterChoiceFromAnswer(std::string_view answer) {
    while (!answer.empty() && answer.front() == ' ')
        answer.remove_prefix(1);
    while (!answer.empty() && answer.back() == ' ')
        answer.remove_suffix(1);
    if (!answer.empty() && answer.front() == '+')
        answer.remove_prefix(1);
    const bool negative = !answer.empty() && answer.front() == '-';
    if (negative)
        answer.remove_prefix(1);
    // The whole answer is the number, written without an exponent.
    const Scanned scanned = scanNumber(answer, false);
    if (scanned.length == 0 || scanned.length != answer.size() || scanned.outOfRange)
        return std::nullopt;
    // Rounded as an integer conversion rounds: halves to the even neighbour.
    const double rounded = std::nearbyint(negative ? -scanned.value : scanned.value);
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    const int choice = static_cast<int>(rounded);
    return (choice < 0 || choice > 3) ? 3 : choice;
}

} // namespace kvx
