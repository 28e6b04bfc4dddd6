#include "snapview_library.h"

#include <gtest/gtest.h>

#include <regex>

namespace snapview_test {

const Library& Server() {
    static const Library library = suite::testing::LoadInProcessServer(L"Snapview.dll");
    return library;
}

IClassFactory* Factory() {
    const Library& library = Server();
    EXPECT_NE(library.getClassObject, nullptr) << "Snapview.dll not loaded";
    if (!library.getClassObject) return nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = library.getClassObject(CLSID_Snapview, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory));
    EXPECT_EQ(hr, S_OK);
    return factory;
}

HRESULT CreateControl(IUnknown* outer, REFIID riid, void** ppv) {
    IClassFactory* factory = Factory();
    if (!factory) return E_UNEXPECTED;
    HRESULT hr = factory->CreateInstance(outer, riid, ppv);
    factory->Release();
    return hr;
}

std::vector<std::string> Messages(const std::vector<std::string>& lines) {
    static const std::regex shape(R"(Trace ([A-Z]+) [0-9]+: \[Def\] (.*)\r\n)");
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_match(line, m, shape)) {
            out.push_back(m[1].str() + ": " + m[2].str());
        } else {
            out.push_back("malformed: " + line);
        }
    }
    return out;
}


}  // namespace snapview_test
