#include "drawing_fixture.h"
#include "toolkit/platform/font.h"
#include <string>

namespace {

const CPlatformFont* selectedFont(const CSurface& surface) {
    return surface.getFont();
}

} // namespace

TEST(FontResolution, ArialResolvesToAMetricCompatibleFace) {
    CFontRequest request;
    request.face = "Arial";
    request.pixelSize = 12;
    std::unique_ptr<CPlatformFont> font(CPlatformFont::create(request));
    ASSERT_TRUE(font && font->isValid());
    const std::string family = font->getFamilyName();
    EXPECT_TRUE(family == "Liberation Sans" || family == "Arimo") << family;
    // Advance widths of the metric-compatible face: "Hello" is 2278/1000 em.
    EXPECT_NEAR(font->textWidth("Hello"), 27, 2);
    EXPECT_EQ(font->textWidth(""), 0);
    EXPECT_GE(font->lineHeight(), 13);
    EXPECT_LE(font->lineHeight(), 15);
}

TEST(FontResolution, BoldAndSymbolFacesResolve) {
    CFontRequest bold;
    bold.weight = 700;
    std::unique_ptr<CPlatformFont> boldFont(CPlatformFont::create(bold));
    ASSERT_TRUE(boldFont && boldFont->isValid());
    EXPECT_NE(boldFont->getFile().find("Bold"), std::string::npos) << boldFont->getFile();

    CFontRequest symbol;
    symbol.face = "Symbol";
    symbol.pixelSize = 13;
    symbol.family = kFamilyDecorative;
    std::unique_ptr<CPlatformFont> symbolFont(CPlatformFont::create(symbol));
    ASSERT_TRUE(symbolFont && symbolFont->isValid());
    EXPECT_NE(symbolFont->getFamilyName().find("Symbol"), std::string::npos)
        << symbolFont->getFamilyName();
    // Letters stand for Greek ones: 'a' finds the alpha glyph, not the missing-glyph box.
    EXPECT_GT(symbolFont->textWidth("a"), 5);
}

TEST_F(DrawingTest, FontIdOutOfRangeFallsBackToBoldFontZero) {
    struct {
        int id, size, style, expectedId, expectedSize, expectedWeight;
    } cases[] = {
        {9, 0, 0, 0, 12, 700}, {-1, 0, 0, 0, 12, 700}, {0, 20, 0, 0, 20, 700},
        {3, 0, 0, 3, 12, 400}, {4, 0, 1, 4, 11, 700},  {1, 0, 0, 1, 18, 400},
    };
    for (const auto& c : cases) {
        canvas.setFont(c.id, c.size, c.style);
        EXPECT_EQ(canvas.getFontId(), c.expectedId) << c.id;
        EXPECT_EQ(canvas.getFontSize(), c.expectedSize) << c.id;
        ASSERT_NE(selectedFont(surface), nullptr);
        EXPECT_EQ(selectedFont(surface)->getRequest().weight, c.expectedWeight) << c.id;
        EXPECT_EQ(selectedFont(surface)->getRequest().pixelSize, c.expectedSize) << c.id;
    }
    canvas.setFont(7);
    EXPECT_EQ(selectedFont(surface)->getRequest().family, kFamilyDecorative);
    canvas.setFont(2, 0, kFontItalic | kFontUnderline);
    EXPECT_TRUE(selectedFont(surface)->getRequest().italic);
    EXPECT_TRUE(selectedFont(surface)->getRequest().underline);
}

class TextTest : public DrawingTest {
protected:
    void SetUp() override {
        canvas.setFont(3);
        canvas.setFontColour(kWhiteColour);
        canvas.setFillColour(kBlue);
    }
    CRectangle draw(const char* text, const CRectangle& r, int alignment, bool opaque = false) {
        canvas.setFillColour(kBlackColour);
        canvas.fillRect({-1, -1, 64, 48});
        canvas.setFillColour(kBlue);
        canvas.drawString(text, r, opaque, alignment);
        return inkBox(kBlackColour);
    }
};

TEST_F(TextTest, AlignmentPlacesTheTextInItsBox) {
    const CRectangle box(10, 10, 60, 30);
    const CRectangle left = draw("Hi", box, kAlignLeft);
    const CRectangle centre = draw("Hi", box, kAlignCentre);
    const CRectangle right = draw("Hi", box, kAlignRight);
    const CRectangle other = draw("Hi", box, 7);
    ASSERT_LT(left.left, left.right);
    const int width = left.right - left.left;
    EXPECT_EQ(centre.right - centre.left, width);
    EXPECT_EQ(right.right - right.left, width);
    EXPECT_EQ(other, left);

    // Left: one pixel in from the box's left edge (plus the glyph's own bearing).
    draw(nullptr, box, kAlignLeft);
    surface.drawText("Hi", box, kTextAlignLeft);
    const CRectangle atEdge = inkBox(kBlackColour);
    EXPECT_EQ(atEdge.left + 1, left.left);
    EXPECT_GE(left.left, 11);
    EXPECT_LE(left.left, 13);
    // Right: ends at the right edge (within the glyph's bearing).
    EXPECT_LE(right.right, 60);
    EXPECT_GE(right.right, 57);
    // Centre: the ink is centred within a pixel or two.
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 35.0, 2.0);
    // Vertically centred in every alignment.
    for (const CRectangle& r : {left, centre, right}) {
        EXPECT_EQ(r.top, left.top);
        EXPECT_NEAR((r.top + r.bottom) / 2.0, 20.0, 2.5);
    }
}

TEST_F(TextTest, OpaqueTextFillsItsCellWithTheFillColour) {
    draw("Hi", {10, 10, 60, 30}, kAlignCentre, false);
    EXPECT_EQ(count(kBlue), 0);
    draw("Hi", {10, 10, 60, 30}, kAlignCentre, true);
    EXPECT_GT(count(kBlue), 20);
    // The cell is the text's extent, not the whole box.
    EXPECT_EQ(at(11, 20), kBlackColour);
    // The surface is back to a transparent background afterwards.
    EXPECT_FALSE(surface.isBackOpaque());
}

TEST_F(TextTest, TextIsClippedToItsBoxAndAmpersandsArePrinted) {
    const CRectangle ink = draw("A very long text that cannot fit", {10, 10, 30, 30}, kAlignLeft);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 30);
    const int plain = draw("AB", {0, 0, 64, 48}, kAlignLeft).right;
    const int withAmpersand = draw("A&B", {0, 0, 64, 48}, kAlignLeft).right;
    EXPECT_GT(withAmpersand, plain + 3);
}

TEST_F(TextTest, NullTextDrawsNothingAndTextWithoutAFontUsesFontZero) {
    EXPECT_EQ(draw(nullptr, {0, 0, 64, 48}, kAlignLeft, true), CRectangle());
    CCanvas bare(nullptr, &surface, nullptr);
    surface.selectFont(nullptr);
    bare.drawString("Hi", {0, 0, 64, 48});
    EXPECT_NE(inkBox(kBlackColour), CRectangle());
    EXPECT_EQ(bare.getFontId(), 0);
    EXPECT_EQ(bare.getFontSize(), 12);
}
