#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace runtime {

// The numbered run-time errors of the forms runtime. Every failure the window can meet travels
// as one of these; the error traps of the handlers catch them by number.
enum ErrorNumber : std::int32_t {
    errInvalidCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errInternal = 51,
    errBadFileName = 52,
    errFileNotFound = 53,
    errDeviceIO = 57,
    errDiskFull = 61,
    errDeviceUnavailable = 68,
    errPermissionDenied = 70,
    errDiskNotReady = 71,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectNotSet = 91,
    errInvalidPropertyValue = 380,
    errInvalidPicture = 481,
    errCancel = 32755,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(std::int32_t number, const std::string& description);

    std::int32_t Number() const { return number_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string description_;
};

// The runtime's own Italian description of an error number ("Overflow", ...); a generic text for
// numbers it does not know.
std::string DescriptionOf(std::int32_t number);

// Raises the run-time error with its standard description.
[[noreturn]] void Raise(std::int32_t number);

// The run-time error an exception stands for, so that every error trap meets one kind of error: a
// RuntimeError is itself; running out of memory (std::bad_alloc, or std::length_error from a
// container asked to grow past its limit) is 7 "Memoria esaurita"; any other exception is 51
// "Errore interno", a failure inside the program rather than in what the user asked for (a null
// pointer counts as such an exception).
RuntimeError RuntimeErrorOf(std::exception_ptr error);

// RuntimeErrorOf the exception being handled; called inside a catch block.
RuntimeError CurrentRuntimeError();

}  // namespace runtime
