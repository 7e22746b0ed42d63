// Update codes of the document: the codes that describe an edit are kept as the document's last
// action (the hint value then being a kind, an index or -1); the others travel as the hint value.
// The views' update handlers switch on these numbers: never renumber them.
#pragma once

enum DocUpdateCode : int {
  HINT_NEW_DOCUMENT_ACTION = 10001,  // last action right after a new document (never sent)
  HINT_OBJECTS_ADDED = 10002,
  HINT_SELECTION_CHANGED = 10003,
  HINT_OBJECTS_DELETED = 10004,
  HINT_OBJECT_MOVED = 10005,
  HINT_OBJECTS_MOVED = 10006,
  HINT_OBJECTS_PASTED = 10007,
  HINT_SEAL_TEXT_TO_IMAGE = 10008,
  HINT_PROPERTY_CHANGED = 10009,
  HINT_ZOOM_CHANGED = 10010,
  HINT_OUTPUT_MODE_CHANGED = 10012,
  HINT_LAYER_CHANGED = 10013,
  HINT_MIRROR_CHANGED = 10014,
  HINT_REDRAW_ALL = 10015,
  HINT_FONT_CHANGED = 10016,
  HINT_NEW_DOCUMENT = 10017,
  HINT_ENGRAVING_ENDED = 10018,
  HINT_THREAD_ENGRAVING_STARTED = 10019,
  HINT_SELECTION_NUDGED = 10020,
  HINT_DRAWING_DATA_LOADED = 10021,
  HINT_DROP_BAND_SELECTION = 10022,
  HINT_REINIT_RENDERER = 10024,
};

// Move steps in millimetres; the step index wraps at both ends.
inline constexpr int MOVE_STEP_COUNT = 15;
inline constexpr double g_MoveStepTable[MOVE_STEP_COUNT] = {0.025, 0.05, 0.1, 0.2, 0.25, 0.5, 0.75, 1.0,
                                                            2.0,   3.0,  4.0, 5.0, 6.0,  7.5, 10.0};

// Zoom factors; the zoom index stops at both ends. Index 9 (1.0) is the reset value and the one
// every output rendering runs at.
inline constexpr int ZOOM_STEP_COUNT = 26;
inline constexpr int ZOOM_STEP_DEFAULT = 9;
inline constexpr double g_ZoomTable[ZOOM_STEP_COUNT] = {0.1, 0.2, 0.3, 0.4, 0.5,  0.6, 0.7, 0.8, 0.9,
                                                        1.0, 1.1, 1.2, 1.5, 1.75, 2.0, 3.0, 4.0, 5.0,
                                                        6.0, 7.0, 8.0, 9.0, 10.0, 12.0, 15.0, 20.0};

// The move step at an index, the index brought into the table by wrapping.
double MoveStepAt(int index);
// The zoom factor at an index, the index clamped into the table.
double ZoomFactorAt(int index);
