// Run-time library basics: the framework's string, its exception classes
// and the conversions programs use.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

using AnsiString = std::string;

// The framework's exception class; programs catch it in their entry
// function and show it. Subclasses say what kind of failure it was.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message);
    ~Exception() override;
    const char* what() const noexcept override;
    const AnsiString& Message() const { return FMessage; }

private:
    AnsiString FMessage;
};

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

FRAME_EXCEPTION(EConvertError, Exception);
FRAME_EXCEPTION(EComponentError, Exception);
FRAME_EXCEPTION(EClassNotFound, Exception);
FRAME_EXCEPTION(EInvalidOperation, Exception);
FRAME_EXCEPTION(EInvalidGraphic, Exception);
FRAME_EXCEPTION(EPropertyError, Exception);
FRAME_EXCEPTION(EStreamError, Exception);
FRAME_EXCEPTION(EReadError, EStreamError);
FRAME_EXCEPTION(EResNotFound, Exception);
FRAME_EXCEPTION(EListError, Exception);

// Raises EWin32Error for GetLastError() when ok is false.
void Win32Check(bool ok, const char* operation);

AnsiString IntToStr(int64_t value);
int StrToInt(const AnsiString& text);           // EConvertError when not a number
bool TryStrToInt64(const AnsiString& text, int64_t& value);
AnsiString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
AnsiString UpperCase(const AnsiString& text);
bool SameText(const AnsiString& a, const AnsiString& b);
bool IsValidIdent(const AnsiString& text);
