// The three panels' dialog templates: controls in template order, positions
// and sizes in dialog units, full style words (0x5... shown, 0x4... hidden).
#include "panels/dialog_templates.h"

namespace {

const DialogItem mainPanelItems[] = {
    // id    class        text                                     style        x    y    w   h
    {1020, "BUTTON", "plano",                                  0x40010000u,   9,  88,  9,  9},
    {1021, "BUTTON", "equilibrium",                            0x40010000u,  59, 108, 69, 12},
    {1022, "BUTTON", "w/o greens",                             0x40010000u,  60,  76, 68, 13},
    {-1,   "BUTTON", "color scales ",                          0x40000007u,  54,  66, 81, 61},
    {-1,   "STATIC", "touch and move the image by the mouse",  0x50821000u,   2, 107, 84, 20},
    {1030, "BUTTON", "camara ++",                              0x40010000u,  57, 116,  6, 11},
    {1031, "BUTTON", "camara -  -",                            0x40010000u,  47, 116,  6, 11},
    {1032, "BUTTON", "OPTIONS",                                0x40010000u,  69, 115,  6, 12},
    {1033, "BUTTON", "w/o yellows",                            0x40010000u,  59,  92, 69, 12},
    {1034, "BUTTON", "cono",                                   0x40010000u,  36, 118, 10,  9},
    {1035, "BUTTON", "poliedro",                               0x40010000u,  19,  88,  8,  9},
    {1036, "BUTTON", "paraboloide",                            0x40010000u,  23,  87,  6,  9},
    {1037, "BUTTON", "hiperboloide2",                          0x40010000u,  35,  89,  6,  9},
    {1038, "BUTTON", "COLORS",                                 0x40010000u,  57, 115,  6, 12},
    {-1,   "STATIC", "#32512",                                 0x50801003u,  90,  84, 21, 18},
    {-1,   "STATIC", "soft by Dravelin",                       0x50821000u,  59,  64, 86, 11},
    {1008, "BUTTON", "0.4",                                    0x50010000u,  77,  13, 56, 10},
    {1009, "BUTTON", "0.75",                                   0x50010000u,  76,  28, 57, 11},
    {1019, "BUTTON", "1.0",                                    0x50010000u,  76,  44, 57, 11},
    {-1,   "BUTTON", "boundary temp",                          0x50000007u,  64,   2, 82, 59},
};

const DialogItem optionsPanelItems[] = {
    {1,    "BUTTON", "OK",            0x50010001u, 24, 64,  62, 11},
    {1006, "BUTTON", "NIEBLITA",      0x50010000u, 60, 32,  42,  9},
    {1018, "BUTTON", "LUCES",         0x50010000u, 60, 20,  33,  9},
    {-1,   "BUTTON", "",              0x50000007u,  0,  0, 109, 86},
    {1046, "BUTTON", "TRANSPARENCIA", 0x50010000u, 29, 45,  62, 14},
};

const DialogItem formColorsPanelItems[] = {
    {1,    "BUTTON",    "OK",               0x50010001u,  6, 156, 50, 11},
    {1039, "SCROLLBAR", "",                 0x50000001u,  8,   5, 10, 66},
    {1040, "SCROLLBAR", "",                 0x50000001u, 25,   5, 10, 65},
    {1041, "SCROLLBAR", "",                 0x50000001u, 42,   5, 10, 66},
    {1042, "SCROLLBAR", "",                 0x50000001u,  8,  90, 10, 62},
    {1043, "SCROLLBAR", "",                 0x50000001u, 25,  90, 10, 61},
    {1044, "SCROLLBAR", "",                 0x50000001u, 42,  90, 10, 62},
    {-1,   "STATIC",    "R       G      B", 0x50020000u,  7,  76, 47,  9},
    {1045, "SCROLLBAR", "",                 0x50000001u, 58,  41, 16, 99},
    {-1,   "STATIC",    "transp.",          0x50020000u, 56,  30, 23,  8},
};

template <int N>
constexpr int Count(const DialogItem (&)[N]) { return N; }

}  // namespace

const DialogTemplate dialogTemplates[3] = {
    // name           style        x    y    w    h   caption                      font           points
    {"ColorScrDlg",  0x90C000C0u, 400,  16, 147, 131, "temperature color scales ", "Arial",       10,
     mainPanelItems, Count(mainPanelItems)},
    {"ColorScrDlg1", 0x90C800C0u, 200, 140, 112,  89, "OPCIONES ",                 "Arial Black",  9,
     optionsPanelItems, Count(optionsPanelItems)},
    {"ColorScrDlg3", 0x90C800C0u, 100, 100,  86, 174, "FORM'S COLORS",             "Arial",       11,
     formColorsPanelItems, Count(formColorsPanelItems)},
};
