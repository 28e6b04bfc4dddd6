#include "framework/system/exceptions.h"

#include <windows.h>

#include "framework/system/format.h"

Exception::Exception(AnsiString message) : FMessage(std::move(message)) {}
Exception::~Exception() = default;
const char* Exception::what() const noexcept { return FMessage.c_str(); }

AnsiString SysErrorMessage(unsigned long code) {
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == '.')) --n;
    return AnsiString(buffer, n);
}

EWin32Error::EWin32Error(const AnsiString& operation, unsigned long code)
    : Exception(Format("%s failed: error %u (%s)", operation, code, SysErrorMessage(code))), FErrorCode(code) {}
EWin32Error::~EWin32Error() = default;

EConvertError::~EConvertError() = default;
EInvalidOperation::~EInvalidOperation() = default;
EOverflow::~EOverflow() = default;
EZeroDivide::~EZeroDivide() = default;
EComponentError::~EComponentError() = default;
EClassNotFound::~EClassNotFound() = default;
EInvalidGraphic::~EInvalidGraphic() = default;
EPropertyError::~EPropertyError() = default;
EStreamError::~EStreamError() = default;
EReadError::~EReadError() = default;
EResNotFound::~EResNotFound() = default;
EListError::~EListError() = default;

void Win32Check(bool ok, const char* operation) {
    if (!ok) throw EWin32Error(operation, GetLastError());
}
