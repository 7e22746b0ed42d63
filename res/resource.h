// Resource and command ids of the application shell and the main frame's commands. Menus, tool
// bars, accelerators and dialogs refer to commands by these numbers; stored bar layouts and the
// object names of the bars depend on the window ids, so none of these numbers may change.
#pragma once

#include "platform/wintypes.h"

// ---- Resources ----------------------------------------------------------------------------------
constexpr UINT IDD_ABOUTBOX = 100;          // About box
// The form view's dialog 101 and its controls: res/dialog_101.h.
constexpr UINT IDR_MAINFRAME = 149;         // main menu, accelerators, icon, title, main tool bar
constexpr UINT IDR_CONTEXT_MENU = 155;      // canvas and paint-editor context menus
constexpr UINT IDR_OBJECT_BAR = 166;        // object tool bar
constexpr UINT IDC_HAND_CURSOR = 185;       // hand cursor over the About box links
constexpr UINT IDR_LAYER_BAR = 235;         // layer tool bar
constexpr UINT IDB_LAYER_HIDDEN = 239;      // 8 images of the layer buttons for hidden layers
constexpr UINT IDB_SPLASH = 255;            // splash picture, 403 x 252
constexpr UINT IDR_PERSONAL_SEAL_BAR = 269; // personal-seal tool bar
constexpr UINT IDR_CORPORATE_SEAL_BAR = 271;// corporate-seal tool bar
constexpr UINT IDB_PERSONAL_SEAL_HIDDEN = 273;   // 4 images of the personal-seal buttons, hidden
constexpr UINT IDB_CORPORATE_SEAL_HIDDEN = 279;  // 6 images of the corporate-seal buttons, hidden
constexpr UINT IDR_DOCUMENT_ICON = 150;     // icon of a project file (our own number)

// ---- Window ids -----------------------------------------------------------------------------------
constexpr UINT IDW_MAIN_TOOLBAR = 59392;
constexpr UINT IDW_STATUS_BAR = 59393;
constexpr UINT IDW_OBJECT_BAR = 61460;
constexpr UINT IDW_LAYER_BAR = 61463;
constexpr UINT IDW_PERSONAL_SEAL_BAR = 61464;
constexpr UINT IDW_CORPORATE_SEAL_BAR = 61465;
constexpr UINT IDW_PANE_FIRST = 59648;      // the splitter's first pane

// ---- Status-bar indicators ------------------------------------------------------------------------
constexpr UINT ID_SEPARATOR = 0;            // pane 0, the message area
constexpr UINT ID_INDICATOR_STEP = 59143;   // pane 2, "STEP = ..."
constexpr UINT ID_INDICATOR_ZOOM = 59145;   // pane 1, "ZOOM = ..."
constexpr UINT ID_INDICATOR_FIELD = 59146;  // pane 3, the fixed field or "Field Unfixed"

// ---- Frame timers -----------------------------------------------------------------------------------
constexpr UINT TIMER_STATUS_PANES = 0;      // 1000 ms after start
constexpr UINT TIMER_PORT_CONSOLE = 1;      // 1500 ms after start, port-debug mode
constexpr UINT TIMER_ENGRAVE_END = 2;       // end of a threaded engraving job
constexpr UINT TIMER_PAINT_ENTER = 3;       // enter image editing
constexpr UINT TIMER_PAINT_LEAVE = 4;       // leave image editing

// ---- Commands: file -----------------------------------------------------------------------------------
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_SAVE = 57603;        // the standard save; the keys send ID_FILE_SAVE_MRK
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_FILE_MRU_FILE1 = 57616;   // recent files 1 to 16: 57616 to 57631
constexpr UINT ID_FILE_MRU_FILE16 = 57631;
constexpr UINT ID_FILE_INSERT = 32899;
constexpr UINT ID_FILE_SAVE_MRK = 32851;
constexpr UINT ID_FILE_SAVE_AS_MRK = 32852;
constexpr UINT ID_FILE_SAVE_AS_NAMED = 32885;  // save as, proposing the document title
constexpr UINT ID_ENGRAVE = 32808;             // start engraving (normal)
constexpr UINT ID_ENGRAVE_THREAD = 32898;      // start engraving (threaded)
constexpr UINT ID_APP_EXIT = 57665;

// ---- Commands: edit -----------------------------------------------------------------------------------
constexpr UINT ID_EDIT_CLEAR = 57632;       // delete
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_UNDO = 57643;        // has no handler
constexpr UINT ID_CONTEXT_CUT = 32875;
constexpr UINT ID_CONTEXT_COPY = 32876;
constexpr UINT ID_CONTEXT_PASTE = 32877;
constexpr UINT ID_CONTEXT_DELETE = 32878;
constexpr UINT ID_SET_LAYER_0 = 32951;      // layer change of the selection: 32951 + n
constexpr UINT ID_SET_LAYER_7 = 32958;
constexpr UINT ID_EDIT_IMAGE = 32905;       // edit the bitmap object's picture
constexpr UINT ID_NUDGE_UP = 32881;
constexpr UINT ID_NUDGE_DOWN = 32882;
constexpr UINT ID_NUDGE_LEFT = 32883;
constexpr UINT ID_NUDGE_RIGHT = 32884;

// ---- Commands: drawing objects -------------------------------------------------------------------------
constexpr UINT ID_ADD_LINE = 32786;
constexpr UINT ID_ADD_RECTANGLE = 32787;
constexpr UINT ID_ADD_CIRCLE = 32788;
constexpr UINT ID_ADD_TRIANGLE = 32789;
constexpr UINT ID_ADD_RHOMBUS = 32790;
constexpr UINT ID_ADD_POLYGON = 32791;
constexpr UINT ID_ADD_TEXT = 32792;         // straight text string
constexpr UINT ID_ADD_ARC_TEXT = 32793;     // text string along an arc
constexpr UINT ID_ADD_BMP = 32806;          // read a BMP file
constexpr UINT ID_ADD_BARCODE = 32794;      // 描画 menu
constexpr UINT ID_ADD_BARCODE2 = 33040;     // no entry
constexpr UINT ID_SCAN_AREA_TO_IMAGE = 32903;
constexpr UINT ID_SELECTION_TO_IMAGE = 32904;

// ---- Commands: view, zoom, step, arrangement ------------------------------------------------------------
constexpr UINT ID_ZOOM_IN = 32809;
constexpr UINT ID_ZOOM_OUT = 32810;
constexpr UINT ID_STEP_UP = 32784;          // larger move step
constexpr UINT ID_STEP_DOWN = 32785;        // smaller move step
constexpr UINT ID_CENTER_BOTH = 32824;
constexpr UINT ID_CENTER_HORZ = 32825;      // centre left-right
constexpr UINT ID_CENTER_VERT = 32835;      // centre top-bottom
constexpr UINT ID_MIRROR_X = 32827;
constexpr UINT ID_MIRROR_Y = 32828;
constexpr UINT ID_OUTPUT_MODE = 32829;
constexpr UINT ID_FONT = 32848;
constexpr UINT ID_LAYER_DIALOG = 32832;
constexpr UINT ID_NEXT_PANE = 57680;        // F6
constexpr UINT ID_PREV_PANE = 57681;        // Shift+F6

// ---- Commands: options ------------------------------------------------------------------------------------
constexpr UINT ID_VIEW_TOOLBAR = 59392;     // same number as the main tool bar's window id
constexpr UINT ID_VIEW_STATUS_BAR = 59393;  // same number as the status bar's window id
constexpr UINT ID_VIEW_OBJECT_BAR = 32880;
constexpr UINT ID_VIEW_LAYER_BAR = 32950;
constexpr UINT ID_VIEW_GRID = 32796;
constexpr UINT ID_LAYER_SHOW_ALL = 32926;
constexpr UINT ID_LAYER_HIDE_ALL = 32935;
constexpr UINT ID_LAYER_TOGGLE_0 = 32927;   // visibility of layer n: 32927 + n, also the layer bar
constexpr UINT ID_LAYER_TOGGLE_7 = 32934;
constexpr UINT ID_V2004_FILL_TEXT = 32925;
constexpr UINT ID_INIT_DATA_FILES = 32893;
constexpr UINT ID_MRK_ASSOCIATION = 32897;
constexpr UINT ID_FIX_FIELD = 32890;
constexpr UINT ID_ORIGIN_WIZARD = 32888;
constexpr UINT ID_USE_PLACES_BAR = 33003;
constexpr UINT ID_REGISTER_FOLDERS = 33004;

// ---- Commands: help ---------------------------------------------------------------------------------------
constexpr UINT ID_APP_ABOUT = 57664;

// ---- Commands: parallel port --------------------------------------------------------------------------------
constexpr UINT ID_PORT_SEND_STRING = 32771; // F12
constexpr UINT ID_PORT_CONSOLE = 32858;     // no entry; timer 1 in port-debug mode
constexpr UINT ID_PORT_MONITOR = 32859;     // no entry

// ---- Commands: paint editor (context menu 155, sub-menus 2 and 3) -------------------------------------------
constexpr UINT ID_PAINT_CUT = 32907;
constexpr UINT ID_PAINT_COPY = 32908;
constexpr UINT ID_PAINT_PASTE = 32909;
constexpr UINT ID_PAINT_THICKEN = 32910;
constexpr UINT ID_PAINT_OUTLINE = 32911;
constexpr UINT ID_PAINT_UNDO = 32912;
constexpr UINT ID_PAINT_REDO = 32913;
constexpr UINT ID_PAINT_PEN = 32914;
constexpr UINT ID_PAINT_ERASER = 32915;
constexpr UINT ID_PAINT_BRUSH = 32916;
constexpr UINT ID_PAINT_FILL = 32917;
constexpr UINT ID_PAINT_LINE = 32918;
constexpr UINT ID_PAINT_CIRCLE = 32919;
constexpr UINT ID_PAINT_ELLIPSE = 32920;
constexpr UINT ID_PAINT_RECTANGLE = 32921;
constexpr UINT ID_PAINT_SELECT = 32922;
constexpr UINT ID_PAINT_POLYGON = 32923;

// ---- Commands: seals -----------------------------------------------------------------------------------------
constexpr UINT ID_SEAL_IMPORT_FOLDER = 33005;   // 描画 > 印鑑
constexpr UINT ID_SEAL_NEW = 33006;             // 描画 > 印鑑
constexpr UINT ID_SEAL_NEW2 = 33008;            // no entry
constexpr UINT ID_SEAL_MASK = 33010;            // 描画 > 印鑑
constexpr UINT ID_SEAL_MASK_ORDER_0 = 33011;    // 描画 > 印鑑
constexpr UINT ID_SEAL_MASK_ORDER_1 = 33012;    // 描画 > 印鑑
constexpr UINT ID_SEAL_MASK_COLOR = 33013;      // 描画 > 印鑑
constexpr UINT ID_PSEAL_OUTER_FRAME = 33014;    // personal seal, layer 0
constexpr UINT ID_PSEAL_INNER_TEXT = 33016;     // personal seal, layer 1
constexpr UINT ID_PSEAL_MASK = 33017;           // personal seal, layer 2
constexpr UINT ID_PSEAL_TEXT_TO_IMAGE = 33036;
constexpr UINT ID_PSEAL_STUB = 33033;
constexpr UINT ID_CSEAL_OUTER_FRAME = 33027;    // corporate seal, layer 0
constexpr UINT ID_CSEAL_RING_TEXT = 33028;      // layer 1
constexpr UINT ID_CSEAL_INNER_FRAME = 33029;    // layer 2
constexpr UINT ID_CSEAL_INNER_TEXT = 33030;     // layer 3
constexpr UINT ID_CSEAL_MASK_0 = 33035;         // layer 4
constexpr UINT ID_CSEAL_MASK_1 = 33034;         // layer 5
constexpr UINT ID_CSEAL_RING_TO_IMAGE = 33038;
constexpr UINT ID_CSEAL_INNER_TO_IMAGE = 33039;
constexpr UINT ID_CSEAL_STUB = 33032;
