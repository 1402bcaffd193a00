// The display in use, and the stand-in used until a real one is installed.
#include "platform/display.h"

#include "platform/gdi_internal.h"

namespace {

// No input and a clipboard of its own: what a program sees without any display.
class StandInDisplay : public Display {
  public:
    DisplayMetrics Metrics() const override { return DisplayMetrics{}; }
    bool NextEvent(DisplayEvent&, bool) override { return false; }
    bool ClipboardText(std::string& text) const override {
        text = clipboard_;
        return hasClipboard_;
    }
    void SetClipboardText(const std::string* text) override {
        hasClipboard_ = text != nullptr;
        clipboard_ = text ? *text : std::string();
    }

  private:
    std::string clipboard_;
    bool hasClipboard_ = false;
};

StandInDisplay standIn;
Display* current = nullptr;

} // namespace

Display& CurrentDisplay() {
    return current ? *current : standIn;
}

void InstallDisplay(Display* display) {
    current = display;
    GdiSetStockFontDpi(CurrentDisplay().Metrics().dpi);
}

GdiDevice CurrentGdiDevice() {
    DisplayMetrics metrics = CurrentDisplay().Metrics();
    GdiDevice device{};
    device.dpi = metrics.dpi;
    device.width = metrics.width;
    device.height = metrics.height;
    device.widthMm = metrics.widthMm;
    device.heightMm = metrics.heightMm;
    return device;
}
