// The root of the class tree: class information for every object, and
// TPersistent, whose values can be copied (Assign) and streamed.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/classes/typinfo.h"

// Declares the class information members inside a class body.
#define FRAME_CLASS(Class, Base)                                   \
public:                                                            \
    using inherited = Base;                                        \
    static const TClassInfo& StaticClass();                        \
    const TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                   \
private:

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const;

    AnsiString ClassName() const;
    const TClassInfo* ClassParent() const;
    bool InheritsFrom(const TClassInfo& ancestor) const;
    bool ClassNameIs(const AnsiString& name) const;

    // Message dispatch by number: the message is a TMessage (controls)
    // whose first field is the message number. Unhandled messages go to
    // DefaultHandler.
    virtual void Dispatch(void* message);
    virtual void DefaultHandler(void* message);

    // Called by TClassInfo::Create after the constructors have run.
    virtual void AfterConstruction();
};

// A checked downcast by class information (nullptr when it does not fit).
template <class T>
T* ObjectAs(TObject* object) {
    return object && object->InheritsFrom(T::StaticClass()) ? static_cast<T*>(object) : nullptr;
}

using TBytes = std::vector<uint8_t>;
class TStrings;

// How a persistent object stores values that are not published
// properties (pictures, image lists, string lists): it defines them by
// name for the reader and the writer.
class TFiler {
public:
    virtual ~TFiler();
    // read gets the bytes from the stream (none: the object holds no data,
    // as when hasData was false), its own to keep; write produces them;
    // hasData false means there is nothing to write.
    virtual void DefineBinaryProperty(const char* name, std::function<void(TBytes&&)> read,
                                      std::function<TBytes()> write, bool hasData) = 0;
    virtual void DefineStringsProperty(const char* name, TStrings* strings, bool hasData) = 0;
};

class TPersistent : public TObject {
    FRAME_CLASS(TPersistent, TObject)
public:
    ~TPersistent() override;
    // Copies source's value; raises EConvertError when the classes do not
    // know each other. Descendants override Assign (what they accept) and
    // AssignTo (what they can become).
    virtual void Assign(const TPersistent* source);
    virtual void DefineProperties(TFiler& filer);
    // The path under which this object appears in a form ("Font" of a
    // control): used in reader messages.
    virtual AnsiString GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* dest) const;
};
