// The settings file: read every key, write one, read back. The key written then holds what was
// written, cut the documented way (at the first line break or NUL, blanks around it removed, at
// most 254 characters), and every other key reads as it did before.
//
// Input: a byte choosing the section and key, two bytes (big-endian) giving the length of the
// value, the value, and the file's text.

#include "check.h"

#include "document/settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Key = std::pair<std::string, std::string>;

// The program's own keys, the same in other letter cases, and keys it does not use.
const std::array<Key, 8> Keys = {{{"files", "html"},
                                  {"files", "rom"},
                                  {"files", "trs"},
                                  {"files", "kvx"},
                                  {"FILES", "Rom"},
                                  {"recent", "0"},
                                  {"another section", "some key"},
                                  {"files", "more"}}};

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Every section and key name the text seems to hold; more than the reader sees is harmless, since
// each is looked up through the reader itself before and after.
std::vector<Key> keysIn(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<Key> keys;
    std::string section;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string line = trimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto close = line.rfind(']');
        if (line.starts_with('[') && close != std::string::npos)
            section = trimBlanks(std::string_view(line).substr(1, close - 1));
        else if (const auto equals = line.find('='); equals != std::string::npos)
            keys.emplace_back(section, trimBlanks(std::string_view(line).substr(0, equals)));
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvx;
    if (size < 3)
        return 0;
    const Key& key = Keys[data[0] % Keys.size()];
    const std::size_t length =
        std::min<std::size_t>((std::size_t{data[1]} << 8) | data[2], size - 3);
    const std::string value(reinterpret_cast<const char*>(data) + 3, length);
    const std::string text(reinterpret_cast<const char*>(data) + 3 + length, size - 3 - length);

    const std::vector<Key> others = keysIn(text);
    std::vector<std::string> before;
    for (const auto& [section, name] : others)
        before.push_back(iniValue(text, section, name));

    const std::string written = iniWithValue(text, key.first, key.second, value);

    std::string expected = trimBlanks(
        std::string_view(value).substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
    if (expected.size() > IniValueLimit)
        expected.resize(IniValueLimit);
    const std::string read = iniValue(written, key.first, key.second);
    fuzz::check(read == expected, "the key written reads back as " + fuzz::quoted(read) +
                                      ", not as " + fuzz::quoted(expected));

    for (std::size_t i = 0; i < others.size(); ++i) {
        const auto& [section, name] = others[i];
        if (sameName(section, key.first) && sameName(name, key.second))
            continue;
        const std::string after = iniValue(written, section, name);
        fuzz::check(after == before[i], "writing [" + key.first + "] " + key.second + " changed [" +
                                            section + "] " + name + " from " +
                                            fuzz::quoted(before[i]) + " to " + fuzz::quoted(after));
    }
    return 0;
}
