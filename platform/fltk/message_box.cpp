#include "platform/fltk/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/fltk/fonts.h"
#include "platform/fltk/x11/window_manager.h"
#include "platform/forms/message_box_style.h"

namespace fltk {

namespace {

// The box's measures in design pixels.
constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int MinTextWidth = 140;

// The error icon: a red disc with a white cross.
class ErrorIcon final : public Fl_Widget {
public:
    ErrorIcon(int x, int y, int size) : Fl_Widget(x, y, size, size) {}

private:
    void draw() override {
        fl_color(fl_rgb_color(200, 30, 30));
        fl_pie(x(), y(), w(), h(), 0, 360);
        fl_color(FL_WHITE);
        fl_line_style(FL_SOLID, std::max(1, w() * 3 / IconSize));
        const int inset = w() / 3;
        fl_line(x() + inset, y() + inset, x() + w() - inset, y() + h() - inset);
        fl_line(x() + w() - inset, y() + inset, x() + inset, y() + h() - inset);
        fl_line_style(0);
    }
};

// Where everything goes, in device pixels, from the text's size.
struct Layout {
    Layout(const std::string& text, bool with_icon, scaling::Scale scale)
        : icon(with_icon),
          font(default_font(scale)),
          margin(scale.device(Margin)),
          icon_size(scale.device(IconSize)),
          button_w(scale.device(ButtonWidth)),
          button_h(scale.device(ButtonHeight)) {
        fl_font(font.face, font.size);
        fl_measure(text.c_str(), text_w, text_h, 0);
        text_w = std::max(text_w, scale.device(MinTextWidth));
        text_x = margin + (icon ? icon_size + margin : 0);
        body_h = std::max(text_h, icon ? icon_size : 0);
        width = text_x + text_w + margin;
        height = margin + body_h + margin + button_h + margin;
    }

    bool icon;
    FontChoice font;
    int margin;
    int icon_size;
    int button_w;
    int button_h;
    int text_w = 0;
    int text_h = 0;
    int text_x = 0;
    int body_h = 0;
    int width = 0;
    int height = 0;
};

// The window and its widgets; the widgets join the window as they are built.
class MessageWindow final : public Fl_Window {
public:
    MessageWindow(const Layout& layout, const std::string& text, const std::string& title)
        : Fl_Window(layout.width, layout.height),
          icon_(layout.margin, layout.margin, layout.icon_size),
          message_(layout.text_x, layout.margin, layout.text_w, layout.body_h),
          ok_((layout.width - layout.button_w) / 2, layout.height - layout.margin - layout.button_h,
              layout.button_w, layout.button_h, "OK") {
        end();
        copy_label(title.c_str());
        if (!layout.icon) icon_.hide();
        message_.copy_label(text.c_str());
        message_.labelfont(layout.font.face);
        message_.labelsize(layout.font.size);
        message_.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        ok_.labelfont(layout.font.face);
        ok_.labelsize(layout.font.size);
        ok_.callback([](Fl_Widget* button, void*) { button->window()->hide(); });
        size_range(layout.width, layout.height, layout.width, layout.height);
        set_modal();
    }

    void run(const std::function<void(const MessageBoxShown&)>& shown_box) {
        show();
        // Like the program's windows, the box can be moved and closed, no more: minimized, it
        // would hide every window while it still held them all.
        offer_only_move_and_close(*this);
        ok_.take_focus();
        shown_box({*this, ok_});
        while (shown()) Fl::wait();
    }

private:
    ErrorIcon icon_;
    Fl_Box message_;
    Fl_Return_Button ok_;
};

}  // namespace

void show_message_box(const std::string& text, int style, const std::string& title,
                      scaling::Scale scale,
                      const std::function<void(const MessageBoxShown&)>& shown) {
    Fl_Widget_Tracker focus(Fl::focus());
    MessageWindow window(Layout(text, (style & forms::IconStyles) == forms::Critical, scale), text,
                         title);
    window.run(shown);
    if (Fl_Widget* previous = focus.widget()) {
        if (Fl_Window* owner = previous->window(); owner != nullptr && owner->shown()) {
            owner->show();
            previous->take_focus();
        }
    }
}

}  // namespace fltk
