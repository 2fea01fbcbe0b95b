// The program's resources as the platform reads them: dialog templates,
// bitmaps and icons, found by name or number. The program hands its table
// to the platform (SetProgramResources in platform.h) before anything else.
#pragma once

struct DialogItem {
  int id;                  // -1: a control without identifier
  const char* className;   // "BUTTON", "STATIC" or "SCROLLBAR"
  const char* text;        // caption; for an SS_ICON static the icon number, as "#32512"
  unsigned style;          // full style word, WS_VISIBLE included when shown
  short x, y, width, height;   // dialog units
};

struct DialogTemplate {
  const char* name;        // "ColorScrDlg", ...
  unsigned style;
  short x, y, width, height;   // dialog units
  const char* caption;
  const char* fontFace;    // "Arial", "Arial Black"
  int fontPoints;
  const DialogItem* items;
  int itemCount;
};

struct BinaryResource {
  int id;
  const unsigned char* data;   // the file's bytes: a .bmp for bitmaps, a .ico for icons
  unsigned size;
};

struct ResourceTable {
  const DialogTemplate* dialogs;
  int dialogCount;
  const BinaryResource* bitmaps;
  int bitmapCount;
  const BinaryResource* icons;
  int iconCount;
};
