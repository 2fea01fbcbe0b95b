// The three panels' dialog templates: controls in template order, positions
// and sizes in dialog units, full style words (0x5... shown, 0x4... hidden);
// and the temperatures of the main panel's restart buttons.
#include "panels/dialog_templates.h"

#include "panels/resource_ids.h"
#include "platform/platform.h"

namespace {

const DialogItem mainPanelItems[] = {
    // id                   class        text                                     style        x    y    w   h
    {IDC_SHAPE_PLANE,       "BUTTON", "plano",                                  0x40010000u,   9,  88,  9,  9},
    {IDC_SCALE_EQUILIBRIUM, "BUTTON", "equilibrium",                            0x40010000u,  59, 108, 69, 12},
    {IDC_SCALE_NO_GREENS,   "BUTTON", "w/o greens",                             0x40010000u,  60,  76, 68, 13},
    {IDC_STATIC,            "BUTTON", "color scales ",                          0x40000007u,  54,  66, 81, 61},
    {IDC_STATIC,            "STATIC", "touch and move the image by the mouse",  0x50821000u,   2, 107, 84, 20},
    {IDC_CAMERA_FARTHER,    "BUTTON", "camara ++",                              0x40010000u,  57, 116,  6, 11},
    {IDC_CAMERA_NEARER,     "BUTTON", "camara -  -",                            0x40010000u,  47, 116,  6, 11},
    {IDC_OPEN_OPTIONS,      "BUTTON", "OPTIONS",                                0x40010000u,  69, 115,  6, 12},
    {IDC_SCALE_NO_YELLOWS,  "BUTTON", "w/o yellows",                            0x40010000u,  59,  92, 69, 12},
    {IDC_SHAPE_CONE,        "BUTTON", "cono",                                   0x40010000u,  36, 118, 10,  9},
    {IDC_SHAPE_POLYHEDRON,  "BUTTON", "poliedro",                               0x40010000u,  19,  88,  8,  9},
    {IDC_SHAPE_PARABOLOID,  "BUTTON", "paraboloide",                            0x40010000u,  23,  87,  6,  9},
    {IDC_SHAPE_HYPERBOLOID, "BUTTON", "hiperboloide2",                          0x40010000u,  35,  89,  6,  9},
    {IDC_OPEN_FORM_COLORS,  "BUTTON", "COLORS",                                 0x40010000u,  57, 115,  6, 12},
    {IDC_STATIC,            "STATIC", "#32512",                                 0x50801003u,  90,  84, 21, 18},
    {IDC_STATIC,            "STATIC", "soft by Dravelin",                       0x50821000u,  59,  64, 86, 11},
    {IDC_BOUNDARY_2_3,      "BUTTON", "0.4",                                    0x50010000u,  77,  13, 56, 10},
    {IDC_BOUNDARY_3_3,      "BUTTON", "0.75",                                   0x50010000u,  76,  28, 57, 11},
    {IDC_BOUNDARY_4_0,      "BUTTON", "1.0",                                    0x50010000u,  76,  44, 57, 11},
    {IDC_STATIC,            "BUTTON", "boundary temp",                          0x50000007u,  64,   2, 82, 59},
};

const DialogItem optionsPanelItems[] = {
    {IDOK,                  "BUTTON", "OK",            0x50010001u, 24, 64,  62, 11},
    {IDC_FOG,               "BUTTON", "NIEBLITA",      0x50010000u, 60, 32,  42,  9},
    {IDC_LIGHTS,            "BUTTON", "LUCES",         0x50010000u, 60, 20,  33,  9},
    {IDC_STATIC,            "BUTTON", "",              0x50000007u,  0,  0, 109, 86},
    {IDC_TRANSPARENCY,      "BUTTON", "TRANSPARENCIA", 0x50010000u, 29, 45,  62, 14},
};

const DialogItem formColorsPanelItems[] = {
    {IDOK,                  "BUTTON",    "OK",               0x50010001u,  6, 156, 50, 11},
    {IDC_FRONT_RED,         "SCROLLBAR", "",                 0x50000001u,  8,   5, 10, 66},
    {IDC_FRONT_GREEN,       "SCROLLBAR", "",                 0x50000001u, 25,   5, 10, 65},
    {IDC_FRONT_BLUE,        "SCROLLBAR", "",                 0x50000001u, 42,   5, 10, 66},
    {IDC_BACK_RED,          "SCROLLBAR", "",                 0x50000001u,  8,  90, 10, 62},
    {IDC_BACK_GREEN,        "SCROLLBAR", "",                 0x50000001u, 25,  90, 10, 61},
    {IDC_BACK_BLUE,         "SCROLLBAR", "",                 0x50000001u, 42,  90, 10, 62},
    {IDC_STATIC,            "STATIC",    "R       G      B", 0x50020000u,  7,  76, 47,  9},
    {IDC_ALPHA,             "SCROLLBAR", "",                 0x50000001u, 58,  41, 16, 99},
    {IDC_STATIC,            "STATIC",    "transp.",          0x50020000u, 56,  30, 23,  8},
};

template <typename Item, int N>
constexpr int Count(const Item (&)[N]) { return N; }

}  // namespace

const BoundaryButton boundaryButtons[] = {
    {IDC_BOUNDARY_2_3, 2.3},   // "0.4"
    {IDC_BOUNDARY_3_3, 3.3},   // "0.75"
    {IDC_BOUNDARY_4_0, 4.0},   // "1.0"
};
const int boundaryButtonCount = Count(boundaryButtons);

const DialogTemplate dialogTemplates[3] = {
    // name                 style        x    y    w    h   caption                      font           points
    {IDD_MAIN_PANEL,        0x90C000C0u, 400,  16, 147, 131, "temperature color scales ", "Arial",       10,
     mainPanelItems, Count(mainPanelItems)},
    {IDD_OPTIONS_PANEL,     0x90C800C0u, 200, 140, 112,  89, "OPCIONES ",                 "Arial Black",  9,
     optionsPanelItems, Count(optionsPanelItems)},
    {IDD_FORM_COLORS_PANEL, 0x90C800C0u, 100, 100,  86, 174, "FORM'S COLORS",             "Arial",       11,
     formColorsPanelItems, Count(formColorsPanelItems)},
};
