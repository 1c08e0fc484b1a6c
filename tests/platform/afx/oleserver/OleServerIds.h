// What the automation server test program registers, shared with its tests.
#pragma once

#include <windows.h>

// The object made by its class factory.
#define OLESERVER_OBJECT_PROGID "Ombrelle.TestServer"
static const CLSID CLSID_OleServerObject = {
    0x6d0c4a51, 0x2f3b, 0x4c1e, {0x9a, 0x7e, 0x31, 0x52, 0x0b, 0x8d, 0x44, 0x01}};
// The document of its template server.
#define OLESERVER_DOCUMENT_PROGID "Ombrelle.TestDocument"
static const CLSID CLSID_OleServerDocument = {
    0x6d0c4a51, 0x2f3b, 0x4c1e, {0x9a, 0x7e, 0x31, 0x52, 0x0b, 0x8d, 0x44, 0x02}};

// Description of the exception its Fail method raises.
#define OLESERVER_FAILURE_CODE 1001
