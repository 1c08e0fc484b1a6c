// The virtual scanner: a TWAIN data source (a .ds DLL exporting DS_Entry)
// that "scans" a generated page, for the tests and the demo run.
//
// What it offers:
// - one page of kPageWidth x kPageHeight inches (US letter); the frame
//   (DAT_IMAGELAYOUT) may be any rectangle on it, and the whole page by default;
// - 24-bit colour (ICAP_PIXELTYPE RGB), units inches, resolutions from
//   kMinResolution to kMaxResolution dpi in both directions, kDefaultResolution
//   by default;
// - native transfer (a global handle holding a packed bottom-up DIB) and file
//   transfer as BMP (ICAP_IMAGEFILEFORMAT offers BMP only);
// - one image per enable (no feeder).
// The page carries gradients, text, the date and time to the millisecond and
// a running number, so successive scans differ.
//
// User interface: enabled with ShowUI, the source shows a modeless dialog
// "Virtual Scanner" (the resolution and the scan/cancel buttons) owned by the
// application's window; "Scan" makes the transfer ready, "Cancel" asks the
// application to close the source. Without ShowUI the transfer is ready at
// once. Ready and close requests go through the manager (DAT_NULL); a
// manager that refuses them gets them from MSG_PROCESSEVENT instead, woken by
// a WM_NULL posted to the application's window.
//
// A source with no device behind it does not identify itself: while the
// process's environment variable TWAINSOURCE_UNPLUGGED is "1", DAT_IDENTITY
// MSG_GET fails, so the manager lists no such source.
//
// Installed as c:\windows\twain_64\sane.ds in the Wine prefix (the one name,
// besides gphoto2.ds, that Wine's 64-bit manager loads).
#pragma once

namespace twainsource {

const double kPageWidth = 8.5;
const double kPageHeight = 11.0;
const int kMinResolution = 50;
const int kMaxResolution = 600;
const int kDefaultResolution = 100;

// The dialog of the user interface and its controls.
const int IDD_VIRTUAL_SCANNER = 100;
const int IDC_RESOLUTION = 1001;

}  // namespace twainsource
