#pragma once
#include "toolkit/font_table.h"
#include "toolkit/geometry.h"
#include "toolkit/platform/surface.h"

class CFrameWindow;
class CPlatformWindow;
class CPlatformFont;

// Mouse-button bit set returned by CCanvas::getMouseButtons.
constexpr int kLeftButton = 1;
constexpr int kMiddleButton = 2;
constexpr int kRightButton = 4;
constexpr int kShift = 8;
constexpr int kControl = 16;
constexpr int kAlt = 32;

// Alignments of drawString: 1 centred, 2 right, any other value left (one pixel in).
constexpr int kAlignLeft = 0;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;

// Line styles of setLineStyle.
constexpr int kLineSolid = 0;
constexpr int kLineDotted = 1;

// Device contexts the toolkit holds at once (offscreen buffers, borrowed window surfaces).
extern int nbEC;
// The desktop's swap-mouse-buttons setting, read when the frame window registers its window
// class: the physical left button then reports kRightButton and the right one kLeftButton.
extern bool gSwapMouseButtons;

// A drawing context over one surface for one drawing pass: a translation offset, the current
// pen, fill and text colours and font, and the window's screen position for mouse queries.
// The surface must outlive the canvas. A canvas without a surface draws nothing.
class CCanvas {
public:
    CCanvas(CFrameWindow* frameWindow, CSurface* surface, CPlatformWindow* window);
    virtual ~CCanvas();

    void moveTo(const CPosition& p);
    void lineTo(const CPosition& p);
    // Closed outline (left, top) -> (right, top) -> (right, bottom) -> (left, bottom) -> back.
    void drawRectOutline(const CRectangle& r);
    // Fills (left + 1, top + 1) to (right, bottom) exclusive: inside the outline of r.
    void fillRect(const CRectangle& r);
    // Filled ellipse, no outline, in the box (left + 1, top + 1) to (right + 1, bottom + 1).
    void fillEllipse(const CRectangle& r);
    // Fills the connected area of the colour found at the position with the fill colour.
    void floodFill(const CPosition& p);

    void setFrameColour(const CColour& colour);
    void setFillColour(const CColour& colour);
    void setFontColour(const CColour& colour);
    void setLineStyle(int style);
    // Font id outside 0..7 becomes 0; size 0 the table's size; style kFont* bits.
    void setFont(int fontId, int size = 0, int style = 0);

    // One line in the rectangle, vertically centred; null draws nothing.
    void drawString(const char* text, const CRectangle& r, bool opaque = false,
                    int alignment = kAlignCentre);

    // Buttons and Shift/Control/Alt held now (k* bits above).
    int getMouseButtons();
    // Screen cursor position minus the window position.
    void getMousePosition(CPosition& where);

    // The origin a panel sets while drawing or routing events straight onto a window canvas.
    const CPosition& getOffset() const { return offset; }
    void setOffset(const CPosition& p) { offset = p; }
    const CPosition& getWindowPosition() const { return windowPosition; }
    void setWindowPosition(const CPosition& p) { windowPosition = p; }

    CSurface* getSurface() const { return surface; }
    CPlatformWindow* getWindow() const { return window; }
    CFrameWindow* getFrameWindow() const { return frameWindow; }
    int getFontId() const { return fontId; }
    int getFontSize() const { return fontSize; }
    const CColour& getFontColour() const { return fontColour; }
    const CColour& getFrameColour() const { return frameColour; }
    const CColour& getFillColour() const { return fillColour; }
    int getLineStyle() const { return lineStyle; }

    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

protected:
    // Makes the pen from the frame colour and line style and selects it.
    void makePen();

    CPosition windowPosition;
    CPosition offset;
    CSurface* surface;
    CPlatformWindow* window;
    CFrameWindow* frameWindow;
    int fontSize = 0;
    int fontId = 0;
    CColour fontColour = kWhiteColour;
    int lineWidth = 1;
    CColour frameColour = kWhiteColour;
    CColour fillColour = kBlackColour;
    int lineStyle = kLineSolid;
    CPlatformFont* createdFont = nullptr;
    // What the surface had selected at construction, put back at destruction.
    CPen penFound;
    uint32_t brushFound = 0;
    const CPlatformFont* fontFound = nullptr;
};
