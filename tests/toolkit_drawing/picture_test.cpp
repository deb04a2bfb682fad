#include "drawing_fixture.h"
#include "toolkit/picture.h"

namespace {

struct CPictureRelease {
    void operator()(CPicture* p) const { p->release(); }
};
using CPictureRef = std::unique_ptr<CPicture, CPictureRelease>;

} // namespace

TEST(Pictures, LoadByNumber) {
    struct {
        int number, width, height;
    } cases[] = {{1, 851, 311}, {2, 40, 40}, {3, 7, 7},    {0, 0, 0},
                 {4, 0, 0},     {-1, 0, 0},  {65537, 0, 0}};
    for (const auto& c : cases) {
        CPictureRef picture(new CPicture(c.number));
        EXPECT_EQ(picture->getWidth(), c.width) << c.number;
        EXPECT_EQ(picture->getHeight(), c.height) << c.number;
        EXPECT_EQ(picture->getResourceNumber(), c.number);
        EXPECT_EQ(picture->getTransparentColour(), kPictureTransparentColour);
    }
}

TEST(Pictures, BitmapsHaveTheirColours) {
    CPictureRef background(new CPicture(1));
    const CPixelBuffer& bg = background->getBitmap();
    const uint32_t grey = CColour(128, 128, 128).toPlatform();
    int art = 0;
    for (int y = 0; y < bg.height(); ++y) {
        for (int x = 0; x < bg.width(); ++x) {
            const bool inArtwork = x >= 12 && x <= 129 && y >= 11 && y <= 124;
            if (!inArtwork) {
                ASSERT_EQ(bg.get(x, y), grey) << x << "," << y;
            } else {
                art += bg.get(x, y) != grey;
            }
        }
    }
    EXPECT_GT(art, 300);

    CPictureRef disc(new CPicture(2));
    EXPECT_EQ(disc->getBitmap().get(20, 20), CColour(22, 112, 150).toPlatform());
    EXPECT_EQ(disc->getBitmap().get(0, 0), CColour(75, 183, 228).toPlatform());
    CPictureRef dot(new CPicture(3));
    EXPECT_EQ(dot->getBitmap().get(3, 3), CColour(228, 189, 31).toPlatform());
    for (CPosition corner : {CPosition(0, 0), CPosition(6, 0), CPosition(0, 6), CPosition(6, 6)}) {
        EXPECT_EQ(dot->getBitmap().get(corner.x, corner.y), CColour(22, 112, 150).toPlatform());
    }
}

TEST(Pictures, ReferenceCounting) {
    CPicture* picture = new CPicture(2);
    EXPECT_EQ(picture->referenceCount(), 1);
    picture->retain();
    EXPECT_EQ(picture->referenceCount(), 2);
    picture->release();
    EXPECT_EQ(picture->referenceCount(), 1);
    picture->release(); // destroyed here; LeakSanitizer reports it otherwise
}

TEST_F(DrawingTest, PictureDrawCopiesFromTheSourcePosition) {
    CPictureRef disc(new CPicture(2));
    canvas.setOffset({1, 2});
    disc->draw(&canvas, {10, 10, 14, 13}, {18, 18});
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(11, 12, 15, 15));
    EXPECT_EQ(at(11, 12), CColour(22, 112, 150));

    CPictureRef missing(new CPicture(42));
    missing->draw(&canvas, {0, 0, 64, 48});
    missing->drawTransparent(&canvas, {0, 0, 64, 48});
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(11, 12, 15, 15));
}

class TransparentPictureTest : public DrawingTest {
protected:
    void SetUp() override {
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                pixels.set(x, y, uint32_t(x * 4 + y * 1024 + ((x ^ y) & 1) * 0x100000));
            }
        }
    }
    // Draws the dot with its blue corners left out, at several places and source positions.
    void drawAll() {
        CPictureRef dot(new CPicture(3));
        dot->setTransparentColour(CColour(22, 112, 150, 99));
        dot->drawTransparent(&canvas, {5, 5, 12, 12});
        dot->drawTransparent(&canvas, {20, 5, 25, 9}, {2, 3});
        dot->drawTransparent(&canvas, {-3, 30, 4, 37});            // partly off the left edge
        dot->drawTransparent(&canvas, {60, 44, 70, 54});           // block larger than the picture
        dot->drawTransparent(&canvas, {30, 30, 37, 37}, {-2, -1}); // source outside the picture
        dot->drawTransparent(&canvas, {40, 5, 40, 12});            // empty
    }
};

TEST_F(TransparentPictureTest, BothPathsGiveTheSameResult) {
    const CPixelBuffer before = pixels;
    gTransparentCopy = platformTransparentCopy();
    drawAll();
    const CPixelBuffer withPlatformCopy = pixels;

    pixels = before;
    gTransparentCopy = nullptr;
    drawAll();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(pixels.get(x, y), withPlatformCopy.get(x, y)) << x << "," << y;
        }
    }
    // The corners kept the background, the middle shows the picture.
    EXPECT_EQ(pixels.get(5, 5), before.get(5, 5));
    EXPECT_EQ(pixels.get(11, 11), before.get(11, 11));
    EXPECT_EQ(at(8, 8), CColour(228, 189, 31));
    // The mask path leaves the surface's colours as they were.
    EXPECT_EQ(surface.getBackColour(), kBlackColour.toPlatform());
    EXPECT_EQ(surface.getTextColour(), kWhiteColour.toPlatform());
}
