#include "stock_control.h"

#include <gtest/gtest.h>

// {5C0D7A14-3E4B-4F21-9A67-0B1E2C3D4E50}
const CLSID CLSID_StockControlPage = {
    0x5c0d7a14, 0x3e4b, 0x4f21, {0x9a, 0x67, 0x0b, 0x1e, 0x2c, 0x3d, 0x4e, 0x50}};

namespace {

BEGIN_OBJECT_MAP(g_objects)
    OBJECT_ENTRY(CLSID_StockControl, TStockControl)
END_OBJECT_MAP()

}  // namespace

TStockControl::~TStockControl() {
    tpl::ReleaseInterface(m_pPicture);
    SysFreeString(m_bstrText);
}

HRESULT TStockControl::FinalConstruct() {
    m_bstrText = SysAllocString(L"stock");
    return m_bstrText ? S_OK : E_OUTOFMEMORY;
}

HRESULT TStockControl::OnDraw(TplDrawInfo& di) {
    const RECTL& b = *di.prcBounds;
    RECT area = {b.left, b.top, b.right, b.bottom};
    HBRUSH brush = CreateSolidBrush(kFill);
    FillRect(di.hdcDraw, &area, brush);
    DeleteObject(brush);
    return S_OK;
}

CComModule& StockModule() {
    static CComModule module;
    static bool started = false;
    if (!started) {
        module.Init(g_objects, GetModuleHandleW(nullptr));
        started = true;
    }
    return module;
}

IUnknown* CreateStockControl() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(StockModule().GetClassObject(CLSID_StockControl, IID_IClassFactory,
                                           reinterpret_cast<void**>(&factory)),
              S_OK);
    if (!factory) return nullptr;
    IUnknown* control = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)),
              S_OK);
    factory->Release();
    return control;
}

void StockTest::SetUp() {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    control = CreateStockControl();
    ASSERT_NE(control, nullptr);
    object = Get<IOleObject>(IID_IOleObject);
}

void StockTest::EndControl() {
    if (object) object->Release();
    object = nullptr;
    if (control) {
        EXPECT_EQ(control->Release(), 0u);
    }
    control = nullptr;
}

void StockTest::TearDown() {
    EndControl();
    EXPECT_EQ(StockModule().GetLockCount(), 0);
    OleUninitialize();
}
