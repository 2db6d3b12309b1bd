// The portable helpers in the back ends' folders: the Windows icon image, and the Linux back end's
// scroll bar geometry, font choice and the scale it takes from the desktop.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/program_icon.h"
#include "platform/fltk/desktop_scale.h"
#include "platform/fltk/fonts.h"
#include "platform/fltk/scroll_bar_geometry.h"
#include "platform/scaling/scale.h"
#include "platform/win32/icon_image.h"

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8U) |
           (std::uint32_t{bytes[at + 2]} << 16U) | (std::uint32_t{bytes[at + 3]} << 24U);
}

TEST(WindowsIconImage, IsAFourBitBitmapOverTheStandardPaletteWithItsMask) {
    const forms::Icon& icon = varnel::program_icon();
    const std::vector<std::uint8_t> image = win32::icon_image(icon);
    constexpr std::size_t Header = 40;
    constexpr std::size_t Palette = 16 * 4;
    constexpr std::size_t ColourRow = 16;  // 32 pixels of 4 bits
    constexpr std::size_t MaskRow = 4;     // 32 bits
    ASSERT_EQ(image.size(), Header + Palette + 32 * (ColourRow + MaskRow));
    EXPECT_EQ(read32(image, 4), 32U);  // width
    EXPECT_EQ(read32(image, 8), 64U);  // the colour image and the mask
    EXPECT_EQ(image[14], 4);           // bits per pixel
    // Blue, green, red: the palette's dark green is (0, 128, 0).
    EXPECT_EQ(read32(image, Header + 2 * 4), 0x008000U);
    // Rows run from the bottom up; each pixel's index and mask bit match the icon.
    for (int y = 0; y < 32; ++y) {
        const std::size_t row = static_cast<std::size_t>(31 - y);
        for (int x = 0; x < 32; ++x) {
            const auto column = static_cast<std::size_t>(x);
            const std::uint8_t pair = image[Header + Palette + row * ColourRow + column / 2];
            const int index = x % 2 == 0 ? pair >> 4U : pair & 0x0FU;
            const std::uint8_t mask_byte =
                image[Header + Palette + 32 * ColourRow + row * MaskRow + column / 8];
            const bool masked = (mask_byte & (0x80U >> static_cast<unsigned>(x % 8))) != 0;
            ASSERT_EQ(masked, icon.transparent(x, y)) << x << "," << y;
            ASSERT_EQ(index, icon.transparent(x, y) ? 0 : icon.at(x, y)) << x << "," << y;
        }
    }
}

using fltk::ScrollBarGeometry;
using Part = ScrollBarGeometry::Part;

TEST(ScrollBarGeometry, TheThumbRunsFromMinAtTheTopToMaxAtTheBottom) {
    const ScrollBarGeometry bar{17, 89, 0, 255};  // a channel's bar
    EXPECT_EQ(bar.arrow_size(), 17);
    EXPECT_EQ(bar.thumb_size(), 17);
    EXPECT_EQ(bar.thumb_top(0), 17);
    EXPECT_EQ(bar.thumb_top(255), 89 - 17 - 17);
    // The thumb never moves up as the value grows, and a thumb dragged to any place of the
    // track gives a value whose thumb stands at that very place.
    for (int value = 1; value <= 255; ++value)
        ASSERT_GE(bar.thumb_top(value), bar.thumb_top(value - 1));
    for (int top = bar.thumb_top(0); top <= bar.thumb_top(255); ++top) {
        ASSERT_EQ(bar.thumb_top(bar.value_at_thumb_top(top)), top) << top;
    }
    EXPECT_EQ(bar.value_at_thumb_top(-50), 0);
    EXPECT_EQ(bar.value_at_thumb_top(500), 255);
}

TEST(ScrollBarGeometry, AScaledBarScalesItsArrowsAndThumbAndStillReachesEveryValue) {
    for (const int dpi : {120, 144, 168, 192}) {
        const scaling::Scale scale = *scaling::Scale::of_dpi(dpi);
        const ScrollBarGeometry bar{scale.device(17), scale.device(89), 0, 255};
        EXPECT_EQ(bar.arrow_size(), scale.device(17)) << dpi;
        EXPECT_EQ(bar.thumb_size(), scale.device(17)) << dpi;
        EXPECT_EQ(bar.thumb_top(255) + bar.thumb_size(), bar.height - bar.arrow_size()) << dpi;
        for (int top = bar.thumb_top(0); top <= bar.thumb_top(255); ++top) {
            ASSERT_EQ(bar.thumb_top(bar.value_at_thumb_top(top)), top) << dpi << " " << top;
        }
    }
}

TEST(ScrollBarGeometry, EveryPlaceBelongsToOnePart) {
    const ScrollBarGeometry bar{17, 89, 0, 255};
    const int value = 128;
    const int thumb = bar.thumb_top(value);
    EXPECT_EQ(bar.part_at(-1, value), Part::Nowhere);
    EXPECT_EQ(bar.part_at(0, value), Part::UpArrow);
    EXPECT_EQ(bar.part_at(16, value), Part::UpArrow);
    EXPECT_EQ(bar.part_at(17, value), Part::TroughAbove);
    EXPECT_EQ(bar.part_at(thumb, value), Part::Thumb);
    EXPECT_EQ(bar.part_at(thumb + 16, value), Part::Thumb);
    EXPECT_EQ(bar.part_at(thumb + 17, value), Part::TroughBelow);
    EXPECT_EQ(bar.part_at(72, value), Part::DownArrow);
    EXPECT_EQ(bar.part_at(88, value), Part::DownArrow);
    EXPECT_EQ(bar.part_at(89, value), Part::Nowhere);
    // Too short for a thumb: two arrows meet.
    const ScrollBarGeometry stub{17, 20, 0, 255};
    EXPECT_EQ(stub.thumb_size(), 0);
    EXPECT_EQ(stub.value_at_thumb_top(5), 0);
}

TEST(FontChoice, NearestStandardFaceAtItsPixelSize) {
    const scaling::Scale base;
    EXPECT_EQ(fltk::choose_font(std::nullopt, base).face, fltk::DefaultFace);
    const fltk::FontChoice title =
        fltk::choose_font(forms::Font{"MS Sans Serif", 24, 400, 204}, base);
    EXPECT_EQ(title.face, FL_HELVETICA);  // a sans serif face, whatever the family's name
    EXPECT_EQ(title.size, 32);            // 24 points at 96 dots per inch
    EXPECT_EQ(fltk::choose_font(forms::Font{"Times New Roman", 12, 700, 0}, base).face,
              FL_TIMES + FL_BOLD);
    EXPECT_EQ(fltk::choose_font(forms::Font{"Courier New", 10, 400, 0}, base).face, FL_COURIER);
    EXPECT_EQ(fltk::choose_font(forms::Font{"Tiny", 0, 400, 0}, base).size, 1);
}

TEST(FontChoice, TextIsSizedInDevicePixelsAtTheScale) {
    const forms::Font title{"MS Sans Serif", 24, 400, 204};
    EXPECT_EQ(fltk::choose_font(title, *scaling::Scale::of_dpi(192)).size, 64);
    EXPECT_EQ(fltk::choose_font(title, *scaling::Scale::of_dpi(144)).size, 48);
    EXPECT_EQ(fltk::choose_font(title, *scaling::Scale::of_dpi(120)).size, 40);
    // 8 points at 1.75: 18.67 pixels, to the nearest.
    EXPECT_EQ(fltk::choose_font(forms::Font{"Arial", 8, 400, 0}, *scaling::Scale::of_dpi(168)).size,
              19);
    EXPECT_EQ(fltk::choose_font(std::nullopt, *scaling::Scale::of_dpi(192)).size,
              2 * fltk::DefaultSize);
    EXPECT_EQ(fltk::default_font(*scaling::Scale::of_dpi(144)).size, 15);
    EXPECT_EQ(fltk::default_font(*scaling::Scale::of_dpi(144)).face, fltk::DefaultFace);
}

using fltk::choose_scale;

int dpi_of(const fltk::ScaleSettings& settings) { return choose_scale(settings).scale.dpi(); }

TEST(DesktopScale, TheFirstSettingFoundWins) {
    EXPECT_EQ(dpi_of({"2", "3", "288"}), 192);
    EXPECT_EQ(dpi_of({std::nullopt, "1.5", "288"}), 144);
    EXPECT_EQ(dpi_of({std::nullopt, std::nullopt, "144"}), 144);
    EXPECT_EQ(dpi_of({}), 96);
    // An empty setting is no setting.
    EXPECT_EQ(dpi_of({"", "", "192"}), 192);
    // A setting found but unusable gives 1: the next one is not asked.
    EXPECT_EQ(dpi_of({"huge", "2", "192"}), 96);
    EXPECT_EQ(dpi_of({std::nullopt, "0", "192"}), 96);
    EXPECT_EQ(dpi_of({std::nullopt, "1", "192"}), 96);
}

TEST(DesktopScale, FactorsFromOneToFiveIncludingFractionsAreTakenToWholeDotsPerInch) {
    EXPECT_EQ(dpi_of({"1"}), 96);
    EXPECT_EQ(dpi_of({"1.25"}), 120);
    EXPECT_EQ(dpi_of({"1.75"}), 168);
    EXPECT_EQ(dpi_of({"4"}), 384);
    EXPECT_EQ(dpi_of({" 2 \n"}), 192);
    EXPECT_EQ(dpi_of({"1.5\n"}), 144);
    // A setting is read within its bounds, whatever follows it.
    EXPECT_EQ(dpi_of({std::string_view("25").substr(0, 1)}), 192);
    EXPECT_EQ(dpi_of({"1.3"}), 125);  // 124.8 dots per inch
    EXPECT_EQ(dpi_of({std::nullopt, "2.0"}), 192);
    EXPECT_EQ(dpi_of({std::nullopt, std::nullopt, "96"}), 96);
    EXPECT_EQ(dpi_of({std::nullopt, std::nullopt, "110.4"}), 110);
    EXPECT_EQ(dpi_of({std::nullopt, std::nullopt, "384"}), 384);
    EXPECT_EQ(dpi_of({"5"}), 480);
    // Unreadable, or outside 1 to 5.
    for (const char* text : {"0.99", "5.01", "-2", "2x", "x2", "2,5", "nan", "inf", "1e999", " "}) {
        EXPECT_EQ(dpi_of({std::nullopt, text}), 96) << text;
    }
    for (const char* text : {"72", "481", "ninety-six"}) {
        EXPECT_EQ(dpi_of({std::nullopt, std::nullopt, text}), 96) << text;
    }
}

TEST(DesktopScale, OnlyAnUnusableVarnelScaleIsReported) {
    const fltk::ScaleChoice bad = choose_scale({"0.5", "2"});
    EXPECT_EQ(bad.scale, scaling::Scale());
    EXPECT_EQ(bad.complaint, "varnel: VARNEL_SCALE=0.5 is not a scale from 1 to 5; using 1");
    EXPECT_FALSE(choose_scale({"2"}).complaint);
    EXPECT_FALSE(choose_scale({std::nullopt, "9"}).complaint);
    EXPECT_FALSE(choose_scale({std::nullopt, std::nullopt, "12"}).complaint);
    EXPECT_FALSE(choose_scale({""}).complaint);
}

TEST(DesktopScale, TheComplaintQuotesAtMostFortyCharactersOfTheSetting) {
    const auto complaint = [](const std::string& setting) {
        return *choose_scale({setting}).complaint;
    };
    const auto about = [](const std::string& quote) {
        return "varnel: VARNEL_SCALE=" + quote + " is not a scale from 1 to 5; using 1";
    };
    EXPECT_EQ(complaint(std::string(40, '9')), about(std::string(40, '9')));
    EXPECT_EQ(complaint(std::string(100000, '9')), about(std::string(37, '9') + "..."));
    // Characters, not bytes; and none that a terminal would obey.
    std::string accents;
    for (int i = 0; i < 41; ++i) accents += "\u00e9";
    EXPECT_EQ(complaint(accents), about(accents.substr(0, 2 * 37) + "..."));
    EXPECT_EQ(complaint("2\x1b]0;owned\x07\x7f"), about("2?]0;owned??"));
    EXPECT_EQ(complaint("1 or 2"), about("1 or 2"));
}

}  // namespace
