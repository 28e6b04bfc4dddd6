// EDatabaseError: the one exception of data access. A refusal of the
// data-access classes themselves (a dataset in the wrong state, a field
// that is not there) carries only its message; a failed driver call also
// carries what we were doing, the SQLSTATE, the driver's native error
// code and the driver's own message.
#pragma once
#include "framework/system/exceptions.h"

class EDatabaseError : public Exception {
public:
    explicit EDatabaseError(AnsiString message);
    // Message: "<doing>: <driver message> (SQLSTATE <state>, native error <code>)".
    EDatabaseError(AnsiString doing, AnsiString sqlState, long nativeError, AnsiString driverMessage);
    ~EDatabaseError() override;

    const AnsiString& Doing() const { return FDoing; }
    const AnsiString& SQLState() const { return FSQLState; }  // empty: not the driver's
    long NativeError() const { return FNativeError; }
    const AnsiString& DriverMessage() const { return FDriverMessage; }

private:
    AnsiString FDoing;
    AnsiString FSQLState;
    long FNativeError = 0;
    AnsiString FDriverMessage;
};
