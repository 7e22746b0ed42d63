// The program as the application builds it at start, for the benchmarks that drive the real
// main frame: pages, document with the project file services, frame with both views, the first
// new document, the window shown.
#pragma once

#include <QApplication>
#include <memory>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "bench/bench_document.h"
#include "canvas/leftview.h"
#include "files/mrk_open_save.h"
#include "model/korvane_doc.h"
#include "pages/object_pages.h"
#include "pages/settings_pages.h"

namespace benchprog {

struct Program {
  explicit Program(const char* folderName = "korvane-bench-program") : folder(folderName) {
    RegisterObjectPages();
    RegisterSettingsPages();
    doc = std::make_unique<CKorvaneDoc>();
    frame = std::make_unique<CMainFrame>(doc.get(), false);
    files = std::make_unique<CMrkProjectFiles>(*doc);
    doc->SetMainFrame(frame.get());
    doc->SetFileServices(files.get());
    frame->Create();
    doc->OnNewDocument();
    if (CLeftView* canvas = frame->GetLeftView()) canvas->OnInitialUpdate();
    if (CKorvaneView* form = frame->GetFormView()) form->OnInitialUpdate();
    frame->resize(1280, 900);
    frame->show();
    QApplication::processEvents();
  }
  ~Program() {
    g_bModified = 0;
    doc->SetMainFrame(nullptr);
    doc->SetFileServices(nullptr);
    frame.reset();
    doc.reset();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CKorvaneView& Form() { return *frame->GetFormView(); }
  CObjectList& List() { return *doc->GetObjectList(); }
  CLeftView& Canvas() { return *frame->GetLeftView(); }
  // What is pending runs, then the canvas paints what the operation left invalid.
  void Settle() {
    QApplication::processEvents();
    Canvas().UpdateWindow();
  }
  // The whole canvas invalidated and painted.
  void Repaint() {
    Canvas().Invalidate(TRUE);
    Canvas().UpdateWindow();
  }

  benchdoc::Folder folder;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CMainFrame> frame;
  std::unique_ptr<CMrkProjectFiles> files;
};

}  // namespace benchprog
