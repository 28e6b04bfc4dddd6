#include "gleaner_impl.h"

// {7EBDAAE2-8120-11CF-899F-00AA00688B10}
const CLSID CLSID_StockPicturePage = {
    0x7ebdaae2, 0x8120, 0x11cf, {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};

namespace {
const wchar_t kInitialText[] = L"Quibb's Clipboard Template Control !";

// IGleaner promises error information (ISupportErrorInfo), so a failed grab
// describes itself instead of leaving a caller with an older, unrelated one.
HRESULT GrabFailed(HRESULT hr, const wchar_t* why) {
    return tpl::ReportError(why, IID_IGleaner, L"Quibbs.Gleaner", hr);
}
}  // namespace

TGleanerImpl::TGleanerImpl() {
    m_grabbedMedium.tymed = TYMED_NULL;
    tpl::Trace("TGleanerImpl::TGleaner");
}

TGleanerImpl::~TGleanerImpl() {
    AdoptPicture(nullptr, STGMEDIUM{TYMED_NULL, {nullptr}, nullptr});
    SysFreeString(m_bstrText);
}

HRESULT TGleanerImpl::FinalConstruct() {
    tpl::Trace("TGleanerImpl::FinalConstruct");
    m_bstrText = SysAllocString(kInitialText);
    if (!m_bstrText) return E_OUTOFMEMORY;
    return GrabFromClipboard();
}

STDMETHODIMP TGleanerImpl::InterfaceSupportsErrorInfo(REFIID iid) {
    if (tpl::IsNull(iid)) return E_POINTER;
    return InlineIsEqualGUID(iid, IID_IGleaner) ? S_OK : S_FALSE;
}

STDMETHODIMP TGleanerImpl::GrabFromClipboard() {
    tpl::Trace("TGleanerImpl::GrabFromClipboard");
    IDataObject* data = nullptr;
    HRESULT hr = OleGetClipboard(&data);
    if (FAILED(hr)) return GrabFailed(hr, L"The clipboard cannot be read.");
    IEnumFORMATETC* formats = nullptr;
    hr = data->EnumFormatEtc(DATADIR_GET, &formats);
    if (FAILED(hr)) {
        data->Release();
        return GrabFailed(hr, L"The clipboard's formats cannot be listed.");
    }

    bool accepted = false;
    HRESULT fetched = E_FAIL;
    STGMEDIUM medium = {};
    medium.tymed = TYMED_NULL;
    FORMATETC format;
    while (!accepted && formats->Next(1, &format, nullptr) == S_OK) {
        if (format.cfFormat == CF_BITMAP && (format.tymed & TYMED_GDI)) {
            accepted = true;
            format.tymed = TYMED_GDI;
            fetched = data->GetData(&format, &medium);
        }
        CoTaskMemFree(format.ptd);
    }
    formats->Release();
    data->Release();

    if (!accepted) {
        tpl::Trace("Couldn't get format");
        return GrabFailed(E_FAIL, L"The clipboard holds no bitmap.");
    }
    // A format offered but not delivered leaves no bitmap to show.
    if (FAILED(fetched) || medium.tymed != TYMED_GDI || !medium.hBitmap) {
        if (SUCCEEDED(fetched)) ReleaseStgMedium(&medium);
        tpl::Trace("Couldn't get data");
        return GrabFailed(FAILED(fetched) ? fetched : E_FAIL,
                          L"The clipboard's bitmap cannot be fetched.");
    }

    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = medium.hBitmap;
    description.bmp.hpal = nullptr;
    IPictureDisp* picture = nullptr;
    // The platform makes a picture of any handle; one of something else
    // than a bitmap would be a picture of nothing drawable.
    hr = GetObjectType(medium.hBitmap) == OBJ_BITMAP
             ? OleCreatePictureIndirect(&description, IID_IPictureDisp, FALSE,
                                        reinterpret_cast<void**>(&picture))
             : E_INVALIDARG;
    if (FAILED(hr)) {
        ReleaseStgMedium(&medium);
        tpl::Trace("Couldn't create OLE Picture");
        return GrabFailed(hr, L"No picture can be made of the clipboard's bitmap.");
    }
    AdoptPicture(picture, medium);
    FireViewChange();
    Fire_OnGrabFromClipboard();
    return S_OK;
}

void TGleanerImpl::AdoptPicture(IPictureDisp* picture, const STGMEDIUM& medium) {
    tpl::ReleaseInterface(m_pPicture);
    if (m_grabbedMedium.tymed != TYMED_NULL) ReleaseStgMedium(&m_grabbedMedium);
    m_pPicture = picture;
    m_grabbedMedium = medium;
}

void TGleanerImpl::ReplacePicture(IPictureDisp* picture) {
    AdoptPicture(picture, STGMEDIUM{TYMED_NULL, {nullptr}, nullptr});
}

HRESULT TGleanerImpl::DoCustomVerb(LONG verb) {
    return verb == 1 ? GrabFromClipboard() : E_NOTIMPL;
}

HRESULT TGleanerImpl::OnDraw(TplDrawInfo& di) {
    tpl::Trace("TGleanerImpl::OnDraw");
    if (di.dwDrawAspect != DVASPECT_CONTENT) return E_FAIL;
    // Without a picture there is nothing to show, and nothing has failed.
    if (!m_pPicture) return S_OK;
    IPicture* picture = nullptr;
    HRESULT hr = m_pPicture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture));
    if (FAILED(hr)) {
        tpl::Trace("Couldn't get IPicture from IPictureDisp");
        return hr;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    const RECTL& r = *di.prcBounds;
    // The source runs bottom-up in HIMETRIC: start at the top, negative height.
    hr = picture->Render(di.hdcDraw, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, height,
                         width, -height, nullptr);
    picture->Release();
    if (FAILED(hr)) tpl::Trace("Failure calling Picture->Render");
    return hr;
}
