// The program's resources and the panels' controls by name: the dialog
// templates, bitmap 104, icon 32512 and every control identifier. Only
// #defines, so that the resource script (heatball.rc) can include it too.
#pragma once

// ---- dialog templates -------------------------------------------------------
#define IDD_MAIN_PANEL "ColorScrDlg"
#define IDD_OPTIONS_PANEL "ColorScrDlg1"
#define IDD_FORM_COLORS_PANEL "ColorScrDlg3"

// ---- bitmap and icon --------------------------------------------------------
#define IDB_LEGEND 104       // the colour-scale legend, 95 x 200
#define IDI_PROGRAM 32512    // the window's and the panel's icon

// A control without an identifier: group boxes and texts.
#define IDC_STATIC (-1)

// ---- main panel: the boundary temperatures, labelled by their level on the legend
#define IDC_BOUNDARY_2_3 1008   // "0.4"
#define IDC_BOUNDARY_3_3 1009   // "0.75"
#define IDC_BOUNDARY_4_0 1019   // "1.0"
// ---- main panel, hidden: colour scales, camera, the other panels, shapes
#define IDC_SCALE_NO_GREENS 1022     // "w/o greens"
#define IDC_SCALE_NO_YELLOWS 1033    // "w/o yellows"
#define IDC_SCALE_EQUILIBRIUM 1021   // "equilibrium"
#define IDC_CAMERA_FARTHER 1030      // "camara ++"
#define IDC_CAMERA_NEARER 1031       // "camara -  -"
#define IDC_OPEN_OPTIONS 1032        // "OPTIONS"
#define IDC_OPEN_FORM_COLORS 1038    // "COLORS"
#define IDC_SHAPE_PLANE 1020         // "plano"
#define IDC_SHAPE_CONE 1034          // "cono"
#define IDC_SHAPE_POLYHEDRON 1035    // "poliedro"
#define IDC_SHAPE_PARABOLOID 1036    // "paraboloide"
#define IDC_SHAPE_HYPERBOLOID 1037   // "hiperboloide2"

// ---- options panel (and IDOK, "OK") -------------------------------------------
#define IDC_FOG 1006            // "NIEBLITA"
#define IDC_LIGHTS 1018         // "LUCES"
#define IDC_TRANSPARENCY 1046   // "TRANSPARENCIA"

// ---- form colours panel (and IDOK, "OK"): seven bars, in sliderPos's order -------
#define IDC_FRONT_RED 1039
#define IDC_FRONT_GREEN 1040
#define IDC_FRONT_BLUE 1041
#define IDC_BACK_RED 1042
#define IDC_BACK_GREEN 1043
#define IDC_BACK_BLUE 1044
#define IDC_ALPHA 1045          // under "transp."
