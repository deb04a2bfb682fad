#include "toolkit/platform/font.h"
#include "toolkit/platform/pixel_buffer.h"
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include <map>
#include <mutex>
#include <new>
#include <tuple>
#include <unordered_map>

// One face file opened at one pixel size, with its rendered glyphs.
struct CFontFaceCache {
    struct CGlyph {
        int left = 0;    // bitmap offset from the pen position
        int top = 0;     // rows above the baseline
        int advance = 0; // pixels
        int width = 0;
        int rows = 0;
        std::vector<uint8_t> coverage;
    };

    FT_Face face = nullptr;
    std::string file;
    std::string family;
    bool embolden = false;
    bool oblique = false;
    uint32_t symbolBase = 0; // added to a character to find it in a symbol character map
    int ascent = 0;
    int descent = 0;
    int underlinePosition = 0;  // pixels below the baseline
    int underlineThickness = 1; // pixels
    std::unordered_map<uint32_t, CGlyph> glyphs;

    ~CFontFaceCache() {
        if (face) {
            FT_Done_Face(face);
        }
    }
    const CGlyph& glyph(unsigned char c);
};

namespace {

struct CResolved {
    std::string file;
    int index = 0;
    std::string family;
    int weight = 0;
    int slant = 0;
};

// The process-wide font state: the FreeType library, resolved requests and open faces. Faces
// stay open until the process ends (a handful of sizes of one or two faces).
class CFontSystem {
public:
    static CFontSystem& get() {
        static CFontSystem system;
        return system;
    }

    std::shared_ptr<CFontFaceCache> open(const CFontRequest& request) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!library) {
            return nullptr;
        }
        const bool bold = request.weight >= 600;
        const auto resolvedKey = std::make_tuple(request.face, bold, request.italic);
        auto found = resolved.find(resolvedKey);
        if (found == resolved.end()) {
            found =
                resolved.emplace(resolvedKey, resolve(request.face, bold, request.italic)).first;
        }
        const CResolved& r = found->second;
        if (r.file.empty()) {
            return nullptr;
        }
        const int size = std::clamp(request.pixelSize, 1, 1000);
        const bool embolden = bold && r.weight < FC_WEIGHT_DEMIBOLD;
        const bool oblique = request.italic && r.slant == FC_SLANT_ROMAN;
        const bool decorative = request.family == kFamilyDecorative;
        const auto faceKey = std::make_tuple(r.file, r.index, size, embolden, oblique, decorative);
        auto open = faces.find(faceKey);
        if (open != faces.end()) {
            return open->second;
        }
        std::shared_ptr<CFontFaceCache> cache = std::make_shared<CFontFaceCache>();
        if (FT_New_Face(library, r.file.c_str(), r.index, &cache->face) != 0) {
            cache->face = nullptr;
            return nullptr;
        }
        FT_Set_Pixel_Sizes(cache->face, 0, FT_UInt(size));
        cache->file = r.file;
        cache->family = r.family;
        cache->embolden = embolden;
        cache->oblique = oblique;
        chooseCharmap(*cache, decorative);
        const FT_Size_Metrics& m = cache->face->size->metrics;
        cache->ascent = int((m.ascender + 63) >> 6);
        cache->descent = int((-m.descender + 63) >> 6);
        if (FT_IS_SCALABLE(cache->face)) {
            const FT_Fixed scale = m.y_scale;
            cache->underlinePosition =
                std::max(1, int((-FT_MulFix(cache->face->underline_position, scale) + 32) >> 6));
            cache->underlineThickness =
                std::max(1, int((FT_MulFix(cache->face->underline_thickness, scale) + 32) >> 6));
        }
        faces.emplace(faceKey, cache);
        return cache;
    }

private:
    // A font configuration of our own, so that the host's use of the same library is not
    // disturbed and everything can be released when the library is unloaded.
    CFontSystem() : config(FcInitLoadConfigAndFonts()) {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
        }
    }
    ~CFontSystem() {
        faces.clear();
        if (library) {
            FT_Done_FreeType(library);
        }
        if (config) {
            FcConfigDestroy(config);
        }
    }

    // Asks the font configuration for the installed face that best stands in for the name;
    // its metric-compatible aliases map the classic face names onto free faces.
    CResolved resolve(const std::string& face, bool bold, bool italic) {
        CResolved result;
        FcPattern* pattern = config ? FcPatternCreate() : nullptr;
        if (!pattern) {
            return result;
        }
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult outcome = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &outcome);
        if (match) {
            FcChar8* file = nullptr;
            FcChar8* family = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                result.file = reinterpret_cast<const char*>(file);
            }
            if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family) {
                result.family = reinterpret_cast<const char*>(family);
            }
            FcPatternGetInteger(match, FC_INDEX, 0, &result.index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &result.weight);
            FcPatternGetInteger(match, FC_SLANT, 0, &result.slant);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        return result;
    }

    // Decorative (symbol) fonts take 8-bit characters in the symbol encoding ('a' is alpha):
    // through the face's symbol character map when it has one, else through its Unicode map,
    // which symbol faces fill with the same assignments.
    static void chooseCharmap(CFontFaceCache& cache, bool decorative) {
        if (decorative && FT_Select_Charmap(cache.face, FT_ENCODING_MS_SYMBOL) == 0) {
            cache.symbolBase = 0xf000;
            return;
        }
        FT_Select_Charmap(cache.face, FT_ENCODING_UNICODE);
    }

    std::mutex mutex;
    FcConfig* config = nullptr;
    FT_Library library = nullptr;
    std::map<std::tuple<std::string, bool, bool>, CResolved> resolved;
    std::map<std::tuple<std::string, int, int, bool, bool, bool>, std::shared_ptr<CFontFaceCache>>
        faces;
};

} // namespace

const CFontFaceCache::CGlyph& CFontFaceCache::glyph(unsigned char c) {
    auto found = glyphs.find(c);
    if (found != glyphs.end()) {
        return found->second;
    }
    CGlyph g;
    // 8-bit text is read as Latin-1 (the first 256 code points of Unicode).
    const FT_UInt index = FT_Get_Char_Index(face, symbolBase + c);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) == 0) {
        FT_GlyphSlot slot = face->glyph;
        if (oblique) {
            FT_GlyphSlot_Oblique(slot);
        }
        if (embolden) {
            FT_GlyphSlot_Embolden(slot);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
            g.left = slot->bitmap_left;
            g.top = slot->bitmap_top;
            g.width = int(slot->bitmap.width);
            g.rows = int(slot->bitmap.rows);
            g.coverage.resize(std::size_t(g.width) * std::size_t(g.rows));
            for (int y = 0; y < g.rows; ++y) {
                const unsigned char* src = slot->bitmap.buffer + y * slot->bitmap.pitch;
                std::copy(src, src + g.width, g.coverage.begin() + std::ptrdiff_t(y) * g.width);
            }
        }
        g.advance = int((slot->advance.x + 32) >> 6);
    }
    return glyphs.emplace(c, std::move(g)).first->second;
}

CPlatformFont::CPlatformFont(const CFontRequest& request) : request(request) {
    face = CFontSystem::get().open(request);
}

CPlatformFont* CPlatformFont::create(const CFontRequest& request) {
    try {
        return new CPlatformFont(request);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CPlatformFont::~CPlatformFont() = default;

bool CPlatformFont::isValid() const {
    return face != nullptr;
}

const std::string& CPlatformFont::getFile() const {
    static const std::string kNone;
    return face ? face->file : kNone;
}

const std::string& CPlatformFont::getFamilyName() const {
    static const std::string kNone;
    return face ? face->family : kNone;
}

int CPlatformFont::ascent() const {
    return face ? face->ascent : 0;
}

int CPlatformFont::descent() const {
    return face ? face->descent : 0;
}

int CPlatformFont::textWidth(const char* text) const {
    if (!face || !text) {
        return 0;
    }
    int width = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        width += face->glyph(*c).advance;
    }
    return width;
}

namespace {

uint32_t blend(uint32_t under, uint32_t over, unsigned coverage) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned a = (under >> shift) & 0xff;
        const unsigned b = (over >> shift) & 0xff;
        result |= ((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
    }
    return result;
}

} // namespace

void CPlatformFont::drawText(CPixelBuffer& target, int x, int y, const char* text, uint32_t colour,
                             int clipLeft, int clipTop, int clipRight, int clipBottom) const {
    if (!face || !text) {
        return;
    }
    clipLeft = std::max(clipLeft, 0);
    clipTop = std::max(clipTop, 0);
    clipRight = std::min(clipRight, target.width());
    clipBottom = std::min(clipBottom, target.height());
    const int startX = x;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        const CFontFaceCache::CGlyph& g = face->glyph(*c);
        for (int row = 0; row < g.rows; ++row) {
            const int py = y - g.top + row;
            if (py < clipTop || py >= clipBottom) {
                continue;
            }
            for (int col = 0; col < g.width; ++col) {
                const int px = x + g.left + col;
                if (px < clipLeft || px >= clipRight) {
                    continue;
                }
                const unsigned coverage =
                    g.coverage[std::size_t(row) * std::size_t(g.width) + std::size_t(col)];
                if (coverage == 0) {
                    continue;
                }
                target.set(px, py,
                           coverage == 255 ? colour : blend(target.get(px, py), colour, coverage));
            }
        }
        x += g.advance;
    }
    if (request.underline) {
        for (int t = 0; t < face->underlineThickness; ++t) {
            const int py = y + face->underlinePosition + t;
            if (py < clipTop || py >= clipBottom) {
                continue;
            }
            for (int px = std::max(startX, clipLeft); px < std::min(x, clipRight); ++px) {
                target.set(px, py, colour);
            }
        }
    }
}
