#pragma once
// Window classes and control identifiers of the two companion panels: the
// libraries make their windows with these, and the tests find them by them.
//
// Portable: no Windows header.

namespace corvex {

constexpr char INFOPANE_CLASS[] = "TINFOPANE";
constexpr char CPUPANEL_CLASS[] = "TCPUPANEL";

enum _panelcontrol : int {
    PANEL_OK = 1,  // IDOK: the default button of both panels
    INFOPANE_NAME = 101,
    INFOPANE_VERSION = 102,
    INFOPANE_BUILD = 103,
    INFOPANE_COMPILED = 104,
    INFOPANE_INFO = 105,  // only while there are information lines
    CPUPANEL_CAPTION = 200,  // + the row's index
    CPUPANEL_VALUE = 300,    // + the row's index
};

}  // namespace corvex
