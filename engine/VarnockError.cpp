#include "engine/VarnockError.h"

VarnockError::VarnockError(ErrorNumber number)
    : VarnockError(number, standardDescription(number))
{
}

VarnockError::VarnockError(ErrorNumber number, QString description)
    : number_(static_cast<int>(number)),
      description_(std::move(description)),
      utf8_(description_.toStdString())
{
}

QString VarnockError::standardDescription(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::Overflow: return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory: return QStringLiteral("Out of memory");
    case ErrorNumber::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case ErrorNumber::BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case ErrorNumber::DiskFull: return QStringLiteral("Disk full");
    case ErrorNumber::PermissionDenied: return QStringLiteral("Permission denied");
    case ErrorNumber::PathFileAccessError: return QStringLiteral("Path/File access error");
    case ErrorNumber::PathNotFound: return QStringLiteral("Path not found");
    }
    return QStringLiteral("Application-defined or object-defined error");
}
