#pragma once

#include <exception>
#include <string>

// Root of every error the program reports. The message is read through
// getMessage only: what() keeps the runtime's default text, because the
// message is a wide string.
class Exception : public std::exception {
public:
    explicit Exception(const std::wstring& message) : message_(message) {}

    const std::wstring& getMessage() const noexcept { return message_; }

private:
    std::wstring message_;
};

// The subclasses add nothing: they exist so that catch sites can tell
// failures apart by type.
class IllegalArgumentException : public Exception {
public:
    using Exception::Exception;
};
class IOException : public Exception {
public:
    using Exception::Exception;
};
class FileNotFoundException : public IOException {
public:
    using IOException::IOException;
};
class NumberFormatException : public Exception {
public:
    using Exception::Exception;
};
class SecurityException : public Exception {
public:
    using Exception::Exception;
};
class ConfigException : public Exception {
public:
    using Exception::Exception;
};
class RegKeyException : public Exception {
public:
    using Exception::Exception;
};

namespace xml {
class XMLException : public ::Exception {
public:
    using ::Exception::Exception;
};
}  // namespace xml
