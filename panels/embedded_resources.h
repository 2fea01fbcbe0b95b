// The bytes of the legend bitmap (a .bmp file) and of the program icon (a .ico
// file), compiled into the executable from panels/resources/ by panels/embed.cmake.
#pragma once

extern const unsigned char legendBitmap104[];
extern const unsigned legendBitmap104Size;
extern const unsigned char programIcon32512[];
extern const unsigned programIcon32512Size;
