// Clocks in form text: every published value is stored unless it is 0,
// and a value absent from a form keeps what the constructor set.
#include "clock_fixture.h"

namespace {

class ClockStream : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        Form->SetName("Form");
        RegisterClasses({&TMyClock::StaticClass(), &TColorClock::StaticClass(), &TMyClock2::StaticClass(),
                         &TColorClock2::StaticClass()});
    }
    // The form's text read into a new form.
    std::unique_ptr<TForm> ReadBack(const AnsiString& text) {
        auto copy = std::make_unique<TForm>(nullptr);
        copy->SetName("Form");
        ReadFormText(copy.get(), text, "CLOCKS");
        return copy;
    }
};

TEST_F(ClockStream, ZeroValuesAreAbsentAndComeBackAsTheConstructorsSet) {
    auto clock = Place<TColorClock>(100, 100, stRectangle);
    clock->SetName("Clock");
    clock->ClockAttributes()->SetColor(clBlack);
    clock->SetColor(clBlack);
    clock->SetTextColor(clBlack);
    auto clock2 = Place<TColorClock2>(100, 100, stRectangle);
    clock2->SetName("Clock2");
    clock2->ClockAttributes()->SetColor(clBlack);
    clock2->SetColor(clBlack);

    AnsiString text = WriteFormText(Form.get());
    for (const char* absent : {"ClockAttributes.", "FaceColor", "TextColor", "Running"})
        EXPECT_EQ(text.find(absent), AnsiString::npos) << absent << " in\n" << text;

    auto copy = ReadBack(text);
    auto read = ObjectAs<TColorClock>(copy->FindComponent("Clock"));
    auto read2 = ObjectAs<TColorClock2>(copy->FindComponent("Clock2"));
    ASSERT_TRUE(read && read2);
    EXPECT_EQ(read->ClockAttributes()->Color(), clBtnFace);
    EXPECT_EQ(read->ClockAttributes()->Shape(), stEllipse);
    EXPECT_EQ(read->FaceColor(), clGreen);
    EXPECT_EQ(read->TextColor(), clBlack);
    EXPECT_FALSE(read->Running());
    EXPECT_EQ(read2->ClockAttributes()->Color(), clBtnFace);
    EXPECT_EQ(read2->ClockAttributes()->Shape(), stEllipse);
    EXPECT_EQ(read2->FaceColor(), clGreen);
}

TEST_F(ClockStream, OtherValuesGoRoundAndARunningClockTicksOnceLoaded) {
    auto clock = Place<TColorClock>(120, 90, stCircle);
    clock->SetName("Clock");
    clock->SetColor(clYellow);
    clock->SetTextColor(clNavy);
    clock->SetAlign(alLeft);
    clock->SetRunning(true);
    AnsiString text = WriteFormText(Form.get());
    EXPECT_NE(text.find("ClockAttributes.Shape = stCircle"), AnsiString::npos) << text;
    clock->SetRunning(false);

    auto copy = ReadBack(text);
    auto read = ObjectAs<TColorClock>(copy->FindComponent("Clock"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->ClockAttributes()->Color(), clRed);
    EXPECT_EQ(read->ClockAttributes()->Shape(), stCircle);
    EXPECT_EQ(read->FaceColor(), clYellow);
    EXPECT_EQ(read->TextColor(), clNavy);
    EXPECT_EQ(read->Align(), alLeft);
    EXPECT_TRUE(read->Running());
    EXPECT_TRUE(KillTimer(read->Handle(), 1)) << "loading started the timer";
    EXPECT_EQ(WriteFormText(copy.get()), text);
}

TEST_F(ClockStream, ThePublishedPropertiesInTheirOrder) {
    auto names = [](const TClassInfo& cls) {
        std::vector<AnsiString> out;
        for (const TPropInfo* p : cls.Properties()) out.push_back(p->Name);
        return out;
    };
    auto tail = [](std::vector<AnsiString> all, size_t n) { return std::vector<AnsiString>(all.end() - n, all.end()); };
    using Names = std::vector<AnsiString>;
    EXPECT_EQ(names(TClockAttributes::StaticClass()), (Names{"Color", "Shape"}));
    EXPECT_EQ(names(TClockAttribute2::StaticClass()), (Names{"Color", "Shape"}));
    EXPECT_EQ(tail(names(TMyClock::StaticClass()), 4), (Names{"Running", "ClockAttributes", "Font", "TextColor"}));
    EXPECT_EQ(tail(names(TColorClock::StaticClass()), 1), (Names{"FaceColor"}));
    EXPECT_EQ(tail(names(TMyClock2::StaticClass()), 3), (Names{"Running", "ClockAttributes", "Font"}));
    EXPECT_EQ(tail(names(TColorClock2::StaticClass()), 1), (Names{"FaceColor"}));
    EXPECT_NE(TMyClock::StaticClass().FindProperty("Align"), nullptr);
    EXPECT_EQ(TMyClock::StaticClass().FindProperty("Color"), nullptr) << "the control's colour is not published";
}

}  // namespace
