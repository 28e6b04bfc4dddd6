// A container's property bag kept as text, one value a line:
//
//   Name=s:text     a string (also with no prefix)
//   Name=i:-12      a 32-bit integer
//   Name=r:1.5      a double
//   Name=b:1        a boolean
//   Name=e:         empty
//
// Read answers a value in the type the caller asks for when it names one
// (as the platform's bags convert), and E_INVALIDARG for a name it lacks.
// It lives on the stack: its count only checks the balance.
#pragma once
#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

namespace suite::fuzzing {

class TextPropertyBag : public IPropertyBag {
public:
    explicit TextPropertyBag(const std::string& text);
    ~TextPropertyBag();
    TextPropertyBag(const TextPropertyBag&) = delete;
    TextPropertyBag& operator=(const TextPropertyBag&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs_); }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    // What was written, in the format above.
    std::string Text() const;

private:
    std::vector<std::pair<std::wstring, VARIANT>> values_;
    long refs_ = 0;
};

}  // namespace suite::fuzzing
