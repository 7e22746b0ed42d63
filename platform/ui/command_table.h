// Commands by id: one QAction per command id, shared by menus, tool bars, accelerators and context
// menus. Each id has at most one run and any number of update rules (later pieces add their
// conditions to a row). The update rule runs before every execution, so a disabled command never
// runs, whether it comes from a menu, a button, a key or code.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QObject>

#include "platform/wintypes.h"

class QAction;
class QMenu;
class QTimer;
class QWidget;
struct MenuTemplate;

// What an update rule says about a command.
class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  void Enable(BOOL enable = TRUE) { m_bEnabled = enable != FALSE; }
  // 0 unchecked, 1 checked, 2 indeterminate (shown checked). Makes the action checkable.
  void SetCheck(int check = 1) { m_nCheck = check; }
  // -1: the command's own image; else an index into its bar's extra images.
  void SetImage(int image) { m_nImage = image; }

  UINT m_nID;
  bool m_bEnabled = true;
  int m_nCheck = -1;  // -1: the rule said nothing about the check
  int m_nImage = -1;
};

using CommandRun = std::function<void()>;
using CommandUpdate = std::function<void(CCmdUI&)>;

class CCommandTable : public QObject {
  Q_OBJECT
 public:
  explicit CCommandTable(QObject* parent = nullptr);
  ~CCommandTable() override;

  // Sets (or replaces) the run of an id.
  void SetRun(UINT id, CommandRun run);
  // Adds an update rule; all rules of an id run in the order added, on one CCmdUI.
  void AddUpdate(UINT id, CommandUpdate update);
  // SetRun plus AddUpdate (when given).
  void Add(UINT id, CommandRun run, CommandUpdate update = {});
  bool HasRun(UINT id) const;

  // Called once for every new action (texts, tips, icon, shortcut); set before actions exist.
  using ActionDecorator = std::function<void(UINT id, QAction* action)>;
  void SetDecorator(ActionDecorator decorator) { m_decorator = std::move(decorator); }
  // Called when an update changes an action's extra-image index.
  using ImageChanged = std::function<void(UINT id, QAction* action, int image)>;
  void SetImageChanged(ImageChanged changed) { m_imageChanged = std::move(changed); }

  // The action of an id, created on first use (parented to the table, added to the host widget
  // when one is installed, so its shortcut works with the menu bar hidden).
  QAction* Action(UINT id);
  QAction* FindAction(UINT id) const;
  std::vector<UINT> Ids() const;

  // Runs the rules of one id and applies them to its action. An id without a run is disabled.
  CCmdUI Update(UINT id);
  // Update of every known action.
  void UpdateAll();
  // Update first; runs only when enabled; then an update pass. True when it ran.
  bool Execute(UINT id);

  // Adds every action to the widget and starts the idle update pass (200 ms).
  void InstallOn(QWidget* host);
  // Builds a QMenu tree from a template; popups update their entries before they show.
  void FillMenu(QMenu* menu, const MenuTemplate& entries);

 signals:
  void Executed(UINT id);

 private:
  struct Row {
    CommandRun run;
    std::vector<CommandUpdate> updates;
    QAction* action = nullptr;
    int image = -1;
  };
  Row& RowOf(UINT id);

  std::map<UINT, Row> m_rows;
  ActionDecorator m_decorator;
  ImageChanged m_imageChanged;
  QWidget* m_host = nullptr;
  QTimer* m_idle = nullptr;
  int m_running = 0;
};
