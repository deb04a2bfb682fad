#include "toolkit/font_table.h"

const CFontTableEntry kFontTable[kNumFonts] = {
    {"Arial", 12, true, false},  {"Arial", 18, false, false}, {"Arial", 14, false, false},
    {"Arial", 12, false, false}, {"Arial", 11, false, false}, {"Arial", 10, false, false},
    {"Arial", 9, false, false},  {"Symbol", 13, false, true},
};
