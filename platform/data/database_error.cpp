#include "data/database_error.h"

#include "framework/system/format.h"

EDatabaseError::EDatabaseError(AnsiString message) : Exception(std::move(message)) {}

EDatabaseError::EDatabaseError(AnsiString doing, AnsiString sqlState, long nativeError, AnsiString driverMessage)
    : Exception(Format("%s: %s (SQLSTATE %s, native error %d)", doing, driverMessage, sqlState, nativeError)),
      FDoing(std::move(doing)),
      FSQLState(std::move(sqlState)),
      FNativeError(nativeError),
      FDriverMessage(std::move(driverMessage)) {}

EDatabaseError::~EDatabaseError() = default;
