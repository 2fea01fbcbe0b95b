// The test program's own resources: two dialog templates of known sizes and
// a 4 x 2 bitmap. Relies on resources.h only.
#include "platform/resources.h"
#include "platform/platform.h"

namespace {

const unsigned kShown = WS_CHILD | WS_VISIBLE;

const DialogItem panelItems[] = {
    {1008, "BUTTON", "0.4", kShown | WS_TABSTOP, 77, 13, 56, 10},
    {1022, "BUTTON", "hidden", WS_CHILD | WS_TABSTOP, 60, 76, 68, 13},
    {1039, "SCROLLBAR", "", kShown | SBS_VERT, 8, 5, 10, 66},
    {-1, "BUTTON", "group", kShown | BS_GROUPBOX, 64, 2, 82, 59},
};

const DialogItem lonelyItems[] = {
    {1, "BUTTON", "OK", kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 24, 64, 62, 11},
};

const DialogTemplate dialogs[] = {
    {"Panel", WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT, 400, 16, 147, 131, "panel ", "Arial", 10,
     panelItems, 4},
    {"Lonely", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 200, 140, 112, 89, "lonely",
     "Arial Black", 9, lonelyItems, 1},
};

// 4 x 2 pixels, 24 bits, bottom-up.
const unsigned char bitmapBytes[] = {
    'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
    40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
    0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 128, 128, 128, 0, 255, 255, 255, 255, 0,
    0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255,
};
const unsigned char brokenBytes[] = {'B', 'M', 1, 2, 3};

const BinaryResource bitmaps[] = {{104, bitmapBytes, sizeof bitmapBytes}, {105, brokenBytes, sizeof brokenBytes}};

}  // namespace

const ResourceTable testResources = {dialogs, 2, bitmaps, 2, nullptr, 0};

// Handed to the platform before any test runs, as the program's entry hands its own.
struct HandOver {
  HandOver() { SetProgramResources(&testResources); }
} handOver;
