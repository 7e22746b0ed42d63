// The program as the application builds it at start, for the benchmarks that time operations
// through the real main window: object and settings pages registered, a document in a folder
// of its own, the frame with both views, the first new document, the window shown.
#pragma once

#include <QApplication>
#include <memory>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "bench/bench_document.h"
#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "pages/object_pages.h"
#include "pages/settings_pages.h"

namespace benchprogram {

struct Program {
  explicit Program(const char* folderName) : folder(folderName) {
    RegisterObjectPages();
    RegisterSettingsPages();
    doc = std::make_unique<CKorvaneDoc>();
    frame = std::make_unique<CMainFrame>(doc.get(), false);
    doc->SetMainFrame(frame.get());
    frame->Create();
    doc->OnNewDocument();
    if (CLeftView* canvas = frame->GetLeftView()) canvas->OnInitialUpdate();
    if (CKorvaneView* form = frame->GetFormView()) form->OnInitialUpdate();
    frame->resize(1280, 900);
    frame->show();
    QApplication::processEvents();
  }
  ~Program() {
    doc->SetMainFrame(nullptr);
    frame.reset();
    doc.reset();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CKorvaneView& Form() { return *frame->GetFormView(); }
  CLeftView& Canvas() { return *frame->GetLeftView(); }

  benchdoc::Folder folder;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace benchprogram
