"""Takes a rectangle of the X screen named by $DISPLAY as a picture, with the
wall-clock times just before the request and just after the answer: a check
on what the picture shows is timed by these two. libX11 through ctypes."""
import ctypes
import time

from counter import Picture


class _XImage(ctypes.Structure):
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.c_void_p), ('byte_order', ctypes.c_int),
                ('bitmap_unit', ctypes.c_int), ('bitmap_bit_order', ctypes.c_int), ('bitmap_pad', ctypes.c_int),
                ('depth', ctypes.c_int), ('bytes_per_line', ctypes.c_int), ('bits_per_pixel', ctypes.c_int),
                ('red_mask', ctypes.c_ulong), ('green_mask', ctypes.c_ulong), ('blue_mask', ctypes.c_ulong)]


_x11 = None
_display = None


def _open():
    global _x11, _display
    if _display is None:
        _x11 = ctypes.CDLL('libX11.so.6')
        _x11.XOpenDisplay.restype = ctypes.c_void_p
        _x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        _x11.XDefaultRootWindow.restype = ctypes.c_ulong
        _x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        _x11.XDefaultScreen.argtypes = [ctypes.c_void_p]
        _x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        _x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        _x11.XGetImage.restype = ctypes.POINTER(_XImage)
        _x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                   ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        _x11.XGetPixel.restype = ctypes.c_ulong
        _x11.XGetPixel.argtypes = [ctypes.POINTER(_XImage), ctypes.c_int, ctypes.c_int]
        _x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        _display = _x11.XOpenDisplay(None)
        if not _display:
            raise RuntimeError('cannot open the X display')
    return _x11, _display


def _channel(pixel, mask):
    shift = (mask & -mask).bit_length() - 1
    return ((pixel & mask) >> shift) * 255 // (mask >> shift)


def grab(x, y, w, h):
    """(picture, left, top, before, after): the part of the rectangle that lies
    on the screen, where its top left corner is on the screen, and the times
    (seconds since the epoch, as date +%s.%N) around the request."""
    x11, display = _open()
    screen = x11.XDefaultScreen(display)
    left, top = max(0, x), max(0, y)
    right = min(x + w, x11.XDisplayWidth(display, screen))
    bottom = min(y + h, x11.XDisplayHeight(display, screen))
    if right <= left or bottom <= top:
        raise ValueError('the rectangle lies off the screen')
    w, h = right - left, bottom - top
    before = time.time()
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), left, top, w, h, 0xFFFFFFFF, 2)  # ZPixmap
    after = time.time()
    if not image:
        raise RuntimeError('XGetImage failed')
    im = image.contents
    if (im.bits_per_pixel == 32 and im.byte_order == 0 and im.bytes_per_line == 4 * w
            and (im.red_mask, im.green_mask, im.blue_mask) == (0xFF0000, 0xFF00, 0xFF)):
        raw = ctypes.string_at(im.data, 4 * w * h)   # B, G, R, unused
        rgb = bytearray(3 * w * h)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
    else:
        rgb = bytearray()
        for row in range(h):
            for col in range(w):
                p = x11.XGetPixel(image, col, row)
                rgb += bytes((_channel(p, im.red_mask), _channel(p, im.green_mask), _channel(p, im.blue_mask)))
    x11.XDestroyImage(image)
    return Picture(w, h, bytes(rgb)), left, top, before, after
