// Random user events on the program, with its invariants checked after every one. Everything a
// user can do is drawn at random: typing and pasting any text into every field, Enter in the hex
// field, every scroll bar action and thumb drags, presses and drags over the palette and beside
// it, Ball with timer ticks, the buttons, activation between the windows and from another
// program, closing each window, uncovered pictures and a clipboard that another program holds.
// Message boxes are answered as they come. When the main window closes, the program has ended,
// and it starts again.
//
//   random_events [--seed N] [--events N]
//
// Prints the seed (to play a run again), then the events, events per second and faults found.
// Exits 1 on the first fault, naming it and the event that led to it.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "about/about.h"
#include "app/program.h"
#include "colour/decimal_text.h"
#include "palette/my_palette.h"
#include "platform/forms/number_text.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/instant_clock.h"

namespace {

// The random numbers the program draws, from the run's own generator.
class SeededRandom final : public forms::RandomSource {
public:
    explicit SeededRandom(std::mt19937_64& engine) : engine_(engine) {}
    void reseed_from_clock() override {}
    float next() override { return std::uniform_real_distribution<float>(0.0F, 1.0F)(engine_); }

private:
    std::mt19937_64& engine_;
};

struct Fault {
    std::string what;
};

std::string hex_code(int red, int green, int blue) {
    std::string code = "#";
    for (const int channel : {red, green, blue})
        code += (channel < 16 ? "0" : "") + forms::Hex(channel);
    return code;
}

class Run {
public:
    explicit Run(std::uint64_t seed) : engine_(seed) { start(); }

    // One random event, then the invariants.
    void step() {
        event_.clear();
        print_color_ran_ = false;
        user_writes_text4_ = false;
        const bool closing_main = play_one();
        check(closing_main);
    }

    const std::string& last_event() const { return event_; }

private:
    void start() {
        ui_ = std::make_unique<headless::HeadlessBackend>();
        program_ = std::make_unique<varnel::Program>(*ui_, std::make_unique<SeededRandom>(engine_),
                                                     std::make_unique<headless::InstantClock>());
        program_->start();
        ui_->run_pending();
        watch_print_color();
    }

    // Text4 has no handler of the program's: its Change tells the test when print_color began
    // (unless the user is the one writing Text4).
    void watch_print_color() {
        if (varnel::Form_Varnel* main = program_->Form_Varnel.loaded()) {
            main->Text4.Change = [this, main] {
                print_color_ran_ |= !user_writes_text4_ && main->Text4.Text() == "#";
            };
        }
    }

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }
    bool chance(int percent) { return pick(100) < percent; }

    // A number near a channel's present value, where rounding and padding decide: "15.6" while
    // the bar stands at 16 is taken as typed, and counts as 16.
    std::string near_value(const forms::VScrollBar& bar) {
        static const char* const fractions[] = {".4", ".5", ".6", "", ".0", "e0", "0"};
        const int value = bar.Value() + pick(3) - 1;
        const char* fraction = fractions[pick(7)];
        return (chance(20) ? "0" : "") + std::to_string(value) + fraction;
    }

    std::string random_text() {
        static const std::vector<std::string> pieces = {"0",
                                                        "1",
                                                        "2",
                                                        "5",
                                                        "7",
                                                        "9",
                                                        "25",
                                                        "255",
                                                        "256",
                                                        "-",
                                                        "+",
                                                        ".",
                                                        "e",
                                                        "E",
                                                        " ",
                                                        "\t",
                                                        "#",
                                                        "a",
                                                        "F",
                                                        "f",
                                                        "G",
                                                        "x",
                                                        "\xc3\xa9",
                                                        "\xf0\x9f\x98\x80",
                                                        std::string(1, '\0'),
                                                        "12.5",
                                                        "1e2",
                                                        "-0.4",
                                                        "255.4",
                                                        "0x1F",
                                                        "#FF8000",
                                                        "ff8000",
                                                        "\xff"};
        std::string text;
        if (chance(2)) return std::string(static_cast<std::size_t>(1 + pick(5000)), '0') + "7";
        const int count = pick(6);
        for (int i = 0; i < count; ++i)
            text += pieces[static_cast<std::size_t>(pick(static_cast<int>(pieces.size())))];
        return text;
    }

    forms::TextBox& random_field(varnel::Form_Varnel& f) {
        forms::TextBox* const fields[] = {&f.Text1, &f.Text2, &f.Text3, &f.Text4};
        return *fields[pick(4)];
    }
    forms::VScrollBar& random_bar(varnel::Form_Varnel& f) {
        forms::VScrollBar* const bars[] = {&f.VScroll1, &f.VScroll2, &f.VScroll3};
        return *bars[pick(3)];
    }

    // Plays one event; reports whether it was closing the main window.
    bool play_one() {
        varnel::Form_Varnel& f = *program_->Form_Varnel.loaded();
        varnel::myPalette* palette = program_->myPalette.loaded();
        varnel::About* about = program_->About.loaded();
        const bool palette_up = palette != nullptr && palette->Visible();
        const bool about_up = about != nullptr && about->Visible();
        switch (pick(20)) {
            case 0:
            case 1: {
                forms::TextBox& field = random_field(f);
                const std::string text = random_text();
                user_writes_text4_ = &field == &f.Text4;
                event_ = "type '" + printable(text) + "' into " + field.Name();
                ui_->type(field, text);
                break;
            }
            case 2: {
                forms::TextBox& field = random_field(f);
                const std::string text = &field == &f.Text4 || chance(50) ? random_text()
                                         : &field == &f.Text1             ? near_value(f.VScroll1)
                                         : &field == &f.Text2             ? near_value(f.VScroll2)
                                                                          : near_value(f.VScroll3);
                user_writes_text4_ = &field == &f.Text4;
                event_ = "paste '" + printable(text) + "' over " + field.Name();
                ui_->replace_text(field, text);
                break;
            }
            case 3: {
                forms::TextBox& field = random_field(f);
                const auto caret = static_cast<std::size_t>(pick(4));
                event_ = "click into " + field.Name() + " at " + std::to_string(caret);
                ui_->place_caret(field, caret);
                break;
            }
            case 4:
                event_ = "Enter in Text4";
                ui_->press_enter(f.Text4);
                break;
            case 5:
            case 6: {
                forms::VScrollBar& bar = random_bar(f);
                const auto action = static_cast<forms::ScrollAction>(pick(6));
                event_ = "scroll " + bar.Name() + " by action " +
                         std::to_string(static_cast<int>(action));
                ui_->scroll(bar, action);
                break;
            }
            case 7: {
                forms::VScrollBar& bar = random_bar(f);
                std::vector<int> values;
                for (int i = pick(4); i >= 0; --i) values.push_back(pick(300) - 20);
                event_ = "drag the thumb of " + bar.Name();
                ui_->drag_thumb(bar, values);
                break;
            }
            case 8:
                if (palette_up) {
                    const int x = pick(180) - 15;
                    const int y = pick(300) - 20;
                    const int buttons = pick(8);
                    event_ = "mouse at (" + std::to_string(x) + ", " + std::to_string(y) +
                             ") with buttons " + std::to_string(buttons) + " on the palette";
                    if (chance(40)) {
                        ui_->mouse_down(palette->Picture2, buttons, x, y, pick(8));
                    } else {
                        ui_->mouse_move(palette->Picture2, buttons, x, y, pick(8));
                    }
                    break;
                }
                [[fallthrough]];
            case 9:
                event_ = "click Palette";
                ui_->click(f.Palette);
                break;
            case 10:
                event_ = "click Ball";
                ui_->click(f.Check1);
                break;
            case 11:
                event_ = "ticks";
                for (int i = pick(30); i >= 0; --i) ui_->tick();
                break;
            case 12:
                event_ = "click About";
                ui_->click(f.Command1);
                break;
            case 13:
                if (about_up) {
                    event_ = "click About's Close";
                    ui_->click(about->Command1);
                    break;
                }
                [[fallthrough]];
            case 14:
                event_ = "click Copy to Clipboard";
                ui_->click(f.Command2);
                break;
            case 15: {
                std::vector<forms::Form*> shown;
                for (forms::Form* form : program_->runtime.loaded_forms())
                    if (form->Visible()) shown.push_back(form);
                forms::Form& form =
                    *shown[static_cast<std::size_t>(pick(static_cast<int>(shown.size())))];
                event_ = "activate " + form.Caption();
                ui_->focus(form);
                break;
            }
            case 16:
                event_ = "switch to another program";
                ui_->switch_to_other_program();
                break;
            case 17: {
                event_ = std::string("another program ") +
                         (clipboard_held_ ? "lets go of" : "holds") + " the clipboard";
                clipboard_held_ = !clipboard_held_;
                ui_->hold_clipboard(clipboard_held_);
                break;
            }
            case 18: {
                const forms::PixelRect area{pick(120) - 10, pick(60) - 10, pick(120) - 10,
                                            pick(60) - 10};
                event_ = "uncover part of the preview";
                ui_->uncover(f.Picture1, area);
                if (palette_up)
                    ui_->uncover(palette->Picture2,
                                 {area.left, area.top, area.right * 2, area.bottom * 5});
                break;
            }
            case 19: {
                if (chance(85)) {
                    if (palette_up && chance(50)) {
                        event_ = "close the palette";
                        ui_->close(*palette);
                    } else if (about_up) {
                        event_ = "close About";
                        ui_->close(*about);
                    }
                    break;
                }
                event_ = "close the main window";
                ui_->close(f);
                return true;
            }
        }
        return false;
    }

    static std::string printable(std::string_view text) {
        std::string out;
        for (const char c : text.substr(0, 40))
            out += (c >= ' ' && c < 127) ? std::string(1, c) : "?";
        if (text.size() > 40) out += "... (" + std::to_string(text.size()) + " bytes)";
        return out;
    }

    void check(bool closed_main) {
        if (program_->runtime.ended()) {
            if (!closed_main) throw Fault{"the program ended, but not by closing its main window"};
            if (!ui_->quit_requested()) throw Fault{"the program ended without leaving its loop"};
            start();
            return;
        }
        if (closed_main) throw Fault{"closing the main window did not end the program"};
        varnel::Form_Varnel* main = program_->Form_Varnel.loaded();
        if (main == nullptr) throw Fault{"the main window is gone, the program runs on"};
        check_windows();
        check_channels(*main);
    }

    void check_windows() {
        const std::vector<forms::Form*> loaded = program_->runtime.loaded_forms();
        std::set<std::string> captions;
        for (const forms::Form* form : loaded) {
            if (!captions.insert(form->Caption()).second)
                throw Fault{"two instances of " + form->Caption()};
        }
        if (ui_->native_windows() != static_cast<int>(loaded.size()))
            throw Fault{"native windows and loaded windows differ in number"};
    }

    void check_channels(varnel::Form_Varnel& f) {
        const std::optional<std::int16_t> channels[] = {colour::round_to_integer(f.Text1.Text()),
                                                        colour::round_to_integer(f.Text2.Text()),
                                                        colour::round_to_integer(f.Text3.Text())};
        const forms::VScrollBar* bars[] = {&f.VScroll1, &f.VScroll2, &f.VScroll3};
        bool all_numbers = true;
        for (int i = 0; i < 3; ++i) {
            if (!channels[i]) {
                all_numbers = false;
                continue;
            }
            if (*channels[i] < 0 || *channels[i] > 255)
                throw Fault{"a field holds a number outside 0 to 255"};
            if (bars[i]->Value() != *channels[i])
                throw Fault{bars[i]->Name() + " disagrees with its field"};
        }
        if (!all_numbers) return;
        const forms::ColourValue colour = forms::RGB(*channels[0], *channels[1], *channels[2]);
        if (print_color_ran_ &&
            f.Text4.Text() != hex_code(*channels[0], *channels[1], *channels[2]))
            throw Fault{"the hex code '" + printable(f.Text4.Text()) +
                        "' is not the fields' colour"};
        if (f.Picture1.BackColor() != colour)
            throw Fault{"the preview's colour is not the fields'"};
        for (const forms::ColourValue pixel : f.Picture1.pixels()) {
            if (pixel != colour && pixel != forms::White)
                throw Fault{"the preview shows another colour"};
        }
    }

    std::mt19937_64 engine_;
    std::unique_ptr<headless::HeadlessBackend> ui_;
    std::unique_ptr<varnel::Program> program_;
    std::string event_;
    bool print_color_ran_ = false;
    bool user_writes_text4_ = false;
    bool clipboard_held_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = std::random_device{}();
    long events = 200000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--seed")
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (option == "--events")
            events = std::strtol(argv[i + 1], nullptr, 10);
    }
    std::printf("seed %llu\n", static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    Run run(seed);
    const auto start = std::chrono::steady_clock::now();
    for (long event = 1; event <= events; ++event) {
        try {
            run.step();
        } catch (const Fault& fault) {
            std::printf("fault after event %ld (%s): %s\n", event, run.last_event().c_str(),
                        fault.what.c_str());
            std::printf("events: %ld, faults: 1\n", event);
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("events: %ld, %.0f events/s, faults: 0\n", events,
                static_cast<double>(events) / seconds);
    return 0;
}
