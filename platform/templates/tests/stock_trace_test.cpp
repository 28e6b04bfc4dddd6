// The stock parts' diagnostic lines: each stock method writes its name,
// every reference-count change names the interface it came through with
// the object's new count, and the control's end is announced.
#include <algorithm>

#include "stock_control.h"
#include "testing/debug_output.h"

using Lines = std::vector<std::string>;

TEST_F(StockTest, CountChangesNameTheirInterfaceAndMethodsTheirName) {
    suite::testing::DebugOutputCapture trace;
    IOleControl* oleControl = Get<IOleControl>(IID_IOleControl);
    EXPECT_EQ(trace.Take(), (Lines{"IOleControl 3>\n"}));
    EXPECT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    EXPECT_EQ(oleControl->FreezeEvents(FALSE), S_OK);
    EXPECT_EQ(oleControl->AddRef(), 4u);
    EXPECT_EQ(trace.Take(), (Lines{"IOleControlImpl::FreezeEvents\n", "IOleControlImpl::FreezeEvents\n",
                                   "IOleControl 4>\n"}));
    oleControl->Release();
    oleControl->Release();
    EXPECT_EQ(trace.Take(), (Lines{"IOleControl 3<\n", "IOleControl 2<\n"}));

    // Interfaces sharing one part of the object are named after the first
    // of them in the map; IUnknown is the first entry's.
    IUnknown* unknown = Get<IUnknown>(IID_IUnknown);
    IDispatch* dispatch = Get<IDispatch>(IID_IDispatch);
    IViewObject* view = Get<IViewObject>(IID_IViewObject);
    EXPECT_EQ(trace.Take(), (Lines{"IStockControl 3>\n", "IStockControl 4>\n", "IViewObjectEx 5>\n"}));
    SIZEL size;
    object->GetExtent(DVASPECT_CONTENT, &size);
    view->Release();
    dispatch->Release();
    unknown->Release();
    EXPECT_EQ(trace.Take(), (Lines{"IOleObjectImpl::GetExtent\n", "IViewObjectEx 4<\n", "IStockControl 3<\n",
                                   "IStockControl 2<\n"}));

    EndControl();
    Lines lines = trace.Take();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "IOleObject 1<\n");
    EXPECT_EQ(lines[1], "IStockControl 0<\n");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Control Destroyed\n"), lines.end());
}
