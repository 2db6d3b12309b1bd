// The About window: its design, its text, its photograph and its lifecycle.
#include <cstdint>
#include <optional>
#include <span>

#include "about/photo.h"
#include "app/program_icon.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::RGB;

class AboutTest : public VarnelTest {
protected:
    varnel::About& about() { return *program->About.loaded(); }
};

TEST_F(AboutTest, TheWindowIsBuiltFromItsDesign) {
    varnel::About& a = about();
    EXPECT_EQ(a.Caption(), "About");
    EXPECT_EQ(a.client_width(), 4680);
    EXPECT_EQ(a.client_height(), 2580);
    EXPECT_EQ(a.Icon(), &varnel::program_icon());
    EXPECT_EQ(a.Label2.Caption() + a.Label3.Caption() + a.Label4.Caption() + a.Label5.Caption(),
              "Varnel");
    const forms::Font title{"MS Sans Serif", 24, 400, 204};
    for (const forms::Label* label : {&a.Label2, &a.Label3, &a.Label4, &a.Label5}) {
        EXPECT_EQ(label->Font(), title) << label->Name();
    }
    EXPECT_EQ(a.Label2.ForeColor(), RGB(255, 0, 0));
    EXPECT_EQ(a.Label3.ForeColor(), RGB(0, 255, 0));
    EXPECT_EQ(a.Label4.ForeColor(), RGB(0, 0, 255));
    EXPECT_EQ(a.Label5.ForeColor(), forms::system(forms::SystemColour::WindowText));
    // The second letter stands 240 twips lower than the first and third, the rest 120.
    EXPECT_EQ(a.Label3.Top() - a.Label2.Top(), 240);
    EXPECT_EQ(a.Label4.Top(), a.Label2.Top());
    EXPECT_EQ(a.Label5.Top() - a.Label2.Top(), 120);
    EXPECT_EQ(a.Command1.Caption(), "Close");
    EXPECT_EQ(a.Label1.Left(), 0);  // against the window's left edge
    // The icon is stretched to its control; the photograph, unstretched, fills its own exactly.
    EXPECT_TRUE(a.Image1.Stretch());
    EXPECT_EQ(std::get<const forms::Icon*>(a.Image1.Picture()), &varnel::program_icon());
    EXPECT_FALSE(a.Image2.Stretch());
    EXPECT_EQ(a.Image2.Width(), 120 * forms::TwipsPerPixel);
    EXPECT_EQ(a.Image2.Height(), 94 * forms::TwipsPerPixel);
}

TEST_F(AboutTest, LoadWritesFourLinesSeparatedByCarriageReturnsOnly) {
    const std::string text = about().Label1.Caption();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 0);
    EXPECT_NE(text.back(), '\r');
    EXPECT_EQ(text,
              "Version 3.0\rAutor: Mira Vela\rE-mail: vela@example.org\r"
              "WWW Page: www.example.org");
}

TEST_F(AboutTest, TheAboutButtonShowsItModeless) {
    ui.click(main().Command1);
    EXPECT_TRUE(about().Visible());
    EXPECT_TRUE(ui.shown(about()));
    EXPECT_TRUE(main().Visible());
    ui.click(about().Command1);  // Close
    EXPECT_EQ(program->About.loaded(), nullptr);
    EXPECT_FALSE(program->runtime.ended());
}

TEST_F(AboutTest, ClosedAndReopenedItIsBuiltAfreshAndLoadRunsAgain) {
    ui.click(main().Command1);
    about().Label1.Caption("scribbled");
    ui.click(about().Command1);  // Close
    EXPECT_EQ(program->About.loaded(), nullptr);
    ui.click(main().Command1);  // activation reloads it hidden, then the click shows it
    ASSERT_NE(program->About.loaded(), nullptr);
    EXPECT_TRUE(about().Visible());
    EXPECT_EQ(about().Label1.Caption().substr(0, 11), "Version 3.0");
}

TEST_F(AboutTest, ClickingAboutWhileItIsShownClosesItFirstThenOpensItAfresh) {
    ui.click(main().Command1);
    varnel::About* first = &about();
    first->Label1.Caption("scribbled");
    int unloads = 0;
    first->Unload = [&](int&) { ++unloads; };
    // The click activates the main window first, whose Activate closes About; then the click
    // opens a new one.
    ui.click(main().Command1);
    EXPECT_EQ(unloads, 1);
    ASSERT_NE(program->About.loaded(), nullptr);
    EXPECT_TRUE(about().Visible());
    EXPECT_EQ(about().Label1.Caption().substr(0, 11), "Version 3.0");
    EXPECT_EQ(ui.windows_created(), 3);  // the main window, About, and About again
}

// The markers of a JPEG file, for checking how the photograph is stored.
struct JpegFacts {
    bool baseline = false;
    int precision = 0, height = 0, width = 0, components = 0;
    bool no_subsampling = true;
    int density_units = -1, x_density = 0, y_density = 0;
    bool colour_profile = false;
};

JpegFacts read_jpeg(std::span<const std::uint8_t> bytes) {
    JpegFacts facts;
    std::size_t at = 2;  // after the start-of-image marker
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const std::uint8_t marker = bytes[at + 1];
        const std::size_t length = (std::size_t{bytes[at + 2]} << 8U) | bytes[at + 3];
        const auto segment = bytes.subspan(at + 4, length - 2);
        if (marker == 0xC0 || marker == 0xC2) {
            facts.baseline = marker == 0xC0;
            facts.precision = segment[0];
            facts.height = (segment[1] << 8U) | segment[2];
            facts.width = (segment[3] << 8U) | segment[4];
            facts.components = segment[5];
            for (std::size_t c = 0; c < std::size_t{segment[5]}; ++c) {
                facts.no_subsampling &= segment[6 + 3 * c + 1] == 0x11;
            }
        } else if (marker == 0xE0 && segment.size() >= 12) {  // JFIF
            facts.density_units = segment[7];
            facts.x_density = (segment[8] << 8U) | segment[9];
            facts.y_density = (segment[10] << 8U) | segment[11];
        } else if (marker == 0xE2 && segment.size() >= 12) {
            facts.colour_profile |=
                std::string(segment.begin(), segment.begin() + 11) == "ICC_PROFILE";
        } else if (marker == 0xDA) {
            break;  // the image data follows
        }
        at += 2 + length;
    }
    return facts;
}

TEST(AboutPhoto, IsABaselineColourJpegOfTheImagesSize) {
    const std::span<const std::uint8_t> photo = varnel::about_photo();
    ASSERT_GT(photo.size(), 4U);
    EXPECT_EQ(photo[0], 0xFF);
    EXPECT_EQ(photo[1], 0xD8);
    EXPECT_EQ(photo[photo.size() - 2], 0xFF);
    EXPECT_EQ(photo[photo.size() - 1], 0xD9);
    const JpegFacts facts = read_jpeg(photo);
    EXPECT_TRUE(facts.baseline);
    EXPECT_EQ(facts.precision, 8);
    EXPECT_EQ(facts.width, 120);
    EXPECT_EQ(facts.height, 94);
    EXPECT_EQ(facts.components, 3);
    EXPECT_TRUE(facts.no_subsampling);
    EXPECT_EQ(facts.density_units, 1);  // dots per inch
    EXPECT_EQ(facts.x_density, 72);
    EXPECT_EQ(facts.y_density, 72);
    EXPECT_TRUE(facts.colour_profile);
}

}  // namespace
}  // namespace varnel_test
