// Failures are reported to the user by number and French description, the
// way the tool always has. Procedures that convert text or index tables raise
// a RuntimeError; the procedure that owns the failure catches it, reports it
// and lets its caller go on.
#pragma once

#include <stdexcept>
#include <string>

namespace trelvane {

enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrSubscript = 9,
    kErrTypeMismatch = 13,
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrNotRegularFile = 54,
    kErrFileAlreadyExists = 58,
    kErrDiskFull = 61,
    kErrInputPastEnd = 62,
    kErrPermission = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    // Told apart from the failure they are shown as (the number less 1000),
    // so that their message can say what happened.
    kErrInputTooLarge = 1007,
    kErrLinkRefused = 1075,
};

class RuntimeError : public std::runtime_error {
  public:
    explicit RuntimeError(int number);
    int Number() const { return number_; }

  private:
    int number_;
};

// French description of an error number (Windows-1252).
std::string ErrorDescription(int number);

// The number a message shows for an error.
int ShownErrorNumber(int number);

// Memory ran out where the failure is caught and the work goes on (a
// dossier's FNS3 records, a summary, a report, on either thread): the run
// driver ends the run all the same, since what it built is incomplete.
void NoteOutOfMemory();
bool OutOfMemoryNoted();
void ClearOutOfMemoryNote();

}  // namespace trelvane
