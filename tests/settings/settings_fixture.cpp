#include "settings_fixture.h"

#include <cstdlib>
#include <fstream>

#include "files/settings.h"

void SettingsTest::SetUp() {
  g_bModified = 0;
  portPath = dir.File("lpt1.out");
  std::ofstream(portPath).close();
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  previousDialogs = SetModalDialogs(&dialogs);
}

void SettingsTest::Start() {
  doc = std::make_unique<CKorvaneDoc>();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->AddView(&canvas);
  formHost.doc = doc.get();
  CPageHelper::SetFormHost(&formHost);
  doc->SetCurrentObject(0, FALSE, FALSE);
  ASSERT_NE(doc->m_pCurrentObject, nullptr);
}

void SettingsTest::TearDown() {
  CPageHelper::SetFormHost(nullptr);
  if (doc) doc->RemoveView(&canvas);
  doc.reset();
  SetModalDialogs(previousDialogs);
  unsetenv("DRAVENTIS_LPT1");
  g_bModified = 0;
}

void SettingsTest::WriteSettingsFile(const std::string& text) {
  std::ofstream out(SettingsFilePath(), std::ios::binary);
  out << text;
}

std::string SettingsTest::Port() {
  const std::string all = TempDir::Read(portPath);
  const std::string fresh = all.substr(portRead);
  portRead = all.size();
  return fresh;
}
