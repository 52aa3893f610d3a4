# Sets a window's WM_STATE as a window manager does (3 = iconic on minimise, 1 = normal once
# shown); Xvfb has no window manager of its own. Usage: set_wm_state.py WINDOW-ID STATE
import ctypes
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x11.XFlush.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no display")
atom = x11.XInternAtom(display, b"WM_STATE", 0)
data = (ctypes.c_long * 2)(int(sys.argv[2]), 0)
x11.XChangeProperty(display, int(sys.argv[1]), atom, atom, 32, 0, data, 2)
x11.XFlush(display)
