#pragma once

// The button's message interface. The codes are fixed: the panel and any other owner configure
// and query a button only through them (RRButton::sendMessage).

namespace korvex {

// Property messages: wParam carries the value; a non-zero lParam asks for an immediate repaint
// unless the message is one that never repaints.
constexpr unsigned RRBM_SETCORNER = 1025;
constexpr unsigned RRBM_SETFACECOLOR = 1026;
constexpr unsigned RRBM_SETTEXTBKMODE = 1028;
constexpr unsigned RRBM_SETTEXTBKCOLOR = 1029;
constexpr unsigned RRBM_SETTEXTCOLOR = 1030;
constexpr unsigned RRBM_SETTEXTCOLORPRESSED = 1031;
constexpr unsigned RRBM_SETTEXTCOLORHOT = 1032;
constexpr unsigned RRBM_SETEMBOSS = 1033;
constexpr unsigned RRBM_SETRAISED = 1034;
constexpr unsigned RRBM_SETFIXEDLOOK = 1035;
constexpr unsigned RRBM_SETCURSOR = 1036;
constexpr unsigned RRBM_SETFOCUSABLE = 1037;
constexpr unsigned RRBM_REDRAW = 1038;
constexpr unsigned RRBM_SETTEXTFORMAT = 1044;
constexpr unsigned RRBM_SETTEXTMARGINLEFT = 1047;
constexpr unsigned RRBM_SETTEXTMARGINTOP = 1048;
constexpr unsigned RRBM_SETTEXTMARGINRIGHT = 1049;
constexpr unsigned RRBM_SETTEXTMARGINBOTTOM = 1050;
constexpr unsigned RRBM_SETIMAGEPOS = 1064;
constexpr unsigned RRBM_SETIMAGESIZE = 1065;
constexpr unsigned RRBM_SETIMAGENOSHIFT = 1066;
constexpr unsigned RRBM_SETIMAGEMARGINLEFT = 1067;
constexpr unsigned RRBM_SETIMAGEMARGINTOP = 1068;
constexpr unsigned RRBM_SETIMAGEMARGINRIGHT = 1069;
constexpr unsigned RRBM_SETIMAGEMARGINBOTTOM = 1070;
constexpr unsigned RRBM_LOADIMAGE = 1071;
constexpr unsigned RRBM_LOADIMAGEHOT = 1072;
constexpr unsigned RRBM_LOADIMAGEPRESSED = 1073;
constexpr unsigned RRBM_LOADIMAGEDISABLED = 1074;

// Query messages: return one field and change nothing.
constexpr unsigned RRBM_GETCORNER = 1125;
constexpr unsigned RRBM_GETFACECOLOR = 1126;
constexpr unsigned RRBM_GETFACEBRUSH = 1127;
constexpr unsigned RRBM_GETTEXTBKMODE = 1128;
constexpr unsigned RRBM_GETTEXTBKCOLOR = 1129;
constexpr unsigned RRBM_GETTEXTCOLOR = 1130;
constexpr unsigned RRBM_GETTEXTCOLORPRESSED = 1131;
constexpr unsigned RRBM_GETTEXTCOLORHOT = 1132;
constexpr unsigned RRBM_GETEMBOSS = 1133;
constexpr unsigned RRBM_GETRAISED = 1134;
constexpr unsigned RRBM_GETFIXEDLOOK = 1135;
constexpr unsigned RRBM_GETFOCUSABLE = 1136;
constexpr unsigned RRBM_GETTEXTFORMAT = 1144;
constexpr unsigned RRBM_GETTEXTMARGINLEFT = 1147;
constexpr unsigned RRBM_GETTEXTMARGINTOP = 1148;
constexpr unsigned RRBM_GETTEXTMARGINRIGHT = 1149;
constexpr unsigned RRBM_GETTEXTMARGINBOTTOM = 1150;
constexpr unsigned RRBM_GETIMAGEPOS = 1164;
constexpr unsigned RRBM_GETIMAGEWIDTH = 1165;
constexpr unsigned RRBM_GETIMAGEHEIGHT = 1166;
constexpr unsigned RRBM_GETIMAGEMARGINLEFT = 1167;
constexpr unsigned RRBM_GETIMAGEMARGINTOP = 1168;
constexpr unsigned RRBM_GETIMAGEMARGINRIGHT = 1169;
constexpr unsigned RRBM_GETIMAGEMARGINBOTTOM = 1170;

// Notifications sent to the parent on every paint: wParam the button, lParam its id.
constexpr unsigned RRBN_PAINTHOT = 1254;
constexpr unsigned RRBN_PAINTPRESSED = 1255;
constexpr unsigned RRBN_PAINTFLAT = 1256;

// Standard messages the button understands or sends.
constexpr unsigned WM_SETTEXT = 12;
constexpr unsigned WM_SETFONT = 48;
constexpr unsigned WM_NOTIFY = 78;
constexpr unsigned WM_GETDLGCODE = 135;
constexpr unsigned WM_COMMAND = 273;
constexpr unsigned BM_SETIMAGE = 247;
constexpr unsigned BN_CLICKED = 0;

// Answers to WM_GETDLGCODE.
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr unsigned DLGC_BUTTON = 0x2000;

// Image types of BM_SETIMAGE and the image-loading messages.
constexpr unsigned IMAGE_BITMAP = 0;
constexpr unsigned IMAGE_ICON = 1;

// Window styles RRButtonCreate honours.
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned WS_DISABLED = 0x08000000;
constexpr unsigned WS_TABSTOP = 0x00010000;

// Caption format flags (RRBM_SETTEXTFORMAT).
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_NOPREFIX = 0x0800;

// Caption background modes (RRBM_SETTEXTBKMODE).
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// System cursor ids accepted by RRBM_SETCURSOR.
constexpr unsigned IDC_ARROW = 32512;
constexpr unsigned IDC_IBEAM = 32513;
constexpr unsigned IDC_WAIT = 32514;
constexpr unsigned IDC_CROSS = 32515;
constexpr unsigned IDC_UPARROW = 32516;
constexpr unsigned IDC_SIZENWSE = 32642;
constexpr unsigned IDC_SIZENESW = 32643;
constexpr unsigned IDC_SIZEWE = 32644;
constexpr unsigned IDC_SIZENS = 32645;
constexpr unsigned IDC_SIZEALL = 32646;
constexpr unsigned IDC_NO = 32648;
constexpr unsigned IDC_HAND = 32649;
constexpr unsigned IDC_APPSTARTING = 32650;
constexpr unsigned IDC_HELP = 32651;

}  // namespace korvex
