// infopane32.dll: the about box the engine shows through "KERNEL_Go".
//
// The box shows the program's icon drawn at 32 x 32, its name in bold, the
// version, build and compile time, the information lines below (scrolled
// when there are many) and an OK button.

#include <windows.h>

#include <algorithm>
#include <string>

#include "ModalPanel.h"
#include "PanelIds.h"
#include "PanelText.h"

namespace corvex {

namespace {

class _infopane final : public _modalpanel {
public:
    struct _content {
        std::string name, version, compiled, info;
        int build = 0;
        HICON icon = nullptr;  // the caller's: drawn, never destroyed
    };

    explicit _infopane(_content content)
        : _modalpanel(INFOPANE_CLASS, content.name.empty() ? "About" : "About " + content.name),
          content_(std::move(content)) {}

private:
    static constexpr int kIconSize = 32;
    static constexpr int kMinWidth = 200, kMaxWidth = 420;
    static constexpr int kMaxInfoLines = 12;

    void Build() override {
        const int textLeft = content_.icon ? kMargin + kIconSize + kMargin : kMargin;
        const std::string lines[] = {content_.name, "version " + content_.version,
                                     "build " + std::to_string(content_.build), "compiled " + content_.compiled};
        const int ids[] = {INFOPANE_NAME, INFOPANE_VERSION, INFOPANE_BUILD, INFOPANE_COMPILED};

        int width = kMinWidth;
        for (int i = 0; i < 4; ++i)
            width = std::max(width, static_cast<int>(MeasureText(lines[i], i == 0 ? BoldFont() : nullptr).cx));
        width = std::min(width, kMaxWidth);

        int y = kMargin;
        for (int i = 0; i < 4; ++i) {
            const HFONT font = i == 0 ? BoldFont() : nullptr;
            const int height = MeasureText(lines[i], font, width).cy;
            AddLabel(lines[i], ids[i], RECT{textLeft, y, textLeft + width, y + height}, font);
            y += height + (i == 0 ? kGap * 2 : kGap);
        }
        y = std::max(y - kGap, kMargin + (content_.icon ? kIconSize : 0));
        // Information lines may widen the box up to the same limit.
        int clientWidth = textLeft + width + kMargin;
        if (!content_.info.empty()) {
            const int natural = static_cast<int>(MeasureText(content_.info, nullptr).cx) +
                                GetSystemMetrics(SM_CXVSCROLL);
            clientWidth = std::max(clientWidth, std::min(natural, kMaxWidth) + 2 * kMargin);
        }

        if (!content_.info.empty()) {
            y += kMargin;
            const int infoWidth = clientWidth - 2 * kMargin;
            const int lineHeight = MeasureText("Ag", nullptr).cy;
            const int needed = MeasureText(content_.info, nullptr, infoWidth).cy;
            const int cap = kMaxInfoLines * lineHeight;
            // Many lines scroll instead of making the box taller than the screen.
            const DWORD scroll = needed > cap ? WS_VSCROLL : 0;
            const int height = std::min(needed, cap);
            const HWND info = AddControl("EDIT", "", ES_MULTILINE | ES_READONLY | scroll, INFOPANE_INFO,
                                         RECT{kMargin, y, kMargin + infoWidth, y + height});
            if (info) {
                // The usual limit of an edit control is about 30 000 characters.
                SendMessageA(info, EM_LIMITTEXT, 0, 0);
                SetWindowTextA(info, content_.info.c_str());
            }
            y += height;
        }
        SetClientSize(clientWidth, AddOkButton(clientWidth, y + kMargin));
    }

    void Paint(HDC dc) override {
        if (content_.icon)
            DrawIconEx(dc, kMargin, kMargin, content_.icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }

    _content content_;
};

}  // namespace

}  // namespace corvex

// The strings come as a length byte followed by that many characters; the
// information lines as one zero-terminated text, lines separated by CR LF.
// Returns when the user has closed the box. Nothing may escape into the
// caller, which knows no C++ exceptions.
extern "C" __declspec(dllexport) void __stdcall KERNEL_Go(const unsigned char* appName, const unsigned char* version,
                                                          int build, const unsigned char* compiled, HICON icon,
                                                          const char* info) {
    try {
        corvex::_infopane::_content content;
        content.name = corvex::PrefixedText(appName);
        content.version = corvex::PrefixedText(version);
        content.build = build;
        content.compiled = corvex::PrefixedText(compiled);
        content.icon = icon;
        content.info = corvex::InfoLinesText(info);
        corvex::_infopane pane(std::move(content));
        pane.ShowModal();
    } catch (...) {
    }
}
