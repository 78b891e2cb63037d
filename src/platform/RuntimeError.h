#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// Run-time error numbers that the file services raise.
inline constexpr int ErrOverflow = 6;
inline constexpr int ErrFileNotFound = 53;
inline constexpr int ErrDiskFull = 61;
inline constexpr int ErrInputPastEndOfFile = 62;
inline constexpr int ErrPermissionDenied = 70;
inline constexpr int ErrPathFileAccess = 75;
inline constexpr int ErrPathNotFound = 76;
inline constexpr int ErrDialogCancelled = 32755;

// A run-time error: a number and a description in Greek. Where the program handles errors it
// catches these; elsewhere they pass.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description) {}

    int Number() const { return number_; }
    const QString& Description() const { return description_; }

  private:
    int number_;
    QString description_;
};

}  // namespace platform
