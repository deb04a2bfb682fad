#include "toolkit/offscreen_canvas.h"
#include "toolkit/value_display.h"
#include "toolkit_fixture.h"

#include <cstdio>
#include <cstring>

namespace {

void percent(float value, char* text) {
    std::snprintf(text, 256, "%d%%", int(value * 100.0f));
}

void withUnit(float value, char* text, void* unit) {
    std::snprintf(text, 256, "%.1f %s", double(value), static_cast<const char*>(unit));
}

// A display drawn into a buffer of its own size so its pixels can be read.
class ValueDisplay : public CToolkitFixture {
protected:
    void SetUp() override {
        CToolkitFixture::SetUp();
        display = new CValueDisplay(CRectangle{0, 0, 60, 20}, nullptr, 0);
        buffer = new COffscreenCanvas(frame, 61, 21, CColour{0, 0, 255});
    }
    void TearDown() override {
        delete buffer;
        display->release();
        CToolkitFixture::TearDown();
    }
    uint32_t at(int x, int y) const { return buffer->getBitmap().get(x, y); }
    // Pixels inside the box whose colour passes the test.
    template <typename Test> int countInside(Test test) const {
        int n = 0;
        for (int y = 1; y < 20; ++y) {
            for (int x = 1; x < 60; ++x) {
                const CColour c = CColour::fromPlatform(at(x, y));
                n += test(c) ? 1 : 0;
            }
        }
        return n;
    }
    int exactly(uint32_t colour) const {
        return countInside([colour](const CColour& c) { return c.toPlatform() == colour; });
    }
    // Text is smoothed: its core pixels are near its colour.
    int whitish() const {
        return countInside(
            [](const CColour& c) { return c.red > 0xc0 && c.red == c.green && c.green == c.blue; });
    }
    int reddish() const {
        return countInside([](const CColour& c) { return c.red > 0xc0 && c.green < 0x40; });
    }

    CValueDisplay* display = nullptr;
    COffscreenCanvas* buffer = nullptr;
};

TEST_F(ValueDisplay, ConvertersAreChosenInOrderOfPreference) {
    char text[kDisplayTextSize];
    display->setValue(0.5f);
    display->formatValue(text);
    EXPECT_STREQ(text, "0.50");
    display->setConverter(percent);
    display->formatValue(text);
    EXPECT_STREQ(text, "50%");
    static char unit[] = "dB";
    display->setConverterWithData(withUnit, unit);
    display->formatValue(text);
    EXPECT_STREQ(text, "0.5 dB");
    display->setValue(-12345678.0f);
    display->setConverterWithData(nullptr, nullptr);
    display->setConverter(nullptr);
    display->formatValue(text);
    EXPECT_STREQ(text, "-12345678.00");
}

TEST_F(ValueDisplay, NewControlIsDirtyUntilDrawn) {
    EXPECT_TRUE(display->isDirty());
    EXPECT_EQ(display->getDrawnValue(), 1.0f);
    display->draw(buffer);
    EXPECT_FALSE(display->isDirty());
    display->setValue(0.25f); // a new value is enough
    EXPECT_TRUE(display->isDirty());
    display->setValue(-1.0f);
    display->setDirty(true);
    EXPECT_EQ(display->getDrawnValue(), 0.0f);
    display->setDirty(false);
    EXPECT_FALSE(display->isDirty());
}

TEST_F(ValueDisplay, NoDrawStyleStartsCleanAndPaintsNothing) {
    CValueDisplay* hidden = new CValueDisplay(CRectangle{0, 0, 60, 20}, nullptr, kDisplayNoDraw);
    EXPECT_FALSE(hidden->isDirty());
    hidden->setDirty(true);
    hidden->draw(buffer);
    EXPECT_FALSE(hidden->isDirty());
    EXPECT_EQ(exactly(CColour{0, 0, 255}.toPlatform()), 59 * 19);
    hidden->release();
}

TEST_F(ValueDisplay, BoxIsFilledOutlinedAndCarriesTheText) {
    display->setFrameColour(CColour{0, 255, 0});
    display->setValue(0.5f);
    display->draw(buffer);
    EXPECT_EQ(at(0, 0), (CColour{0, 255, 0}.toPlatform()));   // outline
    EXPECT_EQ(at(60, 20), (CColour{0, 255, 0}.toPlatform())); // outline, inclusive corner
    EXPECT_EQ(at(2, 2), kBlackColour.toPlatform());           // fill
    EXPECT_GT(whitish(), 0);
}

TEST_F(ValueDisplay, NoTextStyleDrawsTheBoxOnly) {
    display->setStyle(kDisplayNoText);
    display->draw(buffer);
    EXPECT_EQ(whitish(), 0);
    EXPECT_EQ(at(2, 2), kBlackColour.toPlatform());
}

TEST_F(ValueDisplay, ShadowStyleDrawsTheShadowColourBesideTheText) {
    display->draw(buffer);
    EXPECT_EQ(reddish(), 0);
    display->setStyle(kDisplayShadowText);
    display->draw(buffer);
    EXPECT_GT(reddish(), 0);
    EXPECT_GT(whitish(), 0);
}

TEST_F(ValueDisplay, BevelStylesSwapTheEdgeColours) {
    struct CCase {
        uint32_t style;
        CColour topLeft;
        CColour bottomRight;
    };
    const CColour back{10, 20, 30};
    const CColour edge{200, 100, 50};
    const CCase cases[] = {
        {kDisplayBevelRaised, back, edge},
        {kDisplayBevelSunken, edge, back},
    };
    for (const CCase& c : cases) {
        display->setStyle(c.style | kDisplayNoText);
        display->setBackColour(back);
        display->setFrameColour(edge);
        display->draw(buffer);
        EXPECT_EQ(at(0, 10), c.topLeft.toPlatform()) << "left edge, style " << c.style;
        EXPECT_EQ(at(30, 0), c.topLeft.toPlatform()) << "top edge, style " << c.style;
        EXPECT_EQ(at(60, 10), c.bottomRight.toPlatform()) << "right edge, style " << c.style;
        EXPECT_EQ(at(30, 20), c.bottomRight.toPlatform()) << "bottom edge, style " << c.style;
    }
}

TEST_F(ValueDisplay, ColourSettersIgnoreAlphaForDirtinessButStoreIt) {
    using CSetter = void (CValueDisplay::*)(const CColour&);
    using CGetter = const CColour& (CValueDisplay::*)() const;
    struct CCase {
        const char* name;
        CSetter set;
        CGetter get;
    };
    const CCase cases[] = {
        {"font", &CValueDisplay::setFontColour, &CValueDisplay::getFontColour},
        {"back", &CValueDisplay::setBackColour, &CValueDisplay::getBackColour},
        {"frame", &CValueDisplay::setFrameColour, &CValueDisplay::getFrameColour},
        {"shadow", &CValueDisplay::setShadowColour, &CValueDisplay::getShadowColour},
    };
    for (const CCase& c : cases) {
        display->setDirty(false);
        CColour colour = (display->*c.get)();
        colour.alpha = static_cast<uint8_t>(colour.alpha + 1);
        (display->*c.set)(colour);
        EXPECT_FALSE(display->isDirty()) << c.name;
        EXPECT_EQ((display->*c.get)().alpha, colour.alpha) << c.name;
        colour.green = static_cast<uint8_t>(colour.green + 1);
        (display->*c.set)(colour);
        EXPECT_TRUE(display->isDirty()) << c.name;
    }
}

TEST_F(ValueDisplay, OtherSettersMarkDirtyOnlyOnChange) {
    display->setDirty(false);
    display->setFont(3);
    display->setAlignment(kAlignCentre);
    display->setStyle(0);
    display->setTextStyle(0);
    display->setTextTransparent(false);
    display->setConverter(percent);
    EXPECT_FALSE(display->isDirty());
    display->setFont(1);
    EXPECT_TRUE(display->isDirty());
}

} // namespace
