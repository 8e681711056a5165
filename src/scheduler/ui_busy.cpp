#include "scheduler/ui_busy.h"

#include "platform/dialog_handler.h"

bool UiBusy::IsOpen(int templateId) const {
  for (const Scope* scope = m_innermost; scope != nullptr; scope = scope->m_outer) {
    if (scope->m_templateId == templateId) return true;
  }
  return false;
}

WindowHandle UiBusy::FrontDialog() const {
  for (const Scope* scope = m_innermost; scope != nullptr; scope = scope->m_outer) {
    if (scope->m_front != nullptr) return scope->m_front->Handle();
  }
  return nullptr;
}
