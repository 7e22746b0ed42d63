#include "platform/ui/command_table.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "platform/ui/menu_template.h"

CCommandTable::CCommandTable(QObject* parent) : QObject(parent) {}

CCommandTable::~CCommandTable() = default;

CCommandTable::Row& CCommandTable::RowOf(UINT id) { return m_rows[id]; }

void CCommandTable::SetRun(UINT id, CommandRun run) { RowOf(id).run = std::move(run); }

void CCommandTable::AddUpdate(UINT id, CommandUpdate update) {
  if (update) RowOf(id).updates.push_back(std::move(update));
}

void CCommandTable::Add(UINT id, CommandRun run, CommandUpdate update) {
  SetRun(id, std::move(run));
  AddUpdate(id, std::move(update));
}

bool CCommandTable::HasRun(UINT id) const {
  auto it = m_rows.find(id);
  return it != m_rows.end() && static_cast<bool>(it->second.run);
}

QAction* CCommandTable::FindAction(UINT id) const {
  auto it = m_rows.find(id);
  return it == m_rows.end() ? nullptr : it->second.action;
}

QAction* CCommandTable::Action(UINT id) {
  Row& row = RowOf(id);
  if (row.action) return row.action;
  auto* action = new QAction(this);
  row.action = action;
  if (m_decorator) m_decorator(id, action);
  // A shortcut or a click only reaches the run through Execute, which asks the rules again.
  connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
  if (m_host) m_host->addAction(action);
  Update(id);
  return action;
}

std::vector<UINT> CCommandTable::Ids() const {
  std::vector<UINT> ids;
  ids.reserve(m_rows.size());
  for (const auto& [id, row] : m_rows) ids.push_back(id);
  return ids;
}

CCmdUI CCommandTable::Update(UINT id) {
  CCmdUI ui(id);
  Row& row = RowOf(id);
  for (auto& rule : row.updates) rule(ui);
  if (!row.run) ui.m_bEnabled = false;
  if (QAction* action = row.action) {
    if (action->isEnabled() != ui.m_bEnabled) action->setEnabled(ui.m_bEnabled);
    if (ui.m_nCheck >= 0) {
      if (!action->isCheckable()) action->setCheckable(true);
      const bool checked = ui.m_nCheck != 0;
      if (action->isChecked() != checked) {
        const bool blocked = action->blockSignals(true);
        action->setChecked(checked);
        action->blockSignals(blocked);
        emit action->changed();
      }
    }
    if (ui.m_nImage != row.image) {
      row.image = ui.m_nImage;
      if (m_imageChanged) m_imageChanged(id, action, ui.m_nImage);
    }
  }
  return ui;
}

void CCommandTable::UpdateAll() {
  for (auto& [id, row] : m_rows) {
    if (row.action) Update(id);
  }
}

bool CCommandTable::Execute(UINT id) {
  const CCmdUI ui = Update(id);
  if (!ui.m_bEnabled) return false;
  CommandRun run = RowOf(id).run;  // a copy: the run may replace its own row
  ++m_running;
  run();
  --m_running;
  emit Executed(id);
  if (m_running == 0) UpdateAll();
  return true;
}

void CCommandTable::InstallOn(QWidget* host) {
  m_host = host;
  for (auto& [id, row] : m_rows) {
    if (row.action) host->addAction(row.action);
  }
  if (!m_idle) {
    m_idle = new QTimer(this);
    m_idle->setInterval(200);
    connect(m_idle, &QTimer::timeout, this, &CCommandTable::UpdateAll);
    m_idle->start();
  }
}

void CCommandTable::FillMenu(QMenu* menu, const MenuTemplate& entries) {
  for (const MenuTemplate& entry : entries.items) {
    if (entry.IsPopup()) {
      QMenu* sub = menu->addMenu(QString::fromUtf8(entry.text.c_str()));
      FillMenu(sub, entry);
    } else if (entry.IsSeparator()) {
      menu->addSeparator();
    } else {
      menu->addAction(Action(entry.id));
    }
  }
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || action->menu()) continue;
      for (auto& [id, row] : m_rows) {
        if (row.action == action) {
          Update(id);
          break;
        }
      }
    }
  });
}
