#pragma once

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

// The league does not fit the game image; nothing has been written.
class ExportRefused : public Error {
public:
    using Error::Error;
};

} // namespace kvx
