#!/usr/bin/env python3
"""Waits until a rectangle of the X screen holds a pixel that is not white,
then prints the time (seconds since the epoch) it saw it.
Usage: DISPLAY=:N esperar-dibujo.py X Y WIDTH HEIGHT [TIMEOUT_SECONDS]"""
import ctypes
import ctypes.util
import sys
import time


class XImage(ctypes.Structure):
    # The leading members of Xlib's XImage, enough to read a ZPixmap.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGetImage.restype = ctypes.POINTER(XImage)
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XDestroyImage = None  # a macro in Xlib; the image is freed through XFree of its parts
x.XFree.argtypes = [ctypes.c_void_p]

px, py, ancho, alto = (int(a) for a in sys.argv[1:5])
limite = time.time() + (float(sys.argv[5]) if len(sys.argv) > 5 else 120)
d = x.XOpenDisplay(None)
if not d:
    sys.exit("cannot open display")
raiz = x.XDefaultRootWindow(d)
while time.time() < limite:
    im = x.XGetImage(d, raiz, px, py, ancho, alto, 0xFFFFFF, 2)  # ZPixmap
    if im:
        i = im.contents
        fila = i.bytes_per_line
        datos = ctypes.string_at(i.data, fila * i.height)
        x.XFree(i.data)
        x.XFree(im)
        # 32 bits a pixel: blue, green, red and an unused byte.
        util = ancho * 4
        filas = (datos[f * fila:f * fila + util] for f in range(alto))
        if any(r[c::4].count(255) != ancho for r in filas for c in range(3)):
            print(f"{time.time():.3f}")
            sys.exit(0)
    time.sleep(0.01)
sys.exit("timed out")
