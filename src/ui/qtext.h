#pragma once

#include <QString>

#include <string>
#include <string_view>

class QLineEdit;

namespace kvx {

// The league's texts are single bytes, exactly as the images and the data file hold them. They
// pass through the windows as Latin-1, each byte one character and back, so that a name holding
// byte 0xE9 comes out of a text box as it went in. A character typed that has no single byte
// becomes "?"; text boxes for league texts refuse such characters beforehand (latin1Only).
QString toQString(std::string_view text);
std::string fromQString(const QString& text);

// File names are in the file system's encoding (UTF-8 here), not in the league's.
QString toQPath(const std::string& path);
std::string fromQPath(const QString& path);

// A message for the user, which may hold a file name as well as league texts and is never read
// back: UTF-8 where the bytes are valid UTF-8, otherwise Latin-1, with the carriage returns the
// program's messages use as line breaks turned into Qt's line feeds.
QString toDisplayText(const std::string& text);

// Lets a text box accept only characters the league can store (Latin-1).
void latin1Only(QLineEdit* box);

} // namespace kvx
