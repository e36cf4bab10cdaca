#include <cstring>

#include <vyr/controls.h>
#include <vyr/model/output/output_impl.h>

namespace vyr::output {

namespace {

struct StreamSource
{
    const std::string* text;
    size_t pos;
};

DWORD ReadFragment(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* src = reinterpret_cast<StreamSource*>(cookie);
    const size_t left = src->text->size() - src->pos;
    const size_t n = left < (size_t)cb ? left : (size_t)cb;
    std::memcpy(buffer, src->text->data() + src->pos, n);
    src->pos += n;
    *pcb = (LONG)n;
    return 0;
}

// The rich-edit control as a device: what the writers finished is appended at the control's
// end as one RTF fragment, complete with its own head, the way a rich-edit control takes
// rich text into its selection.
class RichEditDocument : public Document
{
public:
    explicit RichEditDocument(HWND hWnd) : Document(Format::Rtf), m_hWnd(hWnd) {}

    void Flush() override
    {
        std::string fragment;
        {
            std::lock_guard<std::mutex> lock(Mutex());
            if (m_body.empty()) return;
            fragment = RtfHead();
            fragment += m_body;
            fragment += "}";
            m_body.clear();
        }
        // The control may be gone while a writer still holds it: the text is dropped then.
        // A report written on a worker thread reaches the control on the control's thread.
        if (!::IsWindow(m_hWnd)) return;
        const HWND hWnd = m_hWnd;
        vyr::RunOnWindowThread(hWnd, [hWnd, &fragment]() -> LRESULT {
            auto* pCtrl = dynamic_cast<CRichEditCtrl*>(CWnd::FromHandle(hWnd));
            if (!pCtrl) return 0;
            StreamSource src{&fragment, 0};
            EDITSTREAM es{};
            es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
            es.pfnCallback = &ReadFragment;
            pCtrl->SetSel(-1, -1);
            pCtrl->StreamIn(SF_RTF | SFF_SELECTION, es);
            return 0;
        });
    }

private:
    HWND m_hWnd;
};

} // namespace

std::shared_ptr<Document> MakeRichEditDocument(CWnd* pWnd)
{
    if (!dynamic_cast<CRichEditCtrl*>(pWnd) || !pWnd->GetSafeHwnd()) return nullptr;
    return std::make_shared<RichEditDocument>(pWnd->GetSafeHwnd());
}

} // namespace vyr::output
