#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "about/about.h"
#include "app/program.h"
#include "palette/my_palette.h"
#include "platform/forms/colour.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/instant_clock.h"

namespace varnel_test {

// Random numbers the test decides: each next() takes the front of the script (0.5 once it is
// used up), and reseeds are counted.
class ScriptedRandom final : public forms::RandomSource {
public:
    void reseed_from_clock() override { ++reseeds; }
    float next() override {
        if (script.empty()) return 0.5F;
        const float value = script.front();
        script.pop_front();
        return value;
    }

    std::deque<float> script;
    int reseeds = 0;
};

// Varnel started on the headless back end, as a user sees it after launch.
class VarnelTest : public ::testing::Test {
protected:
    VarnelTest() {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        program = std::make_unique<varnel::Program>(ui, std::move(source),
                                                    std::make_unique<headless::InstantClock>());
        program->start();
        ui.run_pending();
    }

    varnel::Form_Varnel& main() { return *program->Form_Varnel.loaded(); }

    // The colour the preview box shows, read from the middle of its surface.
    forms::ColourValue preview() {
        const forms::PictureBox& box = main().Picture1;
        return box.pixel(box.surface_width() / 2, box.surface_height() / 2);
    }

    // Logs every change of the four text fields and the three scroll bars as "Name=value", in
    // order, before the program's own handler runs.
    void record_writes() {
        varnel::Form_Varnel& f = main();
        for (forms::TextBox* box : {&f.Text1, &f.Text2, &f.Text3, &f.Text4}) {
            box->Change = [this, box, inner = box->Change] {
                writes.push_back(box->Name() + "=" + box->Text());
                if (inner) inner();
            };
        }
        for (forms::VScrollBar* bar : {&f.VScroll1, &f.VScroll2, &f.VScroll3}) {
            bar->Change = [this, bar, inner = bar->Change] {
                writes.push_back(bar->Name() + "=" + std::to_string(bar->Value()));
                if (inner) inner();
            };
        }
    }

    // Each run of print_color that gets past its conversions writes "#" into Text4 first.
    int print_color_runs() const {
        int runs = 0;
        for (const std::string& write : writes) runs += write == "Text4=#";
        return runs;
    }

    int white_pixels() {
        int count = 0;
        for (const forms::ColourValue pixel : main().Picture1.pixels())
            count += pixel == forms::White;
        return count;
    }

    std::vector<std::string> box_texts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.message_boxes()) texts.push_back(box.text);
        return texts;
    }

    headless::HeadlessBackend ui;
    ScriptedRandom* random = nullptr;
    std::unique_ptr<varnel::Program> program;
    std::vector<std::string> writes;
};

}  // namespace varnel_test
