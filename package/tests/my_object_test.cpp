// Line collectors and type information.
#include <gtest/gtest.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "MyObject/MyObject.h"
#include "Types/Types.h"

namespace {

// What the calls print to the process's standard output.
template <class F>
std::string StandardOutputOf(F&& print) {
    const char* file = "corvane_stdout.txt";
    std::fflush(stdout);
    int saved = _dup(1);
    FILE* capture = std::fopen(file, "wb");
    _dup2(_fileno(capture), 1);
    print();
    std::fflush(stdout);
    _dup2(saved, 1);
    _close(saved);
    std::fclose(capture);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::remove(file);
    return text.str();
}

TEST(LineCollectors, MyObjectPrintsEachLineAndTheListKeepsThem) {
    TMyObject printer;
    EXPECT_EQ(StandardOutputOf([&] {
                  printer.WriteLine("abc");
                  printer.WriteLine("");
                  printer.WriteLine("100%s");
              }),
              "abc\n\n100%s\n");

    TListHierarchy list;
    TMyObject& asBase = list;
    EXPECT_EQ(StandardOutputOf([&] { asBase.WriteLine("abc"); }), "");
    ASSERT_EQ(list.Lines()->Count(), 1);
    EXPECT_EQ(list.Lines()->Strings(0), "abc");
    EXPECT_TRUE(list.InheritsFrom(TMyObject::StaticClass()));
}

TEST(TypeInformation, TheFrameworksOwnRecordEveryTime) {
    EXPECT_EQ(GetIntTypeInfo(), TypeInfoOf<int>());
    EXPECT_EQ(GetSingleTypeInfo(), TypeInfoOf<float>());
    EXPECT_EQ(GetDoubleTypeInfo(), TypeInfoOf<double>());
    EXPECT_EQ(GetStringTypeInfo(), TypeInfoOf<AnsiString>());
    EXPECT_EQ(GetColorTypeInfo(), TypeInfoOf<TColor>());
    EXPECT_EQ(GetColorTypeInfo(), GetColorTypeInfo());
    EXPECT_EQ(GetColorTypeInfo()->Kind, TTypeKind::Color);
    EXPECT_EQ(GetSingleTypeInfo()->FloatType, TFloatType::Single);
}

}  // namespace
