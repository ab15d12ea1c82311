#include "Control.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "Bitmap.h"
#include "Debug_Zolt2.h"

namespace corvex {

namespace {

// The object of a window of the layer's own class sits in the window's extra
// bytes, read in-process; a subclassed system control, whose extra bytes are
// its own, keeps it in a window property (under Wine each property read is a
// round trip to the wine server, and every message looks the object up).
const char* const kObjectProperty = "corvex.control";
const char* const kOwnClass = "CorvexControl";
constexpr int kObjectSlot = 0;  // offset in the own class's extra bytes

// The own class's atom, read from the first window of it that was bound
// (whichever module of the process registered the class), else 0.
ATOM& OwnClassAtom() noexcept {
    static ATOM atom = 0;
    return atom;
}

long& LiveWindowCount() noexcept {
    static long live = 0;  // for the leak checks only
    return live;
}

void RegisterOwnClass(WNDPROC procedure) noexcept {
    WNDCLASSA existing{};
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, kOwnClass, &existing)) return;
    WNDCLASSA wc{};
    // Redraw on every size change: panels and forms paint bevels and
    // frames that depend on the size.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the object
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnClass;
    RegisterClassA(&wc);
}

// The common controls' classes (tree, track bar, status bar, tabs, up-down,
// hot key) exist only after this; once per process is enough.
void RegisterCommonControls() noexcept {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                            ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                                            ICC_HOTKEY_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

}  // namespace

// ---- _control ---------------------------------------------------------------

_control::_control(_component* owner, _wincontrol* parent) : _component(owner) {
    if (parent) {
        parent_ = parent;
        parent->children_.push_back(this);
        font_ = parent->Font();
    }
}

_control::~_control() {
    if (parent_) {
        auto& list = parent_->children_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void _control::SetParent(_wincontrol* parent) {
    if (parent == parent_) return;
    for (const _control* up = parent; up; up = up->parent_)
        if (Check(up == this, "_control.SetParent(%p): would be its own parent",
                  static_cast<void*>(parent)) == DEBUG_ASSERT)
            return;
    if (parent_) {
        auto& list = parent_->children_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        ParentFontChanged(parent_->Font());
    }
}

_point _control::ClientOrigin() const noexcept {
    if (!parent_) return {bounds_.left, bounds_.top};
    const _point origin = parent_->ClientOrigin();
    return {origin.x + bounds_.left, origin.y + bounds_.top};
}

void _control::SetBounds(int left, int top, int width, int height) {
    const _rect bounds = _rect::Bounds(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
    if (bounds == bounds_) return;
    const _rect old = bounds_;
    bounds_ = bounds;
    BoundsChanged(old);
    Realign();
}

void _control::SetAlign(_align align) {
    if (align == align_) return;
    align_ = align;
    Realign();
}

void _control::Realign() {
    if (parent_ && !parent_->aligning_ && (align_ != ALIGN_NONE)) parent_->AlignControls();
}

void _control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
    Realign();
}

bool _control::Showing() const noexcept {
    if (!visible_) return false;
    if (parent_) return parent_->Showing();
    const auto* window = dynamic_cast<const _wincontrol*>(this);
    return window && window->Handle() && IsWindowVisible(window->Handle());
}

void _control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void _control::SetColor(_color color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void _control::SetFont(const _fontspec& font) {
    parentFont_ = false;
    if (font == font_) return;
    font_ = font;
    FontChanged();
}

void _control::SetFontColor(_color color) {
    _fontspec font = font_;
    font.color = color;
    SetFont(font);
}

void _control::ParentFontChanged(const _fontspec& font) {
    if (!parentFont_ || font == font_) return;
    font_ = font;
    FontChanged();
}

// ---- _graphiccontrol ----------------------------------------------------------

_graphiccontrol::_graphiccontrol(_component* owner, _wincontrol* parent) : _control(owner, parent) {}

_graphiccontrol::~_graphiccontrol() {
    if (Visible()) InvalidateArea(bounds_);
}

void _graphiccontrol::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void _graphiccontrol::InvalidateArea(const _rect& area) const {
    if (!parent_ || !parent_->Handle() || area.Empty()) return;
    if (parent_->PaintDeferred()) {
        parent_->DeferPaint(area);
        return;
    }
    const RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(parent_->Handle(), &r, FALSE);
}

void _graphiccontrol::Invalidate() {
    if (Visible()) InvalidateArea(bounds_);
}

void _graphiccontrol::Repaint() {
    Invalidate();
    if (parent_ && parent_->Handle() && !parent_->PaintDeferred()) UpdateWindow(parent_->Handle());
}

void _graphiccontrol::BoundsChanged(const _rect& old) {
    if (!Visible()) return;
    InvalidateArea(old);
    InvalidateArea(bounds_);
}

// ---- _wincontrol --------------------------------------------------------------

_wincontrol::_wincontrol(_component* owner, _wincontrol* parent) : _control(owner, parent) {}

_wincontrol::~_wincontrol() {
    // Owned controls go while this window still exists; the windows of
    // children owned elsewhere die with this window and their objects just
    // lose their handles.
    DestroyComponents();
    for (_control* child : children_) child->parent_ = nullptr;
    children_.clear();
    DestroyHandle();
}

_wincontrol* _wincontrol::FromHandle(HWND window) noexcept {
    if (!window) return nullptr;
    const ATOM own = OwnClassAtom();
    if (own && GetClassLongPtrA(window, GCW_ATOM) == own)
        return reinterpret_cast<_wincontrol*>(GetWindowLongPtrA(window, kObjectSlot));
    return static_cast<_wincontrol*>(GetPropA(window, kObjectProperty));
}

long _wincontrol::LiveWindows() noexcept {
    return LiveWindowCount();
}

bool _wincontrol::CreateHandle(const _createparams& params) {
    if (handle_) return true;
    ownClass_ = params.className == nullptr;
    if (ownClass_)
        RegisterOwnClass(&Procedure);
    else
        RegisterCommonControls();
    DWORD style = params.style | WS_CLIPCHILDREN;
    HWND parentWindow = nullptr;
    HMENU id = nullptr;
    if (parent_) {
        style |= WS_CHILD | WS_CLIPSIBLINGS;
        parentWindow = parent_->Handle();
        // An identifier per child, so that WM_MEASUREITEM finds its sender.
        id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(++parent_->lastChildId_));
    } else {
        parentWindow = params.owner;
    }
    if (Visible() && parent_) style |= WS_VISIBLE;
    if (!Enabled()) style |= WS_DISABLED;
    // Dialog navigation (Tab, arrows) descends into the layer's containers.
    const DWORD exStyle = params.exStyle | (ownClass_ ? WS_EX_CONTROLPARENT : 0);
    HWND made = CreateWindowExA(exStyle, ownClass_ ? kOwnClass : params.className, params.text.c_str(), style,
                                bounds_.left, bounds_.top, Width(), Height(), parentWindow, id,
                                GetModuleHandleA(nullptr), this);
    if (!made) return false;
    if (ownClass_) {
        if (handle_ != made) Bind(made);  // normally bound at WM_NCCREATE already
    } else {
        // A system control: put the object's procedure in front of the
        // control's own.
        Bind(made);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(made, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    RECT r{};
    GetWindowRect(made, &r);
    windowSize_ = {r.right - r.left, r.bottom - r.top};
    ApplyFont();
    return true;
}

void _wincontrol::DestroyHandle() noexcept {
    if (!handle_) return;
    DestroyWindow(handle_);
    if (handle_) Unbind();  // the window went without telling us
}

void _wincontrol::Bind(HWND window) noexcept {
    handle_ = window;
    if (ownClass_) {
        if (!OwnClassAtom()) OwnClassAtom() = static_cast<ATOM>(GetClassLongPtrA(window, GCW_ATOM));
        SetWindowLongPtrA(window, kObjectSlot, reinterpret_cast<LONG_PTR>(this));
    } else {
        SetPropA(window, kObjectProperty, this);
    }
    ++LiveWindowCount();
}

void _wincontrol::Unbind() noexcept {
    if (ownClass_)
        SetWindowLongPtrA(handle_, kObjectSlot, 0);
    else
        RemovePropA(handle_, kObjectProperty);
    handle_ = nullptr;
    previous_ = nullptr;
    --LiveWindowCount();
}

LRESULT CALLBACK _wincontrol::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    _wincontrol* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<_wincontrol*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        if (self) self->Bind(window);
    }
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    const LRESULT result = self->WndProc(message, wparam, lparam);
    if (message == WM_NCDESTROY && self->handle_ == window) self->Unbind();
    return result;
}

LRESULT _wincontrol::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: return ownClass_ ? OnPaint() : Default(message, wparam, lparam);
        case WM_ERASEBKGND: return OnEraseBackground(wparam);
        case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(lparam);
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: return OnReflectable(message, wparam, lparam);
        case REFLECT + WM_CTLCOLOREDIT:
        case REFLECT + WM_CTLCOLORLISTBOX:
        case REFLECT + WM_CTLCOLORBTN:
        case REFLECT + WM_CTLCOLORSTATIC: return OnReflectedColor(wparam);
        case WM_SETCURSOR: return OnSetCursor(wparam, lparam);
        case WM_LBUTTONUP: return OnLeftButtonUp(wparam, lparam);
        default: return Default(message, wparam, lparam);
    }
}

LRESULT _wincontrol::Default(UINT message, WPARAM wparam, LPARAM lparam) {
    // Reflected notifications the child did not want end here.
    if (message >= REFLECT && message < REFLECT + WM_USER) return 0;
    if (!handle_) return 0;
    return previous_ ? CallWindowProcA(previous_, handle_, message, wparam, lparam)
                     : DefWindowProcA(handle_, message, wparam, lparam);
}

LRESULT _wincontrol::OnPaint() {
    _paintdc dc(handle_);
    PaintArea(dc.Handle(), dc.Area());
    return 0;
}

void _wincontrol::PaintArea(HDC screen, const _rect& area) {
    if (area.Empty()) return;
    // One buffer for the windows of a top-level window, kept and grown to
    // the largest area painted: a band repainted every second makes no new
    // bitmap. A paint within a paint takes a buffer of its own.
    _wincontrol* top = this;
    while (top->parent_) top = top->parent_;
    if (top->painting_) {
        _memorydc buffer(screen, area);
        PaintBuffered(buffer.Canvas(), area, screen);
        return;
    }
    if (!top->paintBuffer_) top->paintBuffer_ = std::make_unique<_bitmap>();
    struct Busy {
        bool& flag;
        ~Busy() { flag = false; }
    };
    top->painting_ = true;
    const Busy busy{top->painting_};
    _memorydc buffer(screen, area, *top->paintBuffer_);
    PaintBuffered(buffer.Canvas(), area, screen);
}

HDC _wincontrol::MeasuringDC() {
    _wincontrol* top = this;
    while (top->parent_) top = top->parent_;
    if (!top->paintBuffer_) top->paintBuffer_ = std::make_unique<_bitmap>();
    return top->paintBuffer_->Canvas().Handle();
}

void _wincontrol::PaintBuffered(_canvas& buffer, const _rect& area, HDC screen) {
    const HDC surface = buffer.Handle();
    const int saved = SaveDC(surface);
    {
        _canvas canvas(surface);
        PaintWindow(canvas);
    }
    RestoreDC(surface, saved);
    PaintChildren(buffer, area, screen);
}

LRESULT _wincontrol::OnEraseBackground(WPARAM dc) {
    // The layer's own windows paint their whole surface in WM_PAINT.
    return ownClass_ ? 1 : Default(WM_ERASEBKGND, dc, 0);
}

void _wincontrol::PaintWindow(_canvas& canvas) {
    canvas.SetBrush(Color());
    canvas.FillRect(ClientRect());
}

void _wincontrol::PaintChildren(_canvas& canvas, const _rect& area, HDC screen) {
    const HDC dc = canvas.Handle();
    for (_control* control : children_) {
        auto* graphic = dynamic_cast<_graphiccontrol*>(control);
        if (!graphic || !graphic->Visible()) continue;
        const _rect b = graphic->BoundsRect();
        const RECT bounds{b.left, b.top, b.right, b.bottom};
        if (Intersect(b, area).Empty() || (screen && !RectVisible(screen, &bounds))) continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
        {
            _canvas surface(dc);
            graphic->Paint(surface);
        }
        RestoreDC(dc, saved);
    }
}

void _wincontrol::PaintTo(_canvas& canvas, int x, int y) {
    const HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    const _rect client = ClientRect();
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    {
        _canvas surface(dc);
        PaintWindow(surface);
    }
    PaintChildren(canvas, client);
    RestoreDC(dc, saved);
}

LRESULT _wincontrol::OnWindowPosChanged(LPARAM lparam) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
    RECT r{};
    GetWindowRect(handle_, &r);
    if (parent_ && parent_->Handle())
        MapWindowPoints(HWND_DESKTOP, parent_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    bounds_ = {r.left, r.top, r.right, r.bottom};
    // SetBounds stores the new bounds before Windows reports them, so the
    // size change is judged against what the window reported before.
    const _point size{bounds_.Width(), bounds_.Height()};
    if (!(pos->flags & SWP_NOSIZE) && !(size == windowSize_)) {
        windowSize_ = size;
        Resized();
    }
    // Windows sends WM_SIZE and WM_MOVE only when this goes to the default.
    return Default(WM_WINDOWPOSCHANGED, 0, lparam);
}

void _wincontrol::Resized() {
    AlignControls();
    Raise(OnResize);
}

void _wincontrol::AlignControls() {
    if (aligning_ || !handle_) return;
    aligning_ = true;
    _rect area = AlignArea();
    for (const _align group : {ALIGN_TOP, ALIGN_BOTTOM, ALIGN_LEFT, ALIGN_RIGHT, ALIGN_CLIENT}) {
        // A child may be destroyed by what its resize triggers: walk a copy.
        const std::vector<_control*> children = children_;
        for (_control* child : children) {
            if (child->Align() != group || !child->Visible()) continue;
            const int w = std::min(child->Width(), std::max(0, area.Width()));
            const int h = std::min(child->Height(), std::max(0, area.Height()));
            switch (group) {
                case ALIGN_TOP:
                    child->SetBounds(area.left, area.top, area.Width(), h);
                    area.top += h;
                    break;
                case ALIGN_BOTTOM:
                    child->SetBounds(area.left, area.bottom - h, area.Width(), h);
                    area.bottom -= h;
                    break;
                case ALIGN_LEFT:
                    child->SetBounds(area.left, area.top, w, area.Height());
                    area.left += w;
                    break;
                case ALIGN_RIGHT:
                    child->SetBounds(area.right - w, area.top, w, area.Height());
                    area.right -= w;
                    break;
                default: child->SetBounds(area.left, area.top, area.Width(), area.Height()); break;
            }
        }
    }
    aligning_ = false;
}

LRESULT _wincontrol::OnReflectable(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND from = nullptr;
    switch (message) {
        case WM_NOTIFY: from = reinterpret_cast<const NMHDR*>(lparam)->hwndFrom; break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (item->CtlType != ODT_MENU) from = item->hwndItem;
            break;
        }
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lparam);
            if (item->CtlType != ODT_MENU) from = GetDlgItem(handle_, static_cast<int>(item->CtlID));
            break;
        }
        default: from = reinterpret_cast<HWND>(lparam); break;
    }
    _wincontrol* child = FromHandle(from);
    if (child && child != this) return child->WndProc(REFLECT + message, wparam, lparam);
    return Default(message, wparam, lparam);
}

LRESULT _wincontrol::OnReflectedColor(WPARAM dc) {
    const HDC surface = reinterpret_cast<HDC>(dc);
    SetTextColor(surface, ToRGB(Font().color));
    SetBkColor(surface, ToRGB(Color()));
    return reinterpret_cast<LRESULT>(ColorBrush());
}

HBRUSH _wincontrol::ColorBrush() {
    if (!colorBrush_ || colorBrushColor_ != Color()) {
        colorBrush_.reset(CreateSolidBrush(ToRGB(Color())));
        colorBrushColor_ = Color();
    }
    return colorBrush_.get();
}

_graphiccontrol* _wincontrol::GraphicAt(_point p) const noexcept {
    // The last child is drawn on top, so it is hit first.
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        auto* graphic = dynamic_cast<_graphiccontrol*>(*it);
        if (graphic && graphic->Visible() && graphic->BoundsRect().Contains(p)) return graphic;
    }
    return nullptr;
}

LRESULT _wincontrol::OnSetCursor(WPARAM wparam, LPARAM lparam) {
    if (LOWORD(lparam) == HTCLIENT && reinterpret_cast<HWND>(wparam) == handle_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(handle_, &cursor);
        const _graphiccontrol* graphic = GraphicAt({cursor.x, cursor.y});
        const LPCSTR shape = graphic && graphic->Cursor() ? graphic->Cursor() : Cursor();
        // A cursor the system does not have (the hand before Windows 2000)
        // leaves the default one rather than none at all.
        const HCURSOR shown = shape ? LoadCursorA(nullptr, shape) : nullptr;
        if (shown) {
            ::SetCursor(shown);
            return TRUE;
        }
    }
    return Default(WM_SETCURSOR, wparam, lparam);
}

LRESULT _wincontrol::OnLeftButtonUp(WPARAM wparam, LPARAM lparam) {
    const _point p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    _graphiccontrol* graphic = GraphicAt(p);
    if (graphic && graphic->Enabled() && graphic->OnClick) {
        Raise(graphic->OnClick);
        return 0;
    }
    return Default(WM_LBUTTONUP, wparam, lparam);
}

std::string _wincontrol::Text() const {
    if (!handle_) return {};
    const int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(handle_, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return text;
}

void _wincontrol::SetText(const std::string& text) {
    if (!handle_ || text == Text()) return;
    SetWindowTextA(handle_, text.c_str());
    if (ownClass_) Invalidate();
}

_control* _wincontrol::Controls(std::size_t index) const noexcept {
    return index < children_.size() ? children_[index] : nullptr;
}

_rect _wincontrol::ClientRect() const noexcept {
    RECT r{};
    if (handle_) GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

_point _wincontrol::ClientOrigin() const noexcept {
    POINT p{0, 0};
    if (handle_) ClientToScreen(handle_, &p);
    return {p.x, p.y};
}

void _wincontrol::SetParent(_wincontrol* parent) {
    _control::SetParent(parent);
    if (handle_ && parent && parent->Handle()) ::SetParent(handle_, parent->Handle());
}

void _wincontrol::SetFocus() noexcept {
    if (handle_) ::SetFocus(handle_);
}

void _wincontrol::SetTabStop(bool on) {
    SetStyleBits(WS_TABSTOP, on);
}

void _wincontrol::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void _wincontrol::Repaint() {
    if (!handle_) return;
    // The frame and the client area both, then paint before returning.
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The marks wait in pendingPaint_ after two slots kept for the header of
// the region they make: the buffer only grows, so a batch every tick
// allocates nothing, and it is handed over as it stands.
constexpr std::size_t kHeaderSlots = 2;
static_assert(sizeof(RGNDATAHEADER) == kHeaderSlots * sizeof(RECT), "the region header fills two slots");

void _wincontrol::DeferPaint(const _rect& area) {
    // Kept in this process; every InvalidateRect would be a trip to the
    // window manager's bookkeeping.
    const std::size_t slot = kHeaderSlots + pendingCount_;
    if (slot >= pendingPaint_.size()) pendingPaint_.resize(slot * 2);
    pendingPaint_[slot] = RECT{area.left, area.top, area.right, area.bottom};
    ++pendingCount_;
}

void _wincontrol::PaintPending() {
    const std::size_t count = pendingCount_;
    pendingCount_ = 0;
    if (count == 0 || !handle_) return;
    RECT* rects = pendingPaint_.data() + kHeaderSlots;
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(count);
    header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header.rcBound = rects[0];
    for (std::size_t i = 1; i < count; ++i) {
        header.rcBound.left = std::min(header.rcBound.left, rects[i].left);
        header.rcBound.top = std::min(header.rcBound.top, rects[i].top);
        header.rcBound.right = std::max(header.rcBound.right, rects[i].right);
        header.rcBound.bottom = std::max(header.rcBound.bottom, rects[i].bottom);
    }
    std::memcpy(pendingPaint_.data(), &header, sizeof header);
    // The system unites overlapping rectangles of the data.
    const _region marked(ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof header + header.nRgnSize),
                                         reinterpret_cast<const RGNDATA*>(pendingPaint_.data())));
    if (!marked) {
        // Out of GDI space: mark them one by one rather than lose them.
        for (std::size_t i = 0; i < count; ++i) InvalidateRect(handle_, &rects[i], FALSE);
        UpdateWindow(handle_);
        return;
    }
    // Painted now through a DC of the window clipped to the marks, rather
    // than marked and painted through the update region: invalidating,
    // updating and a paint's begin and end are each a trip to the window
    // manager, several per band and tick. A hidden window is not painted;
    // whatever else is invalid still comes with WM_PAINT.
    if (!IsWindowVisible(handle_)) return;
    const _windowdc screen(handle_);
    if (!screen) return;
    ExtSelectClipRgn(screen.Handle(), marked.get(), RGN_AND);
    const RECT& b = header.rcBound;
    PaintArea(screen.Handle(), _rect{b.left, b.top, b.right, b.bottom});
}

_paintbatch::~_paintbatch() {
    if (--window_.paintBatches_ == 0) window_.PaintPending();
}

void _wincontrol::BringToFront() noexcept {
    if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void _wincontrol::BoundsChanged(const _rect& old) {
    (void)old;
    if (handle_)
        SetWindowPos(handle_, nullptr, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void _wincontrol::VisibleChanged() {
    if (handle_) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void _wincontrol::EnabledChanged() {
    if (handle_) EnableWindow(handle_, Enabled());
}

void _wincontrol::ColorChanged() {
    Invalidate();
}

void _wincontrol::FontChanged() {
    ApplyFont();
    for (_control* child : children_) child->ParentFontChanged(Font());
    Invalidate();
}

void _wincontrol::ApplyFont() {
    if (!handle_ || ownClass_) return;  // the layer's own windows draw with the font directly
    _fonthandle font = MakeFont(Font());
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    fontHandle_ = std::move(font);  // the old one is no longer selected by the control
}

void _wincontrol::SetStyleBits(DWORD bits, bool on) noexcept {
    if (!handle_) return;
    const LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    const LONG_PTR wanted =
        on ? (style | static_cast<LONG_PTR>(bits)) : (style & ~static_cast<LONG_PTR>(bits));
    if (wanted != style) SetWindowLongPtrA(handle_, GWL_STYLE, wanted);
}

void _wincontrol::SetExStyleBits(DWORD bits, bool on) noexcept {
    if (!handle_) return;
    const LONG_PTR style = GetWindowLongPtrA(handle_, GWL_EXSTYLE);
    const LONG_PTR wanted =
        on ? (style | static_cast<LONG_PTR>(bits)) : (style & ~static_cast<LONG_PTR>(bits));
    if (wanted != style) SetWindowLongPtrA(handle_, GWL_EXSTYLE, wanted);
}

_livehandles _livehandles::Now() noexcept {
    return {_pentraits::Live(),       _brushtraits::Live(),      _fonttraits::Live(), _bitmaptraits::Live(),
            _regiontraits::Live(),    _dctraits::Live(),         _icontraits::Live(), _menutraits::Live(),
            _imagelisttraits::Live(), _wincontrol::LiveWindows()};
}

}  // namespace corvex
