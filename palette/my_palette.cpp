#include "palette/my_palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>

#include "app/form_varnel.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "palette/strips.h"
#include "platform/forms/controls.h"
#include "platform/forms/geometry.h"
#include "platform/forms/number_text.h"
#include "platform/forms/window_ref.h"

namespace varnel {

myPalette::myPalette(Program& program)
    : forms::Form(program.runtime, {"myPalette", 2265, 3870, &program_icon()}),
      Picture2(*this, "Picture2", {30, 0, 2200, 3865}, 0),
      program_(program) {
    Picture2.AccessibleName("Spectrum");
    Picture2.Paint = [this] { Picture2_Paint(); };
    Picture2.MouseDown = [this](int button, int shift, float x, float y) {
        Picture2_MouseDown(button, shift, x, y);
    };
    Picture2.MouseMove = [this](int button, int shift, float x, float y) {
        Picture2_MouseMove(button, shift, x, y);
    };
}

void myPalette::Picture2_Paint() {
    // Every pixel, strip by strip, column by column, top to bottom; the box clips what falls
    // outside its drawing area.
    int start = 0;
    for (const palette::Strip& strip : palette::Strips) {
        for (int x = start; x < start + palette::StripColumns; ++x) {
            for (int y = 0; y < palette::Rows; ++y) {
                forms::SetPixel(Picture2.hDC(), x, y, strip.colour(y));
            }
        }
        start += palette::StripColumns;
    }
}

void myPalette::Picture2_MouseDown(int button, int /*shift*/, float x, float y) {
    if (button != forms::LeftButton) return;
    pick(x, y);
}

void myPalette::Picture2_MouseMove(int button, int /*shift*/, float x, float y) {
    // Only a drag with the left button alone picks.
    if (button != forms::LeftButton) return;
    pick(x, y);
}

void myPalette::pick(float x, float y) {
    // Only the spectrum's pixels that the box shows pick: its border and the margin beyond it
    // cover the last columns and rows. A pick above or below them does nothing at all.
    const int columns = std::min(palette::Columns, Picture2.surface_width());
    const int rows = std::min(palette::Rows, Picture2.surface_height());
    if (y < 0 || y > forms::to_twips(rows - 1)) return;
    Form_Varnel& main = *program_.Form_Varnel;
    // The row gives the intensity, as a single divided by the twips of a pixel.
    const std::string value = forms::to_text(y / static_cast<float>(forms::TwipsPerPixel));
    const float column = std::floor(x / static_cast<float>(forms::TwipsPerPixel));
    if (column >= 0 && column < static_cast<float>(columns)) {
        const palette::Strip& strip =
            palette::Strips[static_cast<std::size_t>(column) / palette::StripColumns];
        forms::TextBox* const fields[] = {&main.Text1, &main.Text2, &main.Text3};
        for (const int channel : strip.pick_order) {
            const auto c = static_cast<std::size_t>(channel);
            fields[c]->Text(strip.carries[c] ? value : "0");
        }
    }
    main.print_color();
}

}  // namespace varnel
