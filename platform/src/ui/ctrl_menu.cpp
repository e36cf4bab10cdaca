// Image lists and popup menus.
#include <algorithm>
#include <deque>
#include <map>
#include <mutex>

#include "ctrl_internal.h"
#include <vyr/raster.h>

// ---- Image lists ----------------------------------------------------------------------

struct _IMAGELIST
{
    int cx = 16, cy = 16;
    UINT flags = 0;
    COLORREF bk = CLR_NONE;
    std::vector<vyr::Image> images;
    std::vector<std::vector<bool>> clear; // per image: pixels the mask made transparent
    CImageList* owner = nullptr;
};

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST h) { return h ? h->owner : nullptr; }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int, int)
{
    VYR_CHECK(m_hImageList == nullptr, "CImageList::Create on a list that exists");
    if (cx <= 0 || cy <= 0) return FALSE;
    m_hImageList = new _IMAGELIST;
    m_hImageList->cx = cx;
    m_hImageList->cy = cy;
    m_hImageList->flags = nFlags;
    m_hImageList->owner = this;
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    vyr::RegisterControlClasses(); // installs the resolver of resource bitmaps
    CBitmap bm;
    if (!bm.LoadBitmap(nBitmapID)) return FALSE;
    BITMAP info{};
    bm.GetBitmap(&info);
    if (!Create(cx, info.bmHeight, crMask == CLR_NONE ? ILC_COLOR24 : (ILC_COLOR24 | ILC_MASK), 0, nGrow)) return FALSE;
    return Add(&bm, crMask) >= 0;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList) return FALSE;
    delete m_hImageList;
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::GetImageCount() const { return m_hImageList ? (int)m_hImageList->images.size() : 0; }

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!m_hImageList || !pbmImage || !pbmImage->GetImage()) return -1;
    const vyr::Image& src = *pbmImage->GetImage();
    int first = GetImageCount();
    const int cx = m_hImageList->cx, cy = m_hImageList->cy;
    int count = std::max(1, src.Width() / cx);
    bool masked = (m_hImageList->flags & ILC_MASK) && crMask != CLR_NONE;
    for (int k = 0; k < count; ++k) {
        vyr::Image img(cx, cy, RGB(0, 0, 0));
        std::vector<bool> clear((size_t)cx * cy, false);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) {
                COLORREF c = src.GetPixel(k * cx + x, y);
                if (c == CLR_INVALID) c = RGB(0, 0, 0);
                img.SetPixel(x, y, c);
                if (masked && c == crMask) clear[(size_t)y * cx + x] = true;
            }
        m_hImageList->images.push_back(std::move(img));
        m_hImageList->clear.push_back(std::move(clear));
    }
    return first;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    int first = Add(pbmImage, CLR_NONE);
    if (first < 0 || !pbmMask || !pbmMask->GetImage() || !(m_hImageList->flags & ILC_MASK)) return first;
    // White mask pixels are the transparent ones.
    const vyr::Image& mask = *pbmMask->GetImage();
    const int cx = m_hImageList->cx, cy = m_hImageList->cy;
    for (int k = first; k < GetImageCount(); ++k)
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                m_hImageList->clear[(size_t)k][(size_t)y * cx + x] = mask.GetPixel((k - first) * cx + x, y) == RGB(255, 255, 255);
    return first;
}

int CImageList::Add(HICON hIcon)
{
    if (!m_hImageList) return -1;
    const int cx = m_hImageList->cx, cy = m_hImageList->cy;
    vyr::Image src, srcMask;
    if (!vyr::IconPixels(hIcon, src, srcMask)) {
        // A standard cursor has no pixels here: an empty, fully transparent image.
        m_hImageList->images.emplace_back(cx, cy, RGB(0, 0, 0));
        m_hImageList->clear.emplace_back((size_t)cx * cy, true);
        return (int)m_hImageList->images.size() - 1;
    }
    // Shrunk to the list's size by averaging each cell of source pixels: a pixel shows when
    // at least half of its cell is opaque, in the mean colour of the opaque ones.
    vyr::Image img(cx, cy, RGB(0, 0, 0));
    std::vector<bool> clear((size_t)cx * cy, true);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const int x0 = x * src.Width() / cx, x1 = std::max(x0 + 1, (x + 1) * src.Width() / cx);
            const int y0 = y * src.Height() / cy, y1 = std::max(y0 + 1, (y + 1) * src.Height() / cy);
            int opaque = 0, all = 0;
            unsigned r = 0, g = 0, b = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    ++all;
                    if (srcMask.GetPixel(sx, sy) == RGB(255, 255, 255)) continue;
                    const COLORREF c = src.GetPixel(sx, sy);
                    r += GetRValue(c);
                    g += GetGValue(c);
                    b += GetBValue(c);
                    ++opaque;
                }
            if (opaque * 2 < all) continue;
            img.SetPixel(x, y, RGB(r / opaque, g / opaque, b / opaque));
            clear[(size_t)y * cx + x] = false;
        }
    m_hImageList->images.push_back(std::move(img));
    m_hImageList->clear.push_back(std::move(clear));
    return (int)m_hImageList->images.size() - 1;
}

BOOL CImageList::Remove(int nImage)
{
    if (!m_hImageList) return FALSE;
    if (nImage == -1) {
        m_hImageList->images.clear();
        m_hImageList->clear.clear();
        return TRUE;
    }
    if (nImage < 0 || nImage >= GetImageCount()) return FALSE;
    m_hImageList->images.erase(m_hImageList->images.begin() + nImage);
    m_hImageList->clear.erase(m_hImageList->clear.begin() + nImage);
    return TRUE;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (nImage < 0 || nImage >= GetImageCount()) return FALSE;
    int n = GetImageCount();
    int added = Add(pbmImage, pbmMask);
    if (added < 0) return FALSE;
    m_hImageList->images[(size_t)nImage] = m_hImageList->images[(size_t)added];
    m_hImageList->clear[(size_t)nImage] = m_hImageList->clear[(size_t)added];
    m_hImageList->images.resize((size_t)n);
    m_hImageList->clear.resize((size_t)n);
    return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!pDC || nImage < 0 || nImage >= GetImageCount()) return FALSE;
    const vyr::Image& img = m_hImageList->images[(size_t)nImage];
    const std::vector<bool>& clear = m_hImageList->clear[(size_t)nImage];
    bool anyClear = std::find(clear.begin(), clear.end(), true) != clear.end();
    bool transparent = anyClear && ((nStyle & ILD_TRANSPARENT) || m_hImageList->bk == CLR_NONE);
    if (!transparent) {
        CBitmap bm;
        CDC mem;
        if (!bm.CreateFromImage(img) || !mem.CreateCompatibleDC(pDC)) return FALSE;
        CBitmap* old = mem.SelectObject(&bm);
        pDC->BitBlt(pt.x, pt.y, img.Width(), img.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        return TRUE;
    }
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (!clear[(size_t)y * img.Width() + x]) pDC->SetPixel(pt.x + x, pt.y + y, img.GetPixel(x, y));
    return TRUE;
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* info) const
{
    if (!info || nImage < 0 || nImage >= GetImageCount()) return FALSE;
    *info = IMAGEINFO{};
    info->rcImage = CRect(0, 0, m_hImageList->cx, m_hImageList->cy);
    return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    if (!m_hImageList) return CLR_NONE;
    COLORREF old = m_hImageList->bk;
    m_hImageList->bk = cr;
    return old;
}

COLORREF CImageList::GetBkColor() const { return m_hImageList ? m_hImageList->bk : CLR_NONE; }

BOOL CImageList::SetImageCount(UINT n)
{
    if (!m_hImageList) return FALSE;
    m_hImageList->images.resize(n, vyr::Image(m_hImageList->cx, m_hImageList->cy, RGB(0, 0, 0)));
    m_hImageList->clear.resize(n, std::vector<bool>((size_t)m_hImageList->cx * m_hImageList->cy, true));
    return TRUE;
}

CSize CImageList::GetImageSize() const { return m_hImageList ? CSize(m_hImageList->cx, m_hImageList->cy) : CSize(0, 0); }

const vyr::Image* CImageList::GetImage(int nImage) const
{
    if (nImage < 0 || nImage >= GetImageCount()) return nullptr;
    return &m_hImageList->images[(size_t)nImage];
}

bool CImageList::IsTransparent(int nImage, int x, int y) const
{
    if (nImage < 0 || nImage >= GetImageCount() || x < 0 || y < 0 || x >= m_hImageList->cx || y >= m_hImageList->cy) return false;
    return m_hImageList->clear[(size_t)nImage][(size_t)y * m_hImageList->cx + x];
}

// ---- Menus ----------------------------------------------------------------------------

struct HMENU__
{
    struct Item
    {
        UINT flags;
        UINT_PTR id;
        std::string text;
        HMENU sub;
    };
    std::vector<Item> items;
    bool popup = false;
    UINT defaultItem = (UINT)-1;
};

namespace {

std::mutex g_menuMutex;
std::map<HMENU, CMenu*> g_permanent;         // attached objects
std::map<HMENU, std::unique_ptr<CMenu>> g_temp; // FromHandle objects of unattached menus
std::deque<UINT> g_choices;
std::vector<vyr::TrackedMenu> g_tracked;

HMENU__::Item* FindItem(HMENU m, UINT pos, UINT flags, HMENU* owner = nullptr)
{
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (pos >= m->items.size()) return nullptr;
        if (owner) *owner = m;
        return &m->items[pos];
    }
    for (auto& it : m->items) {
        if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == pos) {
            if (owner) *owner = m;
            return &it;
        }
        if ((it.flags & MF_POPUP) && it.sub)
            if (auto* found = FindItem(it.sub, pos, flags, owner)) return found;
    }
    return nullptr;
}

HMENU__::Item MakeItem(UINT nFlags, UINT_PTR nID, LPCTSTR text)
{
    HMENU__::Item it{nFlags & ~(MF_BYPOSITION | MF_APPEND | MF_CHANGE | MF_DELETE | MF_REMOVE), 0, "", nullptr};
    if (nFlags & MF_POPUP) it.sub = (HMENU)nID;
    else it.id = nID;
    if (!(nFlags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text) it.text = text;
    return it;
}

void DestroyTree(HMENU m)
{
    if (!m) return;
    for (auto& it : m->items)
        if ((it.flags & MF_POPUP) && it.sub) DestroyTree(it.sub);
    auto t = g_temp.find(m);
    if (t != g_temp.end()) {
        t->second->m_hMenu = nullptr; // the temporary must not destroy it again
        g_temp.erase(t);
    }
    auto p = g_permanent.find(m);
    if (p != g_permanent.end()) {
        p->second->m_hMenu = nullptr;
        g_permanent.erase(p);
    }
    delete m;
}

bool Chooseable(HMENU m, UINT id)
{
    HMENU__::Item* it = FindItem(m, id, MF_BYCOMMAND);
    return it && !(it->flags & (MF_GRAYED | MF_DISABLED));
}

} // namespace

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu) return nullptr;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    auto p = g_permanent.find(hMenu);
    if (p != g_permanent.end()) return p->second;
    auto& t = g_temp[hMenu];
    if (!t) {
        t = std::make_unique<CMenu>();
        t->m_hMenu = hMenu; // not registered: destroying the temporary does not free the menu
    }
    return t.get();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    VYR_CHECK(m_hMenu == nullptr, "CMenu::Attach on a menu object that holds a menu");
    if (!hMenu) return FALSE;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    m_hMenu = hMenu;
    g_permanent[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    if (h) g_permanent.erase(h);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu()
{
    HMENU h = new HMENU__;
    return Attach(h);
}

BOOL CMenu::CreatePopupMenu()
{
    HMENU h = new HMENU__;
    h->popup = true;
    return Attach(h);
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu) return FALSE;
    // A temporary object from FromHandle does not own the menu.
    std::lock_guard<std::mutex> lk(g_menuMutex);
    auto p = g_permanent.find(m_hMenu);
    if (p == g_permanent.end() || p->second != this) {
        m_hMenu = nullptr;
        return FALSE;
    }
    DestroyTree(m_hMenu);
    m_hMenu = nullptr;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    if (!m_hMenu) return FALSE;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    m_hMenu->items.push_back(MakeItem(nFlags, nIDNewItem, lpszNewItem));
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    if (!m_hMenu) return FALSE;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU owner = m_hMenu;
    size_t at = m_hMenu->items.size();
    if (nFlags & MF_BYPOSITION) {
        if (nPosition != (UINT)-1 && nPosition < m_hMenu->items.size()) at = nPosition;
    } else {
        HMENU__::Item* it = FindItem(m_hMenu, nPosition, MF_BYCOMMAND, &owner);
        if (!it) return FALSE;
        at = (size_t)(it - owner->items.data());
    }
    owner->items.insert(owner->items.begin() + (long)at, MakeItem(nFlags, nIDNewItem, lpszNewItem));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU__::Item* it = FindItem(m_hMenu, nPosition, nFlags);
    if (!it) return FALSE;
    *it = MakeItem(nFlags, nIDNewItem, lpszNewItem);
    return TRUE;
}

namespace {
// Takes an item out of its menu; with destroySub its popup goes too, else the caller keeps it.
BOOL TakeItem(HMENU menu, UINT nPosition, UINT nFlags, bool destroySub)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU owner = nullptr;
    HMENU__::Item* it = FindItem(menu, nPosition, nFlags, &owner);
    if (!it) return FALSE;
    HMENU sub = (destroySub && (it->flags & MF_POPUP)) ? it->sub : nullptr;
    owner->items.erase(owner->items.begin() + (it - owner->items.data()));
    if (sub) DestroyTree(sub);
    return TRUE;
}
} // namespace

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return TakeItem(m_hMenu, nPosition, nFlags, false); }
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return TakeItem(m_hMenu, nPosition, nFlags, true); }

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU__::Item* it = FindItem(m_hMenu, nIDCheckItem, nCheck & MF_BYPOSITION);
    if (!it) return (UINT)-1;
    UINT old = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (nCheck & MF_CHECKED);
    return old;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU__::Item* it = FindItem(m_hMenu, nIDEnableItem, nEnable & MF_BYPOSITION);
    if (!it) return (UINT)-1;
    UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    bool found = false;
    for (UINT k = nIDFirst; k <= nIDLast; ++k) {
        HMENU__::Item* it = FindItem(m_hMenu, k, nFlags & MF_BYPOSITION);
        if (!it) continue;
        it->flags = (it->flags & ~MF_CHECKED) | (k == nIDItem ? MF_CHECKED : 0);
        found = found || k == nIDItem;
    }
    return found;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU__::Item* it = FindItem(m_hMenu, nID, nFlags);
    if (!it) return (UINT)-1;
    if ((it->flags & MF_POPUP) && it->sub) return (UINT)(it->sub->items.size() << 8) | (it->flags & 0xFF);
    return it->flags;
}

int CMenu::GetMenuItemCount() const
{
    if (!m_hMenu) return -1;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    return (int)m_hMenu->items.size();
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    if (!m_hMenu || nPos < 0 || nPos >= (int)m_hMenu->items.size()) return 0;
    const auto& it = m_hMenu->items[(size_t)nPos];
    if (it.flags & MF_POPUP) return (UINT)-1;
    return (UINT)it.id;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    HMENU__::Item* it = FindItem(m_hMenu, nIDItem, nFlags);
    rString = it ? CString(it->text) : CString();
    return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    HMENU sub = nullptr;
    {
        std::lock_guard<std::mutex> lk(g_menuMutex);
        if (!m_hMenu || nPos < 0 || nPos >= (int)m_hMenu->items.size()) return nullptr;
        const auto& it = m_hMenu->items[(size_t)nPos];
        if (!(it.flags & MF_POPUP)) return nullptr;
        sub = it.sub;
    }
    return FromHandle(sub);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    if (!m_hMenu) return FALSE;
    std::lock_guard<std::mutex> lk(g_menuMutex);
    if (fByPos) {
        if (uItem >= m_hMenu->items.size()) return FALSE;
        uItem = (UINT)m_hMenu->items[uItem].id;
    }
    m_hMenu->defaultItem = uItem;
    return TRUE;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    VYR_CHECK(m_hMenu != nullptr, "TrackPopupMenu without a menu");
    vyr::TrackedMenu rec;
    UINT choice = 0;
    {
        std::lock_guard<std::mutex> lk(g_menuMutex);
        for (const auto& it : m_hMenu->items) {
            rec.items.push_back(CString(it.text));
            rec.ids.push_back((it.flags & MF_POPUP) ? 0u : (UINT)it.id);
            rec.states.push_back(it.flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP));
        }
        rec.flags = nFlags;
        rec.pt = POINT{x, y};
        if (!g_choices.empty()) {
            choice = g_choices.front();
            g_choices.pop_front();
        }
        if (choice != 0 && !Chooseable(m_hMenu, choice)) {
            std::string msg = "the scripted menu choice " + std::to_string(choice) + " is not an enabled item of the menu";
            VyrFatal(msg.c_str(), __FILE__, __LINE__);
        }
        rec.chosen = choice;
        g_tracked.push_back(rec);
    }
    if (nFlags & TPM_RETURNCMD) return (BOOL)choice;
    if (choice != 0 && pWnd) pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(choice, 0), 0);
    return TRUE;
}

namespace vyr {

void ScriptMenuChoice(UINT id)
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    g_choices.push_back(id);
}

std::vector<TrackedMenu> TrackedMenus()
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    return g_tracked;
}

void ClearTrackedMenus()
{
    std::lock_guard<std::mutex> lk(g_menuMutex);
    g_tracked.clear();
    g_choices.clear();
}

} // namespace vyr
