// The identities of the control as containers know them: type library, interfaces, classes,
// dispatch identifiers and the registry names.
#pragma once

#include <windows.h>

#include <olectl.h>

constexpr GUID LIBID_QXStage = {0x3BDEBB70, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr GUID DIID_DQXStage = {0x3BDEBB71, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr GUID DIID_DQXStageEvents = {0x3BDEBB72, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr GUID CLSID_QXStageCtrl = {0x3BDEBB73, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr GUID CLSID_QXStagePropPage = {0x3BDEBB74, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr WORD QXSTAGE_LIB_MAJOR = 1;
constexpr WORD QXSTAGE_LIB_MINOR = 0;

// Properties and method of the dispatch interface.
constexpr DISPID DISPID_FILENAME = 1;
constexpr DISPID DISPID_PUBWIDTH = 2;
constexpr DISPID DISPID_PUBHEIGHT = 3;

// Events, in the order of the event interface.
enum QXSTAGE_EVENT : DISPID {
    EVENT_QUIT = 1,
    EVENT_GOBACK,
    EVENT_GOHOME,
    EVENT_PRINTCURRENTPAGE,
    EVENT_OPENBOOKMARK,
    EVENT_LINK,
    EVENT_QUITCONFIRMATION
};

constexpr const char* QXSTAGE_CTRL_PROGID = "QXSTAGE.QXStageCtrl.1";
constexpr const char* QXSTAGE_PAGE_PROGID = "QXSTAGE.QXStagePropPage.1";

// Recompose on resize, can't link inside, inside-out, activate when visible, set client site
// first.
constexpr DWORD QXSTAGE_MISC_STATUS = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                                      OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
static_assert(QXSTAGE_MISC_STATUS == 0x20191);

// The version of the persisted properties.
constexpr DWORD QXSTAGE_PROPERTY_VERSION = 0x10000;
