#include "bridge/frame_errors.h"

#include "framework/system/text.h"
#include "templates/error_info.h"

namespace bridge {

HRESULT ReportFrameException(const std::exception& error, REFIID iid, const wchar_t* source) {
    std::wstring description = ToWide(error.what());
    return tpl::ReportError(description.c_str(), iid, source);
}

}  // namespace bridge
