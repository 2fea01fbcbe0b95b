// The user's keys from FLTK, as the virtual keys of platform.h, queued for
// the core, which hands them to the window with the focus. Relies on x11.h
// and FLTK 1.3 (which reports a key held as repeated presses, no releases
// between them).
#include "platform/x11/x11.h"

#include <FL/Fl.H>

#include <map>

namespace {

bool shiftDown = false;   // as told to the core
std::map<int, unsigned> heldAs;   // FLTK's key of each key down, and the virtual key it went down as

// The first character of FLTK's UTF-8 text of a key; 0 for none.
unsigned FirstCharacter(const char* text, int length) {
  if (!text || length <= 0) return 0;
  const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
  if (t[0] < 0x80) return t[0];
  int more = t[0] >= 0xF0 ? 3 : t[0] >= 0xE0 ? 2 : t[0] >= 0xC0 ? 1 : -1;
  if (more < 0 || more >= length) return 0;
  unsigned c = t[0] & (0x3Fu >> more);
  for (int i = 1; i <= more; ++i) {
    if ((t[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (t[i] & 0x3Fu);
  }
  return c;
}

// The keypad's arrows and pages count as such only when they type no digit
// (Num Lock off); any other key that types a character is known by it alone.
unsigned VirtualKey(int key, unsigned character) {
  switch (key) {
    case FL_Tab: case 0xFE20 /* ISO_Left_Tab, Shift+Tab */: return VK_TAB;
    case FL_Enter: case FL_KP_Enter: return VK_RETURN;
    case FL_Shift_L: case FL_Shift_R: return VK_SHIFT;
    case FL_Escape: return VK_ESCAPE;
    case ' ': return VK_SPACE;
    case FL_Page_Up: return VK_PRIOR;
    case FL_Page_Down: return VK_NEXT;
    case FL_Left: return VK_LEFT;
    case FL_Up: return VK_UP;
    case FL_Right: return VK_RIGHT;
    case FL_Down: return VK_DOWN;
    case FL_KP + '+': return VK_ADD;
    case FL_KP + '-': return VK_SUBTRACT;
    case FL_F + 6: return VK_F6;
    default: break;
  }
  if (!character) {
    switch (key) {
      case 0xFF9A /* KP_Prior */: return VK_PRIOR;
      case 0xFF9B /* KP_Next */: return VK_NEXT;
      case 0xFF96 /* KP_Left */: return VK_LEFT;
      case 0xFF97 /* KP_Up */: return VK_UP;
      case 0xFF98 /* KP_Right */: return VK_RIGHT;
      case 0xFF99 /* KP_Down */: return VK_DOWN;
      default: return 0;
    }
  }
  return VK_PACKET;
}

}  // namespace

// A key comes up as the virtual key it went down as (one that went down
// while another program had the keyboard, as its own). A Shift pressed
// before the program had the keyboard is told to the core before the key it
// changes, so that Shift+Tab goes backwards.
void KeyFromToolkit(bool down) {
  unsigned character = down ? FirstCharacter(Fl::event_text(), Fl::event_length()) : 0;
  if (character < 0x20 && character != '\t' && character != '\r' && character != 0x1B && character != 0x08)
    character = 0;   // control characters other than Windows' own
  unsigned key = 0;
  auto held = heldAs.find(Fl::event_key());
  if (down) {
    key = heldAs[Fl::event_key()] = VirtualKey(Fl::event_key(), character);
  } else if (held != heldAs.end()) {
    key = held->second;
    heldAs.erase(held);
  } else if ((key = VirtualKey(Fl::event_key(), 0)) == VK_PACKET) {
    key = 0;   // known only by a character it no longer types
  }
  if (key == 0) return;
  bool shift = Fl::event_state(FL_SHIFT) != 0;   // before this event
  if (key != VK_SHIFT && shift != shiftDown) {
    shiftDown = shift;
    QueueKey(VK_SHIFT, shift, 0);
  }
  if (key == VK_SHIFT) shiftDown = down;
  QueueKey(key, down, character);
}
