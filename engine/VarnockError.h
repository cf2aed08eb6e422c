#pragma once

#include <QString>
#include <exception>
#include <string>

// The classic runtime error numbers that the error boxes show.
enum class ErrorNumber : int {
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    BadFileNameOrNumber = 52,
    DiskFull = 61,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
};

// The one error type of the core code: a number and a description.
class VarnockError : public std::exception {
public:
    explicit VarnockError(ErrorNumber number);
    VarnockError(ErrorNumber number, QString description);

    int number() const { return number_; }
    QString description() const { return description_; }
    const char *what() const noexcept override { return utf8_.c_str(); }

    static QString standardDescription(ErrorNumber number);

private:
    int number_;
    QString description_;
    std::string utf8_;
};
