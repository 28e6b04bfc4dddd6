// Framework exceptions at the border of an interface method: none may
// leave it. Each becomes error information on the thread (its message as
// the description, the interface, the class's ProgID as the source) and
// DISP_E_EXCEPTION, the code automation clients read it with.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <exception>
#include <new>

namespace bridge {

HRESULT ReportFrameException(const std::exception& error, REFIID iid, const wchar_t* source);

// Runs call; S_OK, or its exception as above (E_OUTOFMEMORY for memory).
template <class Call>
HRESULT FrameCall(REFIID iid, const wchar_t* source, Call&& call) {
    try {
        call();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        return ReportFrameException(error, iid, source);
    }
}

}  // namespace bridge
