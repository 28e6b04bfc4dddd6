// The framework's exception classes. Programs catch Exception in their
// entry function and show its message; subclasses say what kind of
// failure it was.
#pragma once
#include <exception>

#include "framework/system/text.h"

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message);
    ~Exception() override;
    const char* what() const noexcept override;
    const AnsiString& Message() const { return FMessage; }

private:
    AnsiString FMessage;
};

// A platform call failed: the message names the operation and the
// platform's text for the error code.
class EWin32Error : public Exception {
public:
    EWin32Error(const AnsiString& operation, unsigned long code);
    ~EWin32Error() override;
    unsigned long ErrorCode() const { return FErrorCode; }

private:
    unsigned long FErrorCode;
};

#define FRAME_EXCEPTION(Name, Base)                 \
    class Name : public Base {                      \
    public:                                         \
        using Base::Base;                           \
        ~Name() override;                           \
    }

FRAME_EXCEPTION(EConvertError, Exception);      // text that is no value of the kind asked for
FRAME_EXCEPTION(EInvalidOperation, Exception);  // an operation refused in the object's state
FRAME_EXCEPTION(EOverflow, Exception);          // a result out of its type's range
FRAME_EXCEPTION(EZeroDivide, Exception);
FRAME_EXCEPTION(EComponentError, Exception);
FRAME_EXCEPTION(EClassNotFound, Exception);
FRAME_EXCEPTION(EInvalidGraphic, Exception);
FRAME_EXCEPTION(EPropertyError, Exception);
FRAME_EXCEPTION(EStreamError, Exception);
FRAME_EXCEPTION(EReadError, EStreamError);
FRAME_EXCEPTION(EResNotFound, Exception);
FRAME_EXCEPTION(EListError, Exception);

// Raises EWin32Error for GetLastError() when ok is false.
void Win32Check(bool ok, const char* operation);
// The platform's text for an error code, without the final full stop.
AnsiString SysErrorMessage(unsigned long code);
