// The record of heard.h.
#include "tests/support/heard.h"

std::vector<Heard> heard;

void Hear(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  heard.push_back(Heard{window, message, wParam, lParam});
}

int CountHeard(unsigned message, WindowHandle window) {
  int n = 0;
  for (const Heard& h : heard) n += h.message == message && (!window || h.window == window);
  return n;
}

const Heard* LastHeard(unsigned message, WindowHandle window) {
  for (auto it = heard.rbegin(); it != heard.rend(); ++it)
    if (it->message == message && (!window || it->window == window)) return &*it;
  return nullptr;
}

PixelFormatDescriptor ProgramFormatRequest() {
  PixelFormatDescriptor request{};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 8;
  request.cDepthBits = 16;
  return request;
}
