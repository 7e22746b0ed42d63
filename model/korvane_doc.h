// The document: owner of the object list, the current object and the selection, the mirrors of
// the settings file and every editing operation. Views and pages never keep pointers into it:
// they take copies (CloneObject, CopyCurrentObject) and free them through FreeObject.
#pragma once

#include <vector>

#include "files/settings.h"
#include "model/doc_clipboard.h"
#include "model/doc_hints.h"
#include "model/doc_seams.h"
#include "model/geometry.h"
#include "model/kinds.h"
#include "platform/archive.h"
#include "platform/cstring.h"
#include "platform/ui/docview.h"
#include "platform/wintypes.h"

class CBmpObject;
class CDrawObject;
class CObjectList;
class QWidget;
struct ImageClipShape;

// Set by every operation that changes the design (and by choosing the current object); cleared
// by saving and by the save prompt. Layer, mirror and layer-visibility changes leave it alone.
extern int g_bModified;

inline constexpr int DOC_LAYER_COUNT = 8;

class CKorvaneDoc : public CDocument {
 public:
  CKorvaneDoc();
  // Writes the settings file and the defaults archive while the object list still exists.
  ~CKorvaneDoc() override;

  // ---- neighbours (set by the application; each may stay null)
  void SetMainFrame(IDocMainFrame* frame) { m_pMainFrame = frame; }
  IDocMainFrame* GetMainFrame() const { return m_pMainFrame; }
  void SetFileServices(IDocFileServices* files) { m_pFileServices = files; }
  void SetEngraveServices(IDocEngraveServices* engrave) { m_pEngraveServices = engrave; }

  // ---- lifecycle and the defaults archive
  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(const CString& path);
  // Reads or writes the ten prototypes of the defaults archive. Loading throws CArchiveException
  // on a damaged archive and then leaves every prototype as it was.
  void Serialize(CArchive& ar);
  // False when the archive could not be written.
  bool SaveDefaults();
  void LoadDefaults();
  // At exit, while the prompter still stands: writes the settings and the defaults archive and
  // says once when they cannot be kept. The destructor writes them silently when this did not run.
  void SaveSettingsAtExit();
  void OnStartup();
  void UpdateAll();
  static void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

  // ---- settings, machine id, origin and project files
  void CheckSettingsReset();
  BOOL DeleteSettingsFiles();
  void ReadMachineId();
  void ReadSettings();
  // False when the settings file could not be written.
  bool WriteSettings();
  void CheckFieldOrigin();
  void RunOriginWizardFix(int model);
  BOOL SaveMrkBinary(const CString& path);
  BOOL SaveMrkText(const CString& path);
  int LoadMrkBinary(const CString& path);
  int LoadMrkText(const CString& path);
  void OnDrawingDataLoaded();
  int ApplyPlacesBar(FileDialogRequest& request);
  void RestorePlacesBar(int state);
  void SetSealMode(int mode);
  void SetFont(const CString& face, int sizeTenths);

  // Machine anchors
  // The machine point of one of the nine anchors of the scanning area (0 centre, 1 top centre,
  // 2 bottom centre, 3 top left, 4 left centre, 5 bottom left, 6 top right, 7 right centre,
  // 8 bottom right) in the axis layout of model 1, 2 or 3; (0, 0) for another anchor.
  CPoint GetAnchorModel1(int anchor) const;
  CPoint GetAnchorModel2(int anchor) const;
  CPoint GetAnchorModel3(int anchor) const;
  // Anchor 0 or 3 for the model in FieldMachine; FALSE, with (0, 0), when no model is set.
  BOOL GetAreaAnchor(CPoint& out) const;
  BOOL GetAreaAnchor3(CPoint& out) const;
  // The point turned by minus ScanAngle about anchor 0 (unchanged for angle 0); rounded half
  // away from zero.
  CPoint RotateToField(int x, int y) const;
  CPoint RotateAbout(int x, int y, int centreX, int centreY) const;

  // ---- views
  IDocFormView* GetKorvaneView() const;
  IDocCanvasView* GetLeftView() const;
  void InvalidateLeftView(const RECT& rect);
  void FocusView(int which);

  // ---- objects, current object and selection
  CObjectList* GetObjectList() const { return m_pObjectList; }
  void SetObjectCommon(int index, const CDrawObject* object);
  CDrawObject* CloneObject(int index) const;
  CDrawObject* CopyCurrentObject() const;
  static void FreeObject(CDrawObject* object);
  int AddNewObject(int kind);
  int SetCurrentObject(int index, BOOL notifyForm, BOOL notifyCanvas);
  void SetMultiSelection(const int* flags, int length);
  void SelectAddedObjects(const int* flags, int length);
  int DeleteSelection();
  void NudgeSelection(int direction);
  void PasteObjects(const ObjectClipboardBlock& block, int pasteNumber);
  void PasteObjectsAt(const ObjectClipboardBlock& block);
  BOOL TakeRedrawAllFlag();
  int GetSelectedCount() const;
  int GetSelectedIndices(int* out, int capacity) const;
  int GetVisibleCount() const;
  BOOL GetListText(int n, CString& text) const;
  int VisibleToIndex(int n) const;
  int IndexToVisible(int index) const;
  void UpdateMultiBounds();
  void SetMultiRect(double sizeX, double sizeY, double posX, double posY);
  BOOL GetObjectsCenter(const ObjectClipboardBlock& block, CDoublePoint& out) const;

  // The selection flags: slot i stands for list index i + 1; the vector is kept as long as the
  // object list. The canvas reads and writes them only through these.
  const std::vector<int>& GetSelectionFlags() const { return m_vSelection; }
  int GetSelectionLength() const { return static_cast<int>(m_vSelection.size()); }
  void SetSelectionFlag(int slot, int value);
  void ClearSelectionFlags();

  // ---- move step and zoom
  double CycleMoveStep(BOOL up);
  double GetMoveStep() const;
  int ResetZoom();
  void SetZoom(int index);
  double CycleZoom(BOOL up);
  BOOL CanCycleZoom(BOOL up) const;
  int ResetZoomQuiet();
  int SetZoomQuiet(int index);
  double GetZoomFactor() const;

  // ---- layer, mirror, centring, font and output mode
  void SetSelectionLayer(int layer);
  void OnLayerDialog();
  void OnColorBox();
  void MirrorSelection(BOOL toggleX, BOOL toggleY);
  void CenterSelection(BOOL horizontal, BOOL vertical);
  void OnFontCommand();
  BOOL ChooseTextFont(int kind);
  void OnOutputMode();

  // ---- tracker and multi-selection
  void MoveResizeObject(int code, int index, double dx, double dy, double dw, double dh);
  void TransformSelection(int code, double scaleX, double scaleY, double moveX, double moveY,
                          CDoublePoint oldTopLeft, CDoublePoint oldBottomRight, CDoublePoint newTopLeft,
                          CDoublePoint newBottomRight);
  void ApplyMultiChange(int which, double oldValue, double newValue);
  void SetMultiBounds(double sizeX, double sizeY, double posX, double posY);
  void SetMultiFlag(int value);
  int GetKeepAspect(int index) const;

  // ---- copies between the work-area object's children and the settings mirrors
  void LoadSettingPages();
  void LoadDrawDataPage();
  void StoreDrawDataPage();
  void LoadDrawDataFixPage();
  void StoreDrawDataFixPage();
  void LoadDrawAreaPage();
  void StoreDrawAreaPage();
  void LoadDrawAreaFixPage();
  void StoreDrawAreaFixPage();
  void LoadDrawFieldPage();
  void StoreDrawFieldPage();

  // Bitmap files and design images
  // The design as a 1-bit BMP file at the dots-per-millimetre setting (save dialog first).
  void ExportDesignBmp();
  // Writes the design at zoom 1.0 to the ".bin" companion file and returns its path; the zoom
  // stays at index 9.
  CString RenderDesignToTemp();
  // Traces the design (one pixel per machine unit) into a ".hpg" file beside the chosen path.
  void ExportHpglFile();
  // The traced outline of a bitmap object's own image: 1 filled, 0 nothing to trace.
  int TraceBmpObject(const class CBmpObject* object, struct TracedOutline* outline);
  // Loads another image into the current bitmap object (open dialog first).
  void ChangeBmpImage();
  // Which layers the engraving raster and the outline capture take (index = layer).
  int m_bLayerEngrave[DOC_LAYER_COUNT] = {1, 1, 1, 1, 1, 1, 1, 1};

  // ---- state (read by the views, the pages, the files and the engines)
  int m_nLastAction = HINT_NEW_DOCUMENT_ACTION;
  CDrawObject* m_pCurrentObject = nullptr;  // owned by the list
  int m_nCurrentKind = TYPE_DRAWING;
  int m_nCurrentIndex = 0;
  int m_nSelectCount = 0;  // 1 one object, 0 the work area, the flags' length for several
  int m_nLastDeletedIndex = 0;
  int m_nPasteSize = 0;
  CDoublePoint m_ptContext;  // where the last context menu opened (mm)
  // Mirrors of the settings file (SYSTEM holds FontName, FontSize, MoveStep, ZoomStep, ModeSpan,
  // FixField, FieldMachine, FieldOriginX/Y) and the machine model.
  CKorvaneSettings m_Settings;
  double m_dReplyDouble = 0.0;
  int m_nReplyInt = 0;
  int m_bRedrawAll = 0;
  // While a character record's change is sent to the views: the record's index in the current
  // text (only its line changed); -1 for every other change.
  int m_nChangedRecord = -1;
  int m_bPaintMode = 0;
  int m_nPaintSavedZoom = ZOOM_STEP_DEFAULT;
  int m_bLayerVisible[DOC_LAYER_COUNT] = {1, 1, 1, 1, 1, 1, 1, 1};
  // Mask flag 0 is the settings file's MASK Use: one value, so the switch is saved as it stands.
  int& m_bMaskFlag = m_Settings.Mask.Use;
  int m_bInnerMaskFlag = 0;
  int m_nSealMode = 0;  // 0 normal, 1 personal seal, 2 corporate seal
  IDocEngine* m_pEngine = nullptr;  // owned
  // Set while the area capture waits for its band on the canvas.
  int m_bAreaCapture = 0;

  // ---- area capture (the canvas's band becomes a bitmap object)
  // Starts the capture: the canvas drops its selection and the next band is the area.
  void DropSelection();
  // Ends the capture; with a rectangle (millimetres, y up, corners in any order) the area's
  // image becomes a new bitmap object, the current one. NULL only cancels.
  void SelectionToImage(const CDoubleRect* mmRect);

 private:
  // Update-all-views aimed at one view: sent with the other view as sender.
  void UpdateFormView(LPARAM hint);
  void UpdateCanvasView(LPARAM hint);
  void UpdateBothViews(LPARAM hint);
  CView* FindFormView() const;
  CView* FindCanvasView() const;

  void ResetCurrentState();
  void SyncSelectionLength();
  // Gives back the deleted entries at the end of the list that no paste can read any more.
  void ReleaseDeletedTail();
  void CopySelectionFlags(const int* flags, int length);
  // The list indices the editing operations act on (the current object, or the flagged entries).
  std::vector<int> SelectedIndices() const;
  int ListCount() const;
  void InvalidateSelectionArea();
  // Duplicates the pastable entries of a block; returns the new list indices.
  std::vector<int> DuplicateBlock(const ObjectClipboardBlock& block);
  void SelectPasted(const std::vector<int>& pasted);
  void CopyListDefaultsToSettings();
  void CopySettingsToListDefaults();

  CObjectList* m_pObjectList = nullptr;
  bool m_bSettingsSaved = false;  // SaveSettingsAtExit ran
  std::vector<int> m_vSelection;
  IDocMainFrame* m_pMainFrame = nullptr;
  IDocFileServices* m_pFileServices = nullptr;
  IDocEngraveServices* m_pEngraveServices = nullptr;

  // ---- seal design (seal/)
 public:
  // The seal-kind dialog, then the builder of the chosen kind; Cancel: normal mode.
  void CreateNewSeal();
  void BuildPersonalSeal();
  void BuildCorporateSeal();
  // Lays out lines of text as one straight text per character (face: null for the personal
  // seal's font).
  void LayoutPersonalSealText(const CString* lines, int count);
  void LayoutSealText(const CString* lines, int count, double width, double height, int style, int layer,
                      int colorIndex, const char* face = nullptr);
  void AddSealTextObject(const CString& character, double width, double height, double x, double y, int layer,
                         int colorIndex, const char* face = nullptr);
  // Masks and the seal-bar commands.
  void ChooseMaskColor();
  void ToggleSealMask();
  void SetMaskOrder(int order);
  void SetMaskFlag(int which, int value);
  void SealCommandStub(int n);
  // The first live circle of part 2 (the inner frame): its size and position (mm); 0 without one.
  int FindSealFrameCircle(double* sizeX, double* sizeY, double* posX, double* posY);
  // The clip of an inner-text image (flag 1: the inner frame, 0: the scanning area) in image
  // pixels.
  void SetInnerImageClip(int frameFlag, ImageClipShape* clip);
  void ConvertInnerTextToImage(int frameFlag);
  void ConvertRingTextToImage();
  // Turns a seal-design program's data folder into a new design.
  void ImportSealFolder();

  // The corporate seal's ring text: kept while the program runs, never saved.
  CString m_strRingText;

 private:
  // Scale 1 and angle 0, then the scanning area of a seal (mm), in the work area and its mirrors.
  void SetSealDrawingArea(double width, double height, int shape, double frame, const double* radius);
  // A seal-part object just added: the part's common fields, then its hint to the form view.
  void FinishSealPart(CDrawObject* object, int part, int layer, const char* utf8Name, LPARAM hint);
  // Makes the last added entry current through the selection operation, keeping the last action.
  void SelectLastSealObject(int lastAction);
  // A text converted into an image: the bitmap takes the part's place; views told.
  void FinishSealImage(CBmpObject* image, int part, int layer, const char* utf8Name);
 public:
  // ---- property setters by control id (the pages' controls): 1 accepted, 0 refused or
  // unknown; a refused value leaves the kept one in m_dReplyDouble / m_nReplyInt. The row names
  // the layer record (drawing settings) or the character record (character pages).
  int SetPropertyDouble(int id, double value, int row);
  int SetDoubleProperty(int id, double value) { return SetPropertyDouble(id, value, 0); }
  int SetPropertyInt(int id, int value, int row);
  int SetIntProperty(int id, int value) { return SetPropertyInt(id, value, 0); }
  int SetPropertyCheck(int id, int value, int row);
  int SetCheckProperty(int id, int value) { return SetPropertyCheck(id, value, 0); }
  int SetObjectText(int id, const CString& text);
 public:
  // The form view's print commands: flag 1 the canvas's print, 0 its print preview.
  void PrintOrPreview(int flag);
 public:
  // ---- application shell
  // Before the design is dropped (new document, end of the program): a modified design with a
  // drawable object asks whether to save it. TRUE to go on (saved, or the answer No); FALSE for
  // Cancel in the question or the save dialog, or a failed save: the design stays as it was.
  BOOL SaveModified();
  // The title, also shown by the main frame.
  void SetTitle(const CString& title) override;
  // A project path from the command line or a drop: quotes removed; a ".mrk" name, or the
  // target of a symbolic link to one; else empty.
  static CString NormalizeOpenPath(const CString& path);
  static CString ResolveShortcut(const CString& path);

  // ---- layer visibility (no modified flag; hint 10015 to both views; layers outside 0 to 7
  // are ignored)
 public:
  void ToggleLayerVisible(int layer);
  void SetLayerVisible(int layer, int visible);
  void SetAllLayersVisible(int visible);

  // ---- project open (every way of opening ends in OpenMrkFile) and the places bar
  // 1 replace the design, 0 insert into it; non-zero when loaded.
  int OpenMrkFile(const CString& path, int replace);
  int LoadMrkBinaryFile(const CString& path, int replace);
  int LoadMrkTextFile(const CString& path, int replace);
  void OpenFromCommandLine(const CString& request);
  int OpenMrkPath(const CString& path, int replace);
  int PromptOpenMrkFile(int replace);
  void OpenDroppedFiles(const std::vector<CString>& paths);
  // The file a load that left records out came from: the first Save to it asks first.
  CString m_strIncompleteLoad;
  // The project file the design was last read from or written to, its format (1 binary, 2 text)
  // and its size and modification time then: Save keeps that format, and asks before it
  // overwrites a file that changed on disk since.
  struct CProjectFileStamp {
    CString path;
    int format = 0;
    long long size = -1;
    long long modified = 0;  // nanoseconds since the epoch
  } m_FileStamp;
  // The file an insert into an empty, untitled design named the design after; a further
  // insert takes the name away again.
  CString m_strInsertTitle;
  // The registration dialog of the places-bar folders.
  void EditPlacesBar();
  // The application's recent-file list (may stay null).
  void SetRecentFiles(IDocRecentFiles* recent) { m_pRecentFiles = recent; }
  IDocRecentFiles* GetRecentFiles() const { return m_pRecentFiles; }

 private:
  IDocRecentFiles* m_pRecentFiles = nullptr;

 public:
  // ---- object pages
  // Arms the main window's timer 3 (100 ms), which then enters image editing.
  void StartPaintTimer();
  // The barcode object's text (control 1451): refused when empty or when no symbol holds it at
  // the object's level; 1 accepted.
  int SetBarcodeText(const CString& text);

 public:
  // ---- settings pages
  // Whether an engraving job runs: an engine is current, or a worker still holds the port
  // (a stopped worker may still be sending after its engine is gone). Head moves wait for it.
  BOOL IsEngravingBusy() const;
  // The fixed-field page moves the head with every change of the area's place or size; not
  // stored.
  int m_bMoveOnChange = 0;
  // ---- engraving (the frame's start commands, the form view's abort, the frame's timer 2)
  // The layer choice before a job: 1 to go on, 0 to give up.
  int ChooseEngraveLayers();
  // Command 32808: a whole job on this thread; the old zoom index the job reported (-1 none).
  int StartEngraving();
  // Command 32898: starts the threaded job (the frame disabled its button first).
  int StartThreadEngraving();
  // After a finished normal job: every counting straight text moves on by one.
  void AdvanceCounterTexts();
  // Ends the threaded job; while its worker still runs the job stays and the end is retried.
  void EndEngraving();
  // The worker's end (delivered on this thread): the end timer is armed for 3000 ms.
  void ScheduleEngravingEnd();
  // The abort button: the worker is asked to stop, the end timer armed for 3000 ms.
  void AbortEngraving();
  // Timer 2 of the main frame.
  void OnEngraveEndTimer();
  // Command 32888 and the unfixing path of 32890: the field-origin wizard.
  void RunOriginWizard();

  int m_bEngraveRunning = 0;     // 1 while a threaded job is under way
  int m_bEngraveFixVariant = 0;  // 1 when the current threaded engine is the fixed-field one
  QWidget* m_pEngraveMainWindow = nullptr;  // kept while a threaded job runs
  int m_bNormalEngraving = 0;    // 1 while the normal engine runs on the stack
  // ---- paint mode (image editing of a bitmap object in the canvas)
  // Arms the main window's timer 4 (100 ms), which then leaves image editing.
  void StartPaintEndTimer();
  // Enters paint mode on the current bitmap object: 1 entered, 0 nothing done or refused.
  int BeginPaintMode();
  void EndPaintMode();
  // Zoom in tenths (0 fits): the zoom the editor applied; 0 for a repeat of the current one.
  double SetPaintZoom(int zoom);
  void ShowPaintZoom(double zoom);
  void RestoreZoom();
  BOOL IsEditableBmp() const;
  void RedrawPaint();
  // Opens the whole design, rendered into a 1-bit image, in the paint editor.
  void EditDesignAsImage();
  // A bitmap object of an image in memory, not in the list (the caller owns it); null when the
  // image is not usable.
  CBmpObject* MakeBmpObjectFromImage(std::vector<BYTE> image);
  // Forwarders to the canvas's paint editor.
  void OnPaintThicken();
  void PaintThicken(int x, int y, int same);
  void PaintOutline();
  void PaintInvert();
  void PaintFill(int white);
  int SetPaintTool(int code);
  int GetPaintTool() const;
  int SetPaintSize(int size);
  int SetPaintShape(int shape);
  int SetPaintFillMode(int fill);
  void SetPaintGrid(int on);
  void PaintUndoRedo(int redo);
  BOOL CanPaintUndoRedo(int redo) const;
  class CBitmap* PaintCopyCut(int copy);
  BOOL PaintPaste(class CBitmap* bitmap);
  void SelectPaintTool(int code);
  void SavePaintImage();
  // The whole scanning area's image becomes a new bitmap object, the current one.
  void ScanAreaToImage();
  class CPaintEditor* GetPaintEditor() const;

  int m_nPaintZoom = 100;
  // The object EditDesignAsImage edits (outside the list; freed at the end of the edit).
  CBmpObject* m_pPaintDesignObject = nullptr;
};
