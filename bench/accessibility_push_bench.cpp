// What telling assistive technology costs a keystroke in a decimal field: nothing while none has
// asked, and one description of each window per event once one has; against describing the
// window at each control's push, as the Windows back end once did, whether a screen reader ran
// or not (its own copy of what it had told, compared there).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/control.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/instant_clock.h"

namespace {

// The headless back end, behind a back end of the benchmark's own.
class Forwarding : public forms::Backend {
public:
    explicit Forwarding(headless::HeadlessBackend& inner) : inner_(inner) {}

    void update(forms::Control& control) override { inner_.update(control); }
    void form_loaded(forms::Form& form) override { inner_.form_loaded(form); }
    void form_unloaded(forms::Form& form) override { inner_.form_unloaded(form); }
    void update(forms::Form& form) override { inner_.update(form); }
    void activate(forms::Form& form) override { inner_.activate(form); }
    void accessible_update(const forms::AccessibleUpdate& update) override {
        inner_.accessible_update(update);
    }
    int message_box(const std::string& text, int style, const std::string& title,
                    const std::vector<forms::Form*>& held) override {
        return inner_.message_box(text, style, title, held);
    }
    forms::ClipboardResult set_clipboard_text(const std::string& text) override {
        return inner_.set_clipboard_text(text);
    }
    forms::ColourValue resolve(forms::SystemColour colour) override {
        return inner_.resolve(colour);
    }
    void quit() override { inner_.quit(); }

private:
    headless::HeadlessBackend& inner_;
};

// The same, describing a control's window at each push of the control and comparing it with what
// it described last.
class DescribingAtEachPush final : public Forwarding {
public:
    using Forwarding::Forwarding;
    using Forwarding::update;

    void update(forms::Control& control) override {
        Forwarding::update(control);
        forms::AccessibleWindow now = forms::describe(control.form());
        forms::AccessibleWindow& told = told_[&control.form()];
        benchmark::DoNotOptimize(forms::events_between(told, now));
        told = std::move(now);
    }

private:
    std::map<const forms::Form*, forms::AccessibleWindow> told_;
};

// Varnel on a back end, typing into its red field.
template <class Wrapper>
struct Typing {
    headless::HeadlessBackend ui;
    Wrapper backend{ui};
    varnel::Program program{backend, std::make_unique<forms::ClassicRandom>(),
                            std::make_unique<headless::InstantClock>()};
    int value = 0;

    Typing() { program.start(); }
    void keystroke() {
        ui.replace_text(program.Form_Varnel.loaded()->Text1, std::to_string(value));
        value = (value + 1) % 256;
    }
};

void KeystrokeDescribedAtEachPush(benchmark::State& state) {
    Typing<DescribingAtEachPush> app;
    for (auto _ : state) app.keystroke();
}
BENCHMARK(KeystrokeDescribedAtEachPush);

void KeystrokeWithoutAssistiveTechnology(benchmark::State& state) {
    Typing<Forwarding> app;
    for (auto _ : state) app.keystroke();
}
BENCHMARK(KeystrokeWithoutAssistiveTechnology);

void KeystrokeToldToAssistiveTechnology(benchmark::State& state) {
    Typing<Forwarding> app;
    app.program.runtime.assistive_technology_asked();
    for (auto _ : state) app.keystroke();
}
BENCHMARK(KeystrokeToldToAssistiveTechnology);

}  // namespace
