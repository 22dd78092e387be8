#include "widgets/AccessibleChange.h"

namespace orvane::widgets {

namespace {

void AnnounceState(QObject* source, QAccessible::State changed) {
  QAccessibleStateChangeEvent event(source, changed);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

void AnnounceChecked(QObject* source) {
  QAccessible::State changed;
  changed.checked = true;
  AnnounceState(source, changed);
}

// Expanded and collapsed always flip together.
void AnnounceExpanded(QObject* source) {
  QAccessible::State changed;
  changed.expanded = true;
  changed.collapsed = true;
  AnnounceState(source, changed);
}

void AnnounceValue(QObject* source, int value) {
  QAccessibleValueChangeEvent event(source, value);
  QAccessible::updateAccessibility(&event);
}

void AnnounceText(QObject* source, QAccessible::Event kind) {
  QAccessibleEvent event(source, kind);
  QAccessible::updateAccessibility(&event);
}

}  // namespace orvane::widgets
