#pragma once
#include <memory>
#include <string>

struct CFontFaceCache;

// Font families a request may ask for.
enum EFontFamily { kFamilySwiss, kFamilyDecorative };

// What a font is asked for: a face name, the character height in pixels, weight (400 normal,
// 700 bold), italic, underline and family.
struct CFontRequest {
    std::string face = "Arial";
    int pixelSize = 12;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    EFontFamily family = kFamilySwiss;
};

// A font resolved through the system's font configuration to a metric-compatible face file
// ("Arial" -> a Helvetica-metric sans face; "Symbol" -> a symbol face) and opened at a pixel
// size. Faces are shared through a process-wide cache; a font whose face could not be found
// or opened is invalid and draws nothing.
class CPlatformFont {
public:
    // Null only when memory runs out.
    static CPlatformFont* create(const CFontRequest& request);
    ~CPlatformFont();

    bool isValid() const;
    const CFontRequest& getRequest() const { return request; }
    // The file and face family the request resolved to (empty when invalid).
    const std::string& getFile() const;
    const std::string& getFamilyName() const;

    // Line metrics in pixels: ascent + descent is the line height.
    int ascent() const;
    int descent() const;
    int lineHeight() const { return ascent() + descent(); }
    // Advance width of the text in pixels.
    int textWidth(const char* text) const;

    // Draws the text with its baseline origin at (x, y), blending the colour onto the pixels of
    // the target inside the clip box (exclusive right/bottom), underlined when requested.
    void drawText(class CPixelBuffer& target, int x, int y, const char* text, uint32_t colour,
                  int clipLeft, int clipTop, int clipRight, int clipBottom) const;

    CPlatformFont(const CPlatformFont&) = delete;
    CPlatformFont& operator=(const CPlatformFont&) = delete;

private:
    explicit CPlatformFont(const CFontRequest& request);
    CFontRequest request;
    std::shared_ptr<CFontFaceCache> face;
};
