#pragma once

#include <QAccessible>

class QObject;

namespace orvane::widgets {

// What a widget tells assistive tools after one of its own values has really
// changed. Each event carries only a flag or a number, so there is nothing to
// save by asking QAccessible::isActive() first: updateAccessibility() drops
// the event itself when no tool listens.
void AnnounceChecked(QObject* source);
void AnnounceExpanded(QObject* source);
void AnnounceValue(QObject* source, int value);
// `kind` is NameChanged or DescriptionChanged.
void AnnounceText(QObject* source, QAccessible::Event kind);

}  // namespace orvane::widgets
