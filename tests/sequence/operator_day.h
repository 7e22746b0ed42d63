// An operator's day on the real main frame, offscreen: seeded random sequences of commands,
// mouse and key operations, page values, jobs to the simulated machine, saves, reopens and
// restarts, with the invariants checked after every step. A failure names the seed, the step and
// the action log, so that the run can be replayed.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"

class CKorvanePage;
class CLeftView;
class CKorvaneView;
class QWidget;

// The machine's reader of the port during a job. The port is a plain file now; a reader with a
// pace (steady, bursts, pauses, leaving) plugs in here and gives the stream it took.
struct MachineReader {
  virtual ~MachineReader() = default;
  // Before the job: the port path is ready for the job's bytes.
  virtual void BeforeJob(const std::string& portPath) { (void)portPath; }
  // After the job: what reached the machine.
  virtual std::string AfterJob(const std::string& portPath);
};

class OperatorDay : public AppTest {
 protected:
  OperatorDay();
  ~OperatorDay() override;
  void SetUp() override;
  void TearDown() override;

  // Runs `steps` actions from `seed`; stops at the first step that breaks an invariant and
  // reports the seed, the step and the log.
  void Run(std::uint64_t seed, int steps);
  // Runs each seed through the step it once broke an invariant at, in turn, until one fails.
  void RunThroughSteps(std::initializer_list<std::pair<std::uint64_t, int>> seedSteps);

  std::unique_ptr<MachineReader> reader = std::make_unique<MachineReader>();

 private:
  class Dialogs;
  class Prompter;
  using Action = std::function<void()>;
  struct Named {
    const char* name;
    int weight;
    Action act;
  };

  void StartApp();
  void StopApp();
  std::vector<Named> Actions();
  void Log(const std::string& line);
  std::string LogText() const;
  int Pick(int n);
  double Uniform(double lo, double hi);

  // ---- actions
  void Command(unsigned id, const char* what);
  void AddKind();
  void AddBitmap();
  void ClickObject(bool ctrl);
  void Band();
  void DragSelection(bool interrupt);
  void ResizeSelection();
  void ScrollCanvas();
  void WheelCanvas();
  void Escape();
  void SetLayer();
  void PageValue();
  void PageKeyInCombo();
  void CountingText();
  void Seal();
  void PaintMode();
  void Job(bool threaded);
  void SaveAndReopen(bool text);
  void Restart();
  void ResizeFrame();
  void ChooseListRow();

  // ---- invariants
  void CheckAll(const std::string& after);
  void CheckSurface(const std::string& after);
  void CheckListAndPage(const std::string& after);
  void CheckScrollRange(const std::string& after);
  void CheckSealTexts(const std::string& after);

  // The values a page of the kind shows when filled afresh from the document (control id ->
  // "t:text", "c:check", "s:row").
  std::map<int, std::string> FreshValues(int kind, int pageIndex);
  std::map<int, std::string> ShownValues(CKorvanePage& page);
  CKorvanePage* ShownPage();
  std::string DesignBytes();
  // The list's rows by kind and shown text, without names.
  std::vector<std::string> RowsByKind();
  // Every object's name, each closed by '|' (as many bytes as the names take in a file, plus one).
  // Whether the current object is a part of a seal.
  bool CurrentIsSealPart();

  CLeftView& Canvas();
  CKorvaneView& Form();
  QWidget* Viewport();
  void Mouse(int type, int x, int y, bool ctrl = false);

  std::unique_ptr<Dialogs> m_dialogs;
  Prompter* m_prompter = nullptr;
  std::mt19937_64 m_rng;
  std::vector<std::string> m_log;
  std::string m_portPath;
  std::string m_bmpPath;
  int m_fileNo = 0;
  // The work-area page values the run changed, as left: (page index, control id) -> value.
  std::map<std::pair<int, int>, std::string> m_leftSettings;
  // Set when the design was just opened and not edited since.
  bool m_bJustOpened = false;
  bool m_bOpenedLastStep = false;
  bool m_bSkipListCheck = false;
  bool m_dragging = false;  // the left button is held
};
