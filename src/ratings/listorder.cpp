#include "ratings/listorder.h"

namespace kvx {

namespace {

unsigned char lowerAscii(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

} // namespace

bool textLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lowerAscii(x) < lowerAscii(y);
    });
}

void ListOrder::click(int clicked, int columnCount) {
    if (clicked < 0 || clicked >= columnCount)
        return;
    if (clicked == column)
        ascending = !ascending;
    else
        column = clicked;
}

} // namespace kvx
