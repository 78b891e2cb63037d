#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// The classic run-time error numbers the program raises: a number that does not fit its type (6),
// memory running out (7), an unforeseen failure (51), the file services' errors (53 to 76) and
// a cancelled common dialog (32755).
inline constexpr int ErrOverflow = 6;
inline constexpr int ErrOutOfMemory = 7;
inline constexpr int ErrInternal = 51;
inline constexpr int ErrFileNotFound = 53;
// Using a stream the wrong way: reading a file opened for writing, or a closed stream.
inline constexpr int ErrBadFileMode = 54;
inline constexpr int ErrDiskFull = 61;
inline constexpr int ErrInputPastEndOfFile = 62;
inline constexpr int ErrPermissionDenied = 70;
inline constexpr int ErrPathFileAccess = 75;
inline constexpr int ErrPathNotFound = 76;
inline constexpr int ErrDialogCancelled = 32755;

// The Greek description of a run-time error number: the error's own sentence in quotation
// marks, so that it reads both as "Σφάλμα «…». Κωδικός σφάλματος 61" and as "Περιγραφή
// σφάλματος: «…»". Numbers without a description of their own get that of ErrInternal.
QString ErrorDescription(int number);
// A sentence of the system's or the program's as a description, in the same quotation marks.
QString QuotedDescription(const QString& sentence);

// A run-time error: a number and a description in Greek. Where the program handles errors it
// catches these; elsewhere they pass.
class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}
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
