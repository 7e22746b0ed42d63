#include "app/paint_commands.h"

#include <memory>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "app/korvane_view.h"
#include "imaging/paint_editor.h"
#include "imaging/paint_selection_clipboard.h"
#include "imaging/paint_tools.h"
#include "model/korvane_doc.h"
#include "platform/gdi/gdi.h"
#include "platform/ui/control_host.h"
#include "res/dialog_101.h"

namespace {

constexpr UINT ID_SCAN_AREA_TO_IMAGE = 32903;
constexpr UINT ID_SELECTION_TO_IMAGE = 32904;
constexpr UINT ID_EDIT_IMAGE = 32905;
constexpr UINT ID_PAINT_CUT = 32907;
constexpr UINT ID_PAINT_COPY = 32908;
constexpr UINT ID_PAINT_PASTE = 32909;
constexpr UINT ID_PAINT_THICKEN = 32910;
constexpr UINT ID_PAINT_OUTLINE = 32911;
constexpr UINT ID_PAINT_UNDO = 32912;
constexpr UINT ID_PAINT_REDO = 32913;

// Design-editing commands that would act on the bitmap under edit (delete, cut, paste of
// objects, nudges, alignment, the page's zoom steps).
constexpr UINT kOffInPaintMode[] = {57632, 57634, 57635, 57637, 32875, 32876, 32877, 32878,
                                    32881, 32882, 32883, 32884, 32809, 32810};

QClipboard* Clipboard() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }

void CopyOrCut(CKorvaneDoc* doc, int copy) {
  std::unique_ptr<CBitmap> bitmap(doc->PaintCopyCut(copy));
  if (!bitmap) return;
  if (QClipboard* cb = Clipboard()) {
    cb->setImage(ClipboardImageFromBitmap(*bitmap));
    if (CPaintEditor* editor = doc->GetPaintEditor()) editor->NoteOwnClipboard();
  }
}

void Paste(CKorvaneDoc* doc) {
  QClipboard* cb = Clipboard();
  if (!cb) return;
  std::unique_ptr<CBitmap> bitmap(BitmapFromClipboard(cb->mimeData()));
  if (bitmap) doc->PaintPaste(bitmap.get());
}

}  // namespace

void OnPaintTimer(CKorvaneDoc* doc, UINT id) {
  if (!doc) return;
  if (id == 3) doc->BeginPaintMode();
  else if (id == 4) doc->EndPaintMode();
}

namespace {

// The form view's image-editing controls: zoom radios, fit, grid, save and the end button.
void ConnectImageEditControls(CKorvaneView* form, CKorvaneDoc* doc) {
  static constexpr int kTenths[res::kZoomRadioCount] = {1, 2, 4, 6, 8, 10, 20, 40, 60, 80};
  for (int i = 0; i < res::kZoomRadioCount; ++i) {
    const int tenths = kTenths[i];
    form->SetCommandHandler(res::kZoomRadios[i], [form, doc, tenths](int code) {
      if (code != BN_CLICKED) return;
      doc->SetPaintZoom(tenths);
      // The percentage a fit showed no longer holds.
      if (form->Controls()) form->Controls()->SetDlgItemText(res::IDC_FIT_PERCENT, CString());
    });
  }
  form->SetCommandHandler(res::IDC_ZOOM_FIT, [doc](int code) {
    if (code == BN_CLICKED) doc->SetPaintZoom(0);
  });
  form->SetCommandHandler(res::IDC_PAINT_GRID, [form, doc](int code) {
    if (code == BN_CLICKED && form->Controls()) doc->SetPaintGrid(form->Controls()->GetCheck(res::IDC_PAINT_GRID));
  });
  form->SetCommandHandler(res::IDC_SAVE_IMAGE, [doc](int code) {
    if (code == BN_CLICKED) doc->SavePaintImage();
  });
  form->SetCommandHandler(res::IDC_END_IMAGE_EDIT, [doc](int code) {
    if (code == BN_CLICKED) doc->StartPaintEndTimer();
  });
}

}  // namespace

void RegisterPaintCommands(CCommandTable& t, const CommandContext& ctx) {
  CKorvaneDoc* doc = ctx.doc;
  if (!doc) return;
  if (ctx.form) ConnectImageEditControls(ctx.form, doc);
  const CommandUpdate noPaint = [doc](CCmdUI& ui) {
    if (doc->m_bPaintMode) ui.Enable(FALSE);
  };
  const CommandUpdate paintOnly = [doc](CCmdUI& ui) {
    if (!doc->m_bPaintMode) ui.Enable(FALSE);
  };

  t.Add(ID_EDIT_IMAGE, [doc] { doc->StartPaintTimer(); }, [doc](CCmdUI& ui) {
    if (doc->m_bPaintMode || doc->m_nCurrentKind != TYPE_BMP) ui.Enable(FALSE);
  });
  t.Add(ID_SCAN_AREA_TO_IMAGE, [doc] { doc->ScanAreaToImage(); }, noPaint);
  t.Add(ID_SELECTION_TO_IMAGE, [doc] { doc->DropSelection(); }, noPaint);

  t.Add(ID_PAINT_CUT, [doc] { CopyOrCut(doc, 0); }, paintOnly);
  t.Add(ID_PAINT_COPY, [doc] { CopyOrCut(doc, 1); }, paintOnly);
  t.Add(ID_PAINT_PASTE, [doc] { Paste(doc); }, [doc](CCmdUI& ui) {
    QClipboard* cb = Clipboard();
    // Offered whenever a picture is there: one too large is refused with a word, not greyed.
    if (!doc->m_bPaintMode || !cb || !ClipboardHasPicture(cb->mimeData())) ui.Enable(FALSE);
  });
  t.Add(ID_PAINT_THICKEN, [doc] { doc->OnPaintThicken(); }, paintOnly);
  t.Add(ID_PAINT_OUTLINE, [doc] { doc->PaintOutline(); }, paintOnly);
  t.Add(ID_PAINT_UNDO, [doc] { doc->PaintUndoRedo(0); }, [doc](CCmdUI& ui) {
    if (!doc->m_bPaintMode || !doc->CanPaintUndoRedo(0)) ui.Enable(FALSE);
  });
  t.Add(ID_PAINT_REDO, [doc] { doc->PaintUndoRedo(1); }, [doc](CCmdUI& ui) {
    if (!doc->m_bPaintMode || !doc->CanPaintUndoRedo(1)) ui.Enable(FALSE);
  });
  for (const PaintToolCommand& c : kPaintToolCommands) {
    const int code = c.code;
    t.Add(c.id, [doc, code] { doc->SelectPaintTool(code); }, [doc, code](CCmdUI& ui) {
      if (!doc->m_bPaintMode) {
        ui.Enable(FALSE);
        return;
      }
      ui.SetCheck(doc->GetPaintTool() == code ? 1 : 0);
      // The tool in use is not chosen again.
      ui.Enable(doc->GetPaintTool() != code);
    });
  }
  for (UINT id : kOffInPaintMode) t.AddUpdate(id, noPaint);
}
