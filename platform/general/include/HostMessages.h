// What the editing libraries and their image editor host share: the private
// window messages between them and the general library's colour record.
// Every message is sent, never posted; where a result is read, zero means
// that nobody answered.
#pragma once

#include <windows.h>

#include <cstddef>

// Library to the active view or the image window; wParam 1 asks for the
// image mode, written into the int at lParam (preset 0).
#define WM_GET_IMAGE_INFO 1074
// Host to the automatic mask roll-up: wParam the image mode; returns 1.
#define WM_UPDATE_MODE 1075
// Pane to image window: the mode into the int at wParam; nonzero result.
#define WM_GET_IMAGE_MODE 1275
// Pane to host dialog: the image window into the CWnd* at lParam; nonzero
// result when set.
#define WM_GET_IMAGE_WND 1276
// Host to pane: the eyedropper has put a colour into the tool box
// foreground; the pane returns 1 when it used it.
#define WM_PICK_COLOR 1277
// Pane or form to host dialog: the result is the id of the accepting button.
#define WM_GET_TRUE_CTRL_ID 1278
// Path roll-up to active view: lParam 0 manual, 1 half-automatic, 2 automatic.
#define WM_SET_PATH_MODE 1297
// Mask roll-up to active view: lParam the address of two floats
// (horizontal, vertical resolution), preset 72.0.
#define WM_GET_RESOLUTION 1325
// Tool box to active view, after the path edit roll-up is shown.
#define WM_TOOL_DLG_SHOWN 1525
// Curves pane to image window: lParam an 8-byte buffer, in: the white and
// the black clip percentage x 100 (int32 each); out: the white-point colour
// in bytes 0 to 3 and the black-point colour in the 4 bytes at the offset
// that the host puts into the int at wParam.
#define WM_GET_AUTO_LEVELS 1647
// Tool box to active view: a double click on the zoom or the pan tool.
#define WM_ZOOM_TOOL_DBLCLK 1048
#define WM_PAN_TOOL_DBLCLK 1055

// Image mode codes as the host answers them.
enum {
    IMAGE_MODE_NULL = 0,
    IMAGE_MODE_MASK = 1,
    IMAGE_MODE_BITMAP = 2,
    IMAGE_MODE_GRAYSCALE = 3,
    IMAGE_MODE_RGB = 4,
    IMAGE_MODE_INDEXED = 6,
    IMAGE_MODE_MULTICHANNEL = 7,
    IMAGE_MODE_CMYK = 11,
    IMAGE_MODE_RGB_ALT = 12,  // treated like RGB
};

#define COLOR_MODEL_RGB 1
#define COLOR_MODEL_CMYK 2
#define COLOR_MODEL_GRAY 3

// The colour record that crosses the libraries by value. Components are
// 0..255 in the model's channel order (RGB: red, green, blue; CMYK: cyan,
// magenta, yellow, black; grey: the grey level first).
struct tagCOLORSTRUCT {
    char szName[32];
    WORD wModel;
    WORD wReserved;
    WORD wComponent[4];
};

static_assert(sizeof(tagCOLORSTRUCT) == 44, "the colour record is 44 bytes");
static_assert(offsetof(tagCOLORSTRUCT, wModel) == 32, "the model follows the name");
static_assert(offsetof(tagCOLORSTRUCT, wComponent) == 36, "the components end the record");
