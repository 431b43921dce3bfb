#pragma once

#include "base/messages.h"

#include <stdexcept>
#include <string>

namespace kvx {

// Every problem the core reports carries a message a user can read as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be read or written (missing, no permission, disk full, ...).
class FileError : public Error {
public:
    using Error::Error;
};

// A file could not be written; it was left as it was.
class WriteError : public FileError {
public:
    using FileError::FileError;
};

// A file was changed or replaced by another program after it was read; it was not written.
class FileChanged : public WriteError {
public:
    using WriteError::WriteError;
};

// A file is larger than anything of its kind can be; it was refused without being read.
class FileTooLarge : public FileError {
public:
    using FileError::FileError;
};

// A data file (.kvx) is damaged or is not a data file.
class DataFileError : public Error {
public:
    using Error::Error;
};

// A game image is too short for its edition or its tables lead outside the image.
class RomError : public Error {
public:
    using Error::Error;
};

// The file is not a game image of any edition the program knows (it is far larger than any of
// them, say). The desktop program answers it with msg::RomNotSupported, which it carries.
class UnsupportedImage : public Error {
public:
    UnsupportedImage() : Error(msg::RomNotSupported) {}
};

// A patch file (IPS, BPS) is damaged, is meant for another image, or cannot describe the change.
class PatchError : public Error {
public:
    using Error::Error;
};

// The league does not fit the game image; nothing has been written.
class ExportRefused : public Error {
public:
    using Error::Error;
};

} // namespace kvx
